#include "StorageTestSupport.h"

#include "platform/forms/WindowPlacement.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/IniFiles.h"

#include <QWidget>

namespace {

using namespace storagetest;

class FrFormStateTest : public StorageTest {
protected:
    template <class T> T* Open() {
        T* form = TCustomForm::Create<T>(nullptr);
        form->Show();
        Settle();
        return form;
    }
    static void CloseAndFree(TCustomForm* form) {
        form->Close();
        form->Free();
    }
    std::string IniFile() const { return programFolder_ + "windows.ini"; }
};

TEST_F(FrFormStateTest, PlacementComesBackOnTheNextRun) {
    // First run: nothing saved, the form keeps its own rule (centred).
    auto* form = Open<TPlacementForm>();
    EXPECT_EQ(form->Creates, 1);
    EXPECT_EQ(form->Shows, 1);
    const TRect area = Screen->WorkAreaRect();
    EXPECT_EQ(form->Left(), area.Left + (area.Width() - 400) / 2);
    form->SetBounds(120, 90, 500, 350); // moved and resized
    Settle();
    form->SetWindowState(wsMaximized);
    Settle();
    ASSERT_TRUE(form->Handle()->isMaximized());
    CloseAndFree(form);
    EXPECT_EQ(ConfigParserSection(IniFile(), "formMainFormState"),
              "Maximized=1\nLeft=120\nTop=90\nRight=620\nBottom=440\nSaved=1\n");

    // Second run: maximised again, and back at the same place when restored.
    form = Open<TPlacementForm>();
    EXPECT_EQ(form->Creates, 1);
    EXPECT_EQ(form->Position(), poDesigned);
    EXPECT_TRUE(form->Handle()->isMaximized());
    EXPECT_EQ(GetWindowPlacement(form).NormalPosition, Rect(120, 90, 620, 440));
    form->SetWindowState(wsNormal);
    Settle();
    EXPECT_EQ(form->BoundsRect(), Rect(120, 90, 620, 440));
    CloseAndFree(form);
    EXPECT_EQ(ConfigParserSection(IniFile(), "formMainFormState"),
              "Maximized=0\nLeft=120\nTop=90\nRight=620\nBottom=440\nSaved=1\n");

    // Third run: not maximised, exactly where it was left.
    form = Open<TPlacementForm>();
    EXPECT_FALSE(form->Handle()->isMaximized());
    EXPECT_EQ(form->BoundsRect(), Rect(120, 90, 620, 440));
    EXPECT_EQ(form->Handle()->geometry(), QRect(120, 90, 500, 350));
    CloseAndFree(form);
    EXPECT_TRUE(Record().Dialogs.empty());
}

TEST_F(FrFormStateTest, APositionOnNoMonitorComesBackOnTheScreen) {
    WriteFileAtomic(IniFile(), "[formMainFormState]\r\nMaximized=0\r\nLeft=-5000\r\nTop=-4000\r\n"
                               "Right=-4600\r\nBottom=-3700\r\nSaved=1\r\n");
    auto* form = Open<TPlacementForm>();
    EXPECT_EQ(form->BoundsRect(), Rect(0, 0, 400, 300));
    CloseAndFree(form);
    // A position on a monitor stays where it is.
    WriteFileAtomic(IniFile(), "[formMainFormState]\r\nLeft=30\r\nTop=40\r\nRight=330\r\n"
                               "Bottom=240\r\nSaved=1\r\n");
    form = Open<TPlacementForm>();
    EXPECT_EQ(form->BoundsRect(), Rect(30, 40, 330, 240));
    CloseAndFree(form);
}

TEST_F(FrFormStateTest, ADialogFormKeepsItsSize) {
    WriteFileAtomic(IniFile(), "[DialogFormFormState]\r\nLeft=50\r\nTop=60\r\nRight=900\r\n"
                               "Bottom=900\r\nSaved=1\r\n");
    auto* form = Open<TDialogPlacementForm>();
    EXPECT_EQ(form->BoundsRect(), Rect(50, 60, 350, 260));
    CloseAndFree(form);
    EXPECT_EQ(ConfigParserSection(IniFile(), "DialogFormFormState"),
              "Left=50\nTop=60\nRight=900\nBottom=900\nSaved=1\nMaximized=0\n");
}

TEST_F(FrFormStateTest, DisabledStorageStillRunsTheFormsHandlers) {
    auto* form = TCustomForm::Create<TPlacementForm>(nullptr);
    form->State()->SetEnabled(false);
    form->Show();
    Settle();
    form->Close();
    EXPECT_EQ(form->Creates, 1);
    EXPECT_EQ(form->Shows, 1);
    EXPECT_EQ(form->Closes, 1);
    form->Free();
    EXPECT_FALSE(FileExists(IniFile()));
}

TEST_F(FrFormStateTest, WithoutStorageTheFormIsStillCreated) {
    auto* form = Open<TUnstoredPlacementForm>();
    EXPECT_EQ(form->Creates, 1); // the form's own create handler ran
    EXPECT_EQ(form->Shows, 1);
    form->Close();
    EXPECT_EQ(form->Closes, 1);
    form->Free();
    EXPECT_EQ(
        Record().Dialogs,
        (std::vector<std::string>{"Cannot restore Form State--No TFrRegIniFile component specified",
                                  "Cannot restore Form State--No TFrRegIniFile component specified",
                                  "Cannot save Form State--No TFrRegIniFile component specified"}));
}

TEST_F(FrFormStateTest, AFailedSaveIsShownAndTheFileIsLeftAlone) {
    auto* form = Open<TPlacementForm>();
    // The settings file's place is taken by a folder: every write fails.
    ForceDirectories(IniFile());
    int saved = 0;
    form->State()->OnSaveState = [&](TObject*) { ++saved; };
    form->Close();
    EXPECT_EQ(form->Closes, 1);
    EXPECT_EQ(saved, 1);
    form->Free();
    ASSERT_EQ(Record().Dialogs.size(), 1u);
    EXPECT_NE(Record().Dialogs[0].find("windows.ini"), std::string::npos) << Record().Dialogs[0];
    ASSERT_FALSE(Record().Diagnostics.empty());
    EXPECT_NE(Record().Diagnostics.back().find("window placement not saved"), std::string::npos);
    EXPECT_TRUE(DirectoryExists(IniFile()));
}

TEST_F(FrFormStateTest, SectionNames) {
    auto* form = TCustomForm::Create<TPlacementForm>(nullptr);
    EXPECT_EQ(form->State()->SectionName(), "formMainFormState");
    form->State()->SetSection("Main");
    EXPECT_EQ(form->State()->SectionName(), "Main");
    form->Free();
    TFrFormState loose(nullptr);
    EXPECT_EQ(loose.SectionName(), "FormState");
}

} // namespace
