// The margins editor: loading shows the units and margins without changing them, each edit and
// the units choice go to the margins at once, and an embedded editor works the same.

#include "chart/draw/Margins.h"
#include "chart/editors/EditorRoutines.h"
#include "chart/editors/MarginsEditor.h"
#include "platform/stdctrls/PageControl.h"
#include "platform/stdctrls/RadioGroup.h"
#include "platform/stdctrls/SpinEdit.h"
#include "tests/chart/editors/EditorTestSupport.h"

#include <gtest/gtest.h>

namespace {

template <class T> T* Part(TCustomForm* form, const char* name) {
    return FormPart<T>(form, name);
}

TEST(MarginsEditor, LoadsWithoutChangesAndWritesEachEdit) {
    int changes = 0;
    TMargins margins([&](TObject*) { ++changes; });
    margins.SetUnits(maPercentSize);
    margins.SetLeft(3);
    margins.SetTop(-4);
    margins.SetRight(31000);
    margins.SetBottom(6);
    changes = 0;
    auto* editor = TCustomForm::Create<TMarginsEditor>(nullptr);
    editor->SetMargins(&margins);
    edtest::RunModal(editor, [&](TCustomForm* f) {
        EXPECT_EQ(f->Caption(), "MarginsEditor");
        EXPECT_EQ(Part<TRadioGroup>(f, "RGUnits")->ItemIndex(), 1);
        EXPECT_EQ(Part<TSpinEdit>(f, "UDLeft")->Value(), 3);
        EXPECT_EQ(Part<TSpinEdit>(f, "UDTop")->Value(), -4);
        EXPECT_EQ(Part<TSpinEdit>(f, "UDRight")->Value(), 31000);
        EXPECT_EQ(Part<TSpinEdit>(f, "UDBottom")->Value(), 6);
        EXPECT_EQ(changes, 0) << "loading changes nothing";
        edtest::Shoot(f, "margins-editor");

        edtest::TypeInto(Part<TSpinEdit>(f, "UDLeft"), "12");
        edtest::TypeInto(Part<TSpinEdit>(f, "UDTop"), "-7");
        edtest::TypeInto(Part<TSpinEdit>(f, "UDRight"), "0");
        edtest::TypeInto(Part<TSpinEdit>(f, "UDBottom"), "40");
        EXPECT_EQ(margins.Left(), 12);
        EXPECT_EQ(margins.Top(), -7);
        EXPECT_EQ(margins.Right(), 0);
        EXPECT_EQ(margins.Bottom(), 40);
        edtest::ClickControl(Part<TRadioGroup>(f, "RGUnits")->Buttons(2));
        EXPECT_EQ(margins.Units(), maPixels);
        edtest::ClickControl(Part<TRadioGroup>(f, "RGUnits")->Buttons(0));
        EXPECT_EQ(margins.Units(), maPercentFont);
        f->SetModalResult(mrOk);
    });
    EXPECT_GT(changes, 0);
    editor->Free();
}

TEST(MarginsEditor, EmbeddedInAPage) {
    TMargins margins;
    margins.SetUnits(maPixels);
    auto* host = new TForm(nullptr);
    host->SetBounds(0, 0, 260, 280);
    auto* pages = new TPageControl(host);
    pages->SetParent(host);
    pages->SetAlign(alClient);
    auto* sheet = new TTabSheet(host);
    sheet->SetPageControl(pages);
    sheet->SetCaption("Margins");
    host->Show();
    TMarginsEditor* editor = EmbedMarginsEditor(sheet, &margins);
    EXPECT_EQ(editor->Parent(), sheet);
    EXPECT_EQ(Part<TRadioGroup>(editor, "RGUnits")->ItemIndex(), 2);
    edtest::TypeInto(Part<TSpinEdit>(editor, "UDBottom"), "9");
    EXPECT_EQ(margins.Bottom(), 9);
    edtest::Shoot(host, "margins-editor-embedded");
    host->Free();
}

} // namespace
