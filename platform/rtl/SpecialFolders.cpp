#include "platform/rtl/SpecialFolders.h"

#include "platform/rtl/Files.h"
#include "platform/rtl/SettingsFolder.h"

#include <cstdlib>

namespace {

std::string Home() {
    const char* home = std::getenv("HOME");
    return home != nullptr && *home != '\0' ? home : "/tmp";
}

std::string XdgFolder(const char* variable, const char* fallback) {
    const char* value = std::getenv(variable);
    if (value != nullptr && value[0] == '/')
        return ExcludeTrailingPathDelimiter(value);
    return Home() + fallback;
}

} // namespace

std::string GetSpecialFolderPath(int csidl) {
    switch (csidl) {
    case CSIDL_PERSONAL:
        return Home() + "/Documents";
    case CSIDL_APPDATA:
        return XdgFolder("XDG_CONFIG_HOME", "/.config");
    case CSIDL_LOCAL_APPDATA:
        return XdgFolder("XDG_DATA_HOME", "/.local/share");
    case CSIDL_COMMON_APPDATA:
        if (FolderWritable("/var/lib/quorvan4"))
            return "/var/lib/quorvan4";
        return XdgFolder("XDG_DATA_HOME", "/.local/share");
    default:
        return {};
    }
}
