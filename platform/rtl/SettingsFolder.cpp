#include "platform/rtl/SettingsFolder.h"

#include "platform/rtl/Files.h"

#include <unistd.h>

bool FolderWritable(std::string_view folder) {
    const std::string path = NormalizePath(folder);
    return DirectoryExists(path) && ::access(path.c_str(), W_OK | X_OK) == 0;
}

std::string SettingsFolder() {
    const std::string program = ProgramFolder();
    if (FolderWritable(program))
        return program;
    const std::string user = UserConfigFolder();
    ForceDirectories(user);
    return user;
}

std::string ResolveSettingsPath(std::string_view path) {
    std::string p = NormalizePath(path);
    if (p == "." || p == "./")
        return SettingsFolder();
    if (p.rfind("./", 0) == 0) {
        size_t start = 2;
        while (start < p.size() && p[start] == '/')
            ++start;
        return SettingsFolder() + p.substr(start);
    }
    return p;
}
