// The picture editor: a picture without a graphic hides its size and kind and cannot be made
// transparent; browsing loads a file and clearing empties it; filtered pictures show their
// filtered look; the font editor's picture page edits the font's picture.

#include "chart/draw/PlotFont.h"
#include "chart/editors/BackImageEditor.h"
#include "chart/editors/EditorRoutines.h"
#include "chart/editors/FontEditor.h"
#include "chart/imaging/PlotFilter.h"
#include "chart/panel/BackImage.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Picture.h"
#include "platform/stdctrls/Button.h"
#include "platform/stdctrls/CheckBox.h"
#include "platform/stdctrls/GroupBox.h"
#include "platform/stdctrls/Image.h"
#include "platform/stdctrls/Label.h"
#include "platform/stdctrls/PageControl.h"
#include "platform/stdctrls/RadioGroup.h"
#include "platform/stdctrls/SpinEdit.h"
#include "tests/chart/editors/EditorTestSupport.h"
#include "tests/support/TestTempPath.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <utility>

namespace {

template <class T> T* Part(TCustomForm* form, const char* name) {
    return FormPart<T>(form, name);
}

struct BackImageTest : ::testing::Test {
    BackImageTest() {
        host = new TForm(nullptr);
        host->SetBounds(0, 0, 280, 230);
        pages = new TPageControl(host);
        pages->SetParent(host);
        pages->SetAlign(alClient);
        sheet = new TTabSheet(host);
        sheet->SetCaption("Picture");
        sheet->SetPageControl(pages);
        host->Show();
        dir = TestTempPath("back-image");
        std::filesystem::create_directories(dir);
        TBitmap bitmap(40, 30, pf24bit);
        bitmap.Canvas()->Brush()->SetColor(RGB(20, 120, 220));
        bitmap.Canvas()->FillRect(Rect(0, 0, 40, 30));
        bitmap.SaveToFile(dir + "/blue.bmp");
        old = SetFileDialogHook([this](const TFileDialogRequest&) {
            TFileDialogAnswer a;
            a.Accepted = true;
            a.Files = {dir + "/blue.bmp"};
            return a;
        });
    }
    ~BackImageTest() override {
        SetFileDialogHook(old);
        host->Free();
        std::filesystem::remove_all(dir);
    }
    TForm* host;
    TPageControl* pages;
    TTabSheet* sheet;
    std::string dir;
    TFileDialogHook old;
};

} // namespace

TEST_F(BackImageTest, BrowsingLoadsAndClearingEmpties) {
    TPlotPicture picture;
    TBackImageEditor* editor = EmbedBackImageEditor(sheet);
    editor->LoadBackImage(&picture);
    EXPECT_FALSE(Part<TLabel>(editor, "LabelSize")->Visible());
    EXPECT_FALSE(Part<TLabel>(editor, "LabelExt")->Visible());
    EXPECT_FALSE(Part<TCheckBox>(editor, "CBTransp")->Enabled());
    EXPECT_EQ(Part<TButton>(editor, "BBrowse")->Caption(), "B&rowse...");
    edtest::ClickControl(Part<TButton>(editor, "BBrowse"));
    ASSERT_NE(picture.Graphic(), nullptr);
    EXPECT_EQ(Part<TLabel>(editor, "LabelSize")->Caption(), "40x30");
    EXPECT_EQ(Part<TLabel>(editor, "LabelExt")->Caption(), "bmp");
    EXPECT_TRUE(Part<TCheckBox>(editor, "CBTransp")->Enabled());
    EXPECT_EQ(Part<TButton>(editor, "BBrowse")->Caption(), "Clea&r");
    edtest::ClickControl(Part<TCheckBox>(editor, "CBTransp"));
    EXPECT_TRUE(picture.Graphic()->Transparent());
    edtest::Shoot(host, "picture-editor");
    edtest::ClickControl(Part<TButton>(editor, "BBrowse"));
    EXPECT_EQ(picture.Graphic(), nullptr);
    EXPECT_FALSE(Part<TLabel>(editor, "LabelSize")->Visible());
}

// A back image also has its drawing style and, in the custom style only, its position; other
// pictures show neither, and without a graphic the style is off.
TEST_F(BackImageTest, ABackImagesStyleAndPosition) {
    TBackImage back;
    back.SetMode(pbmCenter);
    back.SetLeft(12);
    TBackImageEditor* editor = EmbedBackImageEditor(sheet);
    editor->LoadBackImage(&back);
    auto* style = Part<TRadioGroup>(editor, "RGBitmap");
    EXPECT_TRUE(style->Visible());
    EXPECT_TRUE(Part<TGroupBox>(editor, "GBPosition")->Visible());
    EXPECT_FALSE(style->Enabled()) << "no graphic yet";
    EXPECT_EQ(style->ItemIndex(), 2);
    EXPECT_EQ(Part<TSpinEdit>(editor, "ELeft")->Value(), 12);
    EXPECT_EQ(back.Mode(), pbmCenter) << "loading writes nothing";

    back.LoadFromFile(dir + "/blue.bmp");
    editor->LoadBackImage(&back);
    EXPECT_TRUE(style->Enabled());
    EXPECT_FALSE(Part<TSpinEdit>(editor, "ELeft")->Enabled()) << "centred: no position";
    edtest::ClickControl(style->Buttons(3));
    EXPECT_EQ(back.Mode(), pbmCustom);
    EXPECT_TRUE(Part<TSpinEdit>(editor, "ELeft")->Enabled());
    EXPECT_TRUE(Part<TSpinEdit>(editor, "ETop")->Enabled());
    edtest::TypeInto(Part<TSpinEdit>(editor, "ELeft"), "30");
    edtest::TypeInto(Part<TSpinEdit>(editor, "ETop"), "45");
    EXPECT_EQ(back.Left(), 30);
    EXPECT_EQ(back.Top(), 45);
    edtest::Shoot(host, "picture-editor-back-image");
    edtest::ClickControl(style->Buttons(1));
    EXPECT_EQ(back.Mode(), pbmTile);
    EXPECT_FALSE(Part<TSpinEdit>(editor, "ETop")->Enabled());

    TPlotPicture plain;
    editor->LoadBackImage(&plain);
    EXPECT_FALSE(style->Visible());
    EXPECT_FALSE(Part<TGroupBox>(editor, "GBPosition")->Visible());
}

TEST_F(BackImageTest, AFilteredPictureShowsItsFilteredLook) {
    TPlotPicture picture;
    picture.LoadFromFile(dir + "/blue.bmp");
    picture.Filters()->Add<TBlurFilter>();
    TBackImageEditor* editor = EmbedBackImageEditor(sheet);
    editor->LoadBackImage(&picture);
    TGraphic* shown = Part<TImage>(editor, "Image1")->Picture()->Graphic();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->Width(), 40);
    // Without a filters editor to run, its button stays off.
    auto installed = std::exchange(TBackImageEditor::FiltersEditorHook(), nullptr);
    editor->LoadBackImage(&picture);
    EXPECT_FALSE(Part<TButton>(editor, "Button1")->Enabled());
    int runs = 0;
    TBackImageEditor::FiltersEditorHook() = [&](TComponent*, TPicture* p) {
        EXPECT_EQ(p, &picture);
        ++runs;
        return true;
    };
    editor->LoadBackImage(&picture);
    EXPECT_TRUE(Part<TButton>(editor, "Button1")->Enabled());
    edtest::ClickControl(Part<TButton>(editor, "Button1"));
    EXPECT_EQ(runs, 1);
    TBackImageEditor::FiltersEditorHook() = installed;
}

TEST_F(BackImageTest, TheFontEditorsPicturePageEditsTheFontsPicture) {
    TPlotFont font;
    TPlotFontEditor* fontEditor = EmbedFontEditor(sheet);
    fontEditor->LoadFont(&font);
    auto* own = Part<TPageControl>(fontEditor, "PageControl1");
    edtest::ClickTab(own, 4);
    ASSERT_NE(fontEditor->PictureEditor(), nullptr);
    EXPECT_EQ(fontEditor->PictureEditor()->Picture(), font.Picture());
    edtest::ClickControl(Part<TButton>(fontEditor->PictureEditor(), "BBrowse"));
    ASSERT_NE(font.Picture()->Graphic(), nullptr);
    EXPECT_EQ(font.Picture()->Width(), 40);
    edtest::Shoot(host, "font-editor-picture");
}
