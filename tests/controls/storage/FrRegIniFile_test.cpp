#include "StorageTestSupport.h"

#include "controls/paint/FrColors.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/IniFiles.h"
#include "platform/rtl/Registry.h"

#include <filesystem>
#include <memory>

namespace {

using namespace storagetest;

class FrRegIniFileTest : public StorageTest {};

TEST_F(FrRegIniFileTest, PathsResolveBesideTheSettings) {
    struct Case {
        TFrPathType type;
        TFrSpecialFolder folder;
        std::string path;
        std::string want; // $P program folder, $C configuration home
    } cases[] = {
        {ptIniFile, sfNone, "abc", "$Pabc.ini"},
        {ptIniFile, sfNone, "abc.cfg", "$Pabc.ini"},
        {ptIniFile, sfNone, "", "$Pquorvan4.ini"},
        {ptIniFile, sfNone, ".\\windows.ini", "$Pwindows.ini"},
        {ptIniFile, sfNone, "./windows.ini", "$Pwindows.ini"},
        {ptIniFile, sfNone, "/etc/q4\\x.ini", "/etc/q4/x.ini"},
        {ptIniFile, sfUserAppDataRoaming, "sub\\abc", "$Csub/abc.ini"},
        {ptRegistry, sfNone, "", "\\Software\\Temp\\Storage test"},
        {ptRegistry, sfNone, "\\Software\\Q4", "\\Software\\Q4"},
    };
    for (const Case& c : cases) {
        TFrRegIniFile storage(nullptr);
        storage.SetPathType(c.type);
        storage.SetSpecialFolder(c.folder);
        storage.SetPath(c.path);
        EXPECT_FALSE(storage.ReadBool("S", "K", false));
        std::string want = c.want;
        if (want.rfind("$P", 0) == 0)
            want = programFolder_ + want.substr(2);
        if (want.rfind("$C", 0) == 0)
            want = configHome_ + want.substr(2);
        EXPECT_EQ(storage.Path(), want) << c.path;
    }
    // The special folder was made.
    EXPECT_TRUE(DirectoryExists(configHome_ + "sub"));
    // Nothing appears in the working folder.
    EXPECT_FALSE(FileExists(".\\windows.ini"));
    EXPECT_FALSE(FileExists("windows.ini"));
}

TEST_F(FrRegIniFileTest, AProgramFolderWeCannotWriteSendsSettingsToTheUserFolder) {
    SetProgramFileName(root_ + "/missing/quorvan4");
    TFrRegIniFile storage(nullptr);
    storage.SetPath(".\\windows.ini");
    storage.WriteInteger("S", "K", 7);
    EXPECT_EQ(storage.Path(), configHome_ + "quorvan4/windows.ini");
    EXPECT_EQ(ConfigParserSection(storage.Path(), "S"), "K=7\n");
}

TEST_F(FrRegIniFileTest, OpensOnceUntilAPropertyChanges) {
    // With a special folder every opening puts the folder in front of Path again, so a second
    // opening would show in Path.
    TFrRegIniFile storage(nullptr);
    storage.SetSpecialFolder(sfUserAppDataLocal);
    storage.SetPath("a");
    storage.WriteInteger("S", "K", 7);
    const std::string resolved = storage.Path();
    EXPECT_EQ(resolved, root_ + "/data/a.ini");
    storage.SetPath(resolved);
    storage.SetSpecialFolder(sfUserAppDataLocal);
    EXPECT_EQ(storage.ReadInteger("S", "K", 0), 7);
    EXPECT_EQ(storage.Path(), resolved);
    // A real change reopens.
    storage.SetSpecialFolder(sfNone);
    storage.SetPath("b");
    EXPECT_EQ(storage.ReadInteger("S", "K", 0), 0);
    EXPECT_EQ(storage.Storage()->FileName(), programFolder_ + "b.ini");
    EXPECT_EQ(ConfigParserSection(resolved, "S"), "K=7\n");
}

TEST_F(FrRegIniFileTest, RegistryValuesLandInTheRootsFile) {
    TFrRegIniFile storage(nullptr);
    storage.SetPathType(ptRegistry);
    storage.SetPath("\\Software\\Quorvan");
    storage.WriteBool("Window", "Maximized", true);
    storage.WriteInteger("Window", "Left", -20);
    EXPECT_TRUE(storage.ReadBool("Window", "Maximized", false));
    EXPECT_EQ(storage.ReadInteger("Window", "Left", 0), -20);
    const std::string file = configHome_ + "quorvan4/registry/HKEY_CURRENT_USER.ini";
    EXPECT_EQ(ConfigParserSection(file, "Software\\Quorvan\\Window"), "Maximized=1\nLeft=-20\n");
    // Another root is another file.
    storage.SetRegKey(hkeyLocalMachine);
    EXPECT_FALSE(storage.ReadBool("Window", "Maximized", false));
}

TEST_F(FrRegIniFileTest, AnUnwritableRegistryRootIsReadOnly) {
    // The registry folder is taken by a file: reading works (defaults), writing is refused.
    ForceDirectories(configHome_ + "quorvan4");
    WriteFileAtomic(configHome_ + "quorvan4/registry", "not a folder");
    TRegistryIniFile reg("\\Software\\Quorvan", KEY_ALL_ACCESS);
    EXPECT_EQ(reg.ReadString("S", "K", "def"), "def");
    EXPECT_FALSE(reg.ReadOnly()); // not known until something is written
    EXPECT_THROW(reg.WriteString("S", "K", "v"), ERegistryException);
    EXPECT_TRUE(reg.ReadOnly());
    ASSERT_FALSE(Record().Diagnostics.empty());
    EXPECT_NE(Record().Diagnostics.back().find("read-only"), std::string::npos);
    // A key opened for reading only refuses writes too.
    ::unlink((configHome_ + "quorvan4/registry").c_str());
    TRegistryIniFile readOnly("\\Software\\Quorvan", KEY_READ & ~0x2u);
    EXPECT_THROW(readOnly.WriteString("S", "K", "v"), ERegistryException);
}

TEST_F(FrRegIniFileTest, ColourSchemeNameFromTheRegistry) {
    struct Case {
        const char* name;
        int scheme;
    } cases[] = {{"", 0}, {"NormalColor", 0}, {"HomeStead", 1}, {"metallic", 2}};
    for (const Case& c : cases) {
        TRegistryIniFile reg("\\Software\\Microsoft\\Windows\\CurrentVersion");
        if (*c.name)
            reg.WriteString("ThemeManager", "ColorName", c.name);
        EXPECT_EQ(ReadXPColorScheme(), c.scheme) << c.name;
    }
}

TEST_F(FrRegIniFileTest, BadFilesGiveDefaultsAndADiagnostic) {
    const std::string file = programFolder_ + "windows.ini";
    WriteFileAtomic(file,
                    "[formMainFormState]\r\n%%% garbage\r\nLeft=abc\r\nTop=25\r\n<<garbage>>\r\n");
    TFrRegIniFile storage(nullptr);
    storage.SetPath(".\\windows.ini");
    EXPECT_EQ(storage.ReadInteger("formMainFormState", "Left", 40), 40);
    EXPECT_EQ(storage.ReadInteger("formMainFormState", "Top", 40), 25);
    ASSERT_EQ(Record().Diagnostics.size(), 2u);
    EXPECT_NE(Record().Diagnostics[0].find("2 line(s)"), std::string::npos)
        << Record().Diagnostics[0];
    EXPECT_NE(Record().Diagnostics[1].find("Left=abc is not a number"), std::string::npos)
        << Record().Diagnostics[1];
    // Writing keeps the lines it does not understand.
    storage.WriteInteger("formMainFormState", "Left", 5);
    EXPECT_NE(ReadFileBytes(file).find("%%% garbage"), std::string::npos);
}

TEST_F(FrRegIniFileTest, WritesThatCannotLandLeaveNothingBehind) {
    // A missing folder, and a "file" that is a folder.
    ForceDirectories(programFolder_ + "taken.ini");
    for (const std::string& path : {root_ + "/none/x.ini", programFolder_ + "taken.ini"}) {
        TFrRegIniFile storage(nullptr);
        storage.SetPath(path);
        EXPECT_EQ(storage.ReadInteger("S", "K", 3), 3);
        EXPECT_THROW(storage.WriteInteger("S", "K", 4), EIniFileException) << path;
    }
    EXPECT_FALSE(DirectoryExists(root_ + "/none"));
    int leftovers = 0;
    for (const auto& entry : std::filesystem::directory_iterator(programFolder_))
        leftovers += entry.path().filename() != "taken.ini";
    EXPECT_EQ(leftovers, 0);
}

} // namespace

namespace {

using namespace storagetest;

class FrRegIniFileAccessTest : public StorageTest {};

TEST_F(FrRegIniFileAccessTest, AccessRightsChooseWhetherTheKeyTakesWrites) {
    EXPECT_EQ(RegAccessMask(TFrRegAccess{keyAllAccess}), 0xF003Fu);
    EXPECT_EQ(RegAccessMask(TFrRegAccess{keyQueryValue, keySetValue}), 0x3u);
    EXPECT_EQ(RegAccessMask(TFrRegAccess{keyRead, keyNotify}), 0x20019u);
    EXPECT_EQ(RegAccessMask(TFrRegAccess{}), 0u);
    TFrRegIniFile readOnly(nullptr);
    readOnly.SetPathType(ptRegistry);
    readOnly.SetRegAccess(TFrRegAccess{keyRead});
    EXPECT_EQ(readOnly.ReadInteger("S", "K", 9), 9);
    EXPECT_THROW(readOnly.WriteInteger("S", "K", 1), ERegistryException);
    readOnly.SetRegAccess(TFrRegAccess{keyRead, keyWrite});
    readOnly.WriteInteger("S", "K", 1);
    EXPECT_EQ(readOnly.ReadInteger("S", "K", 9), 1);
}

} // namespace
