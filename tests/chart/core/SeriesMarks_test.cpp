// Series marks: placing and measuring a mark, stored and custom positions, the hit test, the
// callout's lift and arrow, and the per-point items kept in a description.

#include "CoreTestSupport.h"
#include "chart/core/SeriesMarks.h"
#include "chart/draw/PlotCanvas3D.h"
#include "platform/classes/Reader.h"
#include "platform/classes/Writer.h"
#include "platform/rtl/Exception.h"
#include "tests/chart/support/CanvasCallLog.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

class MarksTest : public ::testing::Test {
protected:
    ChartCoreSession session;
    TTestChart chart;
    TChartSeries series{nullptr};
    TSeriesMarks marks{&series};

    // A stored position with its box at (left, top), width x height.
    void StoreBox(int index, int left, int top, int width, int height) {
        TSeriesMarkPosition p;
        p.Left = left;
        p.Top = top;
        p.Width = width;
        p.Height = height;
        marks.Positions().StoreAt(index, p);
    }
};

TEST_F(MarksTest, AMarkIsCentredAboveItsPoint) {
    TSeriesMarkPosition p;
    p.Width = 30;
    p.Height = 14;
    TRect symbol{0, 0, 13, 13};
    TSeriesMarksPositions::PlaceAt(p, 100, 50, &symbol);
    EXPECT_EQ(p.Left, 85);
    EXPECT_EQ(p.Top, 37);
    EXPECT_EQ(p.ArrowFrom, (TPoint{100, 50}));
    EXPECT_EQ(p.ArrowTo, (TPoint{100, 50}));
    // The symbol keeps its size and sits inside the box's top-left corner.
    EXPECT_EQ(symbol.Left, 87);
    EXPECT_EQ(symbol.Top, 39);
    EXPECT_EQ(symbol.Right - symbol.Left, 13);
    EXPECT_EQ(symbol.Bottom - symbol.Top, 13);
}

TEST_F(MarksTest, MeasuredSizeHoldsTheTextTheMarginsTheSymbolAndTheFrame) {
    struct Case {
        const char* what;
        TMarginUnits units;
        bool symbol;
        int frameWidth; // 0: frame hidden
        int width, height;
    };
    // Text 30 x 13 (one line, font 13 high). Percent of the font: left and right
    // round(20 x 0.02 x 13) = 5, top and bottom round(5 x 0.02 x 13) = 1.
    const Case cases[] = {
        {"percent of the font, thin frame", maPercentFont, false, 1, 40, 15},
        {"a 3-pixel frame adds 2", maPercentFont, false, 3, 42, 17},
        {"no frame adds 1", maPercentFont, false, 0, 41, 16},
        {"the symbol adds the font height less 4", maPercentFont, true, 1, 49, 15},
        {"pixels as they are", maPixels, false, 1, 70, 23},
    };
    for (const Case& c : cases) {
        TSeriesMarks m(&series);
        m.Margins()->SetUnits(c.units);
        m.Pen()->SetVisible(c.frameWidth > 0);
        if (c.frameWidth > 0)
            m.Pen()->SetWidth(c.frameWidth);
        if (c.symbol)
            m.Symbol()->SetVisible(true);
        TSeriesMarkPosition p;
        m.Measure(p, 30, 13, 13, 100, 50);
        EXPECT_EQ(p.Width, c.width) << c.what;
        EXPECT_EQ(p.Height, c.height) << c.what;
        EXPECT_EQ(p.Left, 100 - c.width / 2) << c.what;
        EXPECT_EQ(p.Top, 50 - c.height + 1) << c.what;
    }
    TMargins margins({}, 20);
    margins.ComputePixels(0, 0, 10);
    EXPECT_EQ(margins.Pixels().Left, 4);
}

TEST_F(MarksTest, ACustomPositionSurvivesRedrawingAndAComputedOneIsReplaced) {
    TSeriesMarkPosition first;
    first.Left = 10;
    first.Top = 20;
    marks.StorePosition(0, first);
    TSeriesMarkPosition again;
    again.Left = 50;
    again.Top = 60;
    marks.StorePosition(0, again);
    EXPECT_EQ(marks.Positions().EntryAt(0)->Left, 50);
    EXPECT_EQ(again.Left, 50);

    TSeriesMarkPosition dragged;
    dragged.Custom = true;
    dragged.Left = 200;
    dragged.Top = 5;
    dragged.ArrowFrom = {1, 2};
    marks.Positions().StoreAt(3, dragged);
    TSeriesMarkPosition computed;
    computed.Left = 70;
    computed.ArrowFrom = {99, 98};
    marks.StorePosition(3, computed);
    EXPECT_EQ(computed.Left, 200);
    EXPECT_EQ(computed.Top, 5);
    EXPECT_EQ(computed.ArrowFrom, (TPoint{1, 2}));
    EXPECT_TRUE(marks.Positions().EntryAt(3)->Custom);

    // A fixed arrow start keeps the computed one even against a custom position.
    TSeriesMarkPosition fixed;
    fixed.ArrowFix = true;
    fixed.ArrowFrom = {99, 98};
    marks.StorePosition(3, fixed);
    EXPECT_EQ(fixed.Left, 200);
    EXPECT_EQ(fixed.ArrowFrom, (TPoint{99, 98}));

    EXPECT_TRUE(marks.Positions().HasCustom());
    EXPECT_EQ(marks.Positions().EntryAt(1), nullptr); // grown, nothing stored
    EXPECT_EQ(marks.Positions().EntryAt(4), nullptr);
    EXPECT_EQ(marks.Positions().EntryAt(-1), nullptr);
}

TEST_F(MarksTest, TheHitTestFindsTheTopmostMarkOfThePointsThatGetOne) {
    StoreBox(0, 10, 10, 40, 20);
    StoreBox(1, 20, 15, 40, 20);
    StoreBox(2, 30, 20, 40, 20);
    StoreBox(4, 200, 200, 10, 10);
    struct Case {
        int drawEvery;
        int x, y;
        int expected;
    };
    const Case cases[] = {
        {1, 35, 25, 2},    // under all three: the last drawn is on top
        {1, 15, 12, 0},    // only the first
        {1, 10, 10, 0},    // the edge belongs to the box
        {1, 50, 30, 2},    // the right-bottom edge too
        {1, 5, 5, -1},     // nothing there
        {2, 35, 25, 2},    // every second point: 0, 2, 4
        {2, 22, 17, 0},    // point 1 has no mark
        {3, 35, 25, 0},    // every third: 0, 3
        {3, 205, 205, -1}, // point 4 has no mark
        {0, 35, 25, 2},    // 0 counts as every point
        {-2, 22, 17, 1},   // and so does a negative value
    };
    for (const Case& c : cases) {
        marks.SetDrawEvery(c.drawEvery);
        EXPECT_EQ(marks.MarkAt(c.x, c.y), c.expected)
            << "every " << c.drawEvery << " at " << c.x << "," << c.y;
    }
}

TEST_F(MarksTest, ATurnedMarkIsHitInsideItsTurnedBox) {
    // A box 100 wide and 10 high around (150, 105), turned upright: it covers x 145..155 and
    // y 55..155.
    StoreBox(0, 100, 100, 100, 10);
    marks.SetAngle(90);
    EXPECT_EQ(marks.MarkAt(150, 60), 0);
    EXPECT_EQ(marks.MarkAt(110, 105), -1); // inside the flat box only
    marks.SetAngle(450);                   // the same turn
    EXPECT_EQ(marks.MarkAt(150, 150), 0);
    marks.SetAngle(0);
    EXPECT_EQ(marks.MarkAt(110, 105), 0);
}

TEST_F(MarksTest, DrawEveryDecidesWhichPointsGetAMark) {
    struct Case {
        int every;
        std::vector<int> points;
    };
    const Case cases[] = {{1, {0, 1, 2, 3, 4, 5}},
                          {2, {0, 2, 4}},
                          {0, {0, 1, 2, 3, 4, 5}},
                          {-1, {0, 1, 2, 3, 4, 5}},
                          {4, {0, 4}}};
    for (const Case& c : cases) {
        marks.SetDrawEvery(c.every);
        std::vector<int> drawn;
        for (int i = 0; i < 6; ++i)
            if (marks.DrawsPoint(i))
                drawn.push_back(i);
        EXPECT_EQ(drawn, c.points) << "every " << c.every;
    }
}

TEST_F(MarksTest, TheCalloutLiftsTheMarkByItsLengthAndDistance) {
    TSeriesMarkPosition p;
    p.Top = 37;
    p.ArrowFrom = {100, 50};
    p.ArrowTo = {100, 50};
    marks.ApplyCallout(p); // no callout yet: nothing moves
    EXPECT_EQ(p.Top, 37);
    marks.Callout()->SetDistance(2);
    EXPECT_EQ(marks.Callout()->Length(), 8);
    marks.ApplyCallout(p);
    EXPECT_EQ(p.Top, 27);
    EXPECT_EQ(p.ArrowTo, (TPoint{100, 40}));
    EXPECT_EQ(p.ArrowFrom, (TPoint{100, 48}));
}

TEST_F(MarksTest, DeletingAPointClosesTheGapInItsPositionsAndItems) {
    marks.Items().Item(2)->Text()->Add("two");
    StoreBox(0, 0, 0, 5, 5);
    ASSERT_EQ(marks.ItemOrSelf(2), marks.Items().Existing(2));
    EXPECT_EQ(marks.ItemOrSelf(1), &marks);
    EXPECT_EQ(marks.ItemOrSelf(7), &marks);
    marks.DeletePoint(0);
    EXPECT_EQ(marks.Positions().Count(), 0);
    EXPECT_EQ(marks.Items().Existing(1)->Text()->Get(0), "two");
    marks.ClearPositionsAndItems();
    EXPECT_EQ(marks.Items().Count(), 0);
}

TEST_F(MarksTest, TheRoomOfAMarkTakesItsFrameAndShadow) {
    struct Case {
        const char* what;
        int frameWidth; // 0: hidden
        int shadowH, shadowV;
        TRect expected;
    };
    // The box: left 10, top 20, 30 x 14.
    const Case cases[] = {
        {"hidden frame, no shadow", 0, 0, 0, {10, 20, 40, 34}},
        {"frame 2 widens right and down", 2, 0, 0, {10, 20, 42, 36}},
        {"shadow right and down", 0, 3, 4, {10, 20, 43, 38}},
        {"shadow left and up", 0, -3, -4, {7, 16, 40, 34}},
        {"both", 1, 2, -2, {10, 18, 43, 35}},
    };
    for (const Case& c : cases) {
        TSeriesMarks m(&series);
        m.Pen()->SetVisible(c.frameWidth > 0);
        if (c.frameWidth > 0)
            m.Pen()->SetWidth(c.frameWidth);
        m.Shadow()->SetHorizSize(c.shadowH);
        m.Shadow()->SetVertSize(c.shadowV);
        TSeriesMarkPosition p;
        p.Left = 10;
        p.Top = 20;
        p.Width = 30;
        p.Height = 14;
        EXPECT_EQ(m.MarkRect(0, p), c.expected) << c.what;
    }
    // A point's own item decides for its mark.
    marks.Pen()->SetVisible(false);
    marks.Shadow()->SetSize(0);
    marks.Items().Item(1)->Pen()->SetVisible(true);
    marks.Items().Item(1)->Pen()->SetWidth(4);
    marks.Items().Item(1)->Shadow()->SetSize(0);
    TSeriesMarkPosition p;
    p.Width = 10;
    p.Height = 10;
    EXPECT_EQ(marks.MarkRect(0, p), (TRect{0, 0, 10, 10}));
    EXPECT_EQ(marks.MarkRect(1, p), (TRect{0, 0, 14, 14}));
}

TEST_F(MarksTest, AMarkMovesClearOfTheMarksBeforeIt) {
    marks.Pen()->SetVisible(false);
    marks.Shadow()->SetSize(0);
    // Two marks side by side: 0 at x 0..40, 1 at x 100..140, both at y 50..70.
    StoreBox(0, 0, 50, 40, 20);
    StoreBox(1, 100, 50, 40, 20);
    struct Case {
        const char* what;
        int first;
        int left, top;
        int top_after; // the box's top (and the arrow end moves as far)
    };
    const Case cases[] = {
        {"clear of both: stays", 0, 50, 55, 55},
        {"over the first from above: up by the overlap", 0, 10, 45, 30},
        {"over the first from below: down by the overlap", 0, 10, 60, 70},
        {"the same top counts as below", 0, 10, 50, 70},
        {"edges that only touch do not overlap", 0, 40, 50, 50},
        {"marks before first are not looked at", 1, 10, 45, 45},
        {"over the second", 0, 120, 40, 30},
    };
    for (const Case& c : cases) {
        TSeriesMarkPosition p;
        p.Left = c.left;
        p.Top = c.top;
        p.Width = 40;
        p.Height = 20;
        p.ArrowTo = {c.left + 20, c.top + 20};
        p.MidPoint = {5, 100};
        p.MidPointUsed = true;
        marks.AvoidOverlap(c.first, 2, p);
        EXPECT_EQ(p.Top, c.top_after) << c.what;
        EXPECT_EQ(p.ArrowTo.Y, c.top + 20 + c.top_after - c.top) << c.what;
        EXPECT_EQ(p.MidPoint.Y, 100 + c.top_after - c.top) << c.what;
        EXPECT_EQ(p.Left, c.left) << c.what;
    }
    // Without the second arrow point in use, only the box and the arrow end move.
    TSeriesMarkPosition p;
    p.Left = 10;
    p.Top = 45;
    p.Width = 40;
    p.Height = 20;
    p.MidPoint = {5, 100};
    marks.AvoidOverlap(0, 2, p);
    EXPECT_EQ(p.Top, 30);
    EXPECT_EQ(p.MidPoint.Y, 100);
}

TEST_F(MarksTest, ChangingASettingRepaintsTheChartOnce) {
    series.SetParentChart(&chart);
    struct Case {
        const char* what;
        std::function<void()> change;
    };
    const Case cases[] = {
        {"Angle", [&] { marks.SetAngle(90); }},
        {"Clip", [&] { marks.SetClip(true); }},
        {"DrawEvery", [&] { marks.SetDrawEvery(3); }},
        {"MultiLine", [&] { marks.SetMultiLine(true); }},
        {"Style", [&] { marks.SetStyle(smsValue); }},
        {"TextAlign", [&] { marks.SetTextAlign(taLeftJustify); }},
        {"Margins.Left", [&] { marks.Margins()->SetLeft(7); }},
        {"Margins.Units", [&] { marks.Margins()->SetUnits(maPixels); }},
        {"ArrowLength", [&] { marks.SetArrowLength(15); }},
        {"Arrow.Color", [&] { marks.Arrow()->SetColor(clRed); }},
    };
    for (const Case& c : cases) {
        chart.invalidations = 0;
        c.change();
        EXPECT_EQ(chart.invalidations, 1) << c.what;
        // The same value again changes nothing.
        c.change();
        EXPECT_EQ(chart.invalidations, 1) << c.what << " again";
    }
    series.SetParentChart(nullptr);
}

// ---- the stored items// ---- the stored items
// ---------------------------------------------------------------------------

std::string WriteMarks(TSeriesMarks& marks) {
    TStringStream stream;
    {
        TWriter writer(stream);
        writer.WriteProperties(&marks);
        writer.WriteListEnd();
    }
    return stream.DataString();
}

void ReadMarks(TSeriesMarks& marks, const std::string& bytes) {
    TStringStream stream(bytes);
    TReader reader(stream);
    reader.ReadProperties(&marks);
}

std::string ItemsBlock(TMarksItems& items) {
    TStringStream stream;
    items.WriteBlock(stream);
    return stream.DataString();
}

TEST_F(MarksTest, ItemsComeBackFromADescription) {
    marks.Items().Item(1)->Text()->Add("Поворот");
    marks.Items().Item(1)->Text()->Add("second line");
    marks.Items().Item(1)->SetColor(clYellow);
    marks.Items().Item(3)->SetVisible(false);
    const std::string bytes = WriteMarks(marks);

    TSeriesMarks back(&series);
    ReadMarks(back, bytes);
    ASSERT_EQ(back.Items().Count(), 4);
    ASSERT_NE(back.Items().Existing(1), nullptr);
    ASSERT_EQ(back.Items().Existing(1)->Text()->Count(), 2);
    EXPECT_EQ(back.Items().Existing(1)->Text()->Get(0), "Поворот");
    EXPECT_EQ(back.Items().Existing(1)->Text()->Get(1), "second line");
    EXPECT_EQ(back.Items().Existing(1)->Color(), clYellow);
    EXPECT_FALSE(back.Items().Existing(3)->Visible());
    EXPECT_TRUE(back.Items().Existing(0)->Visible());
    // The block written again is the same bytes.
    EXPECT_EQ(ItemsBlock(back.Items()), ItemsBlock(marks.Items()));
    // The block opens with the item count, little-endian.
    const std::string block = ItemsBlock(marks.Items());
    EXPECT_EQ(block.substr(0, 4), std::string("\x04\x00\x00\x00", 4));

    // Marks without items store no block.
    TSeriesMarks empty(&series);
    EXPECT_EQ(WriteMarks(empty).find("Items"), std::string::npos);
    EXPECT_NE(bytes.find("Items"), std::string::npos);
}

TEST_F(MarksTest, ItemsJustReadOutliveClearingThePointsWhileTheSeriesIsRead) {
    marks.Items().Item(1)->Text()->Add("kept");
    const std::string bytes = WriteMarks(marks);
    TSeriesMarks back(&series);
    series.SetLoading(true);
    ReadMarks(back, bytes);
    // A stored points block read after the marks clears the points first.
    back.ClearItems();
    ASSERT_NE(back.Items().Existing(1), nullptr);
    EXPECT_EQ(back.Items().Existing(1)->Text()->Get(0), "kept");
    series.SetLoading(false);
    // Once the series is read, clearing its points clears the items.
    back.ClearItems();
    EXPECT_EQ(back.Items().Count(), 0);
    EXPECT_FALSE(back.Items().Loading());

    // Items made in code are cleared whenever the points are, loading or not.
    TSeriesMarks made(&series);
    made.Items().Item(0)->Text()->Add("x");
    series.SetLoading(true);
    made.ClearItems();
    series.SetLoading(false);
    EXPECT_EQ(made.Items().Count(), 0);
}

TEST_F(MarksTest, ShortcutsToTheCalloutAndColourAreReadButNeverWritten) {
    TStringStream stream;
    {
        TWriter writer(stream);
        writer.WritePropName("ArrowLength");
        writer.WriteInteger(20);
        writer.WritePropName("Arrow.Color");
        writer.WriteIdent("clRed");
        writer.WritePropName("BackColor");
        writer.WriteIdent("clYellow");
        writer.WriteListEnd();
    }
    TSeriesMarks back(&series);
    ReadMarks(back, stream.DataString());
    ASSERT_NE(back.CalloutIfAny(), nullptr);
    EXPECT_EQ(back.CalloutIfAny()->Length(), 20);
    EXPECT_EQ(back.CalloutIfAny()->Arrow()->Color(), clRed);
    EXPECT_EQ(back.Color(), clYellow);
    // Written again, they stand under their own names only.
    const std::string written = WriteMarks(back);
    EXPECT_EQ(written.find("ArrowLength"), std::string::npos);
    EXPECT_EQ(written.find("BackColor"), std::string::npos);
    EXPECT_EQ(written.find("\x0B"
                           "Arrow.Color"),
              std::string::npos);
    EXPECT_NE(written.find("Callout.Length"), std::string::npos);
    EXPECT_NE(written.find("Callout.Arrow.Color"), std::string::npos);
    TSeriesMarks again(&series);
    ReadMarks(again, written);
    EXPECT_EQ(again.Callout()->Length(), 20);
    EXPECT_EQ(again.Color(), clYellow);
}

TEST_F(MarksTest, TheGradientStartsSilverToWhiteFromTheRightAndStoresOnlyChanges) {
    auto* gradient = dynamic_cast<TSeriesMarksGradient*>(marks.Gradient());
    ASSERT_NE(gradient, nullptr);
    EXPECT_EQ(gradient->Direction(), gdRightLeft);
    EXPECT_EQ(gradient->StartColor(), static_cast<TColor>(0xC0C0C0));
    EXPECT_EQ(gradient->EndColor(), clWhite);
    EXPECT_FALSE(gradient->Visible());
    gradient->SetVisible(true);
    std::string written = WriteMarks(marks);
    EXPECT_NE(written.find("Gradient.Visible"), std::string::npos);
    EXPECT_EQ(written.find("Gradient.Direction"), std::string::npos);
    EXPECT_EQ(written.find("Gradient.StartColor"), std::string::npos);
    gradient->SetStartColor(clRed);
    gradient->SetDirection(gdTopBottom);
    written = WriteMarks(marks);
    TSeriesMarks back(&series);
    ReadMarks(back, written);
    ASSERT_NE(back.GradientIfAny(), nullptr);
    EXPECT_TRUE(back.GradientIfAny()->Visible());
    EXPECT_EQ(back.GradientIfAny()->StartColor(), clRed);
    EXPECT_EQ(back.GradientIfAny()->Direction(), gdTopBottom);
    EXPECT_EQ(back.GradientIfAny()->EndColor(), clWhite);
}

TEST_F(MarksTest, ADamagedItemsBlockFailsCleanly) {
    marks.Items().Item(0)->Text()->Add("a");
    marks.Items().Item(2)->SetColor(clRed);
    const std::string block = ItemsBlock(marks.Items());
    // Cut anywhere before its end, the block raises a read error and leaves no items.
    for (size_t cut = 0; cut < block.size(); ++cut) {
        TMarksItems items;
        items.Item(5);
        TStringStream stream(block.substr(0, cut));
        EXPECT_THROW(items.ReadBlock(stream), EReadError) << "cut at " << cut;
        EXPECT_EQ(items.Count(), 0) << "cut at " << cut;
        EXPECT_FALSE(items.Loading());
    }
    // A count beyond what the block can hold, or below zero, is refused before any reading.
    for (int32_t count : {-1, 1000000, INT32_MAX}) {
        std::string bad = block;
        bad.replace(0, 4, reinterpret_cast<const char*>(&count), 4);
        TMarksItems items;
        TStringStream stream(bad);
        EXPECT_THROW(items.ReadBlock(stream), EReadError) << count;
        EXPECT_EQ(items.Count(), 0);
    }
}

// ---- the callout's arrow ----------------------------------------------------------------------

class CalloutTest : public ::testing::Test {
protected:
    static constexpr int W = 200, H = 150;

    CalloutTest() : bitmap(W, H), log(*bitmap.Canvas()) {
        series.SetParentChart(&chart);
        chart.canvas = &canvas;
        canvas.SetBufferedDisplay(false);
        canvas.BeginDrawing(bitmap.Canvas(), nullptr, false, {0, 0, W, H});
        canvas.ResetAttributes();
        log.Clear();
    }
    ~CalloutTest() override {
        CheckCalloutArrowColor = false;
        chart.canvas = nullptr;
        series.SetParentChart(nullptr);
    }
    std::vector<std::string> Shapes() const {
        std::vector<std::string> out;
        for (const std::string& line : log.Lines())
            if (line.rfind("CLIP", 0) != 0 && line.rfind("MOVETO", 0) != 0)
                out.push_back(line);
        return out;
    }

    ChartCoreSession session;
    TTestChart chart;
    TChartSeries series{nullptr};
    TBitmap bitmap;
    TPlotCanvas3D canvas;
    charttest::TCanvasCallLog log;
};

TEST_F(CalloutTest, AnArrowWithAHeadHasNoEndPointer) {
    TCallout callout(&series);
    callout.Draw(clRed, {50, 100}, {}, {50, 60}, 0, false);
    // The arrow in its white pen, then the end pointer (4 pixels each way) at the point.
    EXPECT_EQ(Shapes(), (std::vector<std::string>{
                            "LINETO 50,100 50,60 pen=FFFFFF/1/solid",
                            "RECTANGLE 46 96 55 105 pen=000000/1/solid brush=000000/solid"}));

    for (TArrowHeadStyle head : {ahLine, ahSolid}) {
        log.Clear();
        callout.SetArrowHead(head);
        callout.Draw(clRed, {50, 100}, {}, {50, 60}, 0, false);
        EXPECT_EQ(log.Text().find("RECTANGLE"), std::string::npos) << head << "\n" << log.Text();
        EXPECT_FALSE(Shapes().empty()) << head;
    }
}

TEST_F(CalloutTest, AHiddenCalloutDrawsOnlyItsArrow) {
    TMarksCallout callout(&series);
    ASSERT_FALSE(callout.Visible());
    callout.Draw(clRed, {50, 100}, {80, 80}, {50, 60}, 0, true);
    EXPECT_EQ(Shapes(), (std::vector<std::string>{"LINETO 50,100 80,80 pen=FFFFFF/1/solid",
                                                  "LINETO 80,80 50,60 pen=FFFFFF/1/solid"}));
    log.Clear();
    callout.Arrow()->SetVisible(false);
    callout.Draw(clRed, {50, 100}, {}, {50, 60}, 0, false);
    EXPECT_TRUE(Shapes().empty()) << log.Text();
}

TEST_F(CalloutTest, TheArrowColourStandsOutAgainstTheChartWhenAskedTo) {
    EXPECT_EQ(CalloutContrastColor(clWhite), clBlack);
    EXPECT_EQ(CalloutContrastColor(clRed), clBlack);
    EXPECT_EQ(CalloutContrastColor(clBlack), clWhite);
    struct Case {
        bool check;
        TColor arrow, chartColor, expected;
    };
    const Case cases[] = {
        {false, clWhite, clWhite, clWhite}, {true, clWhite, clWhite, clBlack},
        {true, clBlack, clBlack, clWhite},  {true, clGreen, clWhite, clGreen},
        {true, clRed, clWhite, clBlack}, // the point's own colour
    };
    for (const Case& c : cases) {
        CheckCalloutArrowColor = c.check;
        TMarksCallout callout(&series);
        callout.Arrow()->SetColor(c.arrow);
        callout.Draw(clRed, {50, 100}, {}, {50, 60}, 0, false, c.chartColor);
        EXPECT_EQ(canvas.Pen()->Color(), c.expected) << c.arrow << " on " << c.chartColor;
    }
}

} // namespace
