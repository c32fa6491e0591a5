#include "chart/axispanel/AxisPanel.h"
#include "chart/draw/ChartPen.h"
#include "chart/tools/AnnotationTool.h"
#include "platform/classes/ObjectText.h"
#include "platform/classes/Streaming.h"
#include "platform/graphics/Bitmap.h"
#include "tests/chart/support/CanvasCallLog.h"
#include "tests/chart/support/ChartTestSupport.h"
#include "tests/chart/support/MouseInput.h"
#include "tests/chart/tools/pointer/ToolsTestSupport.h"

#include <string>
#include <vector>

namespace {

class AnnotationToolTest : public tooltest::ToolChartFixture {
protected:
    TAnnotationTool* AddAnnotation(const std::string& text) {
        auto* tool = new TAnnotationTool(form);
        tool->SetParentChart(chart);
        tool->SetText(text);
        return tool;
    }
    // The text's widest line and its lines' height in the annotation's font.
    TSize TextSize(TAnnotationTool* tool, const std::string& text, int& lines) {
        const int width = chart->WidestTextLine(tool->Shape()->Font(), text, lines);
        return {width, chart->FontHeight(tool->Shape()->Font()) * lines};
    }
    int FontHeight(TAnnotationTool* tool) { return chart->FontHeight(tool->Shape()->Font()); }
    // The texts written while the chart is drawn into a 400 x 300 bitmap at (left, top).
    std::vector<TCanvasCall> DrawnTexts(int left = 0, int top = 0) {
        TBitmap target(400 + left, 300 + top);
        charttest::TCanvasCallLog log(*target.Canvas());
        chart->DrawToCanvas(target.Canvas(), {left, top, left + 400, top + 300});
        std::vector<TCanvasCall> texts;
        for (const TCanvasCall& call : log.Calls())
            if (call.op == TCanvasOp::Text && !call.text.empty() &&
                call.text.find_first_not_of("0123456789") != std::string::npos)
                texts.push_back(call);
        return texts;
    }
};

// The box of each position with AutoSize: a framed pen of width 1 adds one pixel, the margins are
// 10 % and 5 % of twice the font height, the corners keep 10 pixels from the left and top and
// none from the right and bottom, the centre is the middle less half the text.
TEST_F(AnnotationToolTest, TheBoxSitsAtEachPositionAndSizesItselfFromTheText) {
    TAnnotationTool* tool = AddAnnotation("Напряжение\rпитания 12,4 В");
    int lines = 0;
    const TSize text = TextSize(tool, "Напряжение\rпитания 12,4 В", lines);
    ASSERT_EQ(lines, 2);
    const int fh = FontHeight(tool);
    const int mx = RoundEven(10 * 0.02 * fh);
    const int my = RoundEven(5 * 0.02 * fh);
    const int width = text.cx + 1 + 2 * mx;
    const int height = text.cy + 1 + 2 * my;
    const TRect b = chart->PanelBounds();
    ASSERT_EQ(b, (TRect{0, 0, 400, 300}));
    struct Case {
        TAnnotationPosition position;
        int left, top;
    };
    const Case cases[] = {
        {ppLeftTop, 10, 10},
        {ppLeftBottom, 10, b.Bottom - height + 1},
        {ppRightTop, b.Right - width + 1, 10},
        {ppRightBottom, b.Right - width + 1, b.Bottom - height + 1},
        {ppCenter, (b.Right - text.cx) / 2, (b.Bottom - text.cy) / 2},
    };
    for (const Case& c : cases) {
        tool->SetPosition(c.position);
        const TRect r = tool->GetBounds();
        EXPECT_EQ(r, (TRect{c.left, c.top, c.left + width - 1, c.top + height - 1}))
            << static_cast<int>(c.position);
        // The shape keeps the box's size.
        EXPECT_EQ(tool->Width(), width);
        EXPECT_EQ(tool->Height(), height);
    }
    // The right-hand corners end on the chart's right edge, the bottom ones on its bottom edge.
    tool->SetPosition(ppRightBottom);
    EXPECT_EQ(tool->GetBounds().Right, b.Right);
    EXPECT_EQ(tool->GetBounds().Bottom, b.Bottom);
}

TEST_F(AnnotationToolTest, AnEmptyTextIsABoxOneBlankWideAndOneLineHigh) {
    TAnnotationTool* tool = AddAnnotation("");
    int lines = 0;
    const TSize blank = TextSize(tool, " ", lines);
    const int fh = FontHeight(tool);
    const TRect r = tool->GetBounds();
    EXPECT_EQ(r.Right - r.Left + 1, blank.cx + 1 + 2 * RoundEven(0.2 * fh));
    EXPECT_EQ(r.Bottom - r.Top + 1, fh + 1 + 2 * RoundEven(0.1 * fh));
    const std::vector<TCanvasCall> texts = DrawnTexts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, " ");
}

TEST_F(AnnotationToolTest, ACustomPlaceIsInPixelsOrPercentOfTheChartAndAPositionLeavesIt) {
    TAnnotationTool* tool = AddAnnotation("Заметка");
    tool->SetLeft(50);
    EXPECT_TRUE(tool->Shape()->CustomPosition());
    tool->SetTop(40);
    EXPECT_EQ(tool->GetBounds().Left, 50);
    EXPECT_EQ(tool->GetBounds().Top, 40);
    // Percent of the chart's 401 x 301 pixel bounds, halves to even.
    tool->SetPositionUnits(muPercent);
    EXPECT_EQ(tool->GetBounds().Left, 200);
    EXPECT_EQ(tool->GetBounds().Top, 120);
    tool->SetTop(50);
    EXPECT_EQ(tool->GetBounds().Top, 150);
    tool->SetPosition(ppRightTop);
    EXPECT_FALSE(tool->Shape()->CustomPosition());
    EXPECT_EQ(tool->GetBounds().Top, 10);
    EXPECT_EQ(tool->GetBounds().Right, 400);
}

TEST_F(AnnotationToolTest, SettingTheWidthFixesTheSizeAndTheDescriptionKeepsIt) {
    auto* tool = AddAnnotation("Порог");
    tool->SetName("Annotation1");
    chart->SetName("Chart1");
    form->SetName("Form1");
    const std::string autoText = ComponentToText(form);
    const std::string autoTool = autoText.substr(autoText.find("object Annotation1"));
    EXPECT_EQ(autoTool.find("Width = "), std::string::npos) << autoText;
    tool->SetWidth(80);
    EXPECT_FALSE(tool->AutoSize());
    tool->SetHeight(30);
    EXPECT_EQ(tool->GetBounds(), (TRect{10, 10, 89, 39}));
    const std::string text = ComponentToText(form);
    EXPECT_NE(text.find("Width = 80"), std::string::npos) << text;
    EXPECT_NE(text.find("Height = 30"), std::string::npos) << text;

    auto* read = new TForm(nullptr);
    ReadComponentDescription(ObjectTextToBinary(text), read);
    auto* readTool = dynamic_cast<TAnnotationTool*>(read->FindComponent("Annotation1"));
    ASSERT_NE(readTool, nullptr) << text;
    EXPECT_FALSE(readTool->AutoSize());
    EXPECT_EQ(readTool->Width(), 80);
    EXPECT_EQ(readTool->Height(), 30);
    EXPECT_EQ(readTool->Text(), "Порог");
    read->Free();
}

TEST_F(AnnotationToolTest, EachLineIsDrawnBelowTheOtherWithoutLineFeeds) {
    TAnnotationTool* tool = AddAnnotation("один\r\nдва\rтри");
    const std::vector<TCanvasCall> texts = DrawnTexts();
    ASSERT_EQ(texts.size(), 3u);
    const int fh = FontHeight(tool);
    const TRect r = tool->GetBounds();
    const char* const expected[] = {"один", "два", "три"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(texts[i].text, expected[i]);
        EXPECT_EQ(texts[i].text.find('\n'), std::string::npos);
        ASSERT_EQ(texts[i].points.size(), 1u);
        EXPECT_EQ(texts[i].points[0].Y, r.Top + RoundEven(0.1 * fh) + i * fh);
    }
}

// Left-aligned text starts after the left margin and the frame's width; centred text at the
// middle between the margins; right-aligned text ends at the right margin.
TEST_F(AnnotationToolTest, TheTextIsAnchoredByItsAlignment) {
    TAnnotationTool* tool = AddAnnotation("Текст");
    tool->SetWidth(120);
    tool->SetHeight(40);
    const int fh = FontHeight(tool);
    const int mx = RoundEven(0.2 * fh);
    struct Case {
        TAlignment alignment;
        int x;
    };
    const Case cases[] = {
        {taLeftJustify, 10 + mx + 1},
        {taCenter, (mx + 10 + 129 - mx) / 2 + 1},
        {taRightJustify, 129 - mx},
    };
    for (const Case& c : cases) {
        tool->SetTextAlignment(c.alignment);
        const std::vector<TCanvasCall> texts = DrawnTexts();
        ASSERT_EQ(texts.size(), 1u);
        ASSERT_EQ(texts[0].points.size(), 1u);
        EXPECT_EQ(texts[0].points[0].X, c.x) << static_cast<int>(c.alignment);
    }
}

// Tagged text is written in pieces from the left end of its whole width, so that centred and
// right-aligned lines sit where a plain line of that width would.
TEST_F(AnnotationToolTest, TaggedTextIsAlignedByItsWholeWidth) {
    TAnnotationTool* tool = AddAnnotation("<b>Жирный</b> и простой");
    tool->Shape()->SetTextFormat(ttfHtml);
    tool->SetWidth(200);
    tool->SetHeight(40);
    const int mx = RoundEven(0.2 * FontHeight(tool));
    for (TAlignment alignment : {taLeftJustify, taCenter, taRightJustify}) {
        tool->SetTextAlignment(alignment);
        const std::vector<TCanvasCall> pieces = DrawnTexts();
        ASSERT_GE(pieces.size(), 2u);
        std::string joined;
        for (const TCanvasCall& piece : pieces)
            joined += piece.text;
        EXPECT_EQ(joined.find('<'), std::string::npos) << joined;
        EXPECT_NE(joined.find("Жирный"), std::string::npos) << joined;
        const int left = pieces.front().points.at(0).X;
        const TCanvasCall& last = pieces.back();
        int lines = 0;
        const int right =
            last.points.at(0).X + chart->WidestTextLine(tool->Shape()->Font(), last.text, lines);
        if (alignment == taLeftJustify)
            EXPECT_EQ(left, 10 + mx + 1);
        else if (alignment == taCenter)
            EXPECT_NEAR((left + right) / 2.0, (mx + 10 + 209 - mx) / 2 + 1, 3);
        else
            EXPECT_NEAR(right, 209 - mx, 3);
    }
}

// A chart drawn into a rectangle away from (0, 0) carries its annotation along once.
TEST_F(AnnotationToolTest, AChartDrawnElsewhereMovesTheBoxByItsOriginOnce) {
    TAnnotationTool* tool = AddAnnotation("Смещение");
    const int fh = FontHeight(tool);
    const std::vector<TCanvasCall> texts = DrawnTexts(50, 40);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].points[0],
              (TPoint{50 + 10 + RoundEven(0.2 * fh) + 1, 40 + 10 + RoundEven(0.1 * fh)}));
}

TEST_F(AnnotationToolTest, TheCalloutIsHiddenUntilShownAndPointsFromTheNearestEdge) {
    TAnnotationTool* tool = AddAnnotation("Выноска");
    TAnnotationCallout* callout = tool->Callout();
    EXPECT_FALSE(callout->Visible());
    EXPECT_FALSE(callout->Arrow()->Visible());
    callout->SetXPosition(300);
    callout->SetYPosition(200);
    const QImage without = Repaint();
    // Nothing of the callout is drawn while it and its arrow are hidden.
    tool->Callout()->SetXPosition(301);
    EXPECT_EQ(tooltest::DifferingPixels(without, Repaint()), 0);

    // The arrow leaves the box from the edge facing the target, or from the middle of the box
    // along an axis on which the target lies within it.
    const TRect r{10, 10, 90, 40};
    struct Case {
        int x, y;
        TPoint start;
    };
    const Case cases[] = {
        {300, 200, {90, 40}}, {0, 0, {10, 10}},   {50, 200, {50, 40}},
        {300, 20, {90, 25}},  {50, 25, {50, 25}},
    };
    for (const Case& c : cases) {
        callout->SetXPosition(c.x);
        callout->SetYPosition(c.y);
        EXPECT_EQ(callout->StartOn(r), c.start) << c.x << "," << c.y;
    }
    // The target is pulled towards the box by Distance, but stays when it lies on the start.
    callout->SetDistance(5);
    callout->SetXPosition(90);
    callout->SetYPosition(100);
    EXPECT_EQ(callout->PulledTarget({90, 40}), (TPoint{90, 95}));
    callout->SetYPosition(40);
    EXPECT_EQ(callout->PulledTarget({90, 40}), (TPoint{90, 40}));
    callout->SetXPosition(130);
    callout->SetYPosition(70);
    EXPECT_EQ(callout->PulledTarget({90, 40}), (TPoint{126, 67}));

    // Shown, the arrow runs straight down from the middle of the box's bottom to the target.
    callout->SetDistance(0);
    const TRect box = tool->GetBounds();
    const int middle = (box.Left + box.Right) / 2;
    callout->SetXPosition(middle);
    callout->SetYPosition(250);
    callout->Arrow()->SetVisible(true);
    callout->Arrow()->SetColor(clBlue);
    const QImage with = Repaint();
    for (int y : {box.Bottom + 2, 150, 248})
        EXPECT_EQ(charttest::PixelAt(with, middle, y), clBlue) << y;
    EXPECT_NE(charttest::PixelAt(with, middle + 3, 150), clBlue);
}

TEST_F(AnnotationToolTest, APressInTheBoxClicksAndADoubleClickAlsoDoubleClicks) {
    TAnnotationTool* tool = AddAnnotation("Нажми");
    std::vector<std::string> events;
    tool->OnClick = [&](TAnnotationTool* sender, TMouseButton button, TShiftState shift, int x,
                        int y) {
        EXPECT_EQ(sender, tool);
        events.push_back("click " + std::to_string(button) + " " + std::to_string(x) + "," +
                         std::to_string(y) + (shift.Contains(ssDouble) ? " double" : ""));
    };
    tool->OnDblClick = [&](TAnnotationTool*, TMouseButton, TShiftState, int, int) {
        events.push_back("dblclick");
    };
    Paint();
    const TRect r = tool->GetBounds();
    Press(r.Left, r.Top);
    Release(r.Left, r.Top);
    Press(r.Right + 1, r.Top);
    Release(r.Right + 1, r.Top);
    Press(r.Left + 5, r.Bottom, Qt::RightButton);
    Release(r.Left + 5, r.Bottom, Qt::RightButton);
    const std::vector<std::string> single = {
        "click 0 " + std::to_string(r.Left) + "," + std::to_string(r.Top),
        "click 1 " + std::to_string(r.Left + 5) + "," + std::to_string(r.Bottom),
    };
    EXPECT_EQ(events, single);
    events.clear();
    charttest::DoubleClick(chart, r.Left + 3, r.Top + 3);
    const std::string at = std::to_string(r.Left + 3) + "," + std::to_string(r.Top + 3);
    const std::vector<std::string> twice = {"click 0 " + at, "click 0 " + at + " double",
                                            "dblclick"};
    EXPECT_EQ(events, twice);
}

TEST_F(AnnotationToolTest, TheBoxsMouseShapeShowsOverItAndKeepsTheMoveFromTheChart) {
    TAnnotationTool* tool = AddAnnotation("Курсор");
    Paint();
    const TRect r = tool->GetBounds();
    chart->SetCursor(crDefault);
    MoveTo(r.Left + 2, r.Top + 2, Qt::NoButton);
    EXPECT_EQ(chart->Cursor(), crDefault);
    tool->SetCursor(crHandPoint);
    MoveTo(r.Left + 3, r.Top + 2, Qt::NoButton);
    EXPECT_EQ(chart->Cursor(), crHandPoint);
}

} // namespace
