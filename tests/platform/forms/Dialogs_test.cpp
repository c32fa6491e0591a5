// File, colour and font dialogs and message dialogs, answered by their hooks.

#include "FormsTestSupport.h"

#include "platform/forms/Dialogs.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace formstest;

TEST(DialogFilter, ParsesDescriptionAndPatternPairs) {
    auto f = ParseDialogFilter("Файлы настроек|*.ini|Журналы|*.log; *.txt|Все файлы|*.*");
    ASSERT_EQ(f.size(), 3u);
    EXPECT_EQ(f[0].Description, "Файлы настроек");
    EXPECT_EQ(f[0].Patterns, std::vector<std::string>{"*.ini"});
    EXPECT_EQ(f[1].Patterns, (std::vector<std::string>{"*.log", "*.txt"}));
    EXPECT_EQ(f[2].Patterns, std::vector<std::string>{"*.*"});
    EXPECT_TRUE(ParseDialogFilter("").empty());
    // A description without patterns is dropped rather than offered as an empty entry.
    EXPECT_EQ(ParseDialogFilter("Text|*.txt|Broken").size(), 1u);
    EXPECT_TRUE(ParseDialogFilter("Empty|").empty());
}

namespace {
struct FileDialogFixture : ::testing::Test {
    void SetUp() override {
        Boxes().Reset();
        dir = std::filesystem::path(Q4_BINARY_DIR) / "forms-dialogs";
        std::filesystem::create_directories(dir);
        existing = (dir / "present.hex").string();
        std::ofstream(existing) << "x";
        old = SetFileDialogHook([this](const TFileDialogRequest& r) {
            requests.push_back(r);
            TFileDialogAnswer a;
            a.Accepted = accept;
            a.Files = answer;
            a.FilterIndex = 2;
            return a;
        });
    }
    void TearDown() override { SetFileDialogHook(old); }
    std::filesystem::path dir;
    std::string existing;
    TFileDialogHook old;
    std::vector<TFileDialogRequest> requests;
    std::vector<std::string> answer;
    bool accept = true;
};
} // namespace

TEST_F(FileDialogFixture, OpenPassesItsSettingsAndTakesTheAnswer) {
    TOpenDialog dlg(nullptr);
    dlg.SetTitle("Открыть");
    dlg.SetFilter("HEX|*.hex|Все|*.*");
    dlg.SetFilterIndex(1);
    dlg.SetInitialDir(dir.string());
    dlg.SetDefaultExt(".hex");
    dlg.SetOptions({ofFileMustExist});
    answer = {(dir / "present").string()};
    EXPECT_TRUE(dlg.Execute());
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_FALSE(requests[0].Save);
    EXPECT_EQ(requests[0].Title, "Открыть");
    EXPECT_EQ(requests[0].InitialDir, dir.string());
    EXPECT_EQ(requests[0].DefaultExt, "hex");
    EXPECT_EQ(requests[0].Filters.size(), 2u);
    // The default extension completes a name without one.
    EXPECT_EQ(dlg.FileName(), existing);
    EXPECT_EQ(dlg.FilterIndex(), 2);
    EXPECT_EQ(dlg.Files()->Count(), 1);
}

TEST_F(FileDialogFixture, CancelAndMissingFilesLeaveTheNameAlone) {
    TOpenDialog dlg(nullptr);
    dlg.SetFileName("before.hex");
    accept = false;
    answer = {existing};
    EXPECT_FALSE(dlg.Execute());
    EXPECT_EQ(dlg.FileName(), "before.hex");

    accept = true;
    answer = {(dir / "absent.hex").string()};
    dlg.SetOptions({ofFileMustExist});
    EXPECT_FALSE(dlg.Execute());
    EXPECT_EQ(dlg.FileName(), "before.hex");
    ASSERT_EQ(Boxes().Requests.size(), 1u);
    EXPECT_NE(Boxes().Requests[0].Text.find("absent.hex"), std::string::npos);

    // Without the option a new name is fine.
    dlg.SetOptions({});
    EXPECT_TRUE(dlg.Execute());
    EXPECT_EQ(dlg.FileName(), (dir / "absent.hex").string());
}

TEST_F(FileDialogFixture, SaveAsksBeforeReplacingAFile) {
    TSaveDialog dlg(nullptr);
    dlg.SetOptions({ofOverwritePrompt});
    answer = {existing};
    Boxes().Answer = IDNO;
    EXPECT_FALSE(dlg.Execute());
    ASSERT_EQ(Boxes().Requests.size(), 1u);
    EXPECT_EQ(Boxes().Requests[0].Flags & 0xF, MB_YESNO);
    Boxes().Answer = IDYES;
    EXPECT_TRUE(dlg.Execute());
    EXPECT_EQ(dlg.FileName(), existing);
    EXPECT_TRUE(requests.back().Save);
    // A new file needs no question; without the option neither does an old one.
    Boxes().Reset();
    answer = {(dir / "new.hex").string()};
    EXPECT_TRUE(dlg.Execute());
    dlg.SetOptions({});
    answer = {existing};
    EXPECT_TRUE(dlg.Execute());
    EXPECT_TRUE(Boxes().Requests.empty());
}

TEST(ColorAndFontDialogs, HooksChangeTheValueOnlyWhenAccepted) {
    TColorDialog cd(nullptr);
    cd.SetColor(clRed);
    auto oldColor = SetColorDialogHook([](TColor& c) {
        EXPECT_EQ(c, clRed);
        c = clBlue;
        return false;
    });
    EXPECT_FALSE(cd.Execute());
    EXPECT_EQ(cd.Color(), clRed);
    SetColorDialogHook([](TColor& c) {
        c = clBlue;
        return true;
    });
    EXPECT_TRUE(cd.Execute());
    EXPECT_EQ(cd.Color(), clBlue);
    SetColorDialogHook(oldColor);

    TFontDialog fd(nullptr);
    fd.Font()->SetName("Arial");
    auto oldFont = SetFontDialogHook([](TFont& f) {
        f.SetName("Courier New");
        f.SetStyle({fsBold});
        return true;
    });
    EXPECT_TRUE(fd.Execute());
    EXPECT_EQ(fd.Font()->Name(), "Courier New");
    EXPECT_TRUE(fd.Font()->Style().Contains(fsBold));
    SetFontDialogHook(oldFont);
}

TEST(MessageDialogs, HookSeesTypeButtonsAndCaption) {
    std::vector<TMessageDlgRequest> seen;
    auto old = SetMessageDlgHook([&](const TMessageDlgRequest& r) {
        seen.push_back(r);
        return ModalResultOf(mbNo);
    });
    EXPECT_EQ(MessageDlg("Стереть историю?", mtConfirmation, {mbYes, mbNo}), mrNo);
    SetMessageDlgHook(old);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].Text, "Стереть историю?");
    EXPECT_EQ(seen[0].Type, mtConfirmation);
    EXPECT_EQ(seen[0].Caption, "Confirmation");
    EXPECT_TRUE(seen[0].Buttons.Contains(mbYes));
    EXPECT_FALSE(seen[0].Buttons.Contains(mbCancel));

    Boxes().Reset();
    ShowMessage("Чтение настроек завершено");
    ASSERT_EQ(Boxes().Requests.size(), 1u);
    EXPECT_EQ(Boxes().Requests[0].Text, "Чтение настроек завершено");
    EXPECT_EQ(Boxes().Requests[0].Flags, MB_OK);
    EXPECT_EQ(Boxes().Requests[0].Caption, "Forms test");
}
