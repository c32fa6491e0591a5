#include "app/firmware/FormUpdateInsertion.h"
#include "app/firmware/ServiceFlashing.h"

#include "controls/buttons/FrDialogButtons.h"
#include "controls/progress/FrProgressBar.h"
#include "platform/forms/Dialogs.h"
#include "platform/graphics/Snapshot_p.h"
#include "platform/stdctrls/Grids.h"
#include "platform/stdctrls/Label.h"
#include "tests/app/firmware/FakeHosts.h"
#include "tests/app/firmware/FirmwareTestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QWidget>

#include <string>
#include <vector>

namespace {

using fwtest::kEnd;
using fwtest::Record;

class ServiceFlashingTest : public ::testing::Test {
protected:
    void SetUp() override {
        window = new TForm(nullptr);
        bar = new TFrProgressBar(window);
        bar->SetParent(window);
        host.link = &rig.Link();
        folder = fwtest::TempFolder();
    }
    void TearDown() override {
        SetFileDialogHook({});
        SetModalHook({});
        window->Free();
    }
    std::string File(const std::string& name, const std::string& text) {
        const std::string path = folder + "/" + name;
        fwtest::WriteFile(path, text);
        return path;
    }
    // The menu item with the operator picking `path` and pressing OK (or, when OK stays
    // disabled, Cancel).
    bool RunPicking(const std::string& path) {
        SetFileDialogHook([path](const TFileDialogRequest&) {
            TFileDialogAnswer answer;
            answer.Accepted = true;
            answer.Files = {path};
            return answer;
        });
        SetModalHook([](TCustomForm* form) {
            auto* dialog = static_cast<TformUpdateInsertion*>(form);
            dialog->FindComponent("FrBitBtn1") != nullptr
                ? static_cast<TControl*>(dialog->FindComponent("FrBitBtn1"))->Click()
                : void();
            auto* buttons =
                static_cast<TFrDialogButtons*>(dialog->FindComponent("FrDialogButtons1"));
            form->SetModalResult(buttons->ButtonEnabled(1) ? mrOk : mrCancel);
        });
        return flashing.Run(nullptr);
    }

    fwtest::TFlashRig rig;
    TForm* window = nullptr;
    TFrProgressBar* bar = nullptr;
    fwtest::TFakeServiceHost host{nullptr};
    TServiceFlashing flashing{host, &rig.Clock()};
    std::string folder;
};

TEST_F(ServiceFlashingTest, TheDialogShowsTheFileAsSixteenByteLines) {
    auto* dialog = TCustomForm::Create<TformUpdateInsertion>(nullptr);
    TStringGrid* grid = dialog->Grid();
    EXPECT_EQ(grid->RowCount(), 9);
    EXPECT_EQ(grid->ColCount(), 17);
    EXPECT_EQ(grid->Cells(1, 0), "00");
    EXPECT_EQ(grid->Cells(16, 0), "0F");

    dialog->LoadHexFile(File("lines.hex", fwtest::LinesFile(128))); // 0000 to 07FF
    EXPECT_TRUE(dialog->FileLoaded());
    EXPECT_EQ(grid->RowCount(), 129);
    EXPECT_EQ(grid->Cells(0, 1), "0000");
    EXPECT_EQ(grid->Cells(0, 128), "007F");
    char pair[3];
    std::snprintf(pair, sizeof pair, "%02X", fwtest::LinesByte(0x7F * 16 + 15));
    EXPECT_EQ(grid->Cells(16, 128), pair);
    dialog->Show();
    QDir().mkpath(QStringLiteral(Q4_BINARY_DIR "/app-snapshots"));
    Application->ProcessMessages();
    EXPECT_FALSE(SaveSnapshot(dialog->Handle()->grab().toImage(),
                              Q4_BINARY_DIR "/app-snapshots/service-flashing-loaded.png")
                     .empty());

    // A bad check byte on line 5: the four lines before it are shown, OK stays disabled and the
    // dialog says where and why.
    std::string text = fwtest::LinesFile(20);
    const size_t line5 = text.find(":10004000");
    text[line5 + 41] = text[line5 + 41] == '0' ? '1' : '0';
    dialog->LoadHexFile(File("bad.hex", text));
    EXPECT_FALSE(dialog->FileLoaded());
    EXPECT_EQ(grid->RowCount(), 9);
    EXPECT_EQ(grid->Cells(0, 4), "0003");
    EXPECT_EQ(grid->Cells(0, 5), "");
    const std::string state = static_cast<TLabel*>(dialog->FindComponent("lbLoadState"))->Caption();
    EXPECT_NE(state.find("строке 5"), std::string::npos) << state;
    EXPECT_FALSE(static_cast<TFrDialogButtons*>(dialog->FindComponent("FrDialogButtons1"))
                     ->ButtonEnabled(1));
    Application->ProcessMessages();
    EXPECT_FALSE(SaveSnapshot(dialog->Handle()->grab().toImage(),
                              Q4_BINARY_DIR "/app-snapshots/service-flashing-refused.png")
                     .empty());
    dialog->Free();
}

TEST_F(ServiceFlashingTest, AFileReadWholeIsFlashedAfterTheWorkerPausedAndTheLinkEnds) {
    host.bar = bar;
    const std::string text = fwtest::LinesFile(20); // 3 blocks, the last padded with "FF"
    host.calls.clear();
    rig.Sim().ClearRecords();
    ASSERT_TRUE(RunPicking(File("twenty.hex", text)));
    EXPECT_TRUE(flashing.LastResult().Ok());
    EXPECT_EQ(host.calls, (std::vector<std::string>{"pause", "disable", "enable", "disconnect"}));
    EXPECT_TRUE(host.log.empty());
    EXPECT_EQ(bar->TotalParts(), 20u / 8 + 103);
    EXPECT_EQ(bar->Percent(), 100);
    const std::vector<uint8_t> flash = rig.Flash();
    for (uint32_t a = 0; a < 0x180; ++a)
        ASSERT_EQ(flash[a], a < 320 ? fwtest::LinesByte(a) : 0xFF) << a;
    std::vector<std::string> writes;
    for (const std::string& line : rig.Lines())
        if (line.rfind("+W", 0) == 0)
            writes.push_back(line);
    ASSERT_EQ(writes.size(), 3u);
    EXPECT_EQ(writes[2].substr(0, 7), "+W0010:");
    EXPECT_EQ(writes[2].substr(7 + 128, 128), std::string(128, 'F'));
    EXPECT_FALSE(flashing.Running());
}

TEST_F(ServiceFlashingTest, ABadFileNeverReachesTheBootloader) {
    const std::string good = fwtest::LinesFile(4);
    std::string badCheck = good;
    badCheck[good.find(":10001000") + 41] ^= 1;
    const std::vector<std::pair<const char*, std::string>> files = {
        {"truncated.hex", good.substr(0, good.find(kEnd))},
        {"misaligned.hex", Record(0, 0, std::vector<uint8_t>(16, 1)) + "\n" +
                               Record(0, 8, std::vector<uint8_t>(16, 2)) + "\n" + kEnd},
        {"check-byte.hex", badCheck},
        {"empty.hex", ""},
        {"only-end.hex", kEnd + "\n"},
    };
    for (const auto& [name, text] : files) {
        EXPECT_FALSE(RunPicking(File(name, text))) << name;
        EXPECT_TRUE(host.calls.empty()) << name;
    }
    EXPECT_TRUE(rig.Lines().empty());
    // Not connected, or no file: nothing either.
    host.connected = false;
    TFirmwareImage image;
    image.Put(0, 1);
    EXPECT_FALSE(flashing.Flash(image, 9));
    host.connected = true;
    EXPECT_FALSE(flashing.Flash(TFirmwareImage(), 9));
    // A worker that does not hold off in time: nothing is sent, the link stays.
    host.workerHoldsOff = false;
    EXPECT_FALSE(flashing.Flash(image, 9));
    EXPECT_EQ(host.calls, std::vector<std::string>{"pause"});
    EXPECT_TRUE(rig.Lines().empty());
}

TEST_F(ServiceFlashingTest, EachFailedStepLogsItsOwnLineAndTheLinkStillEnds) {
    struct Case {
        std::function<void(TSimBootloader&)> fault;
        const char* line;
    };
    const std::string head = "ОШИБКА! Прошивка не обновлена! ";
    for (const Case& c : {
             Case{[](TSimBootloader& b) { b.Faults().NoAnswer = true; },
                  "Не удалось активировать загрузчик."},
             Case{[](TSimBootloader& b) { b.Faults().EraseError = true; },
                  "Не удалось стереть содержимое флэш."},
             Case{[](TSimBootloader& b) { b.Faults().ErrorBlock = 0x08; },
                  "Не удалось записать строку из файла прошивки."},
         }) {
        rig.Boot([&](TSimBootloader& b) {
            b.Faults() = TBootFaults();
            c.fault(b);
        });
        host.connected = true;
        host.calls.clear();
        host.log.clear();
        TFirmwareImage image;
        for (uint32_t a = 0; a < 300; ++a)
            image.Put(a, static_cast<uint8_t>(a));
        EXPECT_TRUE(flashing.Flash(image, 20));
        EXPECT_EQ(host.log, std::vector<std::string>{head + c.line});
        EXPECT_EQ(host.calls.back(), "disconnect");
    }
}

} // namespace
