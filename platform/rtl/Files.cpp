#include "platform/rtl/Files.h"

#include "platform/rtl/Exception.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

std::mutex g_programMutex;
std::string g_programOverride;

size_t LastDelimiter(std::string_view s) {
    const size_t at = s.find_last_of("/\\");
    return at;
}

std::string Errno() {
    return std::strerror(errno);
}

// The process's file-creation mask, read without changing it (umask() would, for a moment, for
// every thread).
mode_t CurrentUmask() {
    const int fd = ::open("/proc/self/status", O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return 022;
    char buf[4096];
    const ssize_t n = ::read(fd, buf, sizeof buf - 1);
    ::close(fd);
    if (n <= 0)
        return 022;
    buf[n] = '\0';
    const char* line = std::strstr(buf, "Umask:");
    if (!line)
        return 022;
    return static_cast<mode_t>(std::strtoul(line + 6, nullptr, 8));
}

} // namespace

bool IsPathDelimiterChar(char c) {
    return c == '/' || c == '\\';
}

std::string NormalizePath(std::string_view path) {
    std::string r(path);
    for (char& c : r)
        if (c == '\\')
            c = '/';
    return r;
}

std::string ExtractFilePath(std::string_view fileName) {
    const size_t at = LastDelimiter(fileName);
    return at == std::string_view::npos ? std::string() : std::string(fileName.substr(0, at + 1));
}

std::string ExtractFileDir(std::string_view fileName) {
    const size_t at = LastDelimiter(fileName);
    if (at == std::string_view::npos)
        return {};
    if (at == 0)
        return std::string(fileName.substr(0, 1)); // the root keeps its delimiter
    return std::string(fileName.substr(0, at));
}

std::string ExtractFileName(std::string_view fileName) {
    const size_t at = LastDelimiter(fileName);
    return std::string(at == std::string_view::npos ? fileName : fileName.substr(at + 1));
}

std::string ExtractFileExt(std::string_view fileName) {
    const std::string name = ExtractFileName(fileName);
    const size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot);
}

std::string ChangeFileExt(std::string_view fileName, std::string_view extension) {
    const size_t nameStart =
        LastDelimiter(fileName) == std::string_view::npos ? 0 : LastDelimiter(fileName) + 1;
    const size_t dot = fileName.rfind('.');
    std::string r(dot != std::string_view::npos && dot >= nameStart ? fileName.substr(0, dot)
                                                                    : fileName);
    r += extension;
    return r;
}

std::string IncludeTrailingPathDelimiter(std::string_view path) {
    std::string r(path);
    if (r.empty() || !IsPathDelimiterChar(r.back()))
        r += PathDelim;
    return r;
}

std::string ExcludeTrailingPathDelimiter(std::string_view path) {
    std::string r(path);
    while (r.size() > 1 && IsPathDelimiterChar(r.back()))
        r.pop_back();
    return r;
}

std::string ExpandFileName(std::string_view fileName) {
    std::string path = NormalizePath(fileName);
    if (path.empty() || path[0] != '/')
        path = IncludeTrailingPathDelimiter(GetCurrentDir()) + path;
    std::vector<std::string> parts;
    size_t i = 0;
    while (i <= path.size()) {
        const size_t slash = path.find('/', i);
        const size_t end = slash == std::string::npos ? path.size() : slash;
        const std::string part = path.substr(i, end - i);
        if (part == "..") {
            if (!parts.empty())
                parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        if (slash == std::string::npos)
            break;
        i = slash + 1;
    }
    std::string r;
    for (const std::string& p : parts)
        r += "/" + p;
    if (r.empty())
        r = "/";
    else if (!path.empty() && path.back() == '/')
        r += '/';
    return r;
}

bool FileExists(std::string_view fileName) {
    struct stat st {};
    return ::stat(NormalizePath(fileName).c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool DirectoryExists(std::string_view path) {
    struct stat st {};
    return ::stat(NormalizePath(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool CreateDir(std::string_view path) {
    return ::mkdir(NormalizePath(path).c_str(), 0777) == 0;
}

bool ForceDirectories(std::string_view path) {
    std::string p = ExcludeTrailingPathDelimiter(NormalizePath(path));
    if (p.empty())
        return false;
    if (DirectoryExists(p))
        return true;
    const std::string parent = ExtractFileDir(p);
    if (!parent.empty() && parent != p && !ForceDirectories(parent))
        return false;
    return CreateDir(p) || DirectoryExists(p);
}

bool RemoveDir(std::string_view path) {
    return ::rmdir(NormalizePath(path).c_str()) == 0;
}

bool DeleteFile(std::string_view fileName) {
    return ::unlink(NormalizePath(fileName).c_str()) == 0;
}

bool RenameFile(std::string_view oldName, std::string_view newName) {
    return ::rename(NormalizePath(oldName).c_str(), NormalizePath(newName).c_str()) == 0;
}

int64_t FileSize(std::string_view fileName) {
    struct stat st {};
    if (::stat(NormalizePath(fileName).c_str(), &st) != 0 || S_ISDIR(st.st_mode))
        return -1;
    return st.st_size;
}

std::string GetCurrentDir() {
    std::vector<char> buf(PATH_MAX);
    while (!::getcwd(buf.data(), buf.size())) {
        if (errno != ERANGE)
            return ".";
        buf.resize(buf.size() * 2);
    }
    return buf.data();
}

bool SetCurrentDir(std::string_view path) {
    return ::chdir(NormalizePath(path).c_str()) == 0;
}

std::string ProgramFileName() {
    {
        std::lock_guard lock(g_programMutex);
        if (!g_programOverride.empty())
            return g_programOverride;
    }
    std::vector<char> buf(PATH_MAX);
    const ssize_t n = ::readlink("/proc/self/exe", buf.data(), buf.size() - 1);
    if (n <= 0)
        return {};
    return std::string(buf.data(), static_cast<size_t>(n));
}

std::string ProgramFolder() {
    return ExtractFilePath(ProgramFileName());
}

void SetProgramFileName(std::string_view fileName) {
    std::lock_guard lock(g_programMutex);
    g_programOverride = fileName.empty() ? std::string() : ExpandFileName(fileName);
}

std::string UserConfigFolder() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    std::string base;
    if (xdg && xdg[0] == '/') {
        base = xdg;
    } else {
        const char* home = std::getenv("HOME");
        base = std::string(home && *home ? home : "/tmp") + "/.config";
    }
    return IncludeTrailingPathDelimiter(base) + "quorvan4/";
}

std::string ReadFileBytes(std::string_view fileName) {
    const std::string path = NormalizePath(fileName);
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw EFOpenError("Cannot open file \"" + path + "\". " + Errno());
    std::string data;
    char buf[65536];
    while (true) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            const std::string reason = Errno();
            ::close(fd);
            throw EReadError("Cannot read file \"" + path + "\". " + reason);
        }
        if (n == 0)
            break;
        data.append(buf, static_cast<size_t>(n));
    }
    ::close(fd);
    return data;
}

void WriteFileAtomic(std::string_view fileName, std::string_view bytes) {
    std::string target = NormalizePath(fileName);
    struct stat st {};
    bool existed = ::lstat(target.c_str(), &st) == 0;
    if (existed && S_ISLNK(st.st_mode)) {
        // Replace what the link points at, not the link.
        std::vector<char> buf(PATH_MAX);
        if (::realpath(target.c_str(), buf.data()))
            target = buf.data();
        existed = ::stat(target.c_str(), &st) == 0;
    }
    auto fail = [&](const std::string& reason) {
        throw EInOutError("Cannot write file \"" + target + "\". " + reason);
    };
    const std::string dir = ExtractFilePath(target);
    std::string temp =
        (dir.empty() ? std::string("./") : dir) + "." + ExtractFileName(target) + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        fail(Errno());
    auto abandon = [&](const std::string& reason) {
        ::close(fd);
        ::unlink(temp.c_str());
        fail(reason);
    };
    mode_t mode = 0666;
    if (existed) {
        mode = st.st_mode & 07777;
    } else {
        mode &= ~CurrentUmask();
    }
    if (::fchmod(fd, mode) != 0)
        abandon(Errno());
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            abandon(n < 0 ? Errno() : std::string("Nothing written"));
        done += static_cast<size_t>(n);
    }
    if (::fsync(fd) != 0)
        abandon(Errno());
    if (::close(fd) != 0) {
        const std::string reason = Errno();
        ::unlink(temp.c_str());
        fail(reason);
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        const std::string reason = Errno();
        ::unlink(temp.c_str());
        fail(reason);
    }
}
