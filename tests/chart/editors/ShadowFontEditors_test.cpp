// The shadow and font editors: sizes follow visibility, the lightness slider, smoothing, the
// embedded shadow page leaving the colour exactly as it was, a font name that is not listed kept,
// styles added one by one, lazy pages, and Cancel of the font dialog.

#include "chart/draw/Gradient.h"
#include "chart/draw/PlotFont.h"
#include "chart/draw/Shadow.h"
#include "chart/editors/BackImageEditor.h"
#include "chart/editors/ButtonColor.h"
#include "chart/editors/EditorRoutines.h"
#include "chart/editors/FontEditor.h"
#include "chart/editors/GradientEditor.h"
#include "chart/editors/ShadowEditor.h"
#include "chart/editors/ShapeEditor.h"
#include "chart/panel/PlotShape.h"
#include "platform/graphics/ColorHls.h"
#include "platform/stdctrls/Button.h"
#include "platform/stdctrls/CheckBox.h"
#include "platform/stdctrls/ComboBox.h"
#include "platform/stdctrls/PageControl.h"
#include "platform/stdctrls/ScrollBar.h"
#include "platform/stdctrls/SpinEdit.h"
#include "platform/stdctrls/TrackBar.h"
#include "tests/chart/editors/EditorTestSupport.h"

#include <gtest/gtest.h>

#include <random>

namespace {

template <class T> T* Part(TCustomForm* form, const char* name) {
    return FormPart<T>(form, name);
}

} // namespace

TEST(ShadowEditor, SizesFollowVisibilityAndSmoothingItsOptions) {
    TPlotShadow shadow;
    shadow.SetVisible(false);
    shadow.SetSmooth(false);
    shadow.SetColor(RGB(40, 80, 160));
    auto* editor = TCustomForm::Create<TPlotShadowEditor>(nullptr);
    editor->SetShadow(&shadow);
    edtest::RunModal(editor, [&](TCustomForm* f) {
        EXPECT_FALSE(Part<TSpinEdit>(f, "Edit1")->Enabled());
        EXPECT_FALSE(Part<TSpinEdit>(f, "EVertSize")->Enabled());
        EXPECT_FALSE(Part<TTrackBar>(f, "TBBlur")->Enabled());
        EXPECT_FALSE(Part<TCheckBox>(f, "CBClip")->Enabled());
        edtest::ClickControl(Part<TCheckBox>(f, "CBVisible"));
        EXPECT_TRUE(shadow.Visible());
        EXPECT_TRUE(Part<TSpinEdit>(f, "Edit1")->Enabled());
        edtest::TypeInto(Part<TSpinEdit>(f, "Edit1"), "7");
        edtest::TypeInto(Part<TSpinEdit>(f, "EVertSize"), "-3");
        edtest::TypeInto(Part<TSpinEdit>(f, "EShadowTransp"), "40");
        EXPECT_EQ(shadow.HorizSize(), 7);
        EXPECT_EQ(shadow.VertSize(), -3);
        EXPECT_EQ(shadow.Transparency(), 40);
        edtest::ClickControl(Part<TCheckBox>(f, "CBSmooth"));
        EXPECT_TRUE(shadow.Smooth());
        EXPECT_TRUE(Part<TTrackBar>(f, "TBBlur")->Enabled());
        edtest::ClickControl(Part<TCheckBox>(f, "CBClip"));
        EXPECT_TRUE(shadow.Clip());
        // Lightness 0 is black whatever the hue; a chosen colour leaves the slider alone.
        auto* lightness = Part<TTrackBar>(f, "TBColor");
        lightness->SetPosition(0);
        EXPECT_EQ(shadow.Color(), clBlack);
        edtest::PickColor(RGB(200, 200, 40));
        edtest::ClickControl(Part<TButtonColor>(f, "BShadowColor"));
        edtest::PickColor(clNone);
        EXPECT_EQ(shadow.Color(), RGB(200, 200, 40));
        EXPECT_EQ(lightness->Position(), 0);
        lightness->SetPosition(120);
        const THlsColor hls = ColorRGBToHLS(RGB(200, 200, 40));
        EXPECT_EQ(shadow.Color(), ColorHLSToRGB(hls.Hue, 120, hls.Saturation));
        edtest::Shoot(f, "shadow-editor");
        edtest::ClickControl(Part<TButton>(f, "BOK"));
        EXPECT_EQ(f->ModalResult(), mrCancel);
    });
    editor->Free();
}

// Opening a shadow page, on its own or as the font's or the framed shape's "Shadow" page, shows
// the colour without building it again from the slider's coarser scale.
TEST(ShadowEditor, OpeningTheEmbeddedPageLeavesTheColourBitIdentical) {
    std::mt19937 random(20261211);
    for (int i = 0; i < 50; ++i) {
        const TColor color = static_cast<TColor>(random() & 0xFFFFFF);
        TForm* host = new TForm(nullptr);
        host->SetBounds(0, 0, 320, 280);
        auto* pages = new TPageControl(host);
        pages->SetParent(host);
        pages->SetAlign(alClient);
        auto* sheet = new TTabSheet(host);
        sheet->SetPageControl(pages);
        host->Show();

        TPlotShadow shadow;
        shadow.SetColor(color);
        int changes = 0;
        shadow.OnChange = [&](TObject*) { ++changes; };
        TPlotShadowEditor* alone = EmbedShadowEditor(sheet);
        alone->LoadShadow(&shadow);
        EXPECT_EQ(shadow.Color(), color) << i;
        EXPECT_EQ(changes, 0) << i;
        EXPECT_FALSE(Part<TButton>(alone, "BOK")->Visible());

        TPlotFont font;
        font.Shadow()->SetColor(color);
        auto* fontSheet = new TTabSheet(host);
        fontSheet->SetPageControl(pages);
        pages->SetActivePage(fontSheet);
        TPlotFontEditor* fontEditor = EmbedFontEditor(fontSheet);
        fontEditor->LoadFont(&font);
        edtest::ClickTab(Part<TPageControl>(fontEditor, "PageControl1"), 2);
        ASSERT_NE(fontEditor->ShadowEditor(), nullptr);
        EXPECT_EQ(font.Shadow()->Color(), color) << "font page " << i;

        TPlotShape shape(nullptr);
        shape.Shadow()->SetColor(color);
        auto* shapePages = new TPageControl(host);
        shapePages->SetParent(host);
        shapePages->SetBounds(0, 0, 320, 280);
        shapePages->BringToFront();
        TFormPlotShape* shapeEditor = EmbedShapePages(shapePages, &shape);
        edtest::ClickTab(shapePages, 4);
        ASSERT_NE(shapeEditor->ShadowEditor(), nullptr);
        EXPECT_EQ(shape.Shadow()->Color(), color) << "shape page " << i;
        host->Free();
    }
}

TEST(ColorHls, RoundTripsAndGreys) {
    const THlsColor red = ColorRGBToHLS(clRed);
    EXPECT_EQ(red.Hue, 0);
    EXPECT_EQ(red.Lightness, 120);
    EXPECT_EQ(red.Saturation, 240);
    EXPECT_EQ(ColorHLSToRGB(0, 120, 240), clRed);
    EXPECT_EQ(ColorRGBToHLS(clGray).Saturation, 0);
    EXPECT_EQ(ColorRGBToHLS(clGray).Hue, 160);
    for (int hue : {0, 40, 80, 160, 239})
        EXPECT_EQ(ColorHLSToRGB(hue, 0, 240), clBlack) << hue;
    EXPECT_EQ(ColorHLSToRGB(80, 240, 100), clWhite);
}

struct FontEditorTest : ::testing::Test {
    FontEditorTest() {
        font.SetName("No Such Family");
        font.SetSize(10);
        font.SetStyle({fsItalic});
        host = new TForm(nullptr);
        host->SetBounds(0, 0, 320, 300);
        pages = new TPageControl(host);
        pages->SetParent(host);
        pages->SetAlign(alClient);
        sheet = new TTabSheet(host);
        sheet->SetCaption("Text");
        sheet->SetPageControl(pages);
        host->Show();
    }
    ~FontEditorTest() override { host->Free(); }
    TPlotFont font;
    TForm* host;
    TPageControl* pages;
    TTabSheet* sheet;
};

TEST_F(FontEditorTest, AnUnlistedNameIsKeptAndStylesAddUp) {
    TPlotFontEditor* editor = EmbedFontEditor(sheet);
    editor->LoadFont(&font);
    auto* name = Part<TComboBox>(editor, "CBName");
    EXPECT_GT(name->Items()->Count(), 0);
    EXPECT_EQ(name->ItemIndex(), -1);
    EXPECT_EQ(font.Name(), "No Such Family");
    EXPECT_TRUE(Part<TCheckBox>(editor, "CBItalic")->Checked());
    edtest::ClickControl(Part<TCheckBox>(editor, "CBBold"));
    EXPECT_EQ(font.Style(), (TFontStyles{fsBold, fsItalic}));
    edtest::ClickControl(Part<TCheckBox>(editor, "CBItalic"));
    EXPECT_EQ(font.Style(), (TFontStyles{fsBold}));
    edtest::TypeInto(Part<TSpinEdit>(editor, "ESize"), "14");
    EXPECT_EQ(font.Size(), 14);
    edtest::TypeInto(Part<TSpinEdit>(editor, "EInter"), "-2");
    EXPECT_EQ(font.InterCharSize(), -2);
    edtest::ChooseItem(name, 0);
    EXPECT_EQ(font.Name(), name->Items()->Get(0));
    edtest::ClickControl(Part<TCheckBox>(editor, "CBOutGrad"));
    EXPECT_TRUE(font.Gradient()->Outline());
    edtest::Shoot(host, "font-editor");
}

TEST_F(FontEditorTest, ShadowAndGradientPagesAreMadeWhenFirstOpened) {
    font.Shadow()->SetColor(RGB(12, 34, 56));
    TPlotFontEditor* editor = EmbedFontEditor(sheet);
    editor->LoadFont(&font);
    auto* own = Part<TPageControl>(editor, "PageControl1");
    EXPECT_EQ(editor->ShadowEditor(), nullptr);
    EXPECT_EQ(editor->GradientEditor(), nullptr);
    edtest::ClickTab(own, 2);
    ASSERT_NE(editor->ShadowEditor(), nullptr);
    EXPECT_EQ(editor->ShadowEditor()->Shadow(), font.Shadow());
    EXPECT_EQ(font.Shadow()->Color(), RGB(12, 34, 56));
    edtest::Shoot(host, "font-editor-shadow");
    edtest::ClickTab(own, 3);
    ASSERT_NE(editor->GradientEditor(), nullptr);
    EXPECT_EQ(editor->GradientEditor()->Gradient, font.Gradient());
    edtest::Shoot(host, "font-editor-gradient");
    // Another font moves the embedded editors with it.
    TPlotFont other;
    editor->LoadFont(&other);
    EXPECT_EQ(editor->ShadowEditor()->Shadow(), other.Shadow());
    EXPECT_EQ(editor->GradientEditor()->Gradient, other.Gradient());
}

TEST(FontEditor, TheDialogsCancelPutsTheFontBackAndItsEditButtonUsesTheFontDialog) {
    for (bool closeBox : {false, true}) {
        TPlotFont font;
        font.SetSize(9);
        font.SetColor(clNavy);
        TForm* owner = new TForm(nullptr);
        TModalHook old = SetModalHook([&](TCustomForm* f) {
            edtest::TypeInto(Part<TSpinEdit>(f, "ESize"), "20");
            edtest::PickFont([](TFont& chosen) { chosen.SetColor(clRed); });
            edtest::ClickControl(Part<TButton>(f, "Button3"));
            edtest::PickFont(nullptr);
            EXPECT_EQ(font.Color(), clRed);
            EXPECT_EQ(font.Size(), 20);
            if (closeBox)
                f->Close();
            else
                edtest::ClickControl(Part<TButton>(f, "BCancel"));
        });
        EXPECT_FALSE(RunFontEditor(owner, &font));
        SetModalHook(old);
        EXPECT_EQ(font.Size(), 9) << closeBox;
        EXPECT_EQ(font.Color(), clNavy) << closeBox;
        owner->Free();
    }
}

// Cancel frees the shadow, picture and sub-gradient the font had not before; their pages let go
// of them.
TEST(FontEditor, CancelLetsThePagesGoOfWhatTheFontHadNot) {
    TPlotFont font;
    ASSERT_EQ(font.ShadowIfAny(), nullptr);
    ASSERT_EQ(font.PictureIfAny(), nullptr);
    TForm* owner = new TForm(nullptr);
    TModalHook old = SetModalHook([&](TCustomForm* f) {
        auto* editor = static_cast<TPlotFontEditor*>(f);
        auto* pages = Part<TPageControl>(f, "PageControl1");
        edtest::ClickTab(pages, 2);
        ASSERT_NE(editor->ShadowEditor(), nullptr);
        auto* color = Part<TButtonColor>(editor->ShadowEditor(), "BShadowColor");
        EXPECT_EQ(color->LinkedObject(), font.ShadowIfAny());
        edtest::ClickTab(pages, 3);
        ASSERT_NE(editor->GradientEditor(), nullptr);
        Part<TScrollBar>(editor->GradientEditor(), "SBTransp")->SetPosition(30);
        ASSERT_NE(font.Gradient()->SubGradientIfAny(), nullptr);
        auto* subEdit = Part<TButtonGradient>(editor->GradientEditor(), "BSubEdit");
        EXPECT_EQ(subEdit->LinkedGradient(), font.Gradient()->SubGradientIfAny());
        edtest::ClickTab(pages, 4);
        ASSERT_NE(editor->PictureEditor(), nullptr);
        EXPECT_NE(font.PictureIfAny(), nullptr);
        edtest::ClickControl(Part<TButton>(f, "BCancel"));
        EXPECT_EQ(font.Gradient()->SubGradientIfAny(), nullptr);
        EXPECT_EQ(subEdit->LinkedGradient(), nullptr);
        EXPECT_EQ(font.ShadowIfAny(), nullptr);
        EXPECT_EQ(font.PictureIfAny(), nullptr);
        EXPECT_EQ(color->LinkedObject(), nullptr);
        EXPECT_EQ(editor->ShadowEditor()->Shadow(), nullptr);
        EXPECT_EQ(editor->PictureEditor()->Picture(), nullptr);
    });
    EXPECT_FALSE(RunFontEditor(owner, &font));
    SetModalHook(old);
    owner->Free();
}
