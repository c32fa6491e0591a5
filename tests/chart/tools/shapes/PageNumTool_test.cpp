#include "chart/axispanel/AxisPanel.h"
#include "chart/axispanel/ChartPage.h"
#include "chart/draw/ChartTypes.h"
#include "chart/tools/PageNumTool.h"
#include "platform/classes/ObjectText.h"
#include "platform/classes/Streaming.h"
#include "platform/graphics/Bitmap.h"
#include "tests/chart/support/CanvasCallLog.h"
#include "tests/chart/support/ChartTestSupport.h"
#include "tests/chart/tools/pointer/ToolsTestSupport.h"

#include <string>
#include <vector>

namespace {

class PageNumToolTest : public tooltest::ToolChartFixture {
protected:
    void SetUp() override {
        ToolChartFixture::SetUp();
        tool = new TPageNumTool(form);
        tool->SetParentChart(chart);
        tool->OnClick = [this](TAnnotationTool*, TMouseButton, TShiftState, int, int) { ++clicks; };
    }
    // 25 points shown 10 a page: three pages.
    void ThreePages() {
        std::vector<std::pair<double, double>> points;
        for (int i = 0; i < 25; ++i)
            points.emplace_back(i, 4 * i);
        AddSeries(points);
        chart->Pages()->SetMaxPointsPerPage(10);
    }
    static TPoint Inside(const TPointList& triangle) {
        return {(triangle[0].X + triangle[1].X + triangle[2].X) / 3,
                (triangle[0].Y + triangle[1].Y + triangle[2].Y) / 3};
    }
    // A disabled button runs from white to silver, an enabled one from black.
    static bool Light(TColor c) {
        return (c & 0xFF) >= 0xC0 && ((c >> 8) & 0xFF) >= 0xC0 && ((c >> 16) & 0xFF) >= 0xC0;
    }
    void PressAt(TPoint p) {
        Press(p.X, p.Y);
        Release(p.X, p.Y);
    }
    // The x of the drawn text when the chart is drawn into a bitmap.
    int TextX() {
        TBitmap target(400, 300);
        charttest::TCanvasCallLog log(*target.Canvas());
        chart->DrawToCanvas(target.Canvas(), {0, 0, 400, 300});
        for (const TCanvasCall& call : log.Calls())
            if (call.op == TCanvasOp::Text && call.text == tool->Text())
                return call.points.at(0).X;
        ADD_FAILURE() << "no text " << tool->Text();
        return 0;
    }

    TPageNumTool* tool = nullptr;
    int clicks = 0;
};

TEST_F(PageNumToolTest, AChartWithoutPagingIsOnPageOneOfOneWithBothButtonsDisabled) {
    EXPECT_EQ(tool->Text(), "Page 1 of 1");
    const QImage picture = Repaint();
    EXPECT_TRUE(Light(charttest::PixelAt(picture, Inside(tool->PreviousButton()).X,
                                         Inside(tool->PreviousButton()).Y)));
    EXPECT_TRUE(Light(
        charttest::PixelAt(picture, Inside(tool->NextButton()).X, Inside(tool->NextButton()).Y)));
    // The buttons lie in the box: the previous one at its left, the next one at its right.
    const TRect r = tool->GetBounds();
    EXPECT_EQ(tool->PreviousButton(), (TPointList{{r.Left + 3, (r.Top + r.Bottom) / 2},
                                                  {r.Left + 15, r.Top + 4},
                                                  {r.Left + 15, r.Bottom - 4}}));
    EXPECT_EQ(tool->NextButton(), (TPointList{{r.Right - 4, (r.Top + r.Bottom) / 2},
                                              {r.Right - 16, r.Top + 4},
                                              {r.Right - 16, r.Bottom - 4}}));
}

TEST_F(PageNumToolTest, TheButtonsTurnThePagesThatCanBeTurnedAndKeepThePressFromTheChart) {
    ThreePages();
    EXPECT_EQ(tool->Text(), "Page 1 of 3");
    QImage picture = Repaint();
    const TPoint previous = Inside(tool->PreviousButton());
    const TPoint next = Inside(tool->NextButton());
    EXPECT_TRUE(Light(charttest::PixelAt(picture, previous.X, previous.Y)));
    EXPECT_FALSE(Light(charttest::PixelAt(picture, next.X, next.Y)));

    // On the first page the previous button does nothing, and the press is not a click.
    PressAt(previous);
    EXPECT_EQ(chart->Pages()->Current(), 1);
    EXPECT_EQ(clicks, 0);
    PressAt(next);
    EXPECT_EQ(chart->Pages()->Current(), 2);
    EXPECT_EQ(tool->Text(), "Page 2 of 3");
    picture = Repaint();
    EXPECT_FALSE(Light(charttest::PixelAt(picture, previous.X, previous.Y)));
    EXPECT_FALSE(Light(charttest::PixelAt(picture, next.X, next.Y)));
    PressAt(Inside(tool->NextButton()));
    PressAt(Inside(tool->NextButton()));
    EXPECT_EQ(chart->Pages()->Current(), 3);
    picture = Repaint();
    EXPECT_TRUE(Light(
        charttest::PixelAt(picture, Inside(tool->NextButton()).X, Inside(tool->NextButton()).Y)));
    PressAt(Inside(tool->PreviousButton()));
    EXPECT_EQ(chart->Pages()->Current(), 2);
    EXPECT_EQ(clicks, 0);

    // A drag started on a button is not the chart's zoom either.
    const TPoint on = Inside(tool->NextButton());
    Press(on.X, on.Y);
    MoveTo(300, 250);
    Release(300, 250);
    EXPECT_EQ(zooms, 0);
    // Elsewhere in the box the annotation clicks.
    const TRect r = tool->GetBounds();
    PressAt({(r.Left + r.Right) / 2, r.Top + 2});
    EXPECT_EQ(clicks, 1);
}

TEST_F(PageNumToolTest, TheHandShowsOverAButtonThatCanTurnThePage) {
    ThreePages();
    Paint();
    chart->SetCursor(crDefault);
    const TPoint previous = Inside(tool->PreviousButton());
    MoveTo(previous.X, previous.Y, Qt::NoButton);
    EXPECT_EQ(chart->Cursor(), crDefault);
    const TPoint next = Inside(tool->NextButton());
    MoveTo(next.X, next.Y, Qt::NoButton);
    EXPECT_EQ(chart->Cursor(), crHandPoint);
}

// The buttons take 2 x ButtonWidth + 8 pixels of a box that sizes itself, on the side of the box
// away from the chart's edge; left text moves right past the previous button, right text left.
TEST_F(PageNumToolTest, TheButtonsWidenTheBoxAndMoveTheTextByItsAlignment) {
    tool->SetShowButtons(false);
    const TRect plain = tool->GetBounds();
    const int plainX = TextX();
    tool->SetShowButtons(true);
    const TRect withButtons = tool->GetBounds();
    EXPECT_EQ(withButtons, (TRect{plain.Left, plain.Top, plain.Right + 32, plain.Bottom}));
    EXPECT_EQ(TextX(), plainX + 16);

    const int fh = chart->FontHeight(tool->Shape()->Font());
    const int mx = RoundEven(0.2 * fh);
    struct Case {
        TAnnotationPosition position;
        TAlignment alignment;
        int growLeft, growRight, offset;
    };
    const Case cases[] = {
        {ppLeftTop, taCenter, 0, 32, 0},        {ppLeftBottom, taRightJustify, 0, 32, -16},
        {ppRightTop, taLeftJustify, 32, 0, 16}, {ppRightBottom, taCenter, 32, 0, 0},
        {ppCenter, taRightJustify, 32, 0, -16},
    };
    for (const Case& c : cases) {
        tool->SetPosition(c.position);
        tool->SetTextAlignment(c.alignment);
        tool->SetShowButtons(false);
        const TRect off = tool->GetBounds();
        tool->SetShowButtons(true);
        const TRect r = tool->GetBounds();
        EXPECT_EQ(r, (TRect{off.Left - c.growLeft, off.Top, off.Right + c.growRight, off.Bottom}))
            << static_cast<int>(c.position);
        const int anchor = c.alignment == taLeftJustify ? r.Left + mx + 1
                           : c.alignment == taCenter    ? (mx + r.Left + r.Right - mx) / 2 + 1
                                                        : r.Right - mx;
        EXPECT_EQ(TextX(), anchor + c.offset) << static_cast<int>(c.position);
    }
}

// A format is tried on two page numbers before it is taken: one that would read a third
// argument, or another kind of argument, is refused and the old one stays.
TEST_F(PageNumToolTest, AFormatThatCannotTakeTwoPageNumbersIsRefused) {
    ThreePages();
    for (const char* bad : {"%s", "%d %d %d", "Page %f", "%p of %d", "%2:d", "%"}) {
        EXPECT_THROW(tool->SetFormat(bad), ChartException) << bad;
        EXPECT_EQ(tool->Format(), "Page %d of %d") << bad;
    }
    struct Case {
        const char* format;
        const char* text;
    };
    const Case cases[] = {
        {"Стр. %d из %d", "Стр. 1 из 3"},
        {"%d", "1"},
        {"%1:d/%0:d", "3/1"},
        {"%3d%% (%d)", "  1% (3)"},
    };
    for (const Case& c : cases) {
        tool->SetFormat(c.format);
        EXPECT_EQ(tool->Text(), c.text) << c.format;
    }
    Repaint();
}

TEST_F(PageNumToolTest, TheDefaultFormatIsNotWrittenToTheDescriptionAndAnotherOneIs) {
    form->SetName("Form1");
    chart->SetName("Chart1");
    tool->SetName("Pages1");
    tool->SetButtonWidth(9);
    std::string text = ComponentToText(form);
    EXPECT_EQ(text.find("Format = "), std::string::npos) << text;
    tool->SetFormat("Стр. %d из %d");
    tool->SetShowButtons(false);
    text = ComponentToText(form);
    EXPECT_NE(text.find("Format = "), std::string::npos) << text;

    auto* read = new TForm(nullptr);
    ReadComponentDescription(ObjectTextToBinary(text), read);
    auto* readTool = dynamic_cast<TPageNumTool*>(read->FindComponent("Pages1"));
    ASSERT_NE(readTool, nullptr) << text;
    EXPECT_EQ(readTool->Format(), "Стр. %d из %d");
    EXPECT_EQ(readTool->ButtonWidth(), 9);
    EXPECT_FALSE(readTool->ShowButtons());
    EXPECT_TRUE(readTool->EnabledButton()->Visible());
    EXPECT_EQ(readTool->EnabledButton()->StartColor(), clBlack);
    EXPECT_EQ(readTool->DisabledButton()->StartColor(), clWhite);
    EXPECT_EQ(readTool->DisabledButton()->EndColor(), clSilver);
    EXPECT_EQ(readTool->Text(), "Стр. 1 из 1");
    read->Free();
}

} // namespace
