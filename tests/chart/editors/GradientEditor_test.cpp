// The gradient editor: presets from the sorted list, the middle colour switch, enabling by
// visibility and direction, the balance label, the direction samples, and Cancel putting back
// every field (angle and sub-gradient included) exactly as the edit began.

#include "chart/draw/Gradient.h"
#include "chart/editors/ButtonColor.h"
#include "chart/editors/EditorRoutines.h"
#include "chart/editors/GradientEditor.h"
#include "chart/editors/GradientSamples.h"
#include "platform/stdctrls/Button.h"
#include "platform/stdctrls/CheckBox.h"
#include "platform/stdctrls/ComboBox.h"
#include "platform/stdctrls/Label.h"
#include "platform/stdctrls/ListBox.h"
#include "platform/stdctrls/PageControl.h"
#include "platform/stdctrls/ScrollBar.h"
#include "platform/stdctrls/SpinEdit.h"
#include "platform/stdctrls/TrackBar.h"
#include "tests/chart/editors/EditorTestSupport.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QWidget>
#include <Qt>

#include <optional>

namespace {

template <class T> T* Part(TCustomForm* form, const char* name) {
    return FormPart<T>(form, name);
}

struct TGradientFields {
    int angle, balance;
    TGradientDirection direction;
    TColor start, mid, end;
    bool hasMiddle;
    int radialX, radialY;
    bool visible;
    bool hasSub;
    int subTransparency;
    bool subVisible;
    bool operator==(const TGradientFields&) const = default;
};

TGradientFields FieldsOf(TPlotGradient& g) {
    TSubGradient* sub = g.SubGradientIfAny();
    return {g.Angle(),
            g.Balance(),
            g.Direction(),
            g.StartColor(),
            g.MidColor(),
            g.EndColor(),
            g.HasMiddle(),
            g.RadialX(),
            g.RadialY(),
            g.Visible(),
            sub != nullptr,
            sub ? sub->Transparency() : -1,
            sub ? sub->Visible() : false};
}

int ItemOf(TListBox* list, const char* name) {
    return list->Items()->IndexOf(name);
}

struct GradientEditorTest : ::testing::Test {
    GradientEditorTest() {
        gradient.SetVisible(true);
        gradient.SetStartColor(clRed);
        gradient.SetEndColor(clBlue);
        gradient.SetMidColor(clGreen);
        gradient.SetMidColor(clNone); // a stored middle colour that takes no part
        editor = TCustomForm::Create<TPlotGradientEditor>(nullptr);
        editor->Gradient = &gradient;
    }
    ~GradientEditorTest() override { editor->Free(); }
    TPlotGradient gradient;
    TPlotGradientEditor* editor;
};

} // namespace

TEST_F(GradientEditorTest, PresetsComeFromTheirNumberNotTheirPlace) {
    edtest::RunModal(editor, [&](TCustomForm* f) {
        auto* gallery = Part<TListBox>(f, "Gallery");
        EXPECT_EQ(gallery->Items()->Get(0), "Ace"); // sorted by name
        auto* pages = Part<TPageControl>(f, "PageControl1");
        pages->SetActivePage(Part<TTabSheet>(f, "TabDefault"));
        edtest::ClickListItem(gallery, ItemOf(gallery, "Hot"));
        EXPECT_EQ(gradient.MidColor(), clNone);
        EXPECT_TRUE(Part<TCheckBox>(f, "CBMid")->Checked());
        EXPECT_EQ(gradient.Direction(), gdTopBottom);
        EXPECT_EQ(gradient.StartColor(), TColor(0x0000FF));
        edtest::Shoot(f, "gradient-editor-presets");
        edtest::ClickListItem(gallery, ItemOf(gallery, "Space"));
        EXPECT_EQ(gradient.Direction(), gdFromTopLeft);
        EXPECT_EQ(gradient.MidColor(), TColor(0x800040));
        EXPECT_FALSE(Part<TCheckBox>(f, "CBMid")->Enabled());
        EXPECT_FALSE(Part<TButtonColor>(f, "BMid")->Enabled());
        edtest::ClickListItem(gallery, ItemOf(gallery, "Farm"));
        EXPECT_EQ(gradient.Balance(), 4);
        EXPECT_EQ(Part<TLabel>(f, "LabelBalance")->Caption(), "4 %");
        EXPECT_EQ(gradient.Direction(), gdBottomTop);
        // A direction from "From Center" on is no preset's: the list loses its choice.
        edtest::ChooseItem(Part<TComboBox>(f, "CBDirection"), gdLeftRight);
        EXPECT_EQ(gallery->ItemIndex(), ItemOf(gallery, "Farm"));
        edtest::ChooseItem(Part<TComboBox>(f, "CBDirection"), gdFromCenter);
        EXPECT_EQ(gallery->ItemIndex(), -1);
        edtest::ClickControl(Part<TButton>(f, "BOk"));
    });
    EXPECT_EQ(gradient.EndColor(), TColor(0x0062C4));
}

TEST_F(GradientEditorTest, TheMiddleSwitchBringsBackTheStoredColourOrWhite) {
    edtest::RunModal(editor, [&](TCustomForm* f) {
        auto* noMiddle = Part<TCheckBox>(f, "CBMid");
        EXPECT_TRUE(noMiddle->Checked());
        edtest::ClickControl(noMiddle);
        EXPECT_EQ(gradient.MidColor(), clGreen);
        edtest::ClickControl(noMiddle);
        EXPECT_EQ(gradient.MidColor(), clNone);
        edtest::ClickControl(Part<TButton>(f, "BOk"));
    });
    TPlotGradient never;
    never.SetVisible(true);
    TPlotGradientEditor* other = TCustomForm::Create<TPlotGradientEditor>(nullptr);
    other->Gradient = &never;
    edtest::RunModal(other, [&](TCustomForm* f) {
        edtest::ClickControl(Part<TCheckBox>(f, "CBMid"));
        EXPECT_EQ(never.MidColor(), clWhite);
        edtest::ClickControl(Part<TButton>(f, "BOk"));
    });
    other->Free();
}

TEST_F(GradientEditorTest, AnInvisibleGradientDisablesItsColoursUnlessTheEndIsHidden) {
    for (bool hideEnd : {false, true}) {
        TPlotGradient g; // invisible
        TPlotGradientEditor* e = TCustomForm::Create<TPlotGradientEditor>(nullptr);
        e->Gradient = &g;
        e->HideEndColor = hideEnd;
        edtest::RunModal(e, [&](TCustomForm* f) {
            for (const char* name : {"CBDirection", "BStart", "BSwap", "Gallery"})
                EXPECT_EQ(Part<TControl>(f, name)->Enabled(), hideEnd) << name << hideEnd;
            EXPECT_EQ(Part<TControl>(f, "BEnd")->Visible(), !hideEnd);
            edtest::ClickControl(Part<TCheckBox>(f, "CBVisible"));
            EXPECT_TRUE(g.Visible());
            EXPECT_TRUE(Part<TControl>(f, "BStart")->Enabled());
            // Radial offsets only for the radial direction, chosen by keys.
            EXPECT_FALSE(Part<TControl>(f, "TrackBar1")->Enabled());
            edtest::ChooseItem(Part<TComboBox>(f, "CBDirection"), gdRadial);
            EXPECT_EQ(g.Direction(), gdRadial);
            EXPECT_TRUE(Part<TControl>(f, "TrackBar1")->Enabled());
            edtest::PressKey(Part<TComboBox>(f, "CBDirection"), Qt::Key_Escape);
        });
        e->Free();
    }
}

TEST_F(GradientEditorTest, CancelPutsBackEveryFieldAngleAndSubGradientIncluded) {
    struct Case {
        const char* name;
        std::function<void(TCustomForm*)> edit;
    } cases[] = {
        {"angle only",
         [](TCustomForm* f) { edtest::TypeInto(Part<TSpinEdit>(f, "EAngle"), "45"); }},
        {"sub-gradient transparency",
         [](TCustomForm* f) { Part<TScrollBar>(f, "SBTransp")->SetPosition(80); }},
        {"sub-gradient visible",
         [](TCustomForm* f) { edtest::ClickControl(Part<TCheckBox>(f, "CBSubVisible")); }},
        {"a preset",
         [](TCustomForm* f) {
             auto* gallery = Part<TListBox>(f, "Gallery");
             edtest::ClickListItem(gallery, ItemOf(gallery, "Rainbow"));
         }},
        {"everything",
         [](TCustomForm* f) {
             edtest::ClickControl(Part<TCheckBox>(f, "CBMid"));
             edtest::ChooseItem(Part<TComboBox>(f, "CBDirection"), gdRadial);
             Part<TTrackBar>(f, "TrackBar1")->SetPosition(100);
             Part<TTrackBar>(f, "TrackBar2")->SetPosition(-50);
             Part<TScrollBar>(f, "SBBalance")->SetPosition(70);
             edtest::PickColor(clYellow);
             edtest::ClickControl(Part<TButtonColor>(f, "BStart"));
             edtest::PickColor(clNone);
             edtest::ClickControl(Part<TButton>(f, "BSwap"));
         }},
    };
    for (const Case& c : cases) {
        TPlotGradient g;
        g.SetVisible(true);
        g.SetAngle(10);
        g.SetMidColor(clGray);
        const TGradientFields before = FieldsOf(g); // no sub-gradient yet
        TPlotGradientEditor* e = TCustomForm::Create<TPlotGradientEditor>(nullptr);
        e->Gradient = &g;
        std::optional<TGradientFields> during;
        edtest::RunModal(e, [&](TCustomForm* f) {
            c.edit(f);
            during = FieldsOf(g);
            edtest::ClickControl(Part<TButton>(f, "BCancel"));
        });
        EXPECT_FALSE(*during == before) << c.name << ": the edit changed nothing";
        EXPECT_TRUE(FieldsOf(g) == before) << c.name;
        e->Free();
    }
}

// Looking at every page adds no sub-gradient to what the gradient stores; editing it makes one.
TEST_F(GradientEditorTest, ASubGradientIsMadeOnlyWhenEdited) {
    ASSERT_EQ(gradient.SubGradientIfAny(), nullptr);
    edtest::RunModal(editor, [&](TCustomForm* f) {
        auto* pages = Part<TPageControl>(f, "PageControl1");
        for (int i = 0; i < pages->PageCount(); ++i)
            edtest::ClickTab(pages, i);
        EXPECT_EQ(pages->ActivePage()->Name(), "TabSub");
        EXPECT_FALSE(Part<TCheckBox>(f, "CBSubVisible")->Checked());
        EXPECT_EQ(Part<TScrollBar>(f, "SBTransp")->Position(), 50); // as one is made
        edtest::ClickControl(Part<TButton>(f, "BOk"));
    });
    EXPECT_EQ(gradient.SubGradientIfAny(), nullptr);

    TModalHook old = SetModalHook([&](TCustomForm* f) {
        if (f == editor) {
            Part<TPageControl>(f, "PageControl1")->SetActivePage(Part<TTabSheet>(f, "TabSub"));
            edtest::ClickControl(Part<TButtonGradient>(f, "BSubEdit"));
            EXPECT_TRUE(Part<TCheckBox>(f, "CBSubVisible")->Checked());
            edtest::ClickControl(Part<TButton>(f, "BOk"));
        } else { // the sub-gradient's own editor
            edtest::ClickControl(Part<TCheckBox>(f, "CBVisible"));
            edtest::ClickControl(Part<TButton>(f, "BOk"));
        }
    });
    EXPECT_EQ(editor->ShowModal(), mrOk);
    SetModalHook(old);
    ASSERT_NE(gradient.SubGradientIfAny(), nullptr);
    EXPECT_TRUE(gradient.SubGradientIfAny()->Visible());
}

// Shown for no gradient, its colour buttons keep their own colour and nothing breaks.
TEST(GradientEditor, WithoutAGradientItsButtonsChangeNothing) {
    TPlotGradientEditor* e = TCustomForm::Create<TPlotGradientEditor>(nullptr);
    edtest::Messages().clear();
    const TModalResult result = edtest::RunModal(e, [&](TCustomForm* f) {
        edtest::PickColor(clYellow);
        for (const char* name : {"BStart", "BMid", "BEnd"})
            edtest::ClickControl(Part<TButtonColor>(f, name));
        edtest::PickColor(clNone);
        edtest::ClickControl(Part<TButton>(f, "BSwap"));
        edtest::ClickControl(Part<TCheckBox>(f, "CBMid"));
        edtest::ClickControl(Part<TButton>(f, "BCancel"));
    });
    EXPECT_EQ(result, mrCancel);
    EXPECT_TRUE(edtest::Messages().empty());
    e->Free();
}

TEST_F(GradientEditorTest, ClosingTheWindowRestoresLikeCancel) {
    const TGradientFields before = FieldsOf(gradient);
    edtest::RunModal(editor, [&](TCustomForm* f) {
        edtest::TypeInto(Part<TSpinEdit>(f, "EAngle"), "90");
        EXPECT_EQ(gradient.Angle(), 90);
        f->Close();
    });
    EXPECT_TRUE(FieldsOf(gradient) == before);
}

TEST_F(GradientEditorTest, TheDirectionSamplesSelectTheDirection) {
    edtest::RunModal(editor, [&](TCustomForm* f) {
        auto* pages = Part<TPageControl>(f, "PageControl1");
        pages->SetActivePage(Part<TTabSheet>(f, "TabDirections"));
        TGradientDirections* samples = nullptr;
        for (int i = 0; i < f->ComponentCount(); ++i)
            if (auto* d = dynamic_cast<TGradientDirections*>(f->Components(i)))
                samples = d;
        ASSERT_NE(samples, nullptr);
        EXPECT_EQ(samples->Selected(), gdTopBottom);
        const TRect r = samples->SampleRect(gdDiagonalUp);
        edtest::ClickAt(samples, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
        EXPECT_EQ(gradient.Direction(), gdDiagonalUp);
        EXPECT_EQ(Part<TComboBox>(f, "CBDirection")->ItemIndex(), gdDiagonalUp);
        edtest::Shoot(f, "gradient-editor-directions");
        pages->SetActivePage(Part<TTabSheet>(f, "TabOptions"));
        edtest::Shoot(f, "gradient-editor-options");
        pages->SetActivePage(Part<TTabSheet>(f, "TabSub"));
        edtest::Shoot(f, "gradient-editor-subgradient");
        edtest::ClickControl(Part<TButton>(f, "BOk"));
    });
}

TEST_F(GradientEditorTest, AnEmbeddedEditorHasNoButtons) {
    TPlotGradientEditor* embedded = TPlotGradientEditor::CreateEmbedded(nullptr, &gradient);
    EXPECT_FALSE(Part<TControl>(embedded, "PanelButtons")->Visible());
    EXPECT_EQ(embedded->ClientHeight(), 236 - 40);
    embedded->Free();
}

// The gradient button paints the linked gradient framed black, or grey while it is hidden.
TEST(ButtonGradient, TheSampleIsFramedBlackOrGreyWhenHidden) {
    TForm* form = nullptr;
    auto* button = edtest::ButtonOnNewForm<TButtonGradient>(form, "Edit...");
    TPlotGradient gradient;
    gradient.SetStartColor(clRed);
    gradient.SetEndColor(clRed);
    button->LinkGradient(&gradient);
    form->Show();
    const TRect r = button->SymbolRect();
    for (bool visible : {true, false}) {
        gradient.SetVisible(visible);
        button->Repaint();
        const QRgb p = button->Handle()->grab().toImage().pixel(r.Left, (r.Top + r.Bottom) / 2);
        EXPECT_EQ(RGB(qRed(p), qGreen(p), qBlue(p)), visible ? clBlack : TColor(0x808080))
            << visible;
        if (visible)
            edtest::Shoot(form, "gradient-button");
    }
    form->Free();
}
