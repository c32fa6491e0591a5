#include "controls/common/FrShell.h"

#include "platform/rtl/SystemVersion.h"

namespace {

struct TShellVersions {
    std::uint32_t platformId;
    std::uint64_t commonControls = 0;
    std::uint64_t shell = 0;
    TShellVersions() : platformId(GetVersionEx().PlatformId) {
        if (!::GetModuleFileVersion("comctl32.dll", commonControls))
            commonControls = 0;
        if (!::GetModuleFileVersion("shell32.dll", shell))
            shell = 0;
    }
};

const TShellVersions& Versions() {
    static const TShellVersions versions;
    return versions;
}

// The user-interface thread's start-up, for the life of the program.
const TFrComStartup comStartup;

} // namespace

bool IsNTPlatform() {
    return Versions().platformId == VER_PLATFORM_WIN32_NT;
}

std::uint64_t CommonControlsVersion() {
    return Versions().commonControls;
}

std::uint64_t ShellVersion() {
    return Versions().shell;
}

TFrComStartup::TFrComStartup() : succeeded_(CoInitialize()) {}

TFrComStartup::~TFrComStartup() {
    if (succeeded_)
        CoUninitialize();
}
