// The pen editor driven as its user drives it: OK keeps every edit, Cancel puts back every field,
// a plain pen offers no visibility or fine dots, and the pen button's sample never changes the
// pen it draws.

#include "chart/draw/ChartPen.h"
#include "chart/editors/ButtonColor.h"
#include "chart/editors/ButtonPen.h"
#include "chart/editors/EditorRoutines.h"
#include "chart/editors/PenDialog.h"
#include "platform/stdctrls/CheckBox.h"
#include "platform/stdctrls/ComboBox.h"
#include "platform/stdctrls/SpinEdit.h"
#include "tests/chart/editors/EditorTestSupport.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QWidget>

namespace {

struct TPenFields {
    TColor color;
    int width;
    TPenStyle style;
    bool visible;
    bool smallDots;
    int smallSpace;
    TPenEndStyle endStyle;
    bool operator==(const TPenFields&) const = default;
};

TPenFields FieldsOf(const TChartPen& p) {
    return {p.Color(),     p.Width(),      p.Style(),   p.Visible(),
            p.SmallDots(), p.SmallSpace(), p.EndStyle()};
}

std::ostream& operator<<(std::ostream& out, const TPenFields& f) {
    return out << "color " << f.color << " width " << f.width << " style " << f.style << " visible "
               << f.visible << " dots " << f.smallDots << "/" << f.smallSpace << " ends "
               << f.endStyle;
}

template <class T> T* Part(TCustomForm* form, const char* name) {
    return FormPart<T>(form, name);
}

struct TPenDialogFixture : ::testing::Test {
    TPenDialogFixture() {
        pen.SetColor(clNavy);
        pen.SetWidth(2);
        pen.SetStyle(psDot);
        pen.SetSmallSpace(3);
        pen.OnChange = [this](TObject*) { ++changes; };
        dialog = TCustomForm::Create<TPenDialog>(nullptr);
        dialog->Pen = &pen;
    }
    ~TPenDialogFixture() override { dialog->Free(); }
    // Edits every field through the dialog's controls with keys and clicks.
    void EditEverything(TCustomForm* f) {
        edtest::ClickControl(Part<TCheckBox>(f, "CBVisible"));
        edtest::ChooseItem(Part<TComboBox>(f, "CBStyle"), 1);
        edtest::TypeInto(Part<TSpinEdit>(f, "SEWidth"), "4");
        edtest::ChooseItem(Part<TComboBox>(f, "CBEndStyle"), 2);
        edtest::PickColor(clRed);
        edtest::ClickControl(Part<TButtonColor>(f, "BColor"));
        edtest::PickColor(clNone);
    }
    TChartPen pen;
    int changes = 0;
    TPenDialog* dialog;
};

} // namespace

TEST_F(TPenDialogFixture, OkKeepsEveryEdit) {
    const TModalResult result = edtest::RunModal(dialog, [&](TCustomForm* f) {
        EXPECT_TRUE(Part<TCheckBox>(f, "CBVisible")->Checked());
        EXPECT_EQ(Part<TComboBox>(f, "CBStyle")->ItemIndex(), psDot);
        EXPECT_EQ(Part<TComboBox>(f, "CBStyle")->Items()->Count(), 6); // with "Small Dots"
        EXPECT_EQ(Part<TSpinEdit>(f, "SEWidth")->Value(), 2);
        edtest::Shoot(f, "pen-dialog");
        EditEverything(f);
        edtest::Shoot(f, "pen-dialog-edited");
        edtest::PressKey(Part<TSpinEdit>(f, "SEWidth"), Qt::Key_Return);
    });
    EXPECT_EQ(result, mrOk);
    EXPECT_EQ(FieldsOf(pen), (TPenFields{clRed, 4, psDash, false, false, 3, esFlat}));
}

TEST_F(TPenDialogFixture, CancelRestoresEveryFieldAndTellsTheOwnerOnce) {
    const TPenFields before = FieldsOf(pen);
    const TModalResult result = edtest::RunModal(dialog, [&](TCustomForm* f) {
        EditEverything(f);
        edtest::ChooseItem(Part<TComboBox>(f, "CBStyle"), 5); // Small Dots
        EXPECT_FALSE(Part<TSpinEdit>(f, "SEWidth")->Enabled());
        EXPECT_TRUE(Part<TSpinEdit>(f, "ESpace")->Enabled());
        edtest::TypeInto(Part<TSpinEdit>(f, "ESpace"), "7");
        EXPECT_TRUE(pen.SmallDots());
        EXPECT_EQ(pen.SmallSpace(), 7);
        changes = 0;
        edtest::PressKey(Part<TComboBox>(f, "CBStyle"), Qt::Key_Escape);
    });
    EXPECT_EQ(result, mrCancel);
    EXPECT_EQ(FieldsOf(pen), before);
    EXPECT_GE(changes, 1);
}

TEST_F(TPenDialogFixture, ClosingTheWindowRestoresLikeCancel) {
    const TPenFields before = FieldsOf(pen);
    edtest::RunModal(dialog, [&](TCustomForm* f) {
        EditEverything(f);
        f->Close();
    });
    EXPECT_EQ(FieldsOf(pen), before);
}

TEST_F(TPenDialogFixture, CancelWithoutAChangeLeavesThePenAlone) {
    const TModalResult result = edtest::RunModal(
        dialog, [&](TCustomForm* f) { edtest::ClickControl(Part<TButton>(f, "BCancel")); });
    EXPECT_EQ(result, mrCancel);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(pen.Width(), 2);
}

TEST(PenDialog, APlainPenHasNoVisibilityAndNoFineDots) {
    TPen plain;
    plain.SetStyle(psDashDot);
    TPenDialog* dialog = TCustomForm::Create<TPenDialog>(nullptr);
    dialog->Pen = &plain;
    edtest::RunModal(dialog, [&](TCustomForm* f) {
        EXPECT_FALSE(Part<TCheckBox>(f, "CBVisible")->Visible());
        EXPECT_EQ(Part<TComboBox>(f, "CBStyle")->Items()->Count(), 5);
        EXPECT_EQ(Part<TComboBox>(f, "CBStyle")->ItemIndex(), psDashDot);
        edtest::TypeInto(Part<TSpinEdit>(f, "SEWidth"), "3");
        edtest::ClickControl(Part<TButton>(f, "BOk"));
    });
    EXPECT_EQ(plain.Width(), 3);
    dialog->Free();
}

TEST(PenDialog, AnErrorFromThePenIsShownAndTheDialogGoesOn) {
    TChartPen pen;
    pen.OnChange = [](TObject*) { throw EConvertError("the owner refuses this pen"); };
    TPenDialog* dialog = TCustomForm::Create<TPenDialog>(nullptr);
    dialog->Pen = &pen;
    edtest::Messages().clear();
    const TModalResult result = edtest::RunModal(dialog, [&](TCustomForm* f) {
        edtest::TypeInto(Part<TSpinEdit>(f, "SEWidth"), "5");
        EXPECT_FALSE(edtest::Messages().empty());
        EXPECT_EQ(f->ModalResult(), mrNone); // still open
        pen.OnChange = nullptr;
        edtest::ClickControl(Part<TButton>(f, "BOk"));
    });
    EXPECT_EQ(result, mrOk);
    ASSERT_FALSE(edtest::Messages().empty());
    EXPECT_NE(edtest::Messages().front().find("the owner refuses this pen"), std::string::npos);
    dialog->Free();
}

TEST(ButtonPen, AWidePenShowsANarrowSampleAndStaysAsItWas) {
    TForm* form = nullptr;
    auto* button = edtest::ButtonOnNewForm<TButtonPen>(form, "Frame...");
    for (bool withHandler : {false, true}) {
        TChartPen pen;
        pen.SetWidth(12);
        pen.SetColor(clRed);
        int changes = 0;
        if (withHandler)
            pen.OnChange = [&](TObject*) { ++changes; };
        button->LinkPen(&pen);
        form->Show();
        edtest::Shoot(form, "pen-button");
        const QImage shot = button->Handle()->grab().toImage();
        int red = 0;
        for (int y = 0; y < shot.height(); ++y) {
            const QRgb c = shot.pixel(button->Width() - 12, y);
            red += qRed(c) > 200 && qGreen(c) < 60 && qBlue(c) < 60;
        }
        EXPECT_GE(red, 5) << withHandler;
        EXPECT_LE(red, 7) << withHandler;
        EXPECT_EQ(pen.Width(), 12);
        EXPECT_EQ(changes, 0);
        EXPECT_EQ(static_cast<bool>(pen.OnChange), withHandler);
        form->Hide();
        button->LinkPen(nullptr);
    }
    form->Free();
}

TEST(ButtonPen, OkInTheEditorRunsTheButtonsClickAndFreesTheDialog) {
    TForm* form = new TForm(nullptr);
    auto* button = new TButtonPen(form);
    button->SetParent(form);
    TChartPen pen;
    button->LinkPen(&pen);
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    for (TModalResult answer : {mrCancel, mrOk}) {
        TModalHook old = SetModalHook([&](TCustomForm* f) {
            ASSERT_EQ(f, button->Dialog());
            edtest::ClickControl(Part<TButton>(f, answer == mrOk ? "BOk" : "BCancel"));
        });
        button->Click();
        SetModalHook(old);
        EXPECT_EQ(button->Dialog(), nullptr);
    }
    EXPECT_EQ(clicks, 1);
    form->Free();
}
