// The in-memory ini file: sorted sections and keys, duplicate names, comments, typed reads.

#include "i18n/ini/LocIniFile.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/CodePage.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Streams.h"

#include <gtest/gtest.h>

#include <random>

namespace {

std::string Exported(const TLocMemIniFile& ini) {
    TStringList lines;
    ini.ExportLines(lines);
    return lines.Text();
}

void Import(TLocMemIniFile& ini, std::string_view text) {
    TStringStream stream(std::string{text});
    ini.LoadStream(stream);
}

} // namespace

TEST(LocMemIniFileTest, LinesAreSortedCutAtTheFirstEqualSignAndCommentsDropped) {
    struct Case {
        const char* in;
        const char* out;
    } cases[] = {
        {"[B]\r\nx=1\r\n[a]\r\ny=2\r\n", "[a]\r\ny=2\r\n\r\n[B]\r\nx=1\r\n\r\n"},
        {"[s]\r\nk=v=w\r\nbare\r\n", "[s]\r\nbare=\r\nk=v=w\r\n\r\n"},
        {"before=1\r\n;comment\r\n[s]\r\n;x=1\r\n\r\nk=1\r\n", "[s]\r\nk=1\r\n\r\n"},
        {"[]\r\nk=1\n", "[]\r\nk=1\r\n\r\n"},
        {"[s]\r\n k = v \r\n", "[s]\r\n k = v \r\n\r\n"},
        // A repeated header (any case) goes on with the first section; its keys are kept.
        {"[Sec]\r\na=1\r\n[other]\r\nq=0\r\n[SEC]\r\nb=2\r\n",
         "[other]\r\nq=0\r\n\r\n[Sec]\r\na=1\r\nb=2\r\n\r\n"},
    };
    for (const Case& c : cases) {
        TLocMemIniFile ini("");
        Import(ini, c.in);
        EXPECT_EQ(Exported(ini), c.out) << c.in;
    }
}

TEST(LocMemIniFileTest, DuplicateNamesReadTheLastLineAndExportNewestFirst) {
    TLocMemIniFile ini("");
    Import(ini, "[s]\r\nk=old\r\nK=new\r\nz=1\r\n");
    EXPECT_EQ(ini.ReadText("S", "k", "def"), "new");
    EXPECT_EQ(Exported(ini), "[s]\r\nK=new\r\nk=old\r\nz=1\r\n\r\n");
    ini.DropKey("s", "K");
    EXPECT_EQ(ini.ReadText("s", "k", "def"), "old");
    ini.WriteText("s", "k", "newer");
    EXPECT_EQ(Exported(ini), "[s]\r\nk=newer\r\nz=1\r\n\r\n");
    ini.WriteText("s", "a=b", "c"); // cut again at its first "="
    EXPECT_EQ(ini.ReadText("s", "a", ""), "b=c");
}

TEST(LocMemIniFileTest, CyrillicNamesMatchWithoutCase) {
    TLocMemIniFile ini("");
    ini.WriteText(Utf8ToCp1251("Раздел"), Utf8ToCp1251("Ключ"), "1");
    EXPECT_EQ(ini.ReadText(Utf8ToCp1251("РАЗДЕЛ"), Utf8ToCp1251("ключ"), ""), "1");
}

TEST(LocMemIniFileTest, TypedReadsFallBackToTheDefault) {
    TLocMemIniFile ini("");
    Import(ini, "[n]\r\nhex=0x1F\r\nHEX2=0X10\r\nbad=1F\r\ntwo=2\r\nzero=0\r\nnotdate=abc\r\n"
                "x=0x\r\n");
    EXPECT_EQ(ini.ReadNumber("n", "hex", -1), 31);
    EXPECT_EQ(ini.ReadNumber("n", "hex2", -1), 16);
    EXPECT_EQ(ini.ReadNumber("n", "bad", -1), -1);
    EXPECT_EQ(ini.ReadNumber("n", "x", -1), -1);
    EXPECT_EQ(ini.ReadNumber("n", "missing", 7), 7);
    EXPECT_TRUE(ini.ReadFlag("n", "two", false));
    EXPECT_FALSE(ini.ReadFlag("n", "zero", true));
    EXPECT_TRUE(ini.ReadFlag("n", "missing", true));
    EXPECT_EQ(ini.ReadDateValue("n", "notdate", 5.0), 5.0);
    EXPECT_EQ(ini.ReadFloatValue("n", "missing", 2.5), 2.5);

    ini.WriteFlag("w", "f", true);
    ini.WriteNumber("w", "i", -12);
    ini.WriteFloatValue("w", "d", 1.5);
    ini.WriteDateValue("w", "day", EncodeDate(2026, 12, 10));
    EXPECT_EQ(ini.ReadText("w", "f", ""), "1");
    EXPECT_EQ(ini.ReadNumber("w", "i", 0), -12);
    EXPECT_EQ(ini.ReadFloatValue("w", "d", 0), 1.5);
    EXPECT_EQ(ini.ReadDateValue("w", "day", 0), EncodeDate(2026, 12, 10));
}

TEST(LocMemIniFileTest, SectionsListsAndDrops) {
    TLocMemIniFile ini("");
    Import(ini, "[empty]\r\n[full]\r\nb=2\r\na=1\r\n");
    EXPECT_FALSE(ini.HasSection("empty"));
    EXPECT_TRUE(ini.HasSection("FULL"));
    TStringList sections, keys, values;
    ini.ListSections(sections);
    EXPECT_EQ(sections.ToVector(), (std::vector<std::string>{"empty", "full"}));
    ini.ListKeys("full", keys);
    ini.ListValues("full", values);
    EXPECT_EQ(keys.ToVector(), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(values.ToVector(), (std::vector<std::string>{"1", "2"}));
    ini.ListKeys("none", keys);
    EXPECT_EQ(keys.Count(), 0);
    ini.DropSection("Full");
    ini.ListSections(sections);
    EXPECT_EQ(sections.ToVector(), std::vector<std::string>{"empty"});
}

TEST(LocMemIniFileTest, SavesAndReadsItsFile) {
    const std::string path =
        testing::TempDir() + "locini_" + std::to_string(std::random_device{}()) + ".ini";
    {
        TLocMemIniFile ini(path);
        ini.WriteText("Lang", Utf8ToCp1251("Имя"), Utf8ToCp1251("Значение"));
        EXPECT_TRUE(ini.Modified());
        ini.SaveFile();
        EXPECT_FALSE(ini.Modified());
    }
    EXPECT_EQ(ReadFileBytes(path), Utf8ToCp1251("[Lang]\r\nИмя=Значение\r\n\r\n"));
    TLocMemIniFile again(path);
    EXPECT_EQ(again.ReadText("lang", Utf8ToCp1251("имя"), ""), Utf8ToCp1251("Значение"));
    DeleteFile(path);
}
