#include "platform/rtl/Clock.h"
#include "platform/rtl/SyncObjs.h"
#include "tests/support/serial/FakeSerialDevice.h"

#include <gtest/gtest.h>

#include <thread>

TEST(FakeSerialDevice, CarriesBytesBothWaysAndWakesAWaiter) {
    auto port = TFakeSerialPort::Create();
    int error = 0;
    auto device = port->Open(error);
    ASSERT_TRUE(device);
    EXPECT_FALSE(port->Open(error));
    EXPECT_EQ(error, EBUSY);

    size_t done = 0;
    ASSERT_EQ(device->Write("ATZ\r", 4, done), 0);
    EXPECT_EQ(port->TakeWritten(), "ATZ\r");

    std::thread farEnd([&] {
        Sleep(50);
        port->Send("OK\r\n");
    });
    const uint32_t start = GetTickCount();
    EXPECT_EQ(device->Wait(swReadable, 2000, nullptr), unsigned(swReadable));
    EXPECT_LT(TicksSince(start), 1000u);
    farEnd.join();
    char buffer[8];
    ASSERT_EQ(device->Read(buffer, sizeof buffer, done), 0);
    EXPECT_EQ(std::string(buffer, done), "OK\r\n");

    device.reset();
    EXPECT_FALSE(port->IsOpen());
}

TEST(FakeSerialDevice, ModemLinesBothWays) {
    auto port = TFakeSerialPort::Create();
    int error = 0;
    auto device = port->Open(error);
    ASSERT_TRUE(device);

    port->SetLines(mlDSR | mlCTS | mlRTS); // the far end cannot drive RTS
    unsigned lines = 0;
    ASSERT_EQ(device->GetModemLines(lines), 0);
    EXPECT_EQ(lines, unsigned(mlDSR | mlCTS));
    EXPECT_EQ(device->Wait(swLinesChanged, 0, nullptr), unsigned(swLinesChanged));
    EXPECT_EQ(device->Wait(swLinesChanged, 0, nullptr), 0u) << "reported once";

    device->SetModemLines(mlRTS, 0);
    device->SetModemLines(0, mlRTS);
    device->SetModemLines(mlDTR, 0);
    const auto changes = port->LineChanges();
    ASSERT_EQ(changes.size(), 3u);
    EXPECT_EQ(changes[0].Lines, unsigned(mlRTS));
    EXPECT_EQ(changes[1].Lines, 0u);
    EXPECT_EQ(changes[2].Lines, unsigned(mlDTR));
    EXPECT_EQ(device->Wait(swLinesChanged, 0, nullptr), 0u) << "own lines are not news";
}

TEST(FakeSerialDevice, HangUpEndsReadsAndWrites) {
    auto port = TFakeSerialPort::Create();
    int error = 0;
    auto device = port->Open(error);
    ASSERT_TRUE(device);
    TEvent stop(true, false);
    std::thread farEnd([&] {
        Sleep(30);
        port->HangUp();
    });
    EXPECT_TRUE(device->Wait(swReadable, -1, &stop) & swHangUp);
    farEnd.join();
    char buffer[4];
    size_t done = 0;
    EXPECT_EQ(device->Read(buffer, 4, done), EIO);
    EXPECT_EQ(device->Write("x", 1, done), EIO);
}

TEST(FakeSerialDevice, FullOutputQueueRefusesBytesUntilTaken) {
    auto port = TFakeSerialPort::Create();
    port->SetOutputCapacity(4);
    int error = 0;
    auto device = port->Open(error);
    ASSERT_TRUE(device);
    size_t done = 0;
    ASSERT_EQ(device->Write("abcdef", 6, done), 0);
    EXPECT_EQ(done, 4u);
    EXPECT_EQ(device->Wait(swWritable, 20, nullptr), 0u);
    EXPECT_EQ(port->TakeWritten(), "abcd");
    EXPECT_EQ(device->Wait(swWritable, 20, nullptr), unsigned(swWritable));
}
