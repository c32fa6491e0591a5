#include "device/Comm.h"
#include "device/DeviceError.h"
#include "tests/support/serial/FakeSerialDevice.h"
#include "tests/support/serial/PtyPair.h"

#include <gtest/gtest.h>

namespace {

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

void UseFake(TCustomComm& comm, const std::shared_ptr<TFakeSerialPort>& port) {
    comm.SetDeviceOpener([port](const std::string&, int& error) { return port->Open(error); });
}

} // namespace

TEST(CommSettings, Defaults) {
    TXComm comm;
    EXPECT_EQ(comm.BaudRate(), br9600);
    EXPECT_EQ(comm.BaudValue(), 9600u);
    EXPECT_EQ(comm.DataControl().DataBits(), db8);
    EXPECT_EQ(comm.DataControl().Parity(), paNone);
    EXPECT_EQ(comm.DataControl().StopBits(), sb1);
    EXPECT_EQ(comm.Buffers().InputSize(), 2048);
    EXPECT_EQ(comm.Buffers().OutputSize(), 2048);
    EXPECT_EQ(comm.Buffers().InputTimeout(), 500);
    EXPECT_EQ(comm.Buffers().OutputTimeout(), 500);
    const uint8_t chars[] = {17, 19, 0, 0, 10};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(comm.EventChars().Char(i), chars[i]) << i;
    const uint32_t timeouts[] = {1, 0, 1, 0, 1};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(comm.Timeouts().Value(i), timeouts[i]) << i;
    EXPECT_EQ(comm.FlowControl(), fcNone);
    EXPECT_TRUE(comm.RTSSettings().Empty());
    EXPECT_TRUE(comm.DTRSettings().Empty());
    EXPECT_TRUE(comm.XOnXOffSettings().Empty());
    EXPECT_TRUE(comm.Options().Empty());
    EXPECT_EQ(comm.MonitorEvents(), (TDeviceEvents{deChar, deFlag, deOutEmpty}));
    EXPECT_TRUE(comm.Synchronize());
    EXPECT_EQ(comm.DeviceName(), "COM2");
}

TEST(CommSettings, QueueSizesAreClamped) {
    const std::pair<uint16_t, uint16_t> cases[] = {
        {100, 128}, {0, 128}, {128, 128}, {2000, 2000}, {4096, 4096}, {10000, 4096}, {65535, 4096},
    };
    TXComm comm;
    for (const auto& [given, stored] : cases) {
        comm.Buffers().SetInputSize(given);
        comm.Buffers().SetOutputSize(given);
        EXPECT_EQ(comm.Buffers().InputSize(), stored) << given;
        EXPECT_EQ(comm.Buffers().OutputSize(), stored) << given;
    }
}

TEST(CommSettings, FlowControlDerivesTheLineSets) {
    struct Case {
        TFlowControl flow;
        TCommOptions options;
        TRTSSettings rts;
        TDTRSettings dtr;
        TXOnXOffSettings xon;
    } const cases[] = {
        {fcNone, {}, {}, {}, {}},
        {fcRtsCts, {}, {fsCTSOut, fsRTSHandshake}, {fsDTREnabled}, {}},
        {fcDtrDsr, {}, {fsRTSEnabled}, {fsDSROut, fsDTREnabled}, {}},
        {fcSoftware, {}, {}, {fsDTREnabled}, {fsInX, fsOutX}},
        {fcNone, {coLeaveDTROpen}, {}, {fsDTREnabled}, {}},
        {fcRtsCts, {coLeaveDTROpen}, {fsCTSOut, fsRTSHandshake}, {fsDTREnabled}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "flow " << int(c.flow) << " options " << c.options.Bits());
        TXComm comm;
        comm.SetOptions(c.options);
        comm.SetFlowControl(c.flow);
        EXPECT_EQ(comm.RTSSettings(), c.rts);
        EXPECT_EQ(comm.DTRSettings(), c.dtr);
        EXPECT_EQ(comm.XOnXOffSettings(), c.xon);
    }
}

TEST(CommSettings, LineSetsChangeOnlyUnderCustomFlowControl) {
    TXComm comm;
    comm.SetFlowControl(fcRtsCts);
    comm.SetRTSSettings(TRTSSettings{fsRTSEnabled});
    comm.SetDTRSettings(TDTRSettings{fsDTRHandshake});
    comm.SetXOnXOffSettings(TXOnXOffSettings{fsInX});
    EXPECT_EQ(comm.RTSSettings(), (TRTSSettings{fsCTSOut, fsRTSHandshake}));
    EXPECT_EQ(comm.DTRSettings(), TDTRSettings{fsDTREnabled});
    EXPECT_TRUE(comm.XOnXOffSettings().Empty());

    comm.SetFlowControl(fcCustom);
    EXPECT_EQ(comm.RTSSettings(), (TRTSSettings{fsCTSOut, fsRTSHandshake}))
        << "custom keeps what was there";
    comm.SetRTSSettings(TRTSSettings{fsRTSEnabled});
    comm.SetXOnXOffSettings(TXOnXOffSettings{fsOutX});
    EXPECT_EQ(comm.RTSSettings(), TRTSSettings{fsRTSEnabled});
    EXPECT_EQ(comm.XOnXOffSettings(), TXOnXOffSettings{fsOutX});

    // DTR is raised or handshaking, not both: the newly asked one wins.
    comm.SetDTRSettings(TDTRSettings{fsDTREnabled, fsDTRHandshake});
    EXPECT_EQ(comm.DTRSettings(), TDTRSettings{fsDTRHandshake});
    comm.SetDTRSettings(TDTRSettings{fsDTREnabled, fsDTRHandshake});
    EXPECT_EQ(comm.DTRSettings(), TDTRSettings{fsDTREnabled});

    // Changing the options keeps the custom sets; leaving DTR open turns handshaking off.
    comm.SetDTRSettings(TDTRSettings{fsDTRHandshake, fsDSROut});
    comm.SetOptions(TCommOptions{coParityCheck});
    EXPECT_EQ(comm.RTSSettings(), TRTSSettings{fsRTSEnabled});
    EXPECT_EQ(comm.DTRSettings(), (TDTRSettings{fsDTRHandshake, fsDSROut}));
    comm.SetOptions(TCommOptions{coParityCheck, coLeaveDTROpen});
    EXPECT_EQ(comm.DTRSettings(), (TDTRSettings{fsDTREnabled, fsDSROut}));
    comm.SetDTRSettings(TDTRSettings{fsDTRHandshake});
    EXPECT_EQ(comm.DTRSettings(), TDTRSettings{fsDTREnabled});
}

TEST(CommSettings, BaudRateAndBaudValue) {
    TXComm comm;
    comm.SetBaudRate(br115200);
    EXPECT_EQ(comm.BaudValue(), 115200u);
    comm.SetBaudValue(19200);
    EXPECT_EQ(comm.BaudValue(), 115200u) << "only a custom rate takes a value";
    comm.SetBaudRate(brCustom);
    EXPECT_EQ(comm.BaudValue(), 115200u);
    comm.SetBaudValue(250000);
    EXPECT_EQ(comm.BaudValue(), 250000u);
    EXPECT_EQ(comm.BaudRate(), brCustom);

    const std::pair<TBaudRate, uint32_t> table[] = {
        {br110, 110},       {br300, 300},       {br600, 600},       {br1200, 1200},
        {br2400, 2400},     {br4800, 4800},     {br9600, 9600},     {br14400, 14400},
        {br19200, 19200},   {br38400, 38400},   {br56000, 56000},   {br57600, 57600},
        {br115200, 115200}, {br128000, 128000}, {br256000, 256000},
    };
    for (const auto& [rate, value] : table) {
        comm.SetBaudRate(rate);
        EXPECT_EQ(comm.BaudValue(), value);
    }
}

TEST(CommSettings, TheLineTheDeviceIsGiven) {
    auto port = TFakeSerialPort::Create();
    TXComm comm;
    UseFake(comm, port);
    comm.SetBaudRate(br57600);
    comm.DataControl().SetDataBits(db7);
    comm.DataControl().SetParity(paMark);
    comm.DataControl().SetStopBits(sb2);
    comm.Buffers().SetInputSize(1000);
    comm.EventChars().SetEventChar(13);
    comm.EventChars().SetErrorChar('?');
    comm.EventChars().SetEofChar(26);
    comm.SetFlowControl(fcCustom);
    comm.SetRTSSettings(TRTSSettings{fsCTSOut, fsRTSHandshake});
    comm.SetDTRSettings(TDTRSettings{fsDSROut, fsDTRHandshake});
    comm.SetXOnXOffSettings(TXOnXOffSettings{fsInX});
    comm.SetOptions(TCommOptions{coParityCheck, coDSRSensitivity, coErrorChar, coDiscardNull,
                                 coAbortOnError, coTXContinueOnXOff});
    comm.Open();

    const TSerialLine line = port->Line();
    EXPECT_EQ(line.BaudRate, 57600u);
    EXPECT_EQ(line.DataBits, 7);
    EXPECT_EQ(line.Parity, TSerialParity::Mark);
    EXPECT_EQ(line.StopBits, TSerialStopBits::Two);
    EXPECT_TRUE(line.CtsOutFlow);
    EXPECT_TRUE(line.RtsHandshake);
    EXPECT_FALSE(line.RtsOn);
    EXPECT_TRUE(line.DsrOutFlow);
    EXPECT_TRUE(line.DtrHandshake);
    EXPECT_FALSE(line.DtrOn);
    EXPECT_TRUE(line.XonInput);
    EXPECT_FALSE(line.XonOutput);
    EXPECT_EQ(line.XonLimit, 250);
    EXPECT_EQ(line.XoffLimit, 250);
    EXPECT_EQ(line.XonChar, 17);
    EXPECT_EQ(line.XoffChar, 19);
    EXPECT_EQ(line.EofChar, 26);
    EXPECT_EQ(line.ErrorChar, '?');
    EXPECT_EQ(line.EventChar, 13);
    EXPECT_TRUE(line.ParityCheck);
    EXPECT_TRUE(line.DsrSensitivity);
    EXPECT_TRUE(line.ReplaceErrors);
    EXPECT_TRUE(line.DiscardNull);
    EXPECT_TRUE(line.AbortOnError);
    EXPECT_TRUE(line.TxContinueOnXoff);
    EXPECT_TRUE(line.HangUpOnClose);

    // Read back from the open port.
    EXPECT_EQ(comm.DataControl().DataBits(), db7);
    EXPECT_EQ(comm.DataControl().Parity(), paMark);
    EXPECT_EQ(comm.RTSSettings(), (TRTSSettings{fsCTSOut, fsRTSHandshake}));
    EXPECT_EQ(comm.Options(), (TCommOptions{coParityCheck, coDSRSensitivity, coErrorChar,
                                            coDiscardNull, coAbortOnError, coTXContinueOnXOff}));

    // Every change while open reaches the device at once.
    const int applied = port->SetLineCount();
    comm.EventChars().SetXonChar(1);
    comm.Timeouts().SetReadConstant(7);
    comm.DataControl().SetParity(paSpace);
    EXPECT_EQ(port->Line().XonChar, 1);
    EXPECT_EQ(port->Line().Parity, TSerialParity::Space);
    EXPECT_EQ(port->SetLineCount(), applied + 2);

    // Leaving DTR open cannot change while the port is open.
    comm.SetOptions(TCommOptions{coLeaveDTROpen});
    EXPECT_FALSE(comm.Options().Contains(coLeaveDTROpen));
    EXPECT_TRUE(port->Line().HangUpOnClose);
}

TEST(CommSettings, ARefusedSettingRaisesAndIsKept) {
    auto port = TFakeSerialPort::Create();
    TXComm comm;
    UseFake(comm, port);
    comm.Open();
    port->FailSetLine(EINVAL);
    std::string message;
    EXPECT_EQ(ErrorCodeOf([&] { comm.DataControl().SetParity(paEven); }, &message), DEVICE_SETDCB);
    EXPECT_EQ(message,
              "Unable to update device control block. (system error 22: Invalid argument)");
    port->FailSetLine(0);
    comm.Close();
    EXPECT_EQ(comm.DataControl().Parity(), paEven);
    comm.Open();
    EXPECT_EQ(port->Line().Parity, TSerialParity::Even);
}

TEST(CommSettings, APortWhoseSettingsAreRefusedIsNotLeftOpen) {
    PtyPair pty;
    ASSERT_TRUE(pty.Ok());
    TXComm comm;
    comm.SetDeviceName(pty.Path());
    comm.DataControl().SetDataBits(db4); // no Linux driver knows four-bit characters
    EXPECT_EQ(ErrorCodeOf([&] { comm.Open(); }), DEVICE_SETDCB);
    EXPECT_FALSE(comm.IsOpen());
    comm.DataControl().SetDataBits(db8);
    comm.Open();
    EXPECT_TRUE(comm.IsOpen()) << "the device was released";
}

TEST(CommSettings, AssignCopiesValuesAndRefusesOtherClasses) {
    auto port = TFakeSerialPort::Create();
    TXComm source, dest;
    UseFake(dest, port);
    source.DataControl().SetParity(paOdd);
    source.DataControl().SetStopBits(sb2);
    source.Buffers().SetInputTimeout(42);
    source.EventChars().SetEventChar(13);
    source.Timeouts().SetWriteConstant(9);
    dest.Open();
    dest.SetDataControl(source.DataControl());
    dest.SetBuffers(source.Buffers());
    dest.SetEventChars(source.EventChars());
    dest.SetTimeouts(source.Timeouts());
    EXPECT_EQ(port->Line().Parity, TSerialParity::Odd) << "applied to the open port";
    EXPECT_EQ(dest.Buffers().InputTimeout(), 42);
    EXPECT_EQ(port->Line().EventChar, 13);
    EXPECT_EQ(dest.Timeouts().WriteConstant(), 9u);
    EXPECT_EQ(port->Line().StopBits, TSerialStopBits::Two);

    try {
        dest.DataControl().Assign(&source.Buffers());
        ADD_FAILURE() << "assigned across classes";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "Cannot assign a TCommBuffers to a TCommDataControl");
    }
    EXPECT_EQ(dest.DataControl().Parity(), paOdd);
}
