#include "device/Comm.h"
#include "device/DeviceError.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/Threads.h"
#include "platform/serial/FakeSerialDevice.h"
#include "tests/platform/serial/PtyPair.h"

#include <gtest/gtest.h>

#include <atomic>
#include <sys/resource.h>
#include <thread>
#include <vector>

namespace {

// The error code raised by `action`, or 0.
template <typename F> int ErrorCodeOf(F action, std::string* message = nullptr) {
    try {
        action();
    } catch (const EDeviceError& e) {
        if (message)
            *message = e.Message();
        return e.ErrorCode;
    }
    return 0;
}

class CommOnPty : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(pty.Ok());
        comm.SetDeviceName(pty.Path());
        comm.SetBaudRate(br19200);
    }
    PtyPair pty;
    TXComm comm;
};

} // namespace

TEST_F(CommOnPty, OpenAndCloseAlternateAndRaiseInTheWrongState) {
    EXPECT_EQ(ErrorCodeOf([&] { comm.Close(); }), DEVICE_NOTOPEN);
    comm.Open();
    EXPECT_TRUE(comm.IsOpen());
    std::string message;
    EXPECT_EQ(ErrorCodeOf([&] { comm.Open(); }, &message), DEVICE_ALREADYOPEN);
    EXPECT_EQ(message, "Device is allready opened.");
    comm.Close();
    EXPECT_FALSE(comm.IsOpen());
    EXPECT_EQ(ErrorCodeOf([&] { comm.Close(); }, &message), DEVICE_NOTOPEN);
    EXPECT_EQ(message, "Device not opened.");
    comm.Open(); // opens again after a close
    EXPECT_TRUE(comm.IsOpen());
}

TEST_F(CommOnPty, DataBothWays) {
    comm.Open();
    ASSERT_TRUE(comm.SendString("+object\r"));
    EXPECT_EQ(pty.Read(8), "+object\r");
    pty.Write("object>0050\r\nOK");
    char buffer[32] = {};
    const unsigned got = comm.Read(buffer, 15, 1000);
    EXPECT_EQ(std::string(buffer, got), "object>0050\r\nOK");
    EXPECT_EQ(comm.BytesSent(), 8u);
    EXPECT_EQ(comm.BytesReceived(), 15u);
}
