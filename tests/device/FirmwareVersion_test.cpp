#include "device/FirmwareVersion.h"

#include "platform/rtl/Exception.h"
#include "platform/rtl/Files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

TEST(FirmwareVersion, EveryGenerationParses) {
    struct Case {
        std::string text;
        int major, shell, build;
        std::string tail;
    };
    for (const Case& c : {
             Case{"REV 07.503.090", 7, 503, 90, ""},
             Case{"REV 07.503.088p", 7, 503, 88, "p"},
             Case{"REV 07.503.088_p", 7, 503, 88, "_p"},
             Case{"REV 07.503.087", 7, 503, 87, ""},
             Case{"REV 07.503.086", 7, 503, 86, ""},
             Case{"REV 07.503.077", 7, 503, 77, ""},
             Case{"REV 07.503.076", 7, 503, 76, ""},
             Case{"REV 07.503.070", 7, 503, 70, ""},
             Case{"REV 07.503.069", 7, 503, 69, ""},
             Case{"REV 07.503.068", 7, 503, 68, ""},
             Case{"REV 07.503.061", 7, 503, 61, ""},
             Case{"REV 07.503.060", 7, 503, 60, ""},
             Case{"REV 07.503.053", 7, 503, 53, ""},
             Case{"REV 07.503.052", 7, 503, 52, ""},
             Case{"REV 07.503.048", 7, 503, 48, ""},
             Case{"REV 07.502.090", 7, 502, 90, ""},
             Case{"REV 06.503.090", 6, 503, 90, ""},
         }) {
        TFirmwareVersion v;
        ASSERT_NO_THROW(ParseFirmwareVersion(c.text, v)) << c.text;
        EXPECT_EQ(v.Prefix, "REV") << c.text;
        EXPECT_EQ(v.Separator, ' ') << c.text;
        EXPECT_EQ(v.Major, c.major) << c.text;
        EXPECT_EQ(v.Shell, c.shell) << c.text;
        EXPECT_EQ(v.Build, c.build) << c.text;
        EXPECT_EQ(v.Tail, c.tail) << c.text;
    }
}

TEST(FirmwareVersion, ShellIsTheFirstThreeDigitsBetweenTwoCharacters) {
    // The shell pattern's dots match any character, a line break included.
    TFirmwareVersion v;
    ParseFirmwareVersion("REV 07\n504\n091", v);
    EXPECT_EQ(v.Shell, 504);
    EXPECT_EQ(v.Build, 91);
    // The build is searched from character 12 on only.
    ParseFirmwareVersion("REV 07.503.A123", v);
    EXPECT_EQ(v.Build, 123);
    EXPECT_EQ(v.Tail, "3");
}

TEST(FirmwareVersion, MissingNumbersRaiseAndLeaveZeros) {
    for (const std::string& text : {std::string("REV 07.4"), std::string(),
                                    std::string("REV 07.503."), std::string("REV 07.503.9x"),
                                    std::string("REV7.503.090"), std::string("hello world!!")}) {
        TFirmwareVersion v;
        v.Shell = 503;
        v.Build = 90;
        EXPECT_THROW(ParseFirmwareVersion(text, v), EConvertError) << text;
        EXPECT_EQ(v.Shell, 0) << text;
        EXPECT_EQ(v.Build, 0) << text;
        EXPECT_EQ(v.Major, 0) << text;
    }
}

TEST(FirmwareVersion, LongTailIsCut) {
    TFirmwareVersion v;
    ParseFirmwareVersion("REV 07.503.090" + std::string(300, 'x'), v);
    EXPECT_EQ(v.Tail, std::string(250, 'x'));
}

TEST(FirmwareVersion, ModernVersions) {
    struct Case {
        std::string text;
        bool modern;
    };
    for (const Case& c :
         {Case{"REV 07.503.090", true}, Case{"REV 07.500.000", true}, Case{"REV 07.499.000", false},
          Case{"REV 06.503.090", false}, Case{"REV 07", false}, Case{"REV 07.5x3.090", false},
          Case{"", false}, Case{"rev 07.503.090", false}, Case{"XX REV 07.503.090", true}}) {
        EXPECT_EQ(IsModernVersion(c.text), c.modern) << c.text;
    }
}

TEST(FirmwareVersion, RegexFirstMatchGivesTheWholeMatch) {
    EXPECT_EQ(RegexFirstMatch("REV 07.503.090", " [0-9]{2}"), " 07");
    EXPECT_EQ(RegexFirstMatch("REV 07.503.090", ".[0-9]{3}."), ".503.");
    EXPECT_EQ(RegexFirstMatch("REV 07.503.090", "[A-Z]{4}"), "");
    EXPECT_EQ(RegexFirstMatch("", "[0-9]{3}"), "");
}

TEST(FirmwareVersion, FileVersionIsTheBuildsOwnForThisProgram) {
    EXPECT_EQ(GetFileVersionText(ProgramFileName()), QUORVAN4_VERSION);
    // Another path to the same file names the same program.
    const std::filesystem::path program(ProgramFileName());
    EXPECT_EQ(GetFileVersionText((program.parent_path() / "." / program.filename()).string()),
              QUORVAN4_VERSION);
    EXPECT_EQ(GetFileVersionText("/nonexistent/quorvan4"), "");
    EXPECT_EQ(GetFileVersionText(""), "");
    EXPECT_EQ(GetFileVersionText(Q4_SOURCE_DIR "/CMakeLists.txt"), "");
}
