// The serial-port and modem components in form descriptions: their published properties read,
// bind their handlers, write back only what differs from the defaults, and never open a device.

#include "device/Modem.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Streaming.h"
#include "platform/rtl/Streams.h"
#include "tests/support/serial/PtyPair.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

std::string Crlf(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == '\n')
            out += '\r';
        out += c;
    }
    return out;
}

// The form the components sit on, with the handlers the description names.
class TCommTestForm : public TComponent {
    Q4_CLASS(TCommTestForm, TComponent)
public:
    explicit TCommTestForm(TComponent* owner = nullptr) : TComponent(owner) {}
    static void DeclareMethods(TMethodTable& m) {
        m.Add("CommEvent", &TCommTestForm::CommEvent);
        m.Add("CommData", &TCommTestForm::CommData);
        m.Add("CommSend", &TCommTestForm::CommSend);
        m.Add("ModemResult", &TCommTestForm::ModemResult);
        m.Add("ModemConnecting", &TCommTestForm::ModemConnecting);
        m.Add("ModemRing", &TCommTestForm::ModemRing);
    }
    void CommEvent(TObject*, TDeviceEvents events) {
        log.push_back("event " + std::to_string(events.Bits()));
    }
    void CommData(TObject*, unsigned received) {
        log.push_back("data " + std::to_string(received));
    }
    void CommSend(TObject*) { log.push_back("send"); }
    void ModemResult(TObject*, const THayesAT& at) { log.push_back("result " + at.ResultText); }
    void ModemConnecting(TObject*, TConnectType type) {
        log.push_back("connecting " + std::to_string(type));
    }
    void ModemRing(TObject*) { log.push_back("ring"); }

    std::vector<std::string> log;
};

void RegisterFixtures() {
    static const bool done = (RegisterClass(TCommTestForm::StaticClass()), true);
    (void)done;
}

// Every group of settings away from its defaults. The flow-control sets come before FlowControl
// in the stored order, so they must survive being read while FlowControl is still fcNone.
const std::string FormText = Crlf(R"(object Form1: TCommTestForm
  object Comm1: TXComm
    BaudRate = brCustom
    BaudValue = 250000
    Buffers.InputSize = 1024
    Buffers.OutputTimeout = 2500
    DataControl.DataBits = db7
    DataControl.Parity = paMark
    DataControl.StopBits = sb2
    DeviceName = '/dev/ttyQ4-test'
    DTRSettings = [fsDSROut, fsDTRHandshake]
    EventChars.ErrorChar = '?'
    EventChars.EventChar = #13
    MonitorEvents = [deChar, deCTS, deRing]
    FlowControl = fcCustom
    Options = [coParityCheck, coTXContinueOnXOff]
    RTSSettings = [fsCTSOut, fsRTSHandshake]
    Synchronize = False
    Timeouts.ReadInterval = 50
    Timeouts.WriteConstant = 0
    XOnXOffSettings = [fsOutX]
    OnCommEvent = CommEvent
    OnData = CommData
    OnSend = CommSend
  end
  object Modem1: TXModem
    BaudRate = br57600
    BaudValue = 57600
    DeviceName = 'COM5'
    FlowControl = fcRtsCts
    OnData = CommData
    Settings.InitString = 'AT&F'
    Settings.DialNumber = '+79001234567'
    Settings.DialType = dtPulse
    Settings.ConnectType = ctWait
    Settings.Speed = 56000
    Settings.WaitRings = 4
    OnHayesAT = ModemResult
    OnConnecting = ModemConnecting
    OnRing = ModemRing
  end
end
)");

} // namespace

TEST(CommDescription, ReadsBindsAndWritesBackTheSameText) {
    RegisterFixtures();
    TCommTestForm form;
    ReadComponentDescription(FormText, &form);

    auto* comm = dynamic_cast<TXComm*>(form.FindComponent("Comm1"));
    auto* modem = dynamic_cast<TXModem*>(form.FindComponent("Modem1"));
    ASSERT_NE(comm, nullptr);
    ASSERT_NE(modem, nullptr);
    EXPECT_FALSE(comm->IsOpen());
    EXPECT_FALSE(modem->IsOpen());

    EXPECT_EQ(comm->BaudRate(), brCustom);
    EXPECT_EQ(comm->BaudValue(), 250000u);
    EXPECT_EQ(comm->Buffers().InputSize(), 1024);
    EXPECT_EQ(comm->Buffers().OutputSize(), 2048);
    EXPECT_EQ(comm->Buffers().OutputTimeout(), 2500);
    EXPECT_EQ(comm->DataControl().DataBits(), db7);
    EXPECT_EQ(comm->DataControl().Parity(), paMark);
    EXPECT_EQ(comm->DataControl().StopBits(), sb2);
    EXPECT_EQ(comm->DeviceName(), "/dev/ttyQ4-test");
    EXPECT_EQ(comm->DTRSettings(), (TDTRSettings{fsDSROut, fsDTRHandshake}));
    EXPECT_EQ(comm->EventChars().EventChar(), 13);
    EXPECT_EQ(comm->EventChars().ErrorChar(), '?');
    EXPECT_EQ(comm->EventChars().XonChar(), 17);
    EXPECT_EQ(comm->MonitorEvents(), (TDeviceEvents{deChar, deCTS, deRing}));
    EXPECT_EQ(comm->FlowControl(), fcCustom);
    EXPECT_EQ(comm->Options(), (TCommOptions{coParityCheck, coTXContinueOnXOff}));
    EXPECT_EQ(comm->RTSSettings(), (TRTSSettings{fsCTSOut, fsRTSHandshake}));
    EXPECT_FALSE(comm->Synchronize());
    EXPECT_EQ(comm->Timeouts().ReadInterval(), 50u);
    EXPECT_EQ(comm->Timeouts().WriteConstant(), 0u);
    EXPECT_EQ(comm->Timeouts().ReadConstant(), 1u);
    EXPECT_EQ(comm->XOnXOffSettings(), TXOnXOffSettings{fsOutX});

    EXPECT_EQ(modem->BaudRate(), br57600);
    EXPECT_EQ(modem->DeviceName(), "COM5");
    EXPECT_EQ(modem->RTSSettings(), (TRTSSettings{fsCTSOut, fsRTSHandshake}))
        << "derived from FlowControl after loading";
    EXPECT_EQ(modem->DTRSettings(), TDTRSettings{fsDTREnabled});
    const TModemSettings& s = modem->Settings();
    EXPECT_EQ(s.InitString(), "AT&F");
    EXPECT_EQ(s.ResetString(), "ATZ");
    EXPECT_EQ(s.DialNumber(), "+79001234567");
    EXPECT_EQ(s.DialType(), dtPulse);
    EXPECT_EQ(s.ConnectType(), ctWait);
    EXPECT_EQ(s.Speed(), 56000);
    EXPECT_EQ(s.WaitRings(), 4);

    // The handlers are the form's methods.
    ASSERT_TRUE(comm->OnCommEvent && comm->OnData && comm->OnSend);
    EXPECT_FALSE(comm->OnRead);
    comm->OnCommEvent(comm, TDeviceEvents{deCTS});
    comm->OnData(comm, 5);
    comm->OnSend(comm);
    ASSERT_TRUE(modem->OnHayesAT && modem->OnConnecting && modem->OnRing && modem->OnData);
    EXPECT_FALSE(modem->OnConnect);
    THayesAT at;
    at.ResultText = "BUSY";
    modem->OnHayesAT(modem, at);
    modem->OnConnecting(modem, ctWait);
    modem->OnRing(modem);
    const std::vector<std::string> expected = {"event 8",     "data 5",       "send",
                                               "result BUSY", "connecting 2", "ring"};
    EXPECT_EQ(form.log, expected);

    EXPECT_EQ(ComponentToText(&form), FormText);
}

TEST(CommDescription, BinaryFormRoundTrips) {
    RegisterFixtures();
    TCommTestForm first;
    ReadComponentDescription(FormText, &first);
    TMemoryStream stream;
    WriteComponentToStream(stream, &first);
    stream.SetPosition(0);
    TCommTestForm second;
    ReadComponentFromStream(stream, &second);
    EXPECT_EQ(ComponentToText(&second), FormText);
}

TEST(CommDescription, DefaultsWriteNothing) {
    RegisterFixtures();
    TCommTestForm form;
    auto* comm = new TXComm(&form);
    comm->SetName("Comm1");
    auto* modem = new TXModem(&form);
    modem->SetName("Modem1");
    const std::string text = Crlf("object Form1: TCommTestForm\n"
                                  "  object Comm1: TXComm\n"
                                  "  end\n"
                                  "  object Modem1: TXModem\n"
                                  "  end\n"
                                  "end\n");
    form.SetName("Form1");
    EXPECT_EQ(ComponentToText(&form), text);

    // Reading that back gives components at their defaults, still closed.
    TCommTestForm again;
    ReadComponentDescription(text, &again);
    auto* read = dynamic_cast<TXComm*>(again.FindComponent("Comm1"));
    ASSERT_NE(read, nullptr);
    EXPECT_FALSE(read->IsOpen());
    EXPECT_EQ(read->DeviceName(), "COM2");
    EXPECT_EQ(read->MonitorEvents(), (TDeviceEvents{deChar, deFlag, deOutEmpty}));
    EXPECT_TRUE(read->Synchronize());
}

TEST(CommDescription, DerivedFlowSetsAreNotStored) {
    RegisterFixtures();
    TCommTestForm form;
    form.SetName("Form1");
    auto* comm = new TXComm(&form);
    comm->SetName("Comm1");
    comm->SetFlowControl(fcSoftware);
    comm->SetOptions(TCommOptions{coLeaveDTROpen});
    const std::string text = ComponentToText(&form);
    EXPECT_EQ(text.find("XOnXOffSettings"), std::string::npos) << text;
    EXPECT_EQ(text.find("DTRSettings"), std::string::npos) << text;

    TCommTestForm again;
    ReadComponentDescription(text, &again);
    auto* read = dynamic_cast<TXComm*>(again.FindComponent("Comm1"));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->XOnXOffSettings(), (TXOnXOffSettings{fsInX, fsOutX}));
    EXPECT_EQ(read->DTRSettings(), TDTRSettings{fsDTREnabled});
}

TEST(CommDescription, ClassesAreRegistered) {
    EXPECT_EQ(GetClass("TXComm"), TXComm::StaticClass());
    EXPECT_EQ(GetClass("TXModem"), TXModem::StaticClass());
    EXPECT_EQ(GetEnumProp(std::make_unique<TXModem>().get(), "FlowControl"), "fcNone");
}

TEST(CommDescription, ReadingAndFreeingNeverOpenTheDevice) {
    RegisterFixtures();
    PtyPair pty;
    ASSERT_TRUE(pty.Ok());
    const std::string text = Crlf("object Form1: TCommTestForm\n"
                                  "  object Comm1: TXComm\n"
                                  "    DeviceName = '" +
                                  pty.Path() +
                                  "'\n"
                                  "  end\n"
                                  "  object Modem1: TXModem\n"
                                  "    DeviceName = '" +
                                  pty.Path() +
                                  "'\n"
                                  "  end\n"
                                  "end\n");
    {
        TCommTestForm form;
        ReadComponentDescription(text, &form);
        auto* comm = dynamic_cast<TXComm*>(form.FindComponent("Comm1"));
        auto* modem = dynamic_cast<TXModem*>(form.FindComponent("Modem1"));
        ASSERT_TRUE(comm && modem);
        EXPECT_FALSE(comm->IsOpen());
        EXPECT_FALSE(modem->IsOpen());
        // Ports are opened exclusively: had either component opened the device, this would fail.
        TXComm probe;
        probe.SetDeviceName(pty.Path());
        EXPECT_NO_THROW(probe.Open());
        probe.Close();
    }
    TXComm after;
    after.SetDeviceName(pty.Path());
    EXPECT_NO_THROW(after.Open());
    EXPECT_TRUE(after.IsOpen());
}
