// The page-number tool's editor: the annotation's pages with a Paging page after them, loaded
// without writing, brought to the front once the editor is shown, and its controls going to the
// tool's buttons at once.

#include "chart/control/Chart.h"
#include "chart/draw/ChartPen.h"
#include "chart/draw/Gradient.h"
#include "chart/editors/ButtonColor.h"
#include "chart/editors/ButtonPen.h"
#include "chart/editors/EditorRoutines.h"
#include "chart/editors/GradientEditor.h"
#include "chart/editors/PageNumToolEdit.h"
#include "chart/tools/PageNumTool.h"
#include "platform/classes/Streaming.h"
#include "platform/stdctrls/Button.h"
#include "platform/stdctrls/CheckBox.h"
#include "platform/stdctrls/ComboBox.h"
#include "platform/stdctrls/PageControl.h"
#include "platform/stdctrls/SpinEdit.h"
#include "tests/chart/editors/EditorTestSupport.h"
#include "tests/chart/editors/ToolEditorTestSupport.h"

#include <QApplication>
#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <string>

namespace {

template <class T> T* Part(TComponent* form, const char* name) {
    return FormPart<T>(form, name);
}

// Runs the application's events until the editor's first page is another than `from`, for at
// most a second.
bool WaitForPageChange(TPageControl* pages, TTabSheet* from) {
    QElapsedTimer clock;
    clock.start();
    while (pages->ActivePage() == from && clock.elapsed() < 1000)
        QApplication::processEvents();
    return pages->ActivePage() != from;
}

class PageNumToolEditTest : public edtest::ToolEditorTest {
protected:
    void SetUp() override {
        ToolEditorTest::SetUp();
        tool = new TPageNumTool(form);
        tool->SetName("Pages1");
        tool->SetParentChart(chart);
        editor = TCustomForm::Create<TPageNumToolEdit>(nullptr);
        editor->SetTool(tool);
    }
    template <class T> T* P(const char* name) { return Part<T>(editor, name); }

    TPageNumTool* tool = nullptr;
    TPageNumToolEdit* editor = nullptr;
};

TEST_F(PageNumToolEditTest, OpensOnThePagingPageShowingTheButtonsWithoutWritingThem) {
    tool->SetShowButtons(false);
    tool->SetButtonWidth(9);
    tool->SetPosition(ppRightTop);
    // Drawn first: the tool's own drawing puts its page text into its box.
    chart->CreateBitmapImage();
    const std::string before = ComponentToText(tool);
    ShowEmbedded(editor, 300, 260);

    TPageControl* pages = editor->PageControl1();
    ASSERT_GT(pages->PageCount(), 6);
    EXPECT_EQ(pages->Pages(4)->Name(), "TabMargins");
    EXPECT_EQ(pages->Pages(5)->Name(), "TabPaging") << "after the annotation's own pages";
    EXPECT_EQ(pages->Pages(6)->Name(), "TabFormat") << "before the shape's";
    ASSERT_EQ(pages->ActivePage()->Name(), "TabText") << "the showing itself opens Options";
    ASSERT_TRUE(WaitForPageChange(pages, pages->ActivePage()));
    EXPECT_EQ(pages->ActivePage()->Name(), "TabPaging");

    EXPECT_FALSE(P<TCheckBox>("CBButtons")->Checked());
    EXPECT_EQ(P<TSpinEdit>("EWidth")->Value(), 9);
    EXPECT_EQ(P<TButtonPen>("BBorder")->LinkedPen(), tool->ButtonPen());
    EXPECT_EQ(P<TButtonGradient>("BEnabled")->LinkedGradient(), tool->EnabledButton());
    EXPECT_EQ(P<TButtonGradient>("BDisabled")->LinkedGradient(), tool->DisabledButton());
    // The annotation's pages are loaded as well.
    EXPECT_EQ(Part<TComboBox>(editor, "CBPos")->ItemIndex(), 2);
    EXPECT_EQ(ComponentToText(tool), before) << "loading changes nothing";
    edtest::Shoot(Host(), "page-number-tool-paging");
}

TEST_F(PageNumToolEditTest, ThePagingControlsGoToTheToolAtOnce) {
    ShowEmbedded(editor, 300, 260);
    ASSERT_TRUE(WaitForPageChange(editor->PageControl1(), editor->PageControl1()->ActivePage()));
    edtest::ClickControl(P<TCheckBox>("CBButtons"));
    EXPECT_FALSE(tool->ShowButtons());
    edtest::ClickControl(P<TCheckBox>("CBButtons"));
    EXPECT_TRUE(tool->ShowButtons());
    edtest::TypeInto(P<TSpinEdit>("EWidth"), "20");
    EXPECT_EQ(tool->ButtonWidth(), 20);

    // The buttons' outline through the pen editor.
    const int width = tool->ButtonPen()->Width();
    TModalHook old = SetModalHook([&](TCustomForm* f) {
        edtest::TypeInto(Part<TSpinEdit>(f, "SEWidth"), std::to_string(width + 2));
        edtest::ClickControl(Part<TButton>(f, "BOk"));
    });
    edtest::ClickControl(P<TButtonPen>("BBorder"));
    SetModalHook(old);
    EXPECT_EQ(tool->ButtonPen()->Width(), width + 2);

    // A usable button's fill through the gradient editor; Cancel leaves it.
    const TColor start = tool->EnabledButton()->StartColor();
    for (bool ok : {false, true}) {
        edtest::PickColor(clRed);
        old = SetModalHook([&](TCustomForm* f) {
            edtest::ClickControl(Part<TButtonColor>(f, "BStart"));
            edtest::ClickControl(Part<TButton>(f, ok ? "BOk" : "BCancel"));
        });
        edtest::ClickControl(P<TButtonGradient>("BEnabled"));
        SetModalHook(old);
        edtest::PickColor(clNone);
        EXPECT_EQ(tool->EnabledButton()->StartColor(), ok ? clRed : start) << ok;
    }
    EXPECT_EQ(tool->DisabledButton()->StartColor(), clWhite) << "the other fill untouched";
}

} // namespace
