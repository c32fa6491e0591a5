#include "app/firmware/FlashSession.h"
#include "app/firmware/IntelHexFile.h"

#include "tests/app/firmware/FirmwareTestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

using fwtest::TFlashRig;

// Records what the dialogue tells, and acts at a chosen step.
class TRecorder : public TFlashObserver {
public:
    void StepStarted(TFlashStep step, int block) override {
        steps.push_back(step);
        if (onStep)
            onStep(step, block);
    }
    void PartDone(TFlashStep step) override { ++parts[step]; }
    bool StopRequested() override { return stop; }

    std::vector<TFlashStep> steps;
    std::map<TFlashStep, int> parts;
    bool stop = false;
    std::function<void(TFlashStep, int)> onStep;
};

std::vector<std::string> LinesStarting(const std::vector<std::string>& lines,
                                       const std::string& head) {
    std::vector<std::string> found;
    for (const std::string& line : lines)
        if (line.rfind(head, 0) == 0)
            found.push_back(line);
    return found;
}

// Flashes 40 lines from address 0 (5 blocks).
TFlashResult Flash40(TFlashRig& rig, TRecorder& recorder) {
    TFirmwareImage image;
    ReadIntelHex(fwtest::LinesFile(40), image);
    return TFlashSession(rig.Link(), rig.Clock(), recorder).Run(PaddedBlocks(image));
}

TEST(FlashSession, AHexFileEndsUpInTheFlashAsIntelhexReadsIt) {
    const std::string path = fwtest::TempFolder() + "/image.hex";
    fwtest::Oracle("make " + path + " 4242 16 compact");
    std::stringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    TFirmwareImage image;
    ReadIntelHex(text.str(), image);
    const std::vector<TFlashBlock> blocks = PaddedBlocks(image);

    TFlashRig rig;
    TRecorder recorder;
    TFlashSession session(rig.Link(), rig.Clock(), recorder);
    const TFlashResult result = session.Run(blocks);
    ASSERT_TRUE(result.Ok()) << result.Outcome << " " << result.Reply;

    // The flash from the file's lowest address holds exactly what intelhex reads.
    const std::string oracle = fwtest::Oracle("bin " + path);
    const size_t blank = oracle.find(' ');
    const uint32_t start = static_cast<uint32_t>(std::stoul(oracle.substr(0, blank)));
    const std::string expected = oracle.substr(blank + 1);
    const std::vector<uint8_t> flash = rig.Flash();
    std::string flashed;
    for (size_t i = 0; i < expected.size() / 2; ++i) {
        char pair[3];
        std::snprintf(pair, sizeof pair, "%02x", flash[start + i]);
        flashed += pair;
    }
    EXPECT_TRUE(flashed == expected) << "from " << start;
    for (size_t a = 0; a < flash.size(); ++a) {
        if (a < start || a >= start + expected.size() / 2) {
            ASSERT_EQ(flash[a], 0xFF) << a;
        }
    }

    // The dialogue in order, each block numbered by its line and accepted once, the sums right.
    const std::vector<std::string> lines = rig.Lines();
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[0], "+BL");
    EXPECT_EQ(lines[1], "+v");
    EXPECT_EQ(lines[2], "+BE");
    const std::vector<std::string> writes = LinesStarting(lines, "+W");
    ASSERT_EQ(writes.size(), blocks.size());
    for (size_t i = 0; i < blocks.size(); ++i)
        EXPECT_EQ(writes[i], "+" + BlockCommand(blocks[i]));
    EXPECT_EQ(lines.back().substr(0, 3), "+EE");
    rig.Boot([&](TSimBootloader& boot) {
        EXPECT_EQ(boot.Updates(), 1);
        EXPECT_EQ("+EE" + boot.FinishSums(), lines.back());
        EXPECT_FALSE(boot.Active());
    });
    EXPECT_EQ(recorder.parts[fsWrite], static_cast<int>(blocks.size()));
    EXPECT_EQ(recorder.parts[fsRestart], 100); // one for every 150 ms of the 15 s wait
}

TEST(FlashSession, BlocksOfAFileFromZeroAreNumberedByTheirLines) {
    TFirmwareImage image;
    ReadIntelHex(fwtest::LinesFile(128), image); // 0000 to 07FF
    TFlashRig rig;
    TRecorder recorder;
    ASSERT_TRUE(TFlashSession(rig.Link(), rig.Clock(), recorder).Run(PaddedBlocks(image)).Ok());
    const std::vector<std::string> writes = LinesStarting(rig.Lines(), "+W");
    ASSERT_EQ(writes.size(), 16u);
    for (size_t i = 0; i < writes.size(); ++i) {
        char number[8];
        std::snprintf(number, sizeof number, "%04X", static_cast<unsigned>(i * 8));
        EXPECT_EQ(writes[i].substr(2, 4), number);
        EXPECT_EQ(writes[i].size(), 2 + 4 + 1 + 256 + 1 + 2u);
    }
    const std::vector<uint8_t> flash = rig.Flash();
    for (uint32_t a = 0; a < 0x800; ++a)
        ASSERT_EQ(flash[a], fwtest::LinesByte(a)) << a;
}

struct TFaultCase {
    const char* name;
    std::function<void(TSimBootloader&)> fault;
    TFlashOutcome outcome;
    const char* repeated; // the line sent again and again
    size_t sends;
    int block;
};

class FlashFaults : public ::testing::TestWithParam<TFaultCase> {};

TEST_P(FlashFaults, EachEndsWithItsOutcomeAndNothingAfterIt) {
    const TFaultCase& c = GetParam();
    TFlashRig rig;
    rig.Boot(c.fault);
    TRecorder recorder;
    const TFlashResult result = Flash40(rig, recorder);
    EXPECT_EQ(result.Outcome, c.outcome);
    EXPECT_EQ(result.Block, c.block);
    const std::vector<std::string> lines = rig.Lines();
    EXPECT_EQ(LinesStarting(lines, c.repeated).size(), c.sends);
    EXPECT_EQ(lines.back().rfind(c.repeated, 0), 0u) << "nothing after the failed step";
    EXPECT_TRUE(LinesStarting(lines, "+EE").empty() || c.outcome == foFinishFailed);
}

INSTANTIATE_TEST_SUITE_P(
    Bootloader, FlashFaults,
    ::testing::Values(
        TFaultCase{"NoAnswer", [](TSimBootloader& b) { b.Faults().NoAnswer = true; },
                   foNoBootloader, "+v", 3, -1},
        TFaultCase{"EraseError", [](TSimBootloader& b) { b.Faults().EraseError = true; },
                   foEraseFailed, "+BE", 3, -1},
        // A reply without "OK" is no confirmation, also on the cable's last try.
        TFaultCase{"EraseUnconfirmed",
                   [](TSimBootloader& b) { b.Faults().UnconfirmedErase = true; }, foEraseFailed,
                   "+BE", 3, -1},
        TFaultCase{"EndUnconfirmed", [](TSimBootloader& b) { b.Faults().UnconfirmedEnd = true; },
                   foFinishFailed, "+EE", 3, -1},
        // A refused block: three tries of three requests, each ended at once by "ERROR".
        TFaultCase{"BlockError", [](TSimBootloader& b) { b.Faults().ErrorBlock = 0x10; },
                   foWriteFailed, "+W0010", 9, 2},
        // The power goes while the fourth block is programmed: nothing answers any more.
        TFaultCase{"PowerCut", [](TSimBootloader& b) { b.Faults().PowerCutAfter = 3; },
                   foWriteFailed, "+W0018", 9, 3}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FlashSession, HangUpWordsAndRefusedSumsEndTheDialogue) {
    {
        TFlashRig rig;
        TRecorder recorder;
        recorder.onStep = [&](TFlashStep step, int block) {
            // Every try of the block's request (the cable tries three times) hears it.
            if (step == fsWrite && block == 1)
                for (int i = 0; i < 3; ++i)
                    rig.Sim().ScriptReply("\r\nNO CARRIER\r\n");
        };
        const TFlashResult result = Flash40(rig, recorder);
        EXPECT_EQ(result.Outcome, foWriteFailed);
        EXPECT_TRUE(result.LineLost);
        EXPECT_EQ(LinesStarting(rig.Lines(), "+W0008").size(), 3u) << "not tried again";
    }
    {
        TFlashRig rig;
        TRecorder recorder;
        recorder.onStep = [&](TFlashStep step, int) {
            if (step == fsFinish)
                for (int i = 0; i < 3; ++i)
                    rig.Sim().ScriptReply("\r\nERROR\r\n");
        };
        const TFlashResult result = Flash40(rig, recorder);
        EXPECT_EQ(result.Outcome, foFinishFailed);
        EXPECT_EQ(LinesStarting(rig.Lines(), "+EE").size(), 3u);
        EXPECT_EQ(recorder.parts[fsRestart], 0);
    }
}

TEST(FlashSession, OverTheModemAndACallThatDropsMidWay) {
    {
        TFlashRig rig(false, true);
        TRecorder recorder;
        ASSERT_TRUE(Flash40(rig, recorder).Ok());
        const std::vector<uint8_t> flash = rig.Flash();
        for (uint32_t a = 0; a < 40 * 16; ++a)
            ASSERT_EQ(flash[a], fwtest::LinesByte(a)) << a;
    }
    TFlashRig rig(false, true);
    TRecorder recorder;
    recorder.onStep = [&](TFlashStep step, int block) {
        if (step == fsWrite && block == 2)
            rig.Sim().DropCall();
    };
    const TFlashResult result = Flash40(rig, recorder);
    EXPECT_EQ(result.Outcome, foWriteFailed);
    EXPECT_EQ(result.Block, 2);
    EXPECT_TRUE(result.LineLost);
    EXPECT_FALSE(result.Error.empty()) << "the modem worker's hang-up error";
    EXPECT_TRUE(LinesStarting(rig.Lines(), "+EE").empty());
}

TEST(FlashSession, AStopEndsTheDialogueBeforeTheNextRequest) {
    TFlashRig rig;
    TRecorder recorder;
    recorder.onStep = [&](TFlashStep step, int block) {
        recorder.stop = step == fsWrite && block == 2;
    };
    const TFlashResult result = Flash40(rig, recorder);
    EXPECT_EQ(result.Outcome, foStopped);
    EXPECT_EQ(rig.Lines().back().substr(0, 6), "+W0008");
    EXPECT_EQ(TFlashSession::LineAlive("0010\r\nOK"), true);
    for (const char* word : {"NO CARRIER", "DISCONNECT", "BUSY"})
        EXPECT_FALSE(TFlashSession::LineAlive(std::string("\r\n") + word + "\r\n")) << word;
}

} // namespace
