#include "device/FirmwareVersion.h"

#include "platform/rtl/Exception.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Strings.h"
#include "platform/rtl/Version.h"
#include "regex/Regex.h"

#include <filesystem>
#include <system_error>

namespace {

constexpr int kTailLimit = 250;

} // namespace

std::string RegexFirstMatch(const std::string& Text, const std::string& Pattern) {
    if (Text.empty()) {
        return std::string();
    }
    TRegex engine;
    engine.SetExpression(Pattern);
    if (!engine.Exec(Text)) {
        return std::string();
    }
    return engine.GetGroupText(0);
}

void ParseFirmwareVersion(const std::string& Text, TFirmwareVersion& Version) {
    Version = TFirmwareVersion();
    TFirmwareVersion parsed;
    parsed.Prefix = Copy(Text, 1, 3);
    parsed.Separator = Text.size() >= 4 ? Text[3] : 0;
    parsed.Major = static_cast<uint8_t>(
        StrToInt(RegexFirstMatch(RegexFirstMatch(Text, " [0-9]{2}"), "[0-9]{2}")));
    parsed.Shell = static_cast<uint16_t>(
        StrToInt(RegexFirstMatch(RegexFirstMatch(Text, ".[0-9]{3}."), "[0-9]{3}")));
    parsed.Build = static_cast<uint16_t>(StrToInt(RegexFirstMatch(Copy(Text, 12), "[0-9]{3}")));
    parsed.Tail = Copy(Text, 15, kTailLimit);
    Version = parsed;
}

bool IsModernVersion(const std::string& Text) {
    if (Text.find("REV 07") == std::string::npos) {
        return false;
    }
    const size_t dot = Text.find('.');
    if (dot == std::string::npos) {
        return false;
    }
    int shell = 0;
    return TryStrToInt(Text.substr(dot + 1, 3), shell) && shell > 499;
}

std::string GetFileVersionText(const std::string& FileName) {
    std::error_code error;
    if (FileName.empty() || !std::filesystem::equivalent(FileName, ProgramFileName(), error)) {
        return std::string();
    }
    return ProgramFileVersion();
}
