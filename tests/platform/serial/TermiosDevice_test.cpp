#include "platform/rtl/Clock.h"
#include "platform/rtl/SyncObjs.h"
#include "platform/serial/TermiosDevice.h"
#include "tests/support/serial/PtyPair.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <thread>

uint32_t TerminalOutputRate(int fd);

namespace {

std::unique_ptr<TTermiosDevice> OpenOrFail(const std::string& path) {
    int error = -1;
    auto device = TTermiosDevice::Open(path, error);
    EXPECT_TRUE(device) << SystemErrorText(error);
    EXPECT_EQ(error, 0);
    return device;
}

struct LineCase {
    const char* name;
    uint32_t rate;
    uint8_t dataBits;
    TSerialParity parity;
    TSerialStopBits stop;
    bool rtsCts;
    bool xon;
    tcflag_t expectBits; // of PARODD | CMSPAR | CSTOPB | CRTSCTS
};

} // namespace

// A pseudo-terminal keeps every setting but the character size and the parity enable, which it
// forces to eight bits without parity; the termios device reports the line as the driver has it.
TEST(TermiosDevice, LineSettingsAsTheFarEndSeesThem) {
    const LineCase cases[] = {
        {"19200 8N1", 19200, 8, TSerialParity::None, TSerialStopBits::One, false, false, 0},
        {"9600 7E2", 9600, 7, TSerialParity::Even, TSerialStopBits::Two, false, false, CSTOPB},
        {"115200 8O1 RTS/CTS", 115200, 8, TSerialParity::Odd, TSerialStopBits::One, true, false,
         PARODD | CRTSCTS},
        {"1200 5M1.5", 1200, 5, TSerialParity::Mark, TSerialStopBits::OneAndHalf, false, false,
         PARODD | CMSPAR | CSTOPB},
        {"56000 6S1 XON/XOFF", 56000, 6, TSerialParity::Space, TSerialStopBits::One, false, true,
         CMSPAR},
        {"250000 8N1", 250000, 8, TSerialParity::None, TSerialStopBits::One, false, false, 0},
    };
    PtyPair pty;
    ASSERT_TRUE(pty.Ok());
    auto device = OpenOrFail(pty.Path());
    ASSERT_TRUE(device);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TSerialLine line;
        line.BaudRate = c.rate;
        line.DataBits = c.dataBits;
        line.Parity = c.parity;
        line.StopBits = c.stop;
        line.CtsOutFlow = line.RtsHandshake = c.rtsCts;
        line.XonInput = line.XonOutput = c.xon;
        line.XonChar = 0x11;
        line.XoffChar = 0x13;
        line.ParityCheck = c.parity != TSerialParity::None;
        line.EventChar = 13; // kept by the device, unknown to the driver
        ASSERT_EQ(device->SetLine(line), 0);

        const termios t = pty.Attributes();
        EXPECT_EQ(t.c_cflag & (PARODD | CMSPAR | CSTOPB | CRTSCTS), c.expectBits);
        EXPECT_EQ(t.c_cflag & CSIZE, tcflag_t(CS8));
        EXPECT_EQ((t.c_iflag & IXON) != 0, c.xon);
        EXPECT_EQ((t.c_iflag & IXOFF) != 0, c.xon);
        EXPECT_EQ((t.c_iflag & INPCK) != 0, line.ParityCheck);
        EXPECT_EQ(t.c_cc[VSTART], 0x11);
        EXPECT_EQ(t.c_cc[VSTOP], 0x13);
        EXPECT_TRUE(t.c_cflag & CLOCAL);
        EXPECT_TRUE(t.c_cflag & HUPCL);
        EXPECT_FALSE(t.c_lflag & (ICANON | ECHO)) << "raw mode";
        EXPECT_EQ(TerminalOutputRate(pty.Master()), c.rate);

        TSerialLine back;
        ASSERT_EQ(device->GetLine(back), 0);
        TSerialLine driver = line;
        driver.DataBits = 8;
        if (!(t.c_cflag & PARENB))
            driver.Parity = TSerialParity::None;
        if (driver.DataBits != 5 && c.stop == TSerialStopBits::OneAndHalf)
            driver.StopBits = TSerialStopBits::Two;
        EXPECT_EQ(back, driver);
    }
}

TEST(TermiosDevice, RefusedSettingsLeaveTheLineAsItWas) {
    PtyPair pty;
    ASSERT_TRUE(pty.Ok());
    auto device = OpenOrFail(pty.Path());
    ASSERT_TRUE(device);
    TSerialLine good;
    good.BaudRate = 19200;
    ASSERT_EQ(device->SetLine(good), 0);

    TSerialLine fourBits = good;
    fourBits.DataBits = 4;
    TSerialLine oneAndHalfWithEight = good;
    oneAndHalfWithEight.StopBits = TSerialStopBits::OneAndHalf;
    TSerialLine zeroRate = good;
    zeroRate.BaudRate = 0;
    for (const TSerialLine& bad : {fourBits, oneAndHalfWithEight, zeroRate})
        EXPECT_EQ(device->SetLine(bad), EINVAL);

    TSerialLine back;
    ASSERT_EQ(device->GetLine(back), 0);
    EXPECT_EQ(back, good);
    EXPECT_EQ(TerminalOutputRate(pty.Master()), 19200u);
}

TEST(TermiosDevice, DataBothWaysAndQueueCounts) {
    PtyPair pty;
    ASSERT_TRUE(pty.Ok());
    auto device = OpenOrFail(pty.Path());
    ASSERT_TRUE(device);

    size_t done = 0;
    ASSERT_EQ(device->Write("\x00\xFF+ver\r", 7, done), 0);
    EXPECT_EQ(done, 7u);
    EXPECT_EQ(pty.Read(7), std::string("\x00\xFF+ver\r", 7));

    char buffer[16];
    ASSERT_EQ(device->Read(buffer, sizeof buffer, done), 0);
    EXPECT_EQ(done, 0u) << "nothing queued: no wait, no error";

    pty.Write("OK\r\n");
    EXPECT_EQ(device->Wait(swReadable, 1000, nullptr) & swReadable, swReadable);
    size_t queued = 0;
    const uint32_t start = GetTickCount();
    while (queued < 4 && TicksSince(start) < 1000)
        device->InputCount(queued);
    EXPECT_EQ(queued, 4u);
    ASSERT_EQ(device->Read(buffer, 2, done), 0);
    EXPECT_EQ(std::string(buffer, done), "OK");
    ASSERT_EQ(device->Purge(true, true), 0);
    device->InputCount(queued);
    EXPECT_EQ(queued, 0u);
}

TEST(TermiosDevice, WaitEndsOnTimeOutOrStopEvent) {
    PtyPair pty;
    ASSERT_TRUE(pty.Ok());
    auto device = OpenOrFail(pty.Path());
    ASSERT_TRUE(device);

    uint32_t start = GetTickCount();
    EXPECT_EQ(device->Wait(swReadable | swLinesChanged, 150, nullptr), 0u);
    EXPECT_GE(TicksSince(start), 150u);
    EXPECT_LT(TicksSince(start), 400u);

    TEvent stop(true, false);
    std::thread stopper([&] {
        Sleep(100);
        stop.SetEvent();
    });
    start = GetTickCount();
    EXPECT_EQ(device->Wait(swReadable, -1, &stop), unsigned(swStopped));
    EXPECT_LT(TicksSince(start), 1000u);
    stopper.join();
}

TEST(TermiosDevice, FarEndClosingIsAHangUpNotAHang) {
    PtyPair pty;
    ASSERT_TRUE(pty.Ok());
    auto device = OpenOrFail(pty.Path());
    ASSERT_TRUE(device);
    pty.CloseMaster();
    EXPECT_TRUE(device->Wait(swReadable, 1000, nullptr) & swHangUp);
    char buffer[4];
    size_t done = 0;
    EXPECT_EQ(device->Read(buffer, sizeof buffer, done), EIO);
}

TEST(TermiosDevice, OpensExclusively) {
    PtyPair pty;
    ASSERT_TRUE(pty.Ok());
    {
        auto device = OpenOrFail(pty.Path());
        ASSERT_TRUE(device);
        int error = 0;
        EXPECT_FALSE(TTermiosDevice::Open(pty.Path(), error));
        EXPECT_EQ(error, EBUSY);
        // Another program that honours serial-port locks is kept out too.
        const std::string probe = "flock -n " + pty.Path() + " true";
        EXPECT_NE(std::system(probe.c_str()), 0);
    }
    auto again = OpenOrFail(pty.Path());
    EXPECT_TRUE(again) << "the lock goes with the device";
}

TEST(TermiosDevice, OpenFailuresNameTheirCause) {
    struct Case {
        const char* path;
        int error;
    } const cases[] = {
        {"/dev/q4-no-such-port", ENOENT},
        {"/dev/null", ENOTTY},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        int error = 0;
        EXPECT_FALSE(TTermiosDevice::Open(c.path, error));
        EXPECT_EQ(error, c.error);
    }
}

TEST(SerialErrorTexts, SayWhatTheOperatorCanDo) {
    struct Case {
        int error;
        const char* hint;
    } const cases[] = {
        {EACCES, "\"dialout\" group"}, {EBUSY, "in use by another program"}, {ENOENT, "plugged in"},
        {ENODEV, "plugged in"},        {ENOTTY, "not a serial device"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.error);
        const std::string text = SerialOpenErrorText(c.error);
        EXPECT_EQ(text.rfind(SystemErrorText(c.error), 0), 0u) << text;
        EXPECT_NE(text.find(c.hint), std::string::npos) << text;
    }
    EXPECT_EQ(SystemErrorText(ENOENT), "No such file or directory");
}
