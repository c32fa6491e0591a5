#include "tools/unitsim/ProgramOptions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Args = std::vector<std::string>;

TEST(ProgramOptions, ReadsEveryKindOfOption) {
    TProgramOptions o;
    std::string error;
    ASSERT_TRUE(ParseProgramOptions({"--no-pacing",    "--link",
                                     "/tmp/u",         "--modem",
                                     "--version",      "REV 07.503.060",
                                     "--flash",        "M45PE16",
                                     "--set",          "object=0123",
                                     "--set",          "GAPN=a=b",
                                     "--supply",       "04B0,,04C4",
                                     "--history",      "70000",
                                     "--delay",        "25",
                                     "--cut",          "0",
                                     "--refuse",       "erase",
                                     "--late",         "object",
                                     "--late-by",      "3300",
                                     "--repeat-after", "0",
                                     "--dial-result",  "NO CARRIER",
                                     "--hangup-after", "3",
                                     "--setter-ok"},
                                    o, error))
        << error;
    EXPECT_FALSE(o.Line.Pacing);
    EXPECT_EQ(o.Line.Link, "/tmp/u");
    EXPECT_TRUE(o.Line.Modem);
    const std::vector<std::pair<std::string, std::string>> values = {
        {"v", "REV 07.503.060"}, {"typepan", "00"}, {"object", "0123"}, {"GAPN", "a=b"}};
    EXPECT_EQ(o.Values, values);
    EXPECT_EQ(o.Supply, (std::vector<std::string>{"04B0", "04C4"}));
    EXPECT_EQ(o.HistoryRecords, 70000);
    EXPECT_FALSE(o.NewerRecordLayout); // build 60 stores the older layout
    EXPECT_EQ(o.Faults.DelayMs, 25);
    EXPECT_EQ(o.Faults.CutAfter, 0);
    EXPECT_EQ(o.Faults.RefuseKeyword, "erase");
    EXPECT_EQ(o.Faults.LateKeyword, "object");
    EXPECT_EQ(o.Faults.LateMs, 3300);
    EXPECT_EQ(o.Faults.RepeatMs, 0);
    EXPECT_EQ(o.Modem.DialResult, "NO CARRIER");
    EXPECT_EQ(o.Modem.HangUpAfterLines, 3);
    EXPECT_FALSE(o.Shape.SetterEchoesValue);
    EXPECT_FALSE(o.Help);
}

TEST(ProgramOptions, DefaultsServeAnEmptyRingInTheNewerLayout) {
    TProgramOptions o;
    std::string error;
    ASSERT_TRUE(ParseProgramOptions({}, o, error));
    EXPECT_EQ(o.HistoryRecords, 0);
    EXPECT_TRUE(o.NewerRecordLayout);
    EXPECT_TRUE(o.Line.Pacing);
    EXPECT_EQ(o.PoweredUpMs, -1);
    ASSERT_TRUE(ParseProgramOptions({"-h"}, o, error));
    EXPECT_TRUE(o.Help);
}

TEST(ProgramOptions, RefusesWhatItCannotServe) {
    struct Case {
        Args args;
        std::string error;
    };
    for (const Case& c : {
             Case{{"--bogus"}, "unknown option --bogus (see --help)"},
             Case{{"--history"}, "--history needs a value"},
             Case{{"--history", "-1"},
                  "--history needs a whole number from 0 to 655040, not \"-1\""},
             Case{{"--history", "655041"},
                  "--history needs a whole number from 0 to 655040, not \"655041\""},
             Case{{"--history", "12x"},
                  "--history needs a whole number from 0 to 655040, not \"12x\""},
             Case{{"--delay", ""}, "--delay needs a whole number from 0 to 100000000, not \"\""},
             Case{{"--delay", "99999999999999999999"},
                  "--delay needs a whole number from 0 to 100000000, not \"99999999999999999999\""},
             Case{{"--flash", "W25"}, "--flash is AT45DB161D or M45PE16"},
             Case{{"--set", "=5"}, "--set needs KEY=VALUE"},
             Case{{"--set", "object"}, "--set needs KEY=VALUE"},
             Case{{"--boot-times", "1,2,3"},
                  "--boot-times needs four whole numbers: ENTER,ERASE,BLOCK,RESTART"},
             Case{{"--boot-times", "1,2,3,4,5"},
                  "--boot-times needs four whole numbers: ENTER,ERASE,BLOCK,RESTART"},
             Case{{"--boot-error-block", "10"},
                  "--boot-error-block needs a block number of 4 hex digits"},
             Case{{"--boot-error-block", "00G0"},
                  "--boot-error-block needs a block number of 4 hex digits"},
             Case{{"--boot-power-cut", "x"},
                  "--boot-power-cut needs a whole number from 0 to 100000000, not \"x\""},
             Case{{"--boot-times"}, "--boot-times needs a value"},
         }) {
        TProgramOptions o;
        std::string error;
        EXPECT_FALSE(ParseProgramOptions(c.args, o, error)) << c.args[0];
        EXPECT_EQ(error, c.error);
    }
}

TEST(ProgramOptions, ReadsTheBootloaderSwitches) {
    TProgramOptions o;
    std::string error;
    ASSERT_TRUE(
        ParseProgramOptions({"--pace-input", "--boot-times", "100,2500,40,3000", "--boot-silent",
                             "--boot-erase-error", "--boot-error-block", "00A8", "--boot-power-cut",
                             "12", "--updated-version", "REV 07.503.091"},
                            o, error))
        << error;
    EXPECT_TRUE(o.Line.PaceInput);
    EXPECT_EQ(o.BootTimes.EnterMs, 100);
    EXPECT_EQ(o.BootTimes.EraseMs, 2500);
    EXPECT_EQ(o.BootTimes.BlockMs, 40);
    EXPECT_EQ(o.BootTimes.RestartMs, 3000);
    EXPECT_TRUE(o.Boot.NoAnswer);
    EXPECT_TRUE(o.Boot.EraseError);
    EXPECT_EQ(o.Boot.ErrorBlock, 0xA8);
    EXPECT_EQ(o.Boot.PowerCutAfter, 12);
    EXPECT_EQ(o.VersionAfterUpdate, "REV 07.503.091");
}

TEST(ProgramOptions, RecordLayoutFollowsTheFirmwareVersion) {
    struct Case {
        std::string version;
        bool newer;
    };
    for (const Case& c :
         {Case{"REV 07.503.090", true}, Case{"REV 07.503.070", true}, Case{"REV 07.503.069", false},
          Case{"REV 07.503.088_p", true}, Case{"REV 07.502.099", false},
          Case{"REV 07.504.001", true}, Case{"no version", true}, Case{"REV 07.503", true}}) {
        EXPECT_EQ(VersionHasNewerRecordLayout(c.version), c.newer) << c.version;
    }
}

} // namespace
