#include "tools/unitsim/SimBootloader.h"

#include "tests/tools/unitsim/FakeHost.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// "+WNNNN:DATA:XX" for `bytes` at block `number`, with the check byte worked out here.
std::string WriteLine(int number, const std::vector<uint8_t>& bytes, bool lowerCase = false) {
    char head[16];
    std::snprintf(head, sizeof head, "+W%04X:", static_cast<unsigned>(number));
    std::string line = head;
    uint8_t x = 0;
    for (uint8_t b : bytes) {
        char pair[4];
        std::snprintf(pair, sizeof pair, lowerCase ? "%02x" : "%02X", b);
        line += pair;
        x ^= b;
    }
    char tail[8];
    std::snprintf(tail, sizeof tail, ":%02X", x);
    return line + tail;
}

std::vector<uint8_t> Bytes(size_t count, uint8_t first) {
    std::vector<uint8_t> bytes(count);
    for (size_t i = 0; i < count; ++i)
        bytes[i] = static_cast<uint8_t>(first + i * 7);
    return bytes;
}

class SimBootloaderTest : public ::testing::Test {
protected:
    std::string Ask(const std::string& line) {
        unit.Feed(line + "\r");
        host.Advance(20'000);
        return host.Take();
    }
    void EnterAndErase() {
        ASSERT_EQ(Ask("+BL"), "OK\r\n");
        ASSERT_EQ(Ask("+BE"), "OK\r\n");
    }

    TFakeHost host;
    TSimUnit unit{host};
    TSimBootloader boot{unit};
};

TEST_F(SimBootloaderTest, WholeDialogueProgramsTheFlashAndChecksTheSums) {
    EXPECT_EQ(Ask("+v"), "v>REV 07.503.090\r\nOK\r\n"); // the unit's normal mode
    EXPECT_EQ(Ask("+BL"), "OK\r\n");
    EXPECT_TRUE(boot.Active());
    EXPECT_EQ(Ask("+v"), "BootLdr v1.0\r\nOK\r\n");
    EXPECT_EQ(Ask(WriteLine(0, Bytes(128, 1))), "ERROR\r\n") << "a write before the erase";
    EXPECT_EQ(Ask("+BE"), "OK\r\n");

    // Five blocks: the fifth's check byte goes into the first sum again; lower-case data is
    // taken; a short last block programs only its bytes.
    std::vector<uint8_t> sums(4, 0);
    for (int j = 0; j < 5; ++j) {
        const std::vector<uint8_t> data = Bytes(j == 4 ? 40 : 128, static_cast<uint8_t>(j * 31));
        char number[8];
        std::snprintf(number, sizeof number, "%04X", j * 8);
        EXPECT_EQ(Ask(WriteLine(j * 8, data, j == 2)), std::string(number) + "\r\nOK\r\n");
        for (uint8_t b : data)
            sums[j % 4] ^= b;
        for (size_t i = 0; i < data.size(); ++i)
            ASSERT_EQ(boot.Flash()[j * 128 + i], data[i]) << j << " " << i;
    }
    EXPECT_EQ(boot.Flash()[4 * 128 + 40], 0xFF);
    // A block sent again (its answer was lost) counts once.
    EXPECT_EQ(Ask(WriteLine(32, Bytes(40, 4 * 31))), "0020\r\nOK\r\n");

    char good[12];
    std::snprintf(good, sizeof good, "%02X%02X%02X%02X", sums[0], sums[1], sums[2], sums[3]);
    EXPECT_EQ(Ask("+EE00000000"), "ERROR\r\n");
    EXPECT_TRUE(boot.Active());
    EXPECT_EQ(Ask(std::string("+EE") + good), "OK\r\n");
    EXPECT_EQ(boot.FinishSums(), good);
    EXPECT_FALSE(boot.Active());
    EXPECT_EQ(boot.Updates(), 1);
    EXPECT_EQ(Ask("+BE"), "ERROR\r\n") << "back in the normal mode";
}

TEST_F(SimBootloaderTest, RefusesMalformedAndMismatchedBlocks) {
    EnterAndErase();
    const std::string good = WriteLine(8, Bytes(16, 3));
    std::string badCheck = good;
    badCheck.back() = badCheck.back() == '0' ? '1' : '0';
    const std::vector<std::string> bad = {
        badCheck,
        "+W0008:0102:0",                 // check byte of one digit
        "+W008:0102:03",                 // number of three digits
        "+W000g:0102:03",                // not hex
        "+W0008:01020:03",               // odd data length
        "+W0008::00",                    // no data
        WriteLine(8, Bytes(129, 0)),     // more than a block
        WriteLine(0x2000, Bytes(16, 0)), // beyond 128 KiB of flash
    };
    for (const std::string& line : bad)
        EXPECT_EQ(Ask(line), "ERROR\r\n") << line;
    for (uint8_t b : boot.Flash())
        ASSERT_EQ(b, 0xFF);
    EXPECT_EQ(Ask(good), "0008\r\nOK\r\n");
    // Programming only clears bits: writing other bytes over it without an erase ANDs them.
    EXPECT_EQ(Ask(WriteLine(8, std::vector<uint8_t>(16, 0xF0))), "0008\r\nOK\r\n");
    EXPECT_EQ(boot.Flash()[128], Bytes(16, 3)[0] & 0xF0);
}

TEST_F(SimBootloaderTest, FaultSwitches) {
    boot.Faults().NoAnswer = true;
    EXPECT_EQ(Ask("+BL"), "OK\r\n");
    EXPECT_EQ(Ask("+v"), "");
    boot.Faults().NoAnswer = false;
    boot.Faults().EraseError = true;
    EXPECT_EQ(Ask("+BE"), "ERROR\r\n");
    boot.Faults().EraseError = false;
    EXPECT_EQ(Ask("+BE"), "OK\r\n");
    boot.Faults().ErrorBlock = 0x10;
    EXPECT_EQ(Ask(WriteLine(0x08, Bytes(128, 1))), "0008\r\nOK\r\n");
    EXPECT_EQ(Ask(WriteLine(0x10, Bytes(128, 2))), "ERROR\r\n");
    EXPECT_EQ(boot.Flash()[0x100], 0xFF);
}

TEST_F(SimBootloaderTest, PowerCutLeavesAHalfWrittenBlockAndADeadUnit) {
    boot.Faults().PowerCutAfter = 2;
    EnterAndErase();
    EXPECT_EQ(Ask(WriteLine(0, Bytes(128, 1))), "0000\r\nOK\r\n");
    EXPECT_EQ(Ask(WriteLine(8, Bytes(128, 2))), "0008\r\nOK\r\n");
    const std::vector<uint8_t> third = Bytes(128, 3);
    EXPECT_EQ(Ask(WriteLine(16, third)), "");
    EXPECT_TRUE(boot.PoweredOff());
    EXPECT_EQ(boot.Flash()[256], third[0]);
    EXPECT_EQ(boot.Flash()[256 + 127], 0xFF);
    EXPECT_EQ(Ask("+v"), "") << "nothing answers without power";
    EXPECT_EQ(Ask("CABLE CONNECT"), "");

    // Power back: the unit starts in its bootloader and can be flashed again.
    boot.Faults().PowerCutAfter = -1;
    boot.PowerOn();
    EXPECT_EQ(Ask("+v"), "BootLdr v1.0\r\nOK\r\n");
    EXPECT_EQ(Ask("+BE"), "OK\r\n");
    EXPECT_EQ(boot.Flash()[0], 0xFF);
}

TEST_F(SimBootloaderTest, StepsTakeTheirTimesAndTheNewVersionShowsAfterTheRestart) {
    boot.Times() = {100, 2000, 50, 3000};
    boot.SetVersionAfterUpdate("REV 07.503.091");
    unit.Feed("+BL\r");
    host.Advance(50);
    EXPECT_EQ(host.Take(), "OK\r\n");
    EXPECT_FALSE(boot.Active());
    host.Advance(60);
    EXPECT_TRUE(boot.Active());
    unit.Feed("+BE\r");
    host.Advance(1900);
    EXPECT_EQ(host.Take(), "");
    host.Advance(200);
    EXPECT_EQ(host.Take(), "OK\r\n");
    EXPECT_EQ(Ask(WriteLine(0, {0x12})), "0000\r\nOK\r\n");
    unit.Feed("+EE12000000\r");
    host.Advance(10);
    EXPECT_EQ(host.Take(), "OK\r\n");
    EXPECT_EQ(Ask("+v"), "") << "restarting";
    EXPECT_EQ(Ask("+v"), "v>REV 07.503.091\r\nOK\r\n");
}

} // namespace
