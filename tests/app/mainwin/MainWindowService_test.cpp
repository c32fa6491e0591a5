// The service flashing from the main window's "N4" menu item against the simulated unit's
// bootloader: the worker stays off the line for the whole dialogue, the window refuses to close
// meanwhile, the flashed bytes are the file's, and the connection ends once, with one hang-up.

#include "app/controller/PageExchange.h"
#include "app/firmware/FormUpdateInsertion.h"
#include "app/firmware/ServiceFlashing.h"
#include "app/mainwin/FormMain.h"
#include "app/pages/FormIncl.h"
#include "app/worker/CommandCodes.h"
#include "controls/buttons/FrDialogButtons.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/Menus.h"
#include "platform/forms/Timer.h"
#include "tests/app/mainwin/MainWindowTestSupport.h"
#include "tools/unitsim/SimBootloader.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>
#include <vector>

using namespace mwtest;

namespace {

// 16-byte data records from address 0, `lines` of them, then the end record; the byte at
// address a is (a * 5 + 3) & 0xFF.
std::string HexFile(int lines) {
    std::string text;
    for (int line = 0; line < lines; ++line) {
        const int address = line * 16;
        char head[16];
        std::snprintf(head, sizeof head, ":10%04X00", address);
        text += head;
        unsigned sum = 0x10 + (address >> 8) + (address & 0xFF);
        for (int i = 0; i < 16; ++i) {
            const unsigned byte = ((address + i) * 5 + 3) & 0xFF;
            char pair[3];
            std::snprintf(pair, sizeof pair, "%02X", byte);
            text += pair;
            sum += byte;
        }
        char check[8];
        std::snprintf(check, sizeof check, "%02X\r\n", (0x100 - (sum & 0xFF)) & 0xFF);
        text += check;
    }
    return text + ":00000001FF\r\n";
}

// The operator picks `path` in the HEX dialog and presses OK.
void PickFile(TWindowRig& rig, const std::string& path) {
    SetFileDialogHook([path](const TFileDialogRequest&) {
        TFileDialogAnswer answer;
        answer.Accepted = true;
        answer.Files = {path};
        return answer;
    });
    rig.OnOtherModal = [](TCustomForm& form) {
        if (auto* dialog = dynamic_cast<TformUpdateInsertion*>(&form)) {
            static_cast<TControl*>(dialog->FindComponent("FrBitBtn1"))->Click();
            auto* buttons =
                static_cast<TFrDialogButtons*>(dialog->FindComponent("FrDialogButtons1"));
            form.SetModalResult(buttons->ButtonEnabled(1) ? mrOk : mrCancel);
        } else {
            form.SetModalResult(mrOk);
        }
    };
}

bool IsBootloaderLine(const std::string& line) {
    for (const char* head : {"+BL", "+v", "+BE", "+W", "+EE"})
        if (line.rfind(head, 0) == 0)
            return true;
    return false;
}

} // namespace

TEST(MainWindowService, FlashesAHexFileWithTheWorkerOffTheLineAndRefusesToCloseMeanwhile) {
    TWindowRig rig;
    rig.Start("[Update]\r\nUpdatePanelVersion=trelvo\r\n");
    ASSERT_TRUE(rig.Connect());
    TRigBootloader boot(rig.Sim());
    // Slow enough that the worker's keep-alive query falls due meanwhile.
    boot.Run([](TSimBootloader& b) { b.Times().BlockMs = 700; });
    const std::string file = rig.Folder() + "service.hex";
    WriteFile(file, HexFile(96)); // twelve blocks
    PickFile(rig, file);

    // While the flashing runs, the operator tries to close the window, and a page's own button
    // (which stays enabled) asks for a command.
    int closeTries = 0;
    bool closed = false;
    TTimer timer(nullptr);
    timer.SetInterval(20);
    timer.SetOnTimer([&](TObject*) {
        TServiceFlashing* service = rig.Main()->ServiceFlashing();
        if (service != nullptr && service->Running()) {
            if (closeTries == 0) {
                EXPECT_TRUE(rig.Main()->RunPageCommand(cmdReadAll));
            }
            ++closeTries;
            closed = closed || rig.Main()->CloseQuery();
        }
    });
    timer.SetEnabled(true);
    rig.Sim().ClearRecords();
    static_cast<TMenuItem*>(rig.Main()->FindComponent("N4"))->Click();
    timer.SetEnabled(false);
    SetFileDialogHook({});

    TServiceFlashing* service = rig.Main()->ServiceFlashing();
    ASSERT_NE(service, nullptr);
    EXPECT_TRUE(service->LastResult().Ok());
    EXPECT_GT(closeTries, 0);
    EXPECT_FALSE(closed);

    // Nothing but the bootloader's dialogue reached the unit until the session's end: neither
    // the idle poll nor the command asked for meanwhile.
    const std::vector<std::string> lines = rig.Sim().UnitLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), "+BL");
    size_t writes = 0;
    for (size_t i = 0; i + 1 < lines.size(); ++i) {
        EXPECT_TRUE(IsBootloaderLine(lines[i])) << i << ": " << lines[i];
        writes += lines[i].rfind("+W", 0) == 0;
    }
    EXPECT_EQ(writes, 12u);
    // The window hangs up once and ends disconnected.
    EXPECT_EQ(lines.back(), "CABLE DISCONNECT");
    EXPECT_TRUE(PumpUntil([&] { return rig.Main()->ClosingConnections() == 0; }, 5000));
    EXPECT_EQ(rig.Sim().UnitLines().back(), "CABLE DISCONNECT");
    EXPECT_EQ(rig.Main()->Connection(), nullptr);
    EXPECT_TRUE(rig.ToolEnabled("tbtnConnect"));
    EXPECT_FALSE(rig.ToolEnabled("tbtnRead"));

    std::vector<uint8_t> flash;
    boot.Run([&](TSimBootloader& b) { flash = b.Flash(); });
    for (uint32_t a = 0; a < 96 * 16; ++a)
        ASSERT_EQ(flash[a], (a * 5 + 3) & 0xFF) << a;
    // The closing is possible again once the flashing is over.
    EXPECT_TRUE(rig.Main()->CloseQuery());
}

TEST(MainWindowService, WithoutAConnectionNothingIsSent) {
    TWindowRig rig;
    rig.Start("[Update]\r\nUpdatePanelVersion=trelvo\r\n");
    TRigBootloader boot(rig.Sim());
    const std::string file = rig.Folder() + "service.hex";
    WriteFile(file, HexFile(8));
    PickFile(rig, file);
    static_cast<TMenuItem*>(rig.Main()->FindComponent("N4"))->Click();
    SetFileDialogHook({});
    EXPECT_TRUE(rig.Sim().UnitLines().empty());
    EXPECT_FALSE(rig.Main()->ServiceFlashing()->Running());
}

TEST(MainWindowService, AWorkerThatStaysInACommandKeepsTheFlashingFromStarting) {
    TWindowRig rig;
    rig.Start("[Update]\r\nUpdatePanelVersion=trelvo\r\n");
    ASSERT_TRUE(rig.Connect());
    TRigBootloader boot(rig.Sim());
    // The common page's reader runs until the test lets it go.
    TformIncl* common = rig.Page("TformCommon");
    const TPageExchange* registered = FindPageExchange(*common);
    const TPageExchange before = registered != nullptr ? *registered : TPageExchange{};
    std::atomic<bool> inside{false}, release{false};
    RegisterPageExchange("TformCommon",
                         {[&](TController&, TformIncl&) {
                              inside = true;
                              while (!release)
                                  std::this_thread::sleep_for(std::chrono::milliseconds(5));
                          },
                          before.Write});
    rig.Main()->ShowPage(common);
    rig.ClickTool("tbtnRead");
    ASSERT_TRUE(PumpUntil([&] { return inside.load(); }, 5000));

    const std::string file = rig.Folder() + "service.hex";
    WriteFile(file, HexFile(8));
    PickFile(rig, file);
    rig.Sim().ClearRecords();
    static_cast<TMenuItem*>(rig.Main()->FindComponent("N4"))->Click();
    SetFileDialogHook({});
    release = true;

    // Nothing was sent, the operator reads why, and the connection goes on.
    EXPECT_TRUE(rig.Sim().UnitLines().empty());
    const std::vector<std::string> log = rig.MemoLines();
    ASSERT_FALSE(log.empty());
    EXPECT_NE(log.back().find("Прошивка не начата: устройство занято выполнением команды."),
              std::string::npos)
        << log.back();
    EXPECT_TRUE(rig.Main()->Connected());
    EXPECT_TRUE(PumpUntil([&] { return rig.ToolEnabled("tbtnRead"); }, 5000));
    RegisterPageExchange("TformCommon", before);
}
