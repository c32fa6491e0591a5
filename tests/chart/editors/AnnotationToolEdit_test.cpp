// The annotation tool's editor, shown in a host window as the chart editor shows it and driven by
// keys and clicks: loading shows every setting and writes nothing back, each page's controls go to
// the tool at once, the place and size controls follow their switches, and the shape's pages and
// the margins editor work inside its page control.

#include "chart/control/Chart.h"
#include "chart/draw/Margins.h"
#include "chart/editors/AnnotationToolEdit.h"
#include "chart/editors/ButtonPen.h"
#include "chart/editors/EditorRoutines.h"
#include "chart/editors/GradientEditor.h"
#include "chart/editors/MarginsEditor.h"
#include "chart/editors/ShapeEditor.h"
#include "chart/tools/AnnotationTool.h"
#include "chart/util/ChartUtils.h"
#include "platform/classes/Streaming.h"
#include "platform/stdctrls/Button.h"
#include "platform/stdctrls/CheckBox.h"
#include "platform/stdctrls/ComboBox.h"
#include "platform/stdctrls/Edit.h"
#include "platform/stdctrls/Memo.h"
#include "platform/stdctrls/PageControl.h"
#include "platform/stdctrls/SpinEdit.h"
#include "tests/chart/editors/EditorTestSupport.h"
#include "tests/chart/editors/ToolEditorTestSupport.h"

#include <gtest/gtest.h>

#include <Qt>

#include <string>
#include <vector>

namespace {

template <class T> T* Part(TComponent* form, const char* name) {
    return FormPart<T>(form, name);
}

// Characters typed one by one at the caret (no select-all first).
void TypeAtCaret(TWinControl* control, const std::string& text) {
    for (char ch : text)
        edtest::PressKey(control, Qt::Key_A, std::string(1, ch));
}

int PageIndexOf(TPageControl* pages, const std::string& name) {
    for (int i = 0; i < pages->PageCount(); ++i)
        if (pages->Pages(i)->Name() == name)
            return i;
    ADD_FAILURE() << "no page " << name;
    return 0;
}

class AnnotationToolEditTest : public edtest::ToolEditorTest {
protected:
    void SetUp() override {
        ToolEditorTest::SetUp();
        tool = new TAnnotationTool(form);
        tool->SetName("Annotation1");
        tool->SetParentChart(chart);
        tool->SetText("Показания\rза сутки");
        editor = TCustomForm::Create<TAnnotationToolEdit>(nullptr);
        editor->SetTool(tool);
    }
    void Show() { ShowEmbedded(editor, 300, 260); }
    void OpenPage(const std::string& name) {
        TPageControl* pages = editor->PageControl1();
        edtest::ClickTab(pages, PageIndexOf(pages, name));
        ASSERT_EQ(pages->ActivePage()->Name(), name);
    }
    template <class T> T* P(const char* name) { return Part<T>(editor, name); }

    TAnnotationTool* tool = nullptr;
    TAnnotationToolEdit* editor = nullptr;
};

TEST_F(AnnotationToolEditTest, LoadingShowsEverySettingAndWritesNothingBack) {
    // A line feed inside the text, a place beyond the edits' range and a fixed size: values the
    // controls cannot hold exactly, which a handler running while loading would write back.
    tool->SetText("Первая строка\r\nвторая");
    tool->SetPosition(ppRightBottom);
    tool->SetLeft(40000);
    tool->SetTop(25);
    tool->SetWidth(150);
    tool->SetHeight(60);
    tool->SetTextAlignment(taCenter);
    tool->SetCursor(crHandPoint);
    tool->SetClipText(false);
    tool->Callout()->SetXPosition(210);
    tool->Callout()->SetYPosition(120);
    tool->Callout()->SetZPosition(4);
    tool->Callout()->SetDistance(6);
    tool->Callout()->SetArrowHead(ahSolid);
    tool->Callout()->SetArrowHeadSize(14);
    tool->Shape()->Margins()->SetUnits(maPixels);
    tool->Shape()->Margins()->SetLeft(3);
    const std::string before = ComponentToText(tool);
    Show();

    EXPECT_EQ(editor->PageControl1()->ActivePage()->Name(), "TabText");
    EXPECT_EQ(P<TMemo>("MemoText")->Lines()->Count(), 2);
    EXPECT_EQ(P<TMemo>("MemoText")->Lines()->Get(1), "вторая");
    EXPECT_EQ(P<TComboBox>("CBTextAlign")->ItemIndex(), 1);
    EXPECT_EQ(P<TComboBox>("CBCursor")->GetText(), "HandPoint");
    EXPECT_TRUE(P<TCheckBox>("CBVisible")->Checked());
    EXPECT_FALSE(P<TCheckBox>("CBClip")->Checked());
    EXPECT_EQ(P<TComboBox>("CBPos")->ItemIndex(), 3);
    EXPECT_TRUE(P<TCheckBox>("CBCustPos")->Checked());
    EXPECT_TRUE(P<TSpinEdit>("ECustLeft")->Enabled());
    EXPECT_EQ(P<TSpinEdit>("ECustLeft")->Value(), 32000);
    EXPECT_EQ(P<TSpinEdit>("ECustTop")->Value(), 25);
    EXPECT_EQ(P<TComboBox>("CBUnits")->ItemIndex(), 1);
    EXPECT_FALSE(P<TCheckBox>("CBAutoSize")->Checked());
    EXPECT_TRUE(P<TSpinEdit>("ECustWidth")->Enabled());
    EXPECT_EQ(P<TSpinEdit>("ECustWidth")->Value(), 150);
    EXPECT_EQ(P<TSpinEdit>("ECustHeight")->Value(), 60);
    EXPECT_EQ(P<TEdit>("EX")->GetText(), "210");
    EXPECT_EQ(P<TEdit>("EY")->GetText(), "120");
    EXPECT_EQ(P<TEdit>("EZ")->GetText(), "4");
    EXPECT_EQ(P<TSpinEdit>("EArrowDist")->Value(), 6);
    EXPECT_EQ(P<TComboBox>("CBHead")->ItemIndex(), 2);
    EXPECT_EQ(P<TSpinEdit>("Edit1")->Value(), 14);
    EXPECT_EQ(P<TButtonPen>("BCalloutPen")->LinkedPen(), tool->Callout()->Arrow());
    EXPECT_EQ(editor->MarginsEditor()->Margins(), tool->Shape()->Margins());
    EXPECT_EQ(editor->ShapeEditor()->Shape(), tool->Shape());

    EXPECT_EQ(tool->Text(), "Первая строка\r\nвторая");
    EXPECT_EQ(tool->Left(), 40000);
    EXPECT_EQ(ComponentToText(tool), before) << "loading changes nothing";
    edtest::Shoot(Host(), "annotation-tool-options");
}

TEST_F(AnnotationToolEditTest, TheOptionsPageEditsTextAlignmentCursorVisibilityAndClipping) {
    Show();
    auto* memo = P<TMemo>("MemoText");
    edtest::TypeInto(memo, "top");
    edtest::PressKey(memo, Qt::Key_Return, "\r");
    TypeAtCaret(memo, "end");
    // Lines apart by carriage returns only, and no break after the last line, which would make
    // the box one line taller.
    EXPECT_EQ(tool->Text(), "top\rend");

    // The text editor: OK takes its lines to the memo and on to the tool, Cancel nothing.
    for (bool ok : {true, false}) {
        TModalHook old = SetModalHook([&](TCustomForm* f) {
            auto* lines = Part<TMemo>(f, "Memo1")->Lines();
            lines->Clear();
            lines->Add(ok ? "Заметка" : "dropped");
            lines->Add("x");
            if (ok)
                edtest::ClickControl(Part<TButton>(f, "BOk"));
            else
                edtest::PressKey(Part<TMemo>(f, "Memo1"), Qt::Key_Escape);
        });
        edtest::ClickControl(P<TButton>("Button1"));
        SetModalHook(old);
        EXPECT_EQ(tool->Text(), "Заметка\rx") << ok;
    }

    struct AlignCase {
        int index;
        TAlignment alignment;
    };
    for (const AlignCase& c :
         {AlignCase{2, taRightJustify}, AlignCase{1, taCenter}, AlignCase{0, taLeftJustify}}) {
        edtest::ChooseItem(P<TComboBox>("CBTextAlign"), c.index);
        EXPECT_EQ(tool->TextAlignment(), c.alignment) << c.index;
    }

    auto* cursors = P<TComboBox>("CBCursor");
    const int hand = cursors->Items()->IndexOf("PlotHand");
    ASSERT_GE(hand, 0);
    edtest::ChooseItem(cursors, hand);
    EXPECT_EQ(tool->Cursor(), 2020);
    edtest::ChooseItem(cursors, cursors->Items()->IndexOf("Cross"));
    EXPECT_EQ(tool->Cursor(), crCross);

    edtest::ClickControl(P<TCheckBox>("CBVisible"));
    EXPECT_FALSE(tool->Active());
    edtest::ClickControl(P<TCheckBox>("CBClip"));
    EXPECT_FALSE(tool->ClipText());
    edtest::ClickControl(P<TCheckBox>("CBClip"));
    EXPECT_TRUE(tool->ClipText());
}

TEST_F(AnnotationToolEditTest, ThePlaceControlsFollowTheCustomPlaceAndPercentStopsAtTheEdge) {
    tool->SetPosition(ppLeftBottom);
    Show();
    OpenPage("TabPosition");
    auto* left = P<TSpinEdit>("ECustLeft");
    auto* top = P<TSpinEdit>("ECustTop");
    auto* units = P<TComboBox>("CBUnits");
    for (TWinControl* c : std::vector<TWinControl*>{left, top, units})
        EXPECT_FALSE(c->Enabled()) << c->Name() << " with an automatic place";

    edtest::ClickControl(P<TCheckBox>("CBCustPos"));
    EXPECT_TRUE(tool->Shape()->CustomPosition());
    for (TWinControl* c : std::vector<TWinControl*>{left, top, units})
        EXPECT_TRUE(c->Enabled()) << c->Name() << " with a place of its own";
    const int width = tool->Width();
    edtest::TypeInto(left, "250");
    edtest::TypeInto(top, "40");
    EXPECT_EQ(tool->Left(), 250);
    EXPECT_EQ(tool->Top(), 40);
    EXPECT_EQ(tool->Width(), width) << "moving keeps the size";

    // Percent of the chart: a left of 250 would put the box beyond the chart's right edge.
    edtest::ChooseItem(units, 0);
    EXPECT_EQ(tool->PositionUnits(), muPercent);
    EXPECT_EQ(left->Value(), 100);
    EXPECT_EQ(tool->Left(), 100);
    EXPECT_EQ(tool->Top(), 40) << "within the chart, kept";
    edtest::ChooseItem(units, 1);
    EXPECT_EQ(tool->PositionUnits(), muPixels);
    EXPECT_EQ(tool->Left(), 100);
    edtest::Shoot(Host(), "annotation-tool-position");

    // Another automatic place leaves the place of its own.
    edtest::ChooseItem(P<TComboBox>("CBPos"), 3);
    EXPECT_EQ(tool->Position(), ppRightBottom);
    EXPECT_FALSE(tool->Shape()->CustomPosition());
    EXPECT_FALSE(P<TCheckBox>("CBCustPos")->Checked());
    for (TWinControl* c : std::vector<TWinControl*>{left, top, units})
        EXPECT_FALSE(c->Enabled()) << c->Name() << " back to an automatic place";
}

TEST_F(AnnotationToolEditTest, AutomaticSizeDisablesAndIgnoresTheWidthAndHeight) {
    Show();
    OpenPage("TabSize");
    auto* width = P<TSpinEdit>("ECustWidth");
    auto* height = P<TSpinEdit>("ECustHeight");
    EXPECT_TRUE(P<TCheckBox>("CBAutoSize")->Checked());
    EXPECT_FALSE(width->Enabled());
    EXPECT_FALSE(height->Enabled());
    const int autoWidth = tool->Width();
    // The disabled edits cannot be typed into; a value set anyway changes nothing.
    width->SetValue(autoWidth + 37);
    EXPECT_TRUE(tool->AutoSize());
    EXPECT_EQ(tool->Width(), autoWidth);

    edtest::ClickControl(P<TCheckBox>("CBAutoSize"));
    EXPECT_FALSE(tool->AutoSize());
    EXPECT_TRUE(width->Enabled());
    EXPECT_TRUE(height->Enabled());
    EXPECT_EQ(width->Value(), tool->Width());
    edtest::TypeInto(width, "140");
    edtest::TypeInto(height, "45");
    EXPECT_EQ(tool->Width(), 140);
    EXPECT_EQ(tool->Height(), 45);

    edtest::ClickControl(P<TCheckBox>("CBAutoSize"));
    EXPECT_TRUE(tool->AutoSize());
    EXPECT_FALSE(width->Enabled());
}

TEST_F(AnnotationToolEditTest, TheCalloutPageEditsTheArrowAndKeepsAPositionThatIsNoNumber) {
    tool->Callout()->SetXPosition(210);
    Show();
    OpenPage("TabCallout");
    edtest::TypeInto(P<TEdit>("EX"), "abc");
    EXPECT_EQ(tool->Callout()->XPosition(), 210) << "not a number";
    edtest::TypeInto(P<TEdit>("EX"), "-35");
    edtest::TypeInto(P<TEdit>("EY"), "80");
    edtest::TypeInto(P<TEdit>("EZ"), "2");
    EXPECT_EQ(tool->Callout()->XPosition(), -35);
    EXPECT_EQ(tool->Callout()->YPosition(), 80);
    EXPECT_EQ(tool->Callout()->ZPosition(), 2);
    edtest::TypeInto(P<TSpinEdit>("EArrowDist"), "12");
    EXPECT_EQ(tool->Callout()->Distance(), 12);
    edtest::ChooseItem(P<TComboBox>("CBHead"), 1);
    EXPECT_EQ(tool->Callout()->ArrowHead(), ahLine);
    edtest::TypeInto(P<TSpinEdit>("Edit1"), "20");
    EXPECT_EQ(tool->Callout()->ArrowHeadSize(), 20);

    // The arrow's pen, hidden at first, is shown through the pen editor.
    ASSERT_FALSE(tool->Callout()->Arrow()->Visible());
    TModalHook old = SetModalHook([&](TCustomForm* f) {
        edtest::ClickControl(Part<TCheckBox>(f, "CBVisible"));
        edtest::ClickControl(Part<TButton>(f, "BOk"));
    });
    edtest::ClickControl(P<TButtonPen>("BCalloutPen"));
    SetModalHook(old);
    EXPECT_TRUE(tool->Callout()->Arrow()->Visible());

    // The pointer at the target, through the pointer dialog on this callout.
    bool pointer = false;
    old = SetModalHook([&](TCustomForm* f) {
        pointer = true;
        EXPECT_EQ(f->Caption(), "Pointer");
        // The callout starts hidden: shown first, its pointer's style can be chosen.
        edtest::ClickControl(Part<TCheckBox>(f, "CBDrawPoint"));
        edtest::ChooseItem(Part<TComboBox>(f, "CBStyle"), psStar);
        edtest::ClickControl(Part<TButton>(f, "Button1"));
    });
    edtest::ClickControl(P<TButton>("BCalloutPointer"));
    SetModalHook(old);
    EXPECT_TRUE(pointer);
    EXPECT_TRUE(tool->Callout()->Visible());
    EXPECT_EQ(tool->Callout()->Style(), psStar);
    edtest::Shoot(Host(), "annotation-tool-callout");
}

TEST_F(AnnotationToolEditTest, TheShapePagesAndTheMarginsWorkInsideTheEditor) {
    Show();
    TPageControl* pages = editor->PageControl1();
    std::vector<std::string> names;
    for (int i = 0; i < pages->PageCount(); ++i)
        names.push_back(pages->Pages(i)->Name());
    EXPECT_EQ(names, (std::vector<std::string>{"TabText", "TabPosition", "TabSize", "TabCallout",
                                               "TabMargins", "TabFormat", "TabBorder", "TabText",
                                               "TabGradient", "TabShadow", "TabImage"}));

    OpenPage("TabMargins");
    EXPECT_EQ(editor->MarginsEditor()->Parent(), pages->ActivePage());
    edtest::TypeInto(Part<TSpinEdit>(editor->MarginsEditor(), "UDLeft"), "17");
    EXPECT_EQ(tool->Shape()->Margins()->Left(), 17);

    // The shape's own pages: the first showing of the gradient page makes its editor on the
    // box's gradient.
    OpenPage("TabGradient");
    ASSERT_NE(editor->ShapeEditor()->GradientEditor(), nullptr);
    EXPECT_EQ(editor->ShapeEditor()->GradientEditor()->Gradient, tool->Shape()->GradientIfAny());
    edtest::ClickTab(pages, PageIndexOf(pages, "TabFormat"));
    edtest::TypeInto(Part<TSpinEdit>(editor->ShapeEditor(), "EShadowTransp"), "35");
    EXPECT_EQ(tool->Shape()->Transparency(), 35);
    edtest::Shoot(Host(), "annotation-tool-format");
}

TEST_F(AnnotationToolEditTest, TranslatingTheEditorLeavesTheCursorNames) {
    // A translation that marks every item of every combo box it is given.
    const auto saved = TranslationHook();
    TranslationHook() = [](TControl* control) {
        for (int i = 0; i < control->ComponentCount(); ++i)
            if (auto* combo = dynamic_cast<TComboBox*>(control->Components(i)))
                for (int j = 0; j < combo->Items()->Count(); ++j)
                    combo->Items()->Put(j, "~" + combo->Items()->Get(j));
    };
    tool->SetCursor(crCross);
    Show();
    TranslationHook() = saved;
    EXPECT_EQ(P<TComboBox>("CBTextAlign")->Items()->Get(0), "~Left") << "translated";
    auto* cursors = P<TComboBox>("CBCursor");
    EXPECT_EQ(cursors->GetText(), "Cross");
    EXPECT_EQ(cursors->Items()->IndexOf("~Cross"), -1);
    edtest::ChooseItem(cursors, cursors->Items()->IndexOf("HandPoint"));
    EXPECT_EQ(tool->Cursor(), crHandPoint);
}

} // namespace
