// The GPS page as the transfers' view over the simulated unit's receiver, and its own buttons.

#include "app/gps/GpsOperations.h"
#include "app/pages/gps/FormGPS.h"
#include "app/queue/Appliers.h"
#include "app/worker/CommandCodes.h"
#include "tests/app/gps/GpsTestSupport.h"
#include "tests/app/history/PageCommandsRecorder.h"
#include "tests/app/support/OffUserInterface.h"

#include "platform/forms/Dialogs.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/Snapshot_p.h"
#include "platform/rtl/IniFiles.h"
#include "platform/stdctrls/Edit.h"
#include "platform/stdctrls/Label.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QWidget>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

using pagetest::TPageCommandsRecorder;
using TBytes = TGpsReceiverModel::TBytes;

class GpsPage : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterGPSPage();
        owner_ = std::make_unique<TPageCommandsRecorder>();
        page_ = TCustomForm::Create<TformGPS>(owner_.get());
    }
    void TearDown() override { SetFileDialogHook(nullptr); }

    template <class T> T* Part(const char* name) const {
        auto* part = dynamic_cast<T*>(page_->FindComponent(name));
        EXPECT_NE(part, nullptr) << name;
        return part;
    }
    void Click(const char* name) const { Part<TControl>(name)->Click(); }
    std::string Text(const char* name) const { return Part<TEdit>(name)->GetText(); }

    std::unique_ptr<TPageCommandsRecorder> owner_;
    TformGPS* page_ = nullptr;
};

// The page over a unit with a receiver; transfers run off the user-interface thread.
class GpsPageOnUnit : public GpsPage {
protected:
    void SetUp() override {
        GpsPage::SetUp();
        link_ = std::make_unique<THistoryGpsLink>();
        host_ = std::make_unique<gpstest::TFakeGpsHost>(link_->Dev(), queue_);
        operations_ = std::make_unique<TGpsOperations>(*host_, *page_);
    }
    void TearDown() override {
        operations_.reset();
        host_.reset();
        link_.reset();
        GpsPage::TearDown();
    }
    // Runs a transfer and applies what it queued to the page.
    void Run(void (TGpsOperations::*transfer)()) {
        apptest::RunOffUserInterface([&] { ((*operations_).*transfer)(); });
        DrainOutArray(queue_);
    }
    bool TransferControlsEnabled() const {
        for (const char* name : {"btnSaveAlEp", "btnLoadAlEp", "FrBitBtn1", "FrBitBtn2"})
            if (!Part<TControl>(name)->Enabled())
                return false;
        return true;
    }

    gpstest::TTempFolder folder_;
    TOutArray queue_;
    std::unique_ptr<THistoryGpsLink> link_;
    std::unique_ptr<gpstest::TFakeGpsHost> host_;
    std::unique_ptr<TGpsOperations> operations_;
};

TEST_F(GpsPageOnUnit, SaveThenLoadThroughThePageRestoresTheReceiver) {
    std::vector<TBytes> almanac(32);
    link_->Gps([&](TGpsReceiverModel& gps) {
        gps.SetClock(2390, 12345678, 95000);
        for (int sv = 1; sv <= 32; ++sv)
            almanac[sv - 1] = gps.Almanac(sv);
    });
    Part<TEdit>("etSave")->SetText(folder_.File("aiding.txt"));
    Part<TEdit>("etLoad")->SetText(folder_.File("aiding.txt"));

    Run(&TGpsOperations::SaveAlmanac);
    EXPECT_EQ(Part<TLabel>("Label1")->Font()->Color(), clBlue);
    EXPECT_TRUE(TransferControlsEnabled());

    link_->Gps([](TGpsReceiverModel& gps) { gps.ClearData(); });
    Run(&TGpsOperations::LoadAlmanac);
    EXPECT_EQ(Part<TLabel>("Label2")->Font()->Color(), clBlue);
    EXPECT_TRUE(TransferControlsEnabled());
    link_->Gps([&](TGpsReceiverModel& gps) {
        for (int sv = 1; sv <= 32; ++sv)
            EXPECT_EQ(gps.Almanac(sv), almanac[sv - 1]) << sv;
        EXPECT_FALSE(gps.PassThrough());
    });

    page_->SetBounds(0, 0, 480, 220);
    page_->Show();
    QDir().mkpath(QStringLiteral(Q4_BINARY_DIR "/app-snapshots"));
    const QImage shot = page_->Handle()->grab().toImage();
    EXPECT_FALSE(SaveSnapshot(shot, Q4_BINARY_DIR "/app-snapshots/gps-page.png").empty());
    page_->Hide();
}

TEST_F(GpsPageOnUnit, LoadOfAMissingFileMarksRedAndGivesTheControlsBack) {
    Part<TEdit>("etLoad")->SetText(folder_.File("missing.txt"));
    Run(&TGpsOperations::LoadAlmanac);
    EXPECT_EQ(Part<TLabel>("Label2")->Font()->Color(), clRed);
    EXPECT_TRUE(TransferControlsEnabled());
    link_->Gps([](TGpsReceiverModel& gps) { EXPECT_FALSE(gps.PassThrough()); });
}

TEST_F(GpsPage, TransferButtonsSetTheirCommandsWhenConnectedAndAFileIsNamed) {
    struct {
        bool Connected;
        const char* File;
        bool Set;
    } cases[] = {{true, "a.txt", true}, {true, "", false}, {false, "a.txt", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.Connected ? "connected, " : "disconnected, ") + c.File);
        owner_->Codes.clear();
        owner_->Connection = c.Connected;
        Part<TEdit>("etSave")->SetText(c.File);
        Part<TEdit>("etLoad")->SetText(c.File);
        Click("btnSaveAlEp");
        Click("btnLoadAlEp");
        const std::vector<int> expected =
            c.Set ? std::vector<int>{cmdSaveAlmanac, cmdLoadAlmanac} : std::vector<int>{};
        EXPECT_EQ(owner_->Codes, expected);
    }
}

TEST_F(GpsPage, FilePickersFillTheirEdits) {
    gpstest::TTempFolder folder;
    const std::string out = folder.File("out.txt");
    const std::string in = folder.File("in.txt");
    std::ofstream(in).put('\n');
    std::vector<TFileDialogRequest> asked;
    bool accept = true;
    SetFileDialogHook([&](const TFileDialogRequest& r) {
        asked.push_back(r);
        return TFileDialogAnswer{accept, {r.Save ? out : in}, 1};
    });
    Click("FrBitBtn1");
    Click("FrBitBtn2");
    EXPECT_EQ(Text("etSave"), out);
    EXPECT_EQ(Text("etLoad"), in);
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_TRUE(asked[0].Save);
    EXPECT_FALSE(asked[1].Save);
    for (const TFileDialogRequest& r : asked) {
        EXPECT_EQ(r.Title, "Выбрать файл");
        ASSERT_EQ(r.Filters.size(), 1u);
        EXPECT_EQ(r.Filters[0].Patterns, std::vector<std::string>{"*.txt"});
    }
    EXPECT_TRUE(asked[1].Options.Contains(ofFileMustExist));

    // A cancelled pick leaves the name as it was; a failing one empties the edit.
    accept = false;
    Click("FrBitBtn1");
    EXPECT_EQ(Text("etSave"), out);
    SetFileDialogHook([](const TFileDialogRequest&) -> TFileDialogAnswer {
        throw std::runtime_error("no dialog");
    });
    Click("FrBitBtn2");
    EXPECT_EQ(Text("etLoad"), "");
}

TEST_F(GpsPage, FileNamesAreSettingsThatReadsAndDefaultsLeaveAlone) {
    Part<TEdit>("etSave")->SetText("/data/save.txt");
    Part<TEdit>("etLoad")->SetText("/data/load.txt");
    page_->PrepareRead();
    page_->PrepareWrite();
    page_->SetDefaults();
    EXPECT_EQ(Text("etSave"), "/data/save.txt");
    TMemIniFile ini("");
    page_->SaveToIni(ini);
    Part<TEdit>("etSave")->SetText("");
    Part<TEdit>("etLoad")->SetText("");
    page_->LoadFromIni(ini);
    EXPECT_EQ(Text("etSave"), "/data/save.txt");
    EXPECT_EQ(Text("etLoad"), "/data/load.txt");
}

} // namespace
