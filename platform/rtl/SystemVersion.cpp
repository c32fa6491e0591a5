#include "platform/rtl/SystemVersion.h"

#include "platform/rtl/Files.h"
#include "platform/rtl/Strings.h"
#include "platform/rtl/Version.h"

#include <atomic>
#include <filesystem>
#include <mutex>

namespace {

std::mutex versionLock;
TOSVersionInfo& Emulated() {
    static TOSVersionInfo info;
    return info;
}

std::atomic<bool> coFails{false};
std::atomic<int> coUninitialized{0};

// "1.2.3.4" packed into 16-bit fields, high to low.
std::uint64_t PackVersion(const std::string& text) {
    std::uint64_t packed = 0;
    size_t start = 0;
    for (int field = 0; field < 4; ++field) {
        const size_t dot = text.find('.', start);
        const std::string part =
            start < text.size() ? text.substr(start, dot == std::string::npos ? dot : dot - start)
                                : std::string();
        packed = (packed << 16) | (static_cast<std::uint64_t>(StrToIntDef(part, 0)) & 0xFFFF);
        start = dot == std::string::npos ? text.size() : dot + 1;
    }
    return packed;
}

} // namespace

TOSVersionInfo GetVersionEx() {
    std::lock_guard<std::mutex> guard(versionLock);
    return Emulated();
}

TOSVersionInfo SetEmulatedVersion(const TOSVersionInfo& info) {
    std::lock_guard<std::mutex> guard(versionLock);
    TOSVersionInfo old = Emulated();
    Emulated() = info;
    return old;
}

bool GetModuleFileVersion(const std::string& fileName, std::uint64_t& version) {
    const std::string name = LowerCase(ExtractFileName(fileName));
    if (name == "comctl32.dll") {
        version = PackVersion("6.0.0.0");
        return true;
    }
    if (name == "shell32.dll") {
        version = PackVersion("6.1.7601.0");
        return true;
    }
    std::error_code error;
    if (fileName.empty() || !std::filesystem::equivalent(fileName, ProgramFileName(), error))
        return false;
    version = PackVersion(ProgramFileVersion());
    return true;
}

bool CoInitialize() {
    return !coFails.exchange(false);
}

void CoUninitialize() {
    ++coUninitialized;
}

void SetCoInitializeFails(bool fails) {
    coFails = fails;
}

int CoUninitializeCount() {
    return coUninitialized.load();
}
