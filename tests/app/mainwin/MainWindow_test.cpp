// The program's main window, made as the program makes it, against a simulated unit on a
// pseudo-terminal: start and quit in a fresh settings folder, connecting and disconnecting over
// the cable and the GSM modem, a port that does not exist, reading all pages from a silent unit,
// closing while connected, and a picture of the connected window.

#include "app/connect/DlgConnect.h"
#include "app/controller/Controller.h"
#include "app/controller/PageExchange.h"
#include "app/mainwin/DlgSplash.h"
#include "app/mainwin/FormMain.h"
#include "app/pages/FormIncl.h"
#include "controls/progress/FrProgressBar.h"
#include "device/DevQuorvan.h"
#include "platform/forms/Menus.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/Snapshot_p.h"
#include "platform/stdctrls/ComboBox.h"
#include "platform/stdctrls/Label.h"
#include "platform/stdctrls/StatusBar.h"
#include "tests/app/mainwin/MainWindowTestSupport.h"
#include "tests/app/support/AppTestEnvironment.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QWidget>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <regex>

using namespace mwtest;

namespace {

std::vector<std::string> CommandLines(TUnitSim& sim) {
    std::vector<std::string> out;
    for (const std::string& line : sim.UnitLines())
        out.push_back(line);
    return out;
}

bool MenuEnabled(TformMain* main, const char* name) {
    return dynamic_cast<TMenuItem*>(main->FindComponent(name))->Enabled();
}

} // namespace

TEST(MainWindow, AFreshFolderGetsTheFactoryValuesOnQuit) {
    TWindowRig rig;
    rig.Start();
    // Every window and page read its description whole.
    EXPECT_EQ(apptest::Messages(), std::vector<std::string>{});
    auto* bar = dynamic_cast<TControl*>(rig.Main()->FindComponent("FrProgressBar1"));
    EXPECT_FALSE(bar->Visible());
    EXPECT_EQ(rig.Main()->CurrentPage(), rig.Page("TformCommon"));
    EXPECT_TRUE(rig.ToolEnabled("tbtnConnect"));
    for (const char* name : {"tbtnDisconnect", "tbtnRead", "tbtnReadAll", "tbtnWrite",
                             "tbtnWriteAll", "tbtnDefault", "tbtnDefaultAll"})
        EXPECT_FALSE(rig.ToolEnabled(name)) << name;
    EXPECT_FALSE(MenuEnabled(rig.Main(), "mnuDisconnect"));
    rig.Quit();

    const std::string ini = rig.IniFile();
    struct Key {
        const char* section;
        const char* key;
        const char* value;
    } keys[] = {{"formCommon", "etObjNum", "0050"},    {"formCommon", "etPeriodgsmM", "10"},
                {"formCommon", "btnDontsleep00", "1"}, {"formCommon", "cbActivetime", "0"},
                {"formGPRS", "etGPRSphone", "*99#"},   {"formGPRS", "etPort", "3055"},
                {"formPower", "meEdgeign", "10,00"},   {"formPhones", "cbPhones", "0"},
                {"formHistory", "cbFormat", "0"},      {"formGPS", "etSave", ""}};
    for (const Key& k : keys)
        EXPECT_EQ(IniValue(ini, k.section, k.key), k.value) << k.section << "." << k.key;
}

TEST(MainWindow, TheServiceCodeShowsTheProgressBarInsideTheFourthPanel) {
    TWindowRig rig;
    rig.Start("[Update]\r\nUpdatePanelVersion=trelvo\r\n");
    auto* bar = dynamic_cast<TControl*>(rig.Main()->FindComponent("FrProgressBar1"));
    auto* status = dynamic_cast<TStatusBar*>(rig.Main()->FindComponent("StatusBar1"));
    EXPECT_TRUE(bar->Visible());
    EXPECT_EQ(bar->Parent(), status);
    const TRect panel = status->PanelRect(3);
    EXPECT_EQ(bar->Left(), 60 + 1 + 80 + 1 + 120 + 1);
    EXPECT_EQ(bar->Top(), 1);
    EXPECT_EQ(bar->Width(), 200 - 4);
    EXPECT_EQ(bar->Height(), status->Height() - 1);
    EXPECT_LE(std::abs(bar->Left() - panel.Left), 3);
    EXPECT_TRUE(dynamic_cast<TMenuItem*>(rig.Main()->FindComponent("N4"))->Visible());
}

TEST(MainWindow, ConnectsOverTheCableInTheRequestOrderAndFillsStatusAndLog) {
    TWindowRig rig;
    rig.Start();
    ASSERT_TRUE(rig.Connect());
    const std::vector<std::string> expected = {"CABLE CONNECT", "+v",    "+typepan",
                                               "+dontsleep",    "+PGPS", "+wakefr"};
    EXPECT_EQ(CommandLines(rig.Sim()), expected);
    EXPECT_EQ(rig.StatusText(0), "COM9");
    EXPECT_EQ(rig.StatusText(2), "REV 07.503.090");
    EXPECT_EQ(rig.StatusText(3), "AT45DB161D");
    for (const char* name : {"tbtnDisconnect", "tbtnRead", "tbtnReadAll", "tbtnWrite",
                             "tbtnWriteAll", "tbtnDefault", "tbtnDefaultAll"})
        EXPECT_TRUE(rig.ToolEnabled(name)) << name;
    EXPECT_FALSE(rig.ToolEnabled("tbtnConnect"));
    EXPECT_TRUE(MenuEnabled(rig.Main(), "mnuDisconnect"));
    EXPECT_FALSE(MenuEnabled(rig.Main(), "mnuConnect"));

    // Every log line: the date, the time, a blank, then the direction of the traffic.
    ASSERT_TRUE(PumpUntil([&] { return rig.MemoLines().size() >= 12; }, 2000));
    const std::regex stamped(R"(^\d{2}\.\d{2}\.\d{4} \d{1,2}:\d{2}:\d{2} )");
    int sent = 0, received = 0;
    for (const std::string& line : rig.MemoLines()) {
        EXPECT_TRUE(std::regex_search(line, stamped)) << line;
        sent += line.find(" #com<-: ") != std::string::npos;
        received += line.find(" @com->: ") != std::string::npos;
    }
    EXPECT_GE(sent, 6);
    EXPECT_GE(received, 6);

    rig.Sim().ClearRecords();
    rig.ClickTool("tbtnDisconnect");
    EXPECT_TRUE(PumpUntil(
        [&] { return rig.Sim().FromPc().find("CABLE DISCONNECT\r") != std::string::npos; }, 3000));
    EXPECT_TRUE(rig.ToolEnabled("tbtnConnect"));
    for (const char* name : {"tbtnDisconnect", "tbtnRead", "tbtnReadAll", "tbtnWrite",
                             "tbtnWriteAll", "tbtnDefault", "tbtnDefaultAll"})
        EXPECT_FALSE(rig.ToolEnabled(name)) << name;
    EXPECT_EQ(rig.StatusText(0), "");
    EXPECT_EQ(rig.StatusText(1), "");
    EXPECT_TRUE(PumpUntil([&] { return rig.Main()->ClosingConnections() == 0; }, 3000));
}

TEST(MainWindow, TheFlashTypeFollowsThePanelTypeFromBuild87) {
    struct Case {
        const char* version;
        const char* typepan;
        bool asked;
        const char* flash;
    } cases[] = {{"REV 07.503.086", "30", false, "AT45DB161D"},
                 {"REV 07.503.090", "38", true, "AT45DB161D"},
                 {"REV 07.503.090", "30", true, "M45PE16"}};
    for (const Case& c : cases) {
        TWindowRig rig(TRigOptions{.Version = c.version});
        rig.Sim().SetValue("typepan", c.typepan);
        rig.Start();
        ASSERT_TRUE(rig.Connect()) << c.version;
        const auto lines = CommandLines(rig.Sim());
        EXPECT_EQ(std::find(lines.begin(), lines.end(), "+typepan") != lines.end(), c.asked)
            << c.version;
        EXPECT_EQ(rig.StatusText(3), c.flash) << c.version << " " << c.typepan;
        EXPECT_EQ(rig.Main()->FlashTypeText(), c.flash);
    }
}

TEST(MainWindow, AnotherShellIsRefusedAndTheWindowStaysDisconnected) {
    TWindowRig rig(TRigOptions{.Version = "REV 07.502.090"});
    rig.Start();
    EXPECT_FALSE(rig.Connect());
    EXPECT_TRUE(rig.ToolEnabled("tbtnConnect"));
    EXPECT_FALSE(rig.ToolEnabled("tbtnRead"));
    ASSERT_TRUE(PumpUntil(
        [&] {
            for (const std::string& line : rig.MemoLines())
                if (line.find("Несовместимая оболочка") != std::string::npos)
                    return true;
            return false;
        },
        2000));
    // The ended attempt still closes the unit's session, and nothing of it changes the window.
    EXPECT_TRUE(PumpUntil(
        [&] { return rig.Sim().FromPc().find("CABLE DISCONNECT\r") != std::string::npos; }, 3000));
    EXPECT_TRUE(PumpUntil([&] { return rig.Main()->ClosingConnections() == 0; }, 3000));
    EXPECT_TRUE(rig.ToolEnabled("tbtnConnect"));
    EXPECT_FALSE(rig.ToolEnabled("tbtnDisconnect"));
}

TEST(MainWindow, AnUnansweredSessionRequestEndsDisconnectedWithoutACrash) {
    TWindowRig rig;
    TUnitFaults faults;
    faults.Silent = true;
    rig.Sim().SetFaults(faults);
    rig.Start();
    std::vector<std::string> steps;
    rig.OnSplash = [&](TdlgSplash& splash) {
        PumpUntil([&] { return splash.ModalResult() != mrNone; }, 20000);
        steps.push_back(splash.StepPanel()->Caption());
    };
    EXPECT_FALSE(rig.Connect());
    EXPECT_EQ(steps, std::vector<std::string>{"Ошибка подключения"});
    EXPECT_FALSE(rig.ToolEnabled("tbtnRead"));
    // A click on the tool that a disconnected window still got does nothing.
    rig.Main()->tbtnReadClick(nullptr);
    rig.Main()->tbtnReadAllClick(nullptr);
    EXPECT_TRUE(PumpUntil([&] { return rig.Main()->ClosingConnections() == 0; }, 8000));
    EXPECT_TRUE(rig.ToolEnabled("tbtnConnect"));
}

TEST(MainWindow, APortThatDoesNotExistGivesTheMessageAndKeepsTheChoices) {
    TWindowRig rig;
    rig.Start();
    rig.OnConnectDialog = [](TdlgConnect& dialog) {
        dialog.ComPorts()->Items()->Add("COM77");
        dialog.ComPorts()->SetItemIndex(dialog.ComPorts()->Items()->IndexOf("COM77"));
        dialog.SetModalResult(mrOk);
    };
    EXPECT_FALSE(rig.Connect());
    ASSERT_EQ(apptest::Messages().size(), 1u);
    EXPECT_EQ(apptest::Messages()[0].rfind("Ошибка при открытии Com порта! ", 0), 0u)
        << apptest::Messages()[0];
    EXPECT_TRUE(rig.ToolEnabled("tbtnConnect"));
    EXPECT_EQ(rig.Main()->Connection(), nullptr);
    EXPECT_EQ(IniValue(rig.IniFile(), "Connect", "ComPortName"), "COM77");

    // Cancelling the dialog still writes its section.
    std::filesystem::remove(rig.IniFile());
    rig.OnConnectDialog = [](TdlgConnect& dialog) { dialog.SetModalResult(mrCancel); };
    rig.ClickConnect();
    EXPECT_EQ(IniValue(rig.IniFile(), "Connect", "Fphone"), "0");
    EXPECT_TRUE(apptest::Messages().size() == 1u);
}

TEST(MainWindow, ReadAllFromASilentUnitMarksEveryLabelRedAndShowsOneMessage) {
    // One setting per page, read as every page's reader does: a request, then the label's mark.
    const std::vector<std::pair<const char*, const char*>> labels = {
        {"TformCommon", "lbetObjNum"}, {"TformGPRS", "lbetGPRSphone"}, {"TformHistory", nullptr},
        {"TformPhones", "Label1"},     {"TformPower", "lbetCharge"},   {"TformGPS", nullptr}};
    for (const auto& [pageClass, label] : labels) {
        if (label == nullptr)
            continue;
        const std::string name = label;
        RegisterPageExchange(pageClass,
                             {[name](TController& c, TformIncl& page) {
                                  int32_t number = 0;
                                  c.MarkLabel(dynamic_cast<TControl*>(page.FindComponent(name)),
                                              c.Device().GetObjectNumber(number));
                              },
                              {}});
    }
    TWindowRig rig;
    rig.Start();
    ASSERT_TRUE(rig.Connect());
    rig.Main()->ShowPage(rig.Page("TformPower"));
    TUnitFaults faults;
    faults.Silent = true;
    rig.Sim().SetFaults(faults);
    rig.Sim().ClearRecords();
    rig.ClickTool("tbtnReadAll");
    ASSERT_TRUE(PumpUntil([] { return !apptest::Messages().empty(); }, 30000));
    PumpUntil([&] { return rig.ToolEnabled("tbtnRead"); }, 2000);
    EXPECT_EQ(apptest::Messages(), std::vector<std::string>{"Чтение настроек завершено"});
    for (const auto& [pageClass, label] : labels) {
        if (label == nullptr)
            continue;
        auto* mark = dynamic_cast<TLabel*>(rig.Control(rig.Page(pageClass), label));
        EXPECT_EQ(mark->Font()->Color(), clRed) << pageClass;
    }
    // Every page was asked, in component order (the history page's own reader asks for the
    // unit's write pointer), and the common page is in front again.
    EXPECT_EQ(rig.Sim().FromPc().size(),
              4u * std::string("+object\r").size() * 3u + std::string("+point\r").size() * 3u);
    EXPECT_TRUE(rig.Page("TformCommon")->Visible());
    EXPECT_TRUE(rig.ToolEnabled("tbtnRead"));
    for (const auto& [pageClass, label] : labels)
        RegisterPageExchange(pageClass, {});
}

TEST(MainWindow, ConnectsAndDisconnectsThroughTheModem) {
    TWindowRig rig(TRigOptions{.Modem = true, .FastClock = false});
    rig.Start();
    ASSERT_TRUE(rig.Connect());
    const std::vector<std::string> modem = rig.Sim().ModemCommands();
    const std::vector<std::string> dial = {"ATZ", "AT", "AT+CREG?", "AT+CBST=7,0,1",
                                           "ATD +70001112233"};
    ASSERT_GE(modem.size(), dial.size());
    EXPECT_EQ(std::vector<std::string>(modem.begin(), modem.begin() + 5), dial);
    EXPECT_EQ(CommandLines(rig.Sim()).front(), "+v");
    EXPECT_EQ(rig.StatusText(1), "+70001112233");
    rig.Sim().ClearRecords();
    rig.ClickTool("tbtnDisconnect");
    EXPECT_TRUE(PumpUntil([&] { return rig.Main()->ClosingConnections() == 0; }, 10000));
    const std::string sent = rig.Sim().FromPc();
    const size_t escape = sent.find("+++");
    ASSERT_NE(escape, std::string::npos) << sent;
    EXPECT_LT(escape, sent.find("ATH\r"));
    EXPECT_LT(sent.find("ATH\r"), sent.find("ATZ\r"));
}

TEST(MainWindow, APictureOfTheConnectedWindow) {
    TWindowRig rig;
    rig.Start();
    rig.Main()->SetBounds(0, 0, 1024, 768);
    ASSERT_TRUE(rig.Connect());
    PumpUntil([&] { return rig.MemoLines().size() >= 12; }, 2000);
    Application->ProcessMessages();
    QDir().mkpath(QStringLiteral(Q4_BINARY_DIR "/app-snapshots"));
    const QImage shot = rig.Main()->Handle()->grab().toImage();
    EXPECT_EQ(shot.width(), 1024);
    EXPECT_EQ(shot.height(), 768);
    EXPECT_FALSE(
        SaveSnapshot(shot, Q4_BINARY_DIR "/app-snapshots/main-window-connected.png").empty());
    for (const char* page :
         {"TformGPRS", "TformHistory", "TformPhones", "TformPower", "TformGPS"}) {
        rig.Main()->ShowPage(rig.Page(page));
        Application->ProcessMessages();
        const std::string file =
            std::string(Q4_BINARY_DIR "/app-snapshots/main-window-") + page + ".png";
        EXPECT_FALSE(SaveSnapshot(rig.Main()->Handle()->grab().toImage(), file).empty());
    }
}
