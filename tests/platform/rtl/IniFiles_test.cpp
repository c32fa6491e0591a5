#include "platform/rtl/Classes.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/IniFiles.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class IniTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = (fs::temp_directory_path() /
                ("q4rtl_ini_" + std::to_string(::getpid()) + "_" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name()))
                   .string();
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        path_ = dir_ + "/current.ini";
    }
    void TearDown() override { fs::remove_all(dir_); }
    void Put(const std::string& bytes) { WriteFileAtomic(path_, bytes); }
    std::string Disk() const { return ReadFileBytes(path_); }
    size_t FilesInDir() const {
        return static_cast<size_t>(
            std::distance(fs::directory_iterator(dir_), fs::directory_iterator()));
    }

    std::string dir_, path_;
};

using V = std::vector<std::string>;

} // namespace

TEST_F(IniTest, ReadingFollowsProfileRules) {
    Put("orphan=before any section\r\n"
        "[Connect]\r\n"
        "  ComPort =  3  \r\n"
        "Phone=\"+7 900\"\r\n"
        "Quoted='x'\r\n"
        "Half=\"open\r\n"
        "; Comment=not a key\r\n"
        "garbage line\r\n"
        "comport=9\r\n"
        "[Empty]\r\n"
        "; only a comment\r\n"
        "[ formHistory ]\n"
        "cbFormat=1\n"
        "[FormHistory]\n"
        "cbFormat=2\n"
        "showNSPoint=1\n"
        "[\xD0\xE0\xE7\xE4\xE5\xEB]\r\n" // a Cyrillic section name in Windows-1251
        "\xCA\xEB\xFE\xF7=\xC7\xED\xE0\xF7\xE5\xED\xE8\xE5");
    TMemIniFile ini(path_);
    TIniFile profile(path_);
    struct Case {
        const char* section;
        const char* key;
        const char* value;   // TMemIniFile: quotes kept as read
        const char* profile; // TIniFile: one pair of quotes removed
    };
    const Case cases[] = {
        {"connect", "COMPORT", "3", "3"}, // case-insensitive; trimmed; the first key wins
        {"Connect", "Phone", "\"+7 900\"", "+7 900"},
        {"Connect", "Quoted", "'x'", "x"},
        {"Connect", "Half", "\"open", "\"open"}, // no matching pair: kept
        {"Connect", "; Comment", "<none>", "<none>"},
        {"Connect", "garbage line", "<none>", "<none>"},
        {"", "orphan", "<none>", "<none>"},
        {"FORMHISTORY", "cbFormat", "1", "1"}, // the first of two like-named sections wins
        {"formHistory", "showNSPoint", "<none>", "<none>"},
        {"раздел", "КЛЮЧ", "Значение", "Значение"}, // Cyrillic matches without case too
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ini.ReadString(c.section, c.key, "<none>"), c.value) << c.section << "/" << c.key;
        EXPECT_EQ(profile.ReadString(c.section, c.key, "<none>"), c.profile)
            << c.section << "/" << c.key;
    }

    TStringList list;
    ini.ReadSections(list);
    EXPECT_EQ(list.ToVector(), (V{"Connect", "Empty", "formHistory", "Раздел"}));
    ini.ReadSection("connect", list);
    EXPECT_EQ(list.ToVector(), (V{"ComPort", "Phone", "Quoted", "Half"}));
    ini.ReadSectionValues("Connect", list);
    EXPECT_EQ(list.ToVector(), (V{"ComPort=3", "Phone=\"+7 900\"", "Quoted='x'", "Half=\"open"}));
    for (TCustomIniFile* file : std::initializer_list<TCustomIniFile*>{&ini, &profile}) {
        EXPECT_TRUE(file->SectionExists("CONNECT"));
        EXPECT_FALSE(file->SectionExists("Update"));
        EXPECT_FALSE(file->SectionExists("empty")); // a header without keys: defaults are due
    }
    EXPECT_TRUE(ini.ValueExists("Connect", "phone"));
    EXPECT_FALSE(ini.ValueExists("Connect", "Fphone"));
}

TEST_F(IniTest, TypedValues) {
    Put("[S]\nhex=$FF\nchex=0x10\nbad=12a\nt=true\none=1\nneg=-5\nf=2,5\nfdot=2.5\n");
    TMemIniFile ini(path_);
    EXPECT_EQ(ini.ReadInteger("S", "hex", 0), 255);
    EXPECT_EQ(ini.ReadInteger("S", "chex", 0), 16);
    EXPECT_EQ(ini.ReadInteger("S", "bad", 7), 7);
    EXPECT_EQ(ini.ReadInteger("S", "missing", -1), -1);
    EXPECT_EQ(ini.ReadInteger("S", "neg", 0), -5);
    EXPECT_TRUE(ini.ReadBool("S", "one", false));
    EXPECT_FALSE(ini.ReadBool("S", "t", false)); // "true" is no integer: the default
    EXPECT_TRUE(ini.ReadBool("S", "t", true));
    EXPECT_TRUE(ini.ReadBool("S", "neg", false)); // any integer but 0
    EXPECT_DOUBLE_EQ(ini.ReadFloat("S", "f", 0), 2.5);
    EXPECT_DOUBLE_EQ(ini.ReadFloat("S", "fdot", 0), 2.5);

    ini.WriteBool("S", "b1", true);
    ini.WriteBool("S", "b0", false);
    ini.WriteInteger("S", "i", -42);
    ini.WriteFloat("S", "x", 10.25);
    EXPECT_EQ(ini.ReadString("S", "b1", ""), "1");
    EXPECT_EQ(ini.ReadString("S", "b0", ""), "0");
    EXPECT_EQ(ini.ReadString("S", "i", ""), "-42");
    EXPECT_EQ(ini.ReadString("S", "x", ""), "10,25");
}

TEST_F(IniTest, WritesKeepEverythingElseInPlace) {
    Put("; settings\r\n"
        "[formCommon]\r\n"
        "etObjNum=0050\r\n"
        "Unknown=kept\r\n"
        "\r\n"
        "[Other]\r\n"
        "x=1\r\n");
    TMemIniFile ini(path_);
    ini.WriteString("FORMCOMMON", "etobjnum", "0077"); // replaced in place, original spelling
    ini.WriteString("formCommon", "cbOhr", "1");       // appended to its section, before the gap
    ini.WriteString("Connect", "Phone", "Привет");     // a new section at the end
    EXPECT_TRUE(ini.Modified());
    ini.UpdateFile();
    EXPECT_EQ(Disk(), "; settings\r\n"
                      "[formCommon]\r\n"
                      "etObjNum=0077\r\n"
                      "Unknown=kept\r\n"
                      "cbOhr=1\r\n"
                      "\r\n"
                      "[Other]\r\n"
                      "x=1\r\n"
                      "[Connect]\r\n"
                      "Phone=\xCF\xF0\xE8\xE2\xE5\xF2\r\n"); // Windows-1251 on disk
}

TEST_F(IniTest, EraseAndDelete) {
    Put("[A]\nk=1\nk=2\nj=3\n[B]\nz=1\n[a]\nk=4\nq=5\n");
    TMemIniFile ini(path_);
    ini.DeleteKey("a", "K");
    EXPECT_EQ(ini.ReadString("A", "k", "-"), "-");
    EXPECT_EQ(ini.ReadString("A", "j", "-"), "3");
    ini.EraseSection("A"); // every occurrence: the later [a] does not take its place
    EXPECT_EQ(ini.ReadString("A", "q", "-"), "-");
    TStringList sections;
    ini.ReadSections(sections);
    EXPECT_EQ(sections.ToVector(), (V{"B"}));
    ini.UpdateFile();
    EXPECT_EQ(Disk(), "[B]\r\nz=1\r\n");
}

TEST_F(IniTest, ValuesSurviveTheRoundTrip) {
    struct Case {
        const char* key;
        const char* value;
        const char* memoryBack; // TMemIniFile written, saved and read again
    };
    const Case cases[] = {
        {"blanks", "  padded  ", "padded"}, // the file trims: only TIniFile protects the blanks
        {"single", "'quoted'", "'quoted'"},
        {"double", "\"quoted\"", "\"quoted\""},
        {"pair", "\"\"", "\"\""},
        {"lone", "\"", "\""},
        {"eq", "a=b=c", "a=b=c"},
        {"semi", ";not a comment", ";not a comment"},
        {"empty", "", ""},
    };
    const std::string longValue(5000, 'v'); // read whole, not cut at 2,047 characters
    const std::string memoryPath = dir_ + "/memory.ini";
    {
        TIniFile profile(path_);
        TMemIniFile memory(memoryPath);
        for (TCustomIniFile* ini : std::initializer_list<TCustomIniFile*>{&profile, &memory}) {
            for (const Case& c : cases)
                ini->WriteString("V", c.key, c.value);
            ini->WriteString("V", "long", longValue);
            ini->WriteString("V", "lines", "one\r\ntwo"); // line breaks cannot live in a line
        }
        for (const Case& c : cases) // before saving, the memory file gives back what it was given
            EXPECT_EQ(memory.ReadString("V", c.key, "<none>"), c.value) << c.key;
        memory.UpdateFile();
    }
    TIniFile back(path_);
    TMemIniFile memoryBack(memoryPath);
    for (const Case& c : cases) {
        EXPECT_EQ(back.ReadString("V", c.key, "<none>"), c.value) << c.key;
        EXPECT_EQ(memoryBack.ReadString("V", c.key, "<none>"), c.memoryBack) << c.key;
    }
    EXPECT_EQ(back.ReadString("V", "lines", ""), "one  two");
    EXPECT_EQ(memoryBack.ReadString("V", "lines", ""), "one  two");
    EXPECT_EQ(back.ReadString("V", "long", ""), longValue);
    EXPECT_THROW(back.WriteString("V", "a=b", "x"), EIniFileException);
    EXPECT_THROW(back.WriteString("V]", "a", "x"), EIniFileException);
    EXPECT_THROW(back.WriteString("V", "[a", "x"), EIniFileException);
}

TEST_F(IniTest, NoiseLongLinesAndNoFinalNewlineLoseNothing) {
    std::string noise;
    for (int b = 0; b < 256; ++b)
        noise += static_cast<char>(b);
    const std::string longLine = "long=" + std::string(100000, 'x');
    // LF-only lines, duplicate sections, binary bytes (a lone CR splits a line as on Windows),
    // and no newline at the end.
    std::string original = "[Dup]\na=1\n[dup]\na=2\n" + longLine + "\n" + noise;
    Put(original);
    {
        TMemIniFile ini(path_);
        EXPECT_EQ(ini.ReadString("DUP", "a", ""), "1");
        EXPECT_EQ(ini.ReadString("Dup", "long", "").size(), 0u); // in the second [dup]
        ini.WriteString("Added", "k", "v");
        ini.UpdateFile();
    }
    std::string expected = "[Dup]\r\na=1\r\n[dup]\r\na=2\r\n" + longLine + "\r\n" +
                           std::string(noise.substr(0, 10)) + "\r\n" + // up to the LF (byte 10)
                           noise.substr(11, 2) + "\r\n" +              // bytes 11, 12; CR ends it
                           noise.substr(14) + "\r\n" + "[Added]\r\nk=v\r\n";
    EXPECT_EQ(Disk(), expected);
}

TEST_F(IniTest, TextOutsideTheCodePageSwitchesTheFileToUtf8) {
    Put("[S]\r\nru=\xCF\xF0\xE8\xE2\xE5\xF2\r\n");
    {
        TMemIniFile ini(path_);
        ini.WriteString("S", "path", "/home/用户/x");
        ini.UpdateFile();
    }
    const std::string disk = Disk();
    EXPECT_EQ(disk.substr(0, 3), "\xEF\xBB\xBF");
    TMemIniFile back(path_);
    EXPECT_EQ(back.ReadString("S", "ru", ""), "Привет");
    EXPECT_EQ(back.ReadString("S", "path", ""), "/home/用户/x");

    // A UTF-8 file without a mark is read as UTF-8 and stays UTF-8.
    Put("[S]\nru=Привет\n");
    TMemIniFile utf8(path_);
    EXPECT_EQ(utf8.ReadString("S", "ru", ""), "Привет");
    utf8.WriteString("S", "k", "ё");
    utf8.UpdateFile();
    EXPECT_EQ(Disk(), "[S]\r\nru=Привет\r\nk=ё\r\n");
}

TEST_F(IniTest, InterruptedSaveLeavesTheOldFileIntact) {
    const std::string old = "[S]\r\nk=old\r\n";
    Put(old);
    TMemIniFile ini(path_);
    ini.WriteString("S", "k", "new");
    ini.WriteString("S", "big", std::string(64 * 1024, 'x'));
    // Let the disk refuse anything beyond 4 KiB, as a full disk would.
    struct rlimit saved {};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    bool failed = false;
    try {
        ini.UpdateFile();
    } catch (const EIniFileException& e) {
        failed = true;
        EXPECT_NE(e.Message().find("Unable to write to " + path_), std::string::npos);
    }
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_TRUE(failed);
    EXPECT_EQ(Disk(), old);
    EXPECT_EQ(FilesInDir(), 1u); // no temporary file left behind
    EXPECT_TRUE(ini.Modified());
    ini.UpdateFile(); // the limit is gone: now it works
    EXPECT_EQ(TMemIniFile(path_).ReadString("S", "k", ""), "new");
}

TEST_F(IniTest, IniFileWritesThroughAndSeesOtherWriters) {
    TIniFile a(path_);
    TIniFile b(path_);
    EXPECT_FALSE(FileExists(path_));
    a.WriteInteger("formMainFormState", "Left", 10);
    EXPECT_EQ(Disk(), "[formMainFormState]\r\nLeft=10\r\n"); // on disk at once
    EXPECT_EQ(b.ReadInteger("formMainFormState", "left", 0), 10);
    b.WriteBool("formMainFormState", "Saved", true);
    EXPECT_TRUE(a.ReadBool("formMainFormState", "Saved", false));
    a.DeleteKey("formMainFormState", "Left");
    EXPECT_EQ(b.ReadInteger("formMainFormState", "Left", -1), -1);
    Put("[X]\r\ny=external\r\n"); // another program replaced the file
    EXPECT_EQ(a.ReadString("X", "y", ""), "external");
    b.EraseSection("X");
    EXPECT_FALSE(a.SectionExists("X"));

    TIniFile nowhere(dir_ + "/missing/dir/windows.ini");
    EXPECT_THROW(nowhere.WriteString("S", "k", "v"), EIniFileException);
    EXPECT_EQ(nowhere.ReadString("S", "k", "-"), "-"); // the failed write is not remembered

    TIniFile dotted(".\\q4rtl_dotted.ini");
    EXPECT_EQ(dotted.FileName(), "./q4rtl_dotted.ini");
}

TEST_F(IniTest, StringsViewOfTheFile) {
    Put("[S]\r\nk=v\r\n; note\r\n");
    TMemIniFile ini(path_);
    TStringList lines;
    ini.GetStrings(lines);
    EXPECT_EQ(lines.ToVector(), (V{"[S]", "k=v", "; note"}));
    lines.Add("[T]");
    lines.Add("x=1");
    ini.SetStrings(lines);
    EXPECT_EQ(ini.ReadString("t", "X", ""), "1");
    ini.Clear();
    ini.ReadSections(lines);
    EXPECT_EQ(lines.Count(), 0);
    ini.Rename(path_, true);
    EXPECT_EQ(ini.ReadString("S", "k", ""), "v");
}
