#include "platform/rtl/Exception.h"
#include "platform/rtl/Files.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {
// A fresh folder under the system's temporary folder, removed afterwards.
class TempDir {
public:
    TempDir() {
        path_ = (fs::temp_directory_path() /
                 ("q4rtl_files_" + std::to_string(::getpid()) + "_" + std::to_string(counter_++)))
                    .string();
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~TempDir() { fs::remove_all(path_); }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }
    const std::string& path() const { return path_; }

private:
    static inline int counter_ = 0;
    std::string path_;
};
} // namespace

TEST(Files, PathPartsWithEitherSeparator) {
    struct Case {
        const char* name;
        const char* path;
        const char* dir;
        const char* file;
        const char* ext;
    };
    const Case cases[] = {
        {"/a/b/c.txt", "/a/b/", "/a/b", "c.txt", ".txt"},
        {".\\windows.ini", ".\\", ".", "windows.ini", ".ini"},
        {"C:\\dir\\x.tar.gz", "C:\\dir\\", "C:\\dir", "x.tar.gz", ".gz"},
        {"noext", "", "", "noext", ""},
        {"/dir.d/file", "/dir.d/", "/dir.d", "file", ""},
        {"/root", "/", "/", "root", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ExtractFilePath(c.name), c.path) << c.name;
        EXPECT_EQ(ExtractFileDir(c.name), c.dir) << c.name;
        EXPECT_EQ(ExtractFileName(c.name), c.file) << c.name;
        EXPECT_EQ(ExtractFileExt(c.name), c.ext) << c.name;
    }
    EXPECT_EQ(ChangeFileExt("a/b.txt", ".ini"), "a/b.ini");
    EXPECT_EQ(ChangeFileExt("dir.d/b", ".ini"),
              "dir.d/b.ini"); // the dot of a folder is not an extension
    EXPECT_EQ(ChangeFileExt("b.txt", ""), "b");
    EXPECT_EQ(NormalizePath(".\\windows.ini"), "./windows.ini");
    EXPECT_EQ(IncludeTrailingPathDelimiter("a"), "a/");
    EXPECT_EQ(IncludeTrailingPathDelimiter("a\\"), "a\\");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("a//"), "a");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("/"), "/");
}

TEST(Files, ExpandFileNameResolvesDots) {
    const std::string cwd = GetCurrentDir();
    EXPECT_EQ(ExpandFileName(".\\windows.ini"), cwd + "/windows.ini");
    EXPECT_EQ(ExpandFileName("/a/b/../c/./d"), "/a/c/d");
    EXPECT_EQ(ExpandFileName("/../x"), "/x");
    EXPECT_EQ(ExpandFileName("/a/b/"), "/a/b/");
}

TEST(Files, FileTestsAndFolders) {
    TempDir dir;
    EXPECT_TRUE(DirectoryExists(dir.path()));
    EXPECT_FALSE(FileExists(dir.path())); // a folder is not a file
    const std::string nested = dir / "x/y/z";
    EXPECT_TRUE(ForceDirectories(nested));
    EXPECT_TRUE(DirectoryExists(nested));
    EXPECT_TRUE(ForceDirectories(nested));    // already there
    WriteFileAtomic(dir / "x\\f.txt", "abc"); // "\" works as a separator
    EXPECT_TRUE(FileExists(dir / "x/f.txt"));
    EXPECT_EQ(FileSize(dir / "x/f.txt"), 3);
    EXPECT_EQ(FileSize(dir / "missing"), -1);
    EXPECT_TRUE(RenameFile(dir / "x/f.txt", dir / "x/g.txt"));
    EXPECT_EQ(ReadFileBytes(dir / "x/g.txt"), "abc");
    EXPECT_TRUE(DeleteFile(dir / "x/g.txt"));
    EXPECT_FALSE(DeleteFile(dir / "x/g.txt"));
    EXPECT_THROW(ReadFileBytes(dir / "x/g.txt"), EFOpenError);
    EXPECT_TRUE(RemoveDir(nested));
}

TEST(Files, ProgramAndConfigFolders) {
    const std::string exe = ProgramFileName();
    EXPECT_EQ(ExtractFileName(exe), "test_platform_rtl");
    EXPECT_EQ(ProgramFolder(), ExtractFilePath(exe));
    SetProgramFileName("/opt/q4/bin/quorvan4");
    EXPECT_EQ(ProgramFolder(), "/opt/q4/bin/");
    SetProgramFileName("");
    EXPECT_EQ(ProgramFileName(), exe);

    const char* old = std::getenv("XDG_CONFIG_HOME");
    const std::string saved = old ? old : "";
    ::setenv("XDG_CONFIG_HOME", "/tmp/cfg", 1);
    EXPECT_EQ(UserConfigFolder(), "/tmp/cfg/quorvan4/");
    ::setenv("XDG_CONFIG_HOME", "relative", 1); // not absolute: ignored
    EXPECT_NE(UserConfigFolder().find("/.config/quorvan4/"), std::string::npos);
    if (old)
        ::setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
    else
        ::unsetenv("XDG_CONFIG_HOME");
}

TEST(Files, AtomicWriteKeepsModeAndFollowsLinks) {
    TempDir dir;
    const std::string target = dir / "real.ini";
    WriteFileAtomic(target, "one");
    ::chmod(target.c_str(), 0640);
    const std::string link = dir / "link.ini";
    fs::create_symlink(target, link);
    WriteFileAtomic(link, "two");
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadFileBytes(target), "two");
    struct stat st {};
    ::stat(target.c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_THROW(WriteFileAtomic(dir / "no/such/dir.ini", "x"), EInOutError);
    // Nothing but the two names is left behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 2);
}
