// The update from a built-in image through the real main window against the simulated unit's
// bootloader: a unit with older firmware is offered the update when it connects, the update
// thread takes the line over from the stopped worker (which leaves without hanging up), the
// flashed bytes are the image's, and leaving the dialog connects again without the connect
// dialog, to the unit's new firmware.

#include "app/firmware/FormUpdateIns.h"
#include "app/mainwin/FormMain.h"
#include "platform/stdctrls/Button.h"
#include "tests/app/mainwin/MainWindowTestSupport.h"
#include "tools/unitsim/SimBootloader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace mwtest;

namespace {

TButton* DialogButton(TformUpdateIns* dialog, const char* name) {
    return dynamic_cast<TButton*>(dialog->FindComponent(name));
}

size_t CountLines(const std::vector<std::string>& lines, const std::string& line) {
    return static_cast<size_t>(std::count(lines.begin(), lines.end(), line));
}

} // namespace

TEST(MainWindowUpdate, AnOlderUnitIsOfferedTheImageFlashedAndConnectedAgainSilently) {
    TRigOptions options;
    options.Version = "REV 07.503.088";
    TWindowRig rig(options);
    TRigBootloader boot(rig.Sim());
    boot.Run([](TSimBootloader& b) { b.SetVersionAfterUpdate("REV 07.503.090"); });
    rig.Start();
    int connectDialogs = 0;
    const auto choose = rig.OnConnectDialog;
    rig.OnConnectDialog = [&](TdlgConnect& dialog) {
        ++connectDialogs;
        choose(dialog);
    };
    rig.ClickConnect();
    ASSERT_TRUE(rig.Main()->Connected());
    TformUpdateIns* dialog = rig.Update();
    ASSERT_TRUE(PumpUntil([&] { return dialog->Visible(); }, 3000)) << "no offer";
    // The offer locks the main window, also when it came while the progress window showed.
    EXPECT_FALSE(rig.ToolEnabled("tbtnRead"));
    EXPECT_FALSE(rig.ToolEnabled("tbtnDisconnect"));

    rig.Sim().ClearRecords();
    DialogButton(dialog, "btnUpdateVer")->Click();
    EXPECT_TRUE(dialog->Flashing());
    // Neither window closes while the flashing runs.
    EXPECT_FALSE(rig.Main()->CloseQuery());
    ASSERT_TRUE(PumpUntil([&] { return !dialog->Flashing(); }, 60000));
    EXPECT_EQ(dialog->State(), 3);
    const std::vector<std::string> flashing = rig.Sim().UnitLines();
    ASSERT_FALSE(flashing.empty());
    EXPECT_EQ(flashing.front(), "+BL");
    // The stopped worker gave the line up as it was.
    EXPECT_EQ(CountLines(flashing, "CABLE DISCONNECT"), 0u);

    std::vector<uint8_t> flash;
    boot.Run([&](TSimBootloader& b) { flash = b.Flash(); });
    const TBuiltInImage& image = dialog->Images()[dialog->ChosenImage() - 1];
    const std::string bytes = image.Image().Bytes(0, TFirmwareImage::FlashSize);
    ASSERT_EQ(flash.size(), bytes.size());
    EXPECT_TRUE(std::equal(flash.begin(), flash.end(), bytes.begin(),
                           [](uint8_t a, char b) { return a == static_cast<uint8_t>(b); }));

    // Leaving connects again with the stored choices, without the connect dialog.
    const int dialogsBefore = connectDialogs;
    rig.Sim().ClearRecords();
    DialogButton(dialog, "btnExit")->Click();
    EXPECT_FALSE(dialog->Visible());
    ASSERT_TRUE(PumpUntil([&] { return rig.ToolEnabled("tbtnRead"); }, 10000));
    EXPECT_EQ(connectDialogs, dialogsBefore);
    EXPECT_EQ(rig.StatusText(2), "REV 07.503.090");
    EXPECT_TRUE(rig.Main()->Connected());
    EXPECT_FALSE(rig.ToolEnabled("tbtnConnect"));
    EXPECT_EQ(rig.Sim().UnitLines().front(), "CABLE CONNECT");

    rig.Quit();
}
