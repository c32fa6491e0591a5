#include "app/firmware/FlashingCloseGuard.h"
#include "app/firmware/FormUpdateIns.h"

#include "controls/progress/FrProgressBar.h"
#include "platform/graphics/Snapshot_p.h"
#include "platform/stdctrls/Button.h"
#include "platform/stdctrls/Label.h"
#include "tests/app/firmware/FakeHosts.h"
#include "tests/app/firmware/FirmwareTestSupport.h"
#include "tests/app/support/AppTestEnvironment.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QWidget>

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>

namespace {

[[maybe_unused]] ::testing::Environment* const kApplication =
    ::testing::AddGlobalTestEnvironment(new apptest::ApplicationEnvironment(
        "app-firmware-fonts", [] { RegisterFirmwareDialogClasses(); }));

// Runs the hand-overs and the windows until `done` holds or `ms` of wall time pass.
bool PumpUntil(const std::function<bool()>& done, int ms) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        CheckSynchronize(5);
        Application->ProcessMessages();
    }
    return true;
}

void Shoot(TCustomForm* form, const char* file) {
    QDir().mkpath(QStringLiteral(Q4_BINARY_DIR "/app-snapshots"));
    Application->ProcessMessages();
    const QImage shot = form->Handle()->grab().toImage();
    EXPECT_FALSE(SaveSnapshot(shot, std::string(Q4_BINARY_DIR "/app-snapshots/") + file).empty());
}

class UpdateDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        host.link = &rig.Link();
        dialog = TformUpdateIns::Create(nullptr, host, &rig.Clock());
    }
    void TearDown() override { dialog->Free(); }

    std::string Text(const char* name) {
        return static_cast<TControl*>(dialog->FindComponent(name))->Caption();
    }
    TButton* Button(const char* name) { return static_cast<TButton*>(dialog->FindComponent(name)); }
    TLabel* Label(const char* name) { return static_cast<TLabel*>(dialog->FindComponent(name)); }
    TFrProgressBar* Bar() {
        return static_cast<TFrProgressBar*>(dialog->FindComponent("FrProgressBar1"));
    }

    fwtest::TFlashRig rig;
    fwtest::TFakeUpdateHost host;
    TformUpdateIns* dialog = nullptr;
};

TEST_F(UpdateDialogTest, OffersTheImageChosenForTheUnitAndLocksTheMainWindow) {
    EXPECT_EQ(host.caption, "Конфигуратор (REV 07.503.090)");
    dialog->Show();
    EXPECT_TRUE(host.locked);
    EXPECT_EQ(dialog->State(), 0);
    EXPECT_EQ(Text("lbNewName"), "REV 07.503.090");
    EXPECT_EQ(Text("lbOldName"), "REV 07.503.060");
    EXPECT_TRUE(Button("btnUpdateVer")->Enabled());
    EXPECT_TRUE(Button("btnExit")->Enabled());
    EXPECT_EQ(Text("btnExit"), "Выйти без перепрошивки");
    EXPECT_FALSE(Label("lbTimeAfter")->Visible());
    Shoot(dialog, "update-offer.png");

    // Closed with its close box before flashing: the main window is free again and the
    // connection stays.
    dialog->Close();
    EXPECT_FALSE(dialog->Visible());
    EXPECT_FALSE(host.locked);
    EXPECT_TRUE(host.reconnects.empty());

    struct Unit {
        int build;
        bool variant;
        const char* flash;
        const char* offered;
        bool canLeave;
    };
    for (const Unit& u : {Unit{88, false, "M45PE16", "REV 07.503.088p", true},
                          Unit{89, false, "M45PE16", "REV 07.503.090", true},
                          Unit{88, true, "AT45DB161D", "REV 07.503.090", false}}) {
        host.build = u.build;
        host.variant = u.variant;
        host.flash = u.flash;
        dialog->Show();
        EXPECT_EQ(Text("lbNewName"), u.offered) << u.build;
        EXPECT_EQ(Button("btnExit")->Enabled(), u.canLeave) << u.build;
        dialog->Hide();
    }
    EXPECT_EQ(dialog->ChosenImage(), 1);
}

TEST_F(UpdateDialogTest, FlashesThroughItsThreadAndReconnectsSilentlyAfterwards) {
    TForm* mainWindow = new TForm(nullptr);
    mainWindow->Show();
    RefuseCloseWhileFlashing(*mainWindow, [this] { return dialog->Flashing(); });
    dialog->Show();
    Button("btnUpdateVer")->Click();
    EXPECT_EQ(host.workerStops, 1);
    EXPECT_TRUE(dialog->Flashing());
    EXPECT_FALSE(Button("btnExit")->Enabled());
    EXPECT_TRUE(Label("lbTimeAfter")->Visible());
    ASSERT_TRUE(PumpUntil([&] { return Bar()->PartsComplete() > 20; }, 20000));
    EXPECT_EQ(dialog->State(), 2);
    EXPECT_EQ(Text("lbError"), "Идет загрузка новой версии прошивки...");
    Shoot(dialog, "update-running.png");

    // Neither window closes while the flashing runs.
    dialog->Close();
    EXPECT_TRUE(dialog->Visible());
    mainWindow->Close();
    EXPECT_TRUE(mainWindow->Visible());

    ASSERT_TRUE(PumpUntil([&] { return !dialog->Flashing(); }, 60000));
    EXPECT_EQ(dialog->State(), 3);
    EXPECT_EQ(Text("lbError"), "Перепрошивка успешно завершена!");
    EXPECT_EQ(Label("lbError")->Font()->Color(), clGreen);
    EXPECT_EQ(Text("btnExit"), "Завершить перепрошивку");
    EXPECT_TRUE(Button("btnExit")->Enabled());
    EXPECT_FALSE(Button("btnUpdateVer")->Enabled());
    EXPECT_FALSE(Label("lbNewName")->Visible());
    EXPECT_EQ(Text("lbOldName"), "REV 07.503.090");
    EXPECT_EQ(host.versionPanel, "REV 07.503.090");
    EXPECT_EQ(host.abortClears, 1);
    EXPECT_EQ(Bar()->TotalParts(), static_cast<uint32_t>(dialog->Images()[0].Lines() / 8 + 104));
    EXPECT_EQ(Bar()->Percent(), 100);
    Shoot(dialog, "update-done.png");

    const std::vector<uint8_t> flash = rig.Flash();
    const std::string image = dialog->Images()[0].Image().Bytes(0, TFirmwareImage::FlashSize);
    EXPECT_TRUE(std::equal(flash.begin(), flash.end(), image.begin(),
                           [](uint8_t a, char b) { return a == static_cast<uint8_t>(b); }));

    Button("btnExit")->Click();
    EXPECT_FALSE(dialog->Visible());
    EXPECT_FALSE(host.locked);
    EXPECT_EQ(host.reconnects, std::vector<bool>{true});
    EXPECT_EQ(host.versionPanel, "");
    mainWindow->Close();
    EXPECT_FALSE(mainWindow->Visible());
    mainWindow->Free();
}

TEST_F(UpdateDialogTest, AFailedFlashingShowsItAndReconnectsThroughTheConnectDialog) {
    rig.Boot([](TSimBootloader& boot) { boot.Faults().EraseError = true; });
    dialog->Show();
    Button("btnUpdateVer")->Click();
    ASSERT_TRUE(PumpUntil([&] { return !dialog->Flashing(); }, 30000));
    EXPECT_EQ(dialog->State(), 2);
    EXPECT_EQ(Text("lbError"), "В процессе перепрошивки возникли ошибки!");
    EXPECT_EQ(Label("lbError")->Font()->Color(), clRed);
    EXPECT_TRUE(Button("btnExit")->Enabled());
    EXPECT_FALSE(Button("btnUpdateVer")->Enabled());
    Shoot(dialog, "update-failed.png");
    // The unit heard the erase three times and nothing after it.
    const std::vector<std::string> lines = rig.Lines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "+BE"), 3);
    EXPECT_EQ(lines.back(), "+BE");

    // The close box leaves as the exit button does: the connection is made again with the dialog.
    dialog->Close();
    EXPECT_FALSE(dialog->Visible());
    ASSERT_TRUE(PumpUntil([&] { return !host.reconnects.empty(); }, 2000));
    EXPECT_EQ(host.reconnects, std::vector<bool>{false});
    EXPECT_FALSE(host.locked);
}

TEST_F(UpdateDialogTest, WithoutAConnectionNothingStarts) {
    host.link = nullptr;
    dialog->Show();
    Button("btnUpdateVer")->Click();
    EXPECT_EQ(dialog->State(), 0);
    EXPECT_EQ(host.workerStops, 0);
    EXPECT_FALSE(dialog->Flashing());
    EXPECT_TRUE(rig.Lines().empty());
}

} // namespace
