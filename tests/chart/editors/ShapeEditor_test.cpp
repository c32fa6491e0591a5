// The framed shape editor: loading writes nothing, each control goes to the shape at once, the
// bevel width and round size follow their switches, the text, gradient, shadow and picture pages
// are made when first opened, and a page control that takes the pages over gets them too.

#include "chart/draw/ChartBrush.h"
#include "chart/draw/ChartPen.h"
#include "chart/draw/PlotFont.h"
#include "chart/editors/BackImageEditor.h"
#include "chart/editors/ButtonColor.h"
#include "chart/editors/EditorRoutines.h"
#include "chart/editors/FontEditor.h"
#include "chart/editors/GradientEditor.h"
#include "chart/editors/ShadowEditor.h"
#include "chart/editors/ShapeEditor.h"
#include "chart/panel/PlotShape.h"
#include "platform/stdctrls/CheckBox.h"
#include "platform/stdctrls/ComboBox.h"
#include "platform/stdctrls/PageControl.h"
#include "platform/stdctrls/SpinEdit.h"
#include "tests/chart/editors/EditorTestSupport.h"

#include <gtest/gtest.h>

namespace {

template <class T> T* Part(TCustomForm* form, const char* name) {
    return FormPart<T>(form, name);
}

TEST(ShapeEditor, EachControlGoesToTheShapeAndLoadingWritesNothing) {
    TPlotShape shape(nullptr);
    shape.SetBevel(bvNone);
    shape.SetBevelWidth(3);
    shape.SetRoundSize(12);
    shape.SetTransparency(25);
    shape.SetColor(RGB(200, 220, 240));
    TPlotShape before(nullptr);
    before.Assign(&shape);
    auto* editor = CreateShapeEditor(nullptr, &shape);
    edtest::RunModal(editor, [&](TCustomForm* f) {
        EXPECT_EQ(Part<TPageControl>(f, "PC1")->ActivePage()->Name(), "TabFormat");
        EXPECT_EQ(Part<TSpinEdit>(f, "EShadowTransp")->Value(), 25);
        EXPECT_FALSE(Part<TCheckBox>(f, "CBRound")->Checked());
        EXPECT_FALSE(Part<TSpinEdit>(f, "ERoundSize")->Enabled()) << "square corners";
        EXPECT_FALSE(Part<TSpinEdit>(f, "EBevWidth")->Enabled()) << "bevel None";
        EXPECT_EQ(shape.BevelWidth(), before.BevelWidth()) << "loading writes nothing";
        EXPECT_EQ(shape.RoundSize(), before.RoundSize());
        edtest::Shoot(f, "shape-editor");

        edtest::TypeInto(Part<TSpinEdit>(f, "EShadowTransp"), "60");
        EXPECT_EQ(shape.Transparency(), 60);
        edtest::ClickControl(Part<TCheckBox>(f, "CBTransparent"));
        EXPECT_TRUE(shape.Transparent());
        edtest::PickColor(RGB(10, 20, 30));
        edtest::ClickControl(Part<TButtonColor>(f, "BBackColor"));
        edtest::PickColor(clNone);
        EXPECT_EQ(shape.Color(), RGB(10, 20, 30));
        EXPECT_TRUE(shape.Transparent()) << "the colour button alone leaves it";
        // An embedding editor wires the colour button to untick "Transparent".
        static_cast<TFormPlotShape*>(f)->BColorClick(nullptr);
        EXPECT_FALSE(Part<TCheckBox>(f, "CBTransparent")->Checked());
        EXPECT_FALSE(shape.Transparent());

        edtest::ClickTab(Part<TPageControl>(f, "PC1"), 1);
        edtest::ChooseItem(Part<TComboBox>(f, "CBBevel"), 2);
        EXPECT_EQ(shape.Bevel(), bvRaised);
        EXPECT_TRUE(Part<TSpinEdit>(f, "EBevWidth")->Enabled());
        edtest::TypeInto(Part<TSpinEdit>(f, "EBevWidth"), "5");
        EXPECT_EQ(shape.BevelWidth(), 5);
        edtest::ClickControl(Part<TCheckBox>(f, "CBRound"));
        EXPECT_EQ(shape.ShapeStyle(), fosRoundRectangle);
        EXPECT_TRUE(Part<TSpinEdit>(f, "ERoundSize")->Enabled());
        edtest::TypeInto(Part<TSpinEdit>(f, "ERoundSize"), "30");
        EXPECT_EQ(shape.RoundSize(), 30);
        edtest::Shoot(f, "shape-editor-border");
        edtest::ClickControl(Part<TCheckBox>(f, "CBRound"));
        EXPECT_EQ(shape.ShapeStyle(), fosRectangle);
        f->SetModalResult(mrOk);
    });
    editor->Free();
}

TEST(ShapeEditor, PagesAreMadeWhenFirstOpened) {
    TPlotShape shape(nullptr);
    shape.Font()->SetSize(17);
    auto* editor = CreateShapeEditor(nullptr, &shape);
    auto* form = static_cast<TFormPlotShape*>(editor);
    edtest::RunModal(editor, [&](TCustomForm* f) {
        EXPECT_EQ(form->FontEditor(), nullptr);
        EXPECT_EQ(form->GradientEditor(), nullptr);
        EXPECT_EQ(shape.GradientIfAny(), nullptr) << "no gradient made before its page";
        auto* pages = Part<TPageControl>(f, "PC1");
        edtest::ClickTab(pages, 2);
        ASSERT_NE(form->FontEditor(), nullptr);
        EXPECT_EQ(Part<TSpinEdit>(form->FontEditor(), "ESize")->Value(), 17);
        TPlotFontEditor* first = form->FontEditor();
        edtest::ClickTab(pages, 3);
        ASSERT_NE(form->GradientEditor(), nullptr);
        EXPECT_EQ(form->GradientEditor()->Gradient, shape.GradientIfAny());
        edtest::ClickTab(pages, 4);
        ASSERT_NE(form->ShadowEditor(), nullptr);
        EXPECT_EQ(form->ShadowEditor()->Shadow(), shape.Shadow());
        edtest::ClickTab(pages, 5);
        ASSERT_NE(form->PictureEditor(), nullptr);
        edtest::Shoot(f, "shape-editor-picture");
        edtest::ClickTab(pages, 2);
        EXPECT_EQ(form->FontEditor(), first) << "made once";
        f->SetModalResult(mrOk);
    });
    editor->Free();
}

TEST(ShapeEditor, PagesTakenOverByAnotherPageControl) {
    TPlotShape shape(nullptr);
    shape.SetTransparency(40);
    auto* host = new TForm(nullptr);
    host->SetBounds(0, 0, 320, 260);
    auto* pages = new TPageControl(host);
    pages->SetParent(host);
    pages->SetAlign(alClient);
    int ownChanges = 0;
    pages->OnChange = [&](TObject*) { ++ownChanges; };
    host->Show();
    TFormPlotShape* editor = EmbedShapePages(pages, &shape);
    const char* const order[] = {"TabFormat",   "TabBorder", "TabText",
                                 "TabGradient", "TabShadow", "TabImage"};
    ASSERT_EQ(pages->PageCount(), 6);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(pages->Pages(i)->Name(), order[i]);
    EXPECT_EQ(pages->ActivePageIndex(), 0);
    EXPECT_EQ(Part<TSpinEdit>(editor, "EShadowTransp")->Value(), 40);
    edtest::TypeInto(Part<TSpinEdit>(editor, "EShadowTransp"), "70");
    EXPECT_EQ(shape.Transparency(), 70);
    edtest::ClickTab(pages, 4);
    ASSERT_NE(editor->ShadowEditor(), nullptr) << "the taken-over page control serves the pages";
    EXPECT_EQ(ownChanges, 1) << "and still tells its own handler";
    edtest::Shoot(host, "shape-pages-embedded");
    host->Free();
}

} // namespace
