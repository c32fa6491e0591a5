// Arbitrary bytes as the unit's firmware version text: parsing either fills the numbers as a
// plain scan of the text finds them or raises a conversion error, and the support check never
// fails hard.

#include "device/FirmwareVersion.h"

#include "platform/rtl/Exception.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

bool Digits(const std::string& text, size_t at, size_t count) {
    if (at + count > text.size())
        return false;
    for (size_t i = at; i < at + count; ++i)
        if (text[i] < '0' || text[i] > '9')
            return false;
    return true;
}

int Number(const std::string& text, size_t at, size_t count) {
    return std::stoi(text.substr(at, count));
}

// The numbers as a plain scan finds them: -1 when the text has none.
int ScanMajor(const std::string& text) {
    for (size_t i = 0; i < text.size(); ++i)
        if (text[i] == ' ' && Digits(text, i + 1, 2))
            return Number(text, i + 1, 2);
    return -1;
}

// Three digits between two other characters; when the first of those is a digit too, the
// number starts there.
int ScanShell(const std::string& text) {
    for (size_t i = 0; i + 4 < text.size(); ++i)
        if (Digits(text, i + 1, 3))
            return Digits(text, i, 1) ? Number(text, i, 3) : Number(text, i + 1, 3);
    return -1;
}

int ScanBuild(const std::string& text) {
    for (size_t i = 11; i < text.size(); ++i)
        if (Digits(text, i, 3))
            return Number(text, i, 3);
    return -1;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const int major = ScanMajor(text);
    const int shell = ScanShell(text);
    const int build = ScanBuild(text);

    TFirmwareVersion version;
    try {
        ParseFirmwareVersion(text, version);
        Check(major >= 0 && shell >= 0 && build >= 0);
        Check(version.Major == major && version.Shell == shell && version.Build == build);
        Check(version.Prefix == text.substr(0, 3));
        Check(version.Separator == (text.size() >= 4 ? text[3] : 0));
        Check(version.Tail == (text.size() > 14 ? text.substr(14, 250) : std::string()));
    } catch (const EConvertError&) {
        Check(major < 0 || shell < 0 || build < 0);
        Check(version.Major == 0 && version.Shell == 0 && version.Build == 0);
        Check(version.Prefix.empty() && version.Tail.empty());
    }

    if (IsModernVersion(text))
        Check(text.find("REV 07") != std::string::npos && text.find('.') != std::string::npos);
    return 0;
}
