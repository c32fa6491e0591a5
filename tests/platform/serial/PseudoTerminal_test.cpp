#include "platform/serial/PseudoTerminal.h"

#include "platform/rtl/SyncObjs.h"
#include "platform/serial/SerialDevice.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

uint32_t TerminalOutputRate(int fd);

namespace {

using Clock = std::chrono::steady_clock;

TEST(PseudoTerminal, SlaveIsRawAtTheRateAskedFor) {
    for (int rate : {9600, 19200, 115200}) {
        auto pty = TPseudoTerminal::Create(rate);
        EXPECT_EQ(pty->SlaveName().rfind("/dev/pts/", 0), 0u) << pty->SlaveName();
        EXPECT_FALSE(pty->IsDevice());
        EXPECT_TRUE(pty->IsRaw());
        EXPECT_EQ(pty->OutputRate(), static_cast<uint32_t>(rate));
        EXPECT_EQ(TerminalOutputRate(pty->Handle()), static_cast<uint32_t>(rate));
    }
}

TEST(PseudoTerminal, BytesBothWaysAndTheFarEndComingAndGoing) {
    auto pty = TPseudoTerminal::Create();
    // Nobody has the slave open yet.
    EXPECT_TRUE(pty->Probe() & lfHungUp);

    int error = 0;
    auto device = OpenSerialDevicePath(pty->SlaveName(), error);
    ASSERT_TRUE(device) << error;
    EXPECT_FALSE(pty->Probe() & lfHungUp);
    std::string got;
    EXPECT_EQ(pty->Read(got), liWouldBlock);

    // Every byte value crosses unchanged: no echo, no line-end translation.
    std::string all;
    for (int c = 0; c < 256; ++c)
        all += static_cast<char>(c);
    ASSERT_TRUE(pty->WriteAll(all, 1000));
    std::string in(256, '\0');
    size_t done = 0, total = 0;
    const auto end = Clock::now() + std::chrono::seconds(2);
    while (total < in.size() && Clock::now() < end) {
        device->Wait(swReadable, 100, nullptr);
        ASSERT_EQ(device->Read(in.data() + total, in.size() - total, done), 0);
        total += done;
    }
    EXPECT_EQ(in, all);
    ASSERT_EQ(device->Write("+v\r\n", 4, done), 0);
    EXPECT_EQ(pty->ReadFor(2, 1000), "+v"); // no more than asked for
    EXPECT_EQ(pty->ReadFor(10, 100), "\r\n");

    // The far end closing is a hang-up on this end, and closing this end one on the far end.
    device.reset();
    EXPECT_TRUE(pty->Wait(true, false, 1'000'000'000, nullptr) & lfHungUp);
    EXPECT_EQ(pty->Read(got), liHungUp);
    device = OpenSerialDevicePath(pty->SlaveName(), error);
    ASSERT_TRUE(device);
    pty->Close();
    EXPECT_FALSE(pty->IsOpen());
    EXPECT_TRUE(device->Wait(swReadable, 1000, nullptr) & swHangUp);
}

TEST(PseudoTerminal, WaitEndsOnTheWakeEventOrTheTime) {
    auto pty = TPseudoTerminal::Create();
    TEvent wake(false, false);
    auto start = Clock::now();
    EXPECT_EQ(pty->Wait(false, false, 100'000'000, &wake), 0u);
    EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(100));
    std::thread waker([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        wake.SetEvent();
    });
    start = Clock::now();
    EXPECT_EQ(pty->Wait(false, false, -1, &wake), unsigned(lfWoken));
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(1));
    waker.join();
    EXPECT_FALSE(wake.IsSet()); // consumed
}

TEST(PseudoTerminal, FailuresNameTheirCause) {
    try {
        TPseudoTerminal::OpenDevice("/nonexistent/ttyQ9", 19200);
        FAIL() << "opened";
    } catch (const EPseudoTerminal& e) {
        EXPECT_NE(e.Message().find("/nonexistent/ttyQ9"), std::string::npos) << e.Message();
    }
    // A device of the machine is served as it is.
    auto pty = TPseudoTerminal::Create();
    auto device = TPseudoTerminal::OpenDevice(pty->SlaveName(), 9600);
    EXPECT_TRUE(device->IsDevice());
    EXPECT_EQ(device->SlaveName(), pty->SlaveName());
    EXPECT_EQ(pty->OutputRate(), 9600u);
}

} // namespace
