// The history and GPS pages in the main window, their commands run by the connection's worker
// thread and controller against the simulated unit.

#include "app/mainwin/FormMain.h"
#include "app/pages/gps/FormGPS.h"
#include "app/pages/history/FormHistory.h"
#include "tests/app/mainwin/MainWindowTestSupport.h"
#include "tests/app/support/AppTestEnvironment.h"
#include "tools/unitsim/GpsReceiverModel.h"
#include "tools/unitsim/HistoryRing.h"

#include "platform/forms/Dialogs.h"
#include "platform/graphics/Graphics.h"
#include "platform/rtl/Classes.h"
#include "platform/stdctrls/Edit.h"
#include "platform/stdctrls/Label.h"
#include "platform/stdctrls/ListItems.h"
#include "platform/stdctrls/ListView.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace mwtest;

// The unit's ring and receiver, made on the rig's simulated unit; declared before the rig, so
// that they go after it.
struct TUnitData {
    std::unique_ptr<THistoryRing> Ring;
    std::unique_ptr<TGpsReceiverModel> Gps;
    void Attach(TWindowRig& rig) {
        rig.Sim().Access([this](TSimUnit& unit, TSimModem*) {
            Ring = std::make_unique<THistoryRing>(unit);
            Gps = std::make_unique<TGpsReceiverModel>(unit);
        });
    }
};

std::string TopCaption(TformHistory& page) {
    TListItems* items = page.List()->Items();
    return items->Count() == 0 ? std::string() : items->Item(0)->Caption();
}

class HistoryWindow : public ::testing::Test {
protected:
    void SetUp() override {
        rig_.Start();
        data_.Attach(rig_);
        history_ = dynamic_cast<TformHistory*>(rig_.Page("TformHistory"));
        ASSERT_NE(history_, nullptr);
    }
    void TearDown() override {
        SetMessageDlgHook([](const TMessageDlgRequest& r) {
            apptest::Messages().push_back(r.Text);
            return mrOk;
        });
    }
    // Clicks a control of the history page and waits until the list's top row is `top` ("" for
    // an empty list) and the main controls are back.
    bool ClickAndWait(const char* name, const std::string& top) {
        rig_.Control(history_, name)->Click();
        return Settle(top);
    }
    bool Settle(const std::string& top) {
        return PumpUntil(
            [&] { return TopCaption(*history_) == top && rig_.ToolEnabled("tbtnRead"); }, 20000);
    }
    // The ring is the simulator thread's once it serves: it is filled under the simulator's lock.
    void FillRing(long long written) {
        rig_.Sim().Access([&](TSimUnit&, TSimModem*) { data_.Ring->Fill(written); });
    }
    TColor ReadMark() const { return history_->ReadMark()->Font()->Color(); }
    int Rows() const { return history_->List()->Items()->Count(); }

    TUnitData data_;
    TWindowRig rig_;
    TformHistory* history_ = nullptr;
};

TEST_F(HistoryWindow, ReadPageAndPagingKeepTheShownBlockForTheConnection) {
    FillRing(65504 + 10);
    ASSERT_TRUE(rig_.Connect());
    rig_.Main()->ShowPage(history_);
    rig_.ClickTool("tbtnRead");
    ASSERT_TRUE(Settle("0009"));
    EXPECT_EQ(Rows(), 32);
    EXPECT_EQ(history_->List()->Items()->Item(31)->Caption(), "FFCA");
    // Firmware 503.90 records the wide layout: the caption and twelve sub-items.
    EXPECT_EQ(history_->List()->Items()->Item(0)->SubItems()->Count(), 12);
    EXPECT_EQ(ReadMark(), clBlue);

    ASSERT_TRUE(ClickAndWait("FrToolButton1", "FFC9"));
    ASSERT_TRUE(ClickAndWait("FrToolButton1", "FFA9"));
    ASSERT_TRUE(ClickAndWait("FrToolButton2", "FFC9"));
    ASSERT_TRUE(ClickAndWait("FrToolButton2", "0009"));

    // A new connection starts with nothing shown: back shows nothing until the page is read.
    rig_.ClickTool("tbtnDisconnect");
    ASSERT_TRUE(PumpUntil([&] { return rig_.Main()->ClosingConnections() == 0; }, 10000));
    ASSERT_TRUE(rig_.Connect());
    rig_.Main()->ShowPage(history_);
    rig_.Sim().ClearRecords();
    ASSERT_TRUE(ClickAndWait("FrToolButton1", ""));
    EXPECT_EQ(Rows(), 0);
    for (const std::string& line : rig_.Sim().UnitLines())
        EXPECT_NE(line.rfind("+read", 0), 0u) << line;
}

TEST_F(HistoryWindow, EraseAfterTheThreeAnswersEmptiesTheUnitsHistory) {
    FillRing(100);
    ASSERT_TRUE(rig_.Connect());
    rig_.Main()->ShowPage(history_);
    rig_.ClickTool("tbtnRead");
    ASSERT_TRUE(Settle("0063"));
    std::vector<std::string> asked;
    SetMessageDlgHook([&](const TMessageDlgRequest& r) {
        asked.push_back(r.Text);
        return r.Type == mtConfirmation ? mrYes : mrOk;
    });
    ASSERT_TRUE(ClickAndWait("FrToolButton3", ""));
    EXPECT_EQ(asked.size(), 3u);
    PumpUntil([&] { return rig_.ToolEnabled("tbtnRead"); }, 5000);
    rig_.ClickTool("tbtnRead");
    ASSERT_TRUE(Settle(""));
    EXPECT_EQ(Rows(), 0);
    EXPECT_EQ(ReadMark(), clBlue); // an empty history, read well
}

TEST_F(HistoryWindow, GpsSaveRunsThroughTheConnection) {
    const std::string folder = std::filesystem::temp_directory_path() / "q4-history-window-XXXXXX";
    std::string dir = folder;
    ASSERT_NE(::mkdtemp(dir.data()), nullptr);
    const std::string file = dir + "/aiding.txt";
    ASSERT_TRUE(rig_.Connect());
    auto* gps = dynamic_cast<TformGPS*>(rig_.Page("TformGPS"));
    ASSERT_NE(gps, nullptr);
    dynamic_cast<TEdit*>(rig_.Control(gps, "etSave"))->SetText(file);
    rig_.Control(gps, "btnSaveAlEp")->Click();
    ASSERT_TRUE(PumpUntil([&] { return gps->SaveMark()->Font()->Color() == clBlue; }, 120000));
    PumpUntil([&] { return rig_.ToolEnabled("tbtnRead"); }, 5000);
    TStringList lines;
    lines.LoadFromFile(file);
    EXPECT_GE(lines.Count(), 34);
    rig_.Sim().Access([&](TSimUnit&, TSimModem*) { EXPECT_FALSE(data_.Gps->PassThrough()); });
    std::filesystem::remove_all(dir);
}

} // namespace
