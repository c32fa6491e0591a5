#include "chart/tools/FullScreenTool.h"
#include "platform/forms/Messages.h"
#include "platform/stdctrls/Panel.h"
#include "tests/chart/tools/pointer/ToolsTestSupport.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace {

class FullScreenToolTest : public tooltest::ToolChartFixture {
protected:
    TFullScreenTool* AddTool() {
        auto* tool = new TFullScreenTool(form);
        tool->SetParentChart(chart);
        return tool;
    }
    // A key pressed and let go over the chart.
    void PressKey(int qtKey) {
        QKeyEvent press(QEvent::KeyPress, qtKey, Qt::NoModifier);
        QApplication::sendEvent(chart->Handle(), &press);
        QKeyEvent release(QEvent::KeyRelease, qtKey, Qt::NoModifier);
        QApplication::sendEvent(chart->Handle(), &release);
    }
    static TRect Desktop() { return Screen->Monitors(0).BoundsRect; }
};

TEST_F(FullScreenToolTest, EscapePutsTheChartBackWithItsBoundsAndAlignment) {
    TFullScreenTool* tool = AddTool();
    EXPECT_FALSE(tool->Active());
    struct PlaceCase {
        TAlign Align;
        TRect Bounds;
    };
    const PlaceCase cases[] = {{alNone, Bounds(12, 8, 400, 300)}, {alClient, form->ClientRect()}};
    for (const PlaceCase& c : cases) {
        chart->SetBoundsRect(c.Bounds);
        chart->SetAlign(c.Align);
        tool->SetActive(true);
        TCustomForm* full = tool->FullScreenForm();
        ASSERT_NE(full, nullptr);
        EXPECT_EQ(chart->Parent(), full);
        EXPECT_EQ(full->BorderStyle(), bsNone);
        EXPECT_TRUE(full->KeyPreview());
        EXPECT_TRUE(full->Visible());
        EXPECT_EQ(full->BoundsRect(), Desktop());
        EXPECT_EQ(chart->Align(), alNone);
        EXPECT_EQ(chart->BoundsRect(), Bounds(0, 0, Desktop().Width(), Desktop().Height()));

        PressKey(Qt::Key_Escape);
        EXPECT_FALSE(tool->Active());
        EXPECT_EQ(tool->FullScreenForm(), nullptr);
        EXPECT_EQ(chart->Parent(), form);
        EXPECT_EQ(chart->Align(), c.Align);
        EXPECT_EQ(chart->BoundsRect(), c.Bounds);
    }
}

TEST_F(FullScreenToolTest, EnteredTwiceThenEscapeRestoresTheOriginalParent) {
    TFullScreenTool* tool = AddTool();
    chart->SetBounds(5, 6, 400, 300);
    tool->SetActive(true);
    TCustomForm* full = tool->FullScreenForm();
    tool->SetActive(true);
    EXPECT_EQ(tool->FullScreenForm(), full);
    EXPECT_EQ(chart->Parent(), full);
    PressKey(Qt::Key_Escape);
    EXPECT_EQ(chart->Parent(), form);
    EXPECT_EQ(chart->BoundsRect(), Bounds(5, 6, 400, 300));
    // Leaving twice does nothing more.
    tool->SetActive(false);
    EXPECT_EQ(chart->Parent(), form);
    // The chart is whole and draws.
    EXPECT_EQ(Paint().size(), QSize(400, 300));
}

TEST_F(FullScreenToolTest, OnlyTheReleaseKeyLeaves) {
    TFullScreenTool* tool = AddTool();
    tool->SetReleaseKey(VK_F1 + 10);
    tool->SetActive(true);
    PressKey(Qt::Key_Escape);
    PressKey(Qt::Key_A);
    EXPECT_NE(tool->FullScreenForm(), nullptr);
    PressKey(Qt::Key_F11);
    EXPECT_EQ(tool->FullScreenForm(), nullptr);
    EXPECT_EQ(chart->Parent(), form);
}

TEST_F(FullScreenToolTest, ClosingTheWindowPutsTheChartBackAndItCanGoFullScreenAgain) {
    TFullScreenTool* tool = AddTool();
    tool->SetActive(true);
    tool->FullScreenForm()->Close();
    EXPECT_EQ(chart->Parent(), form);
    EXPECT_EQ(tool->FullScreenForm(), nullptr);
    tool->SetActive(true);
    ASSERT_NE(tool->FullScreenForm(), nullptr);
    EXPECT_EQ(chart->Parent(), tool->FullScreenForm());
    tool->SetActive(false);
    EXPECT_EQ(chart->Parent(), form);
}

TEST_F(FullScreenToolTest, AToolFreedInFullScreenPutsTheChartBack) {
    TFullScreenTool* tool = AddTool();
    tool->SetActive(true);
    tool->Free();
    EXPECT_EQ(chart->Parent(), form);
    EXPECT_EQ(chart->Tools()->Count(), 0);
}

TEST_F(FullScreenToolTest, AChartFreedInFullScreenTakesTheWindowAlong) {
    TFullScreenTool* tool = AddTool();
    tool->SetActive(true);
    const int forms = Screen->FormCount();
    chart->Free();
    chart = nullptr;
    EXPECT_EQ(Screen->FormCount(), forms - 1);
    EXPECT_EQ(form->ControlCount(), 0);
}

TEST_F(FullScreenToolTest, AParentFreedMeanwhileLeavesTheChartWithoutOne) {
    auto* panel = new TPanel(form);
    panel->SetParent(form);
    chart->SetParent(panel);
    TFullScreenTool* tool = AddTool();
    tool->SetActive(true);
    panel->Free();
    PressKey(Qt::Key_Escape);
    EXPECT_EQ(chart->Parent(), nullptr);
    chart->SetParent(form);
}

TEST_F(FullScreenToolTest, WithoutAChartNothingHappens) {
    auto* tool = new TFullScreenTool(form);
    tool->SetActive(true);
    EXPECT_TRUE(tool->Active());
    EXPECT_EQ(tool->FullScreenForm(), nullptr);
    tool->Free();
}

} // namespace
