// The kinds of axis labels and how each is laid out: labels from the chart's next-label event,
// from series labels, custom labels, exact dates and months, exponents, alternate rows, the
// label event, angles and blocks of several lines.

#include "AxisDrawTestSupport.h"

#include "platform/graphics/GraphicsQt_p.h"
#include "tests/chart/support/ChartTestSupport.h"

#include "platform/rtl/DateTime.h"
#include "platform/rtl/FloatFormat.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

class AxisDrawLabelsTest : public ::testing::Test {
protected:
    ChartCoreSession session;
    TAxisScene scene{400, 240, {60, 30, 340, 190}};
    TChartSeries series{nullptr};
    TChartAxis* bottom = scene.chart.BottomAxis();
    TChartAxis* left = scene.chart.LeftAxis();
    TChartAxis* right = scene.chart.RightAxis();

    // 0 .. 100 on the bottom and left axes (and the right one), labels every 20.
    void SetUp() override {
        series.SetParentChart(&scene.chart);
        series.SetVertAxis(aBothVertAxis);
        series.AddXYValue(0, 0);
        series.AddXYValue(100, 100);
        for (TChartAxis* axis : {bottom, left, right})
            axis->SetIncrement(20);
        Fit();
    }
    void Fit() { scene.Fit({bottom, left, right}); }
    int LineHeight(TChartAxis* axis) {
        scene.canvas.SelectFont(axis->LabelsFont());
        return scene.canvas.CharHeight();
    }
    int Width(TChartAxis* axis, const std::string& text) {
        scene.canvas.SelectFont(axis->LabelsFont());
        return scene.canvas.MeasureTextWidth(text);
    }
};

// The chart's next-label event gives the values; a stop at the first call asks for the axis' own
// labels; a handler that never stops is cut off.
TEST_F(AxisDrawLabelsTest, LabelsFromTheNextLabelEvent) {
    using Texts = std::vector<std::string>;
    struct Case {
        const char* name;
        TAxisOnGetNextLabel handler;
        Texts texts;
    } cases[] = {
        {"quarters",
         [](TChartAxis*, int i, double& v, bool&) { v = i * 25; },
         {"0", "25", "50", "75", "100"}},
        {"stop at once",
         [](TChartAxis*, int, double&, bool& stop) { stop = true; },
         {"100", "80", "60", "40", "20", "0"}},
        {"stop later",
         [](TChartAxis*, int i, double& v, bool& stop) {
             v = i * 10;
             stop = i == 2;
         },
         {"0", "10"}},
    };
    for (const Case& c : cases) {
        scene.chart.onGetNextAxisLabel = c.handler;
        scene.Draw({bottom});
        EXPECT_EQ(scene.TextsOnly(), c.texts) << c.name;
    }
    scene.chart.onGetNextAxisLabel = [](TChartAxis*, int, double&, bool&) {};
    scene.Draw({bottom});
    EXPECT_EQ(scene.Texts().size(), 2001u); // indexes 0 .. 2000
}

// Point labels as axis labels: one per point, through the chart's label event, each kept
// LabelsSeparation percent of its width away from the one before.
TEST_F(AxisDrawLabelsTest, SeriesLabelsKeepApart) {
    series.ClearValues();
    for (int i = 1; i <= 7; ++i)
        series.AddXYValue(i, i, "Подпись номер " + std::to_string(i));
    bottom->SetIncrement(0);
    Fit();
    ASSERT_EQ(bottom->EffectiveLabelStyle(), talText);
    scene.Draw({bottom});
    std::vector<TDrawnText> texts = scene.Texts();
    ASSERT_GE(texts.size(), 2u);
    EXPECT_LT(texts.size(), 7u);
    EXPECT_EQ(texts[0].text, "Подпись номер 1");
    for (size_t i = 1; i < texts.size(); ++i) {
        const int apart = texts[i].x - texts[i - 1].x;
        EXPECT_GE(apart, (Width(bottom, texts[i].text) + Width(bottom, texts[i - 1].text)) / 2)
            << texts[i].text;
    }

    bottom->SetLabelsSeparation(0);
    std::vector<int> indexes;
    scene.chart.onGetAxisLabel = [&](TChartAxis*, TChartSeries* s, int index, std::string& text) {
        if (!s)
            return; // a value label measured for the step
        EXPECT_EQ(s, &series);
        indexes.push_back(index);
        if (index == 3)
            text.clear(); // no label at the fourth point
    };
    scene.Draw({bottom});
    texts = scene.Texts();
    ASSERT_EQ(texts.size(), 6u);
    EXPECT_EQ(indexes, (std::vector<int>{0, 1, 2, 3, 4, 5, 6}));
    for (size_t i = 0; i < texts.size(); ++i) {
        const int point = i < 3 ? static_cast<int>(i) : static_cast<int>(i) + 1;
        EXPECT_EQ(texts[i].text, "Подпись номер " + std::to_string(point + 1));
        EXPECT_EQ(texts[i].x, bottom->PixelOf(point + 1));
    }
}

// Mark labels show each point's mark text, with the series' own mark text event applied.
TEST_F(AxisDrawLabelsTest, MarkLabelsShowTheMarkTexts) {
    series.ClearValues();
    series.AddXYValue(1, 1500);
    series.AddXYValue(2, 2, "Май");
    series.OnGetMarkText = [](TChartSeries*, int index, std::string& text) {
        text += " #" + std::to_string(index);
    };
    bottom->SetIncrement(0);
    bottom->SetLabelStyle(talMark);
    bottom->SetLabelsSeparation(0);
    Fit();
    scene.Draw({bottom});
    EXPECT_EQ(scene.TextsOnly(),
              (std::vector<std::string>{FormatFloat("#,##0.###", 1500) + " #0", "Май #1"}));
}

// Custom labels within Minimum .. Maximum, their own text or the value's; hidden ones still
// leave a tick when ticks are not tied to labels; an opaque one fills its box first.
TEST_F(AxisDrawLabelsTest, CustomLabels) {
    TAxisItems* items = left->Items();
    items->Add(25, "четверть");
    items->Add(50);
    items->Add(150, "вне");
    items->Add(75, "скрыта")->SetVisible(false);
    scene.Draw({left});
    EXPECT_EQ(scene.TextsOnly(), (std::vector<std::string>{"четверть", "50"}));
    EXPECT_EQ(left->TickPositions(), (std::vector<int>{left->PixelOf(25), left->PixelOf(50)}));
    left->SetTickOnLabelsOnly(false);
    scene.Draw({left});
    EXPECT_EQ(left->TickPositions(),
              (std::vector<int>{left->PixelOf(25), left->PixelOf(50), left->PixelOf(75)}));

    TAxisItem* opaque = (*items)[0];
    opaque->SetTransparent(false);
    scene.Draw({left});
    const std::vector<std::string> outline = scene.Outline();
    const auto fill = std::find_if(outline.begin(), outline.end(), [](const std::string& l) {
        return l.rfind("FILLRECT", 0) == 0;
    });
    ASSERT_NE(fill, outline.end());
    EXPECT_NE(fill->find("brush=FFFFFF"), std::string::npos) << *fill;
    EXPECT_NE((fill + 1)->find("\"четверть\""), std::string::npos) << *(fill + 1);
    const TDrawnText text = scene.Texts()[0];
    const TRect box = opaque->ShapeRect();
    EXPECT_EQ(box.Right, text.x + Width(left, "W") / 2); // right-aligned, half a "W" to spare
    EXPECT_EQ(box.Top, text.y);
    EXPECT_EQ(box.Bottom, text.y + LineHeight(left));
}

// Whole days and exact months: the first label is rounded to the step, months are counted
// on the calendar.
TEST_F(AxisDrawLabelsTest, ExactDateLabels) {
    TAxisScene wide(800, 200, {40, 20, 760, 150});
    TChartSeries dates(nullptr);
    dates.SetParentChart(&wide.chart);
    dates.XValues()->SetDateTime(true);
    dates.AddXYValue(EncodeDate(2024, 1, 10), 0);
    dates.AddXYValue(EncodeDate(2024, 7, 20) + 0.5, 1);
    TChartAxis* axis = wide.chart.BottomAxis();
    axis->SetDateTimeFormat("dd.mm.yyyy");
    struct Case {
        double increment;
        std::vector<TDateTime> labels;
    } cases[] = {
        {30, // one month: the 1st of each month down from July
         {EncodeDate(2024, 7, 1), EncodeDate(2024, 6, 1), EncodeDate(2024, 5, 1),
          EncodeDate(2024, 4, 1), EncodeDate(2024, 3, 1), EncodeDate(2024, 2, 1)}},
        {60, // two months
         {EncodeDate(2024, 7, 1), EncodeDate(2024, 5, 1), EncodeDate(2024, 3, 1)}},
    };
    for (const Case& c : cases) {
        axis->SetIncrement(c.increment);
        wide.Fit({axis});
        wide.Draw({axis});
        std::vector<std::string> expected;
        for (TDateTime d : c.labels)
            expected.push_back(FormatDateTime("dd.mm.yyyy", d));
        EXPECT_EQ(wide.TextsOnly(), expected) << c.increment;
    }

    // Whole days over ten days.
    dates.ClearValues();
    dates.AddXYValue(EncodeDate(2024, 3, 1) + 0.25, 0);
    dates.AddXYValue(EncodeDate(2024, 3, 5) + 0.75, 1);
    axis->SetIncrement(1);
    wide.Fit({axis});
    wide.Draw({axis});
    std::vector<std::string> days;
    for (int d = 5; d >= 2; --d)
        days.push_back(FormatDateTime("dd.mm.yyyy", EncodeDate(2024, 3, d)));
    EXPECT_EQ(wide.TextsOnly(), days);
}

// A mantissa with a smaller exponent raised beside it.
TEST_F(AxisDrawLabelsTest, ExponentLabels) {
    for (TChartAxis* axis : {left, right}) {
        axis->SetLabelsExponent(true);
        axis->Items()->Add(50, "1E5");
        axis->Items()->Add(30, "12");
    }
    const int raise = (LineHeight(left) - 1) / 2 - 2;
    // Right axis: left-aligned, the exponent after the mantissa.
    scene.Draw({right});
    std::vector<TDrawnText> t = scene.Texts();
    ASSERT_EQ(scene.TextsOnly(), (std::vector<std::string>{"1", "5", "12"}));
    EXPECT_EQ(t[1].x, t[0].x + Width(right, "1"));
    EXPECT_EQ(t[1].y, t[0].y - raise);
    // Left axis: right-aligned at the point, the mantissa moved left of the exponent.
    scene.Draw({left});
    t = scene.Texts();
    ASSERT_EQ(scene.TextsOnly(), (std::vector<std::string>{"5", "1", "12"}));
    EXPECT_EQ(t[0].x, left->LabelsPosition());
    EXPECT_EQ(t[0].y, t[1].y - raise);
    EXPECT_LT(t[1].x, t[0].x - 1);
    EXPECT_GT(t[1].x, t[0].x - Width(left, "5") - 1); // the exponent is smaller than a digit
}

// Alternate labels: every second one a row further out (the first on horizontal axes, the
// second on vertical ones), and the axis takes two rows.
TEST_F(AxisDrawLabelsTest, AlternateRows) {
    bottom->SetLabelsAlternate(true);
    left->SetLabelsAlternate(true);
    Fit();
    const int h = LineHeight(bottom);
    EXPECT_EQ(bottom->LabelsRoom(), 2 * h);
    scene.Draw({bottom});
    std::vector<TDrawnText> t = scene.Texts();
    ASSERT_GE(t.size(), 4u);
    for (size_t i = 0; i < t.size(); ++i)
        EXPECT_EQ(t[i].y, bottom->LabelsPosition() + (i % 2 == 0 ? h : 0)) << t[i].text;
    scene.Draw({left});
    t = scene.Texts();
    ASSERT_GE(t.size(), 4u);
    for (size_t i = 0; i < t.size(); ++i)
        EXPECT_EQ(t[i].x, left->LabelsPosition() - (i % 2 == 1 ? left->MaxLabelsWidth() : 0));
}

// A custom label keeps its own font also when alternate rows make the axis measure every label
// while drawing.
TEST_F(AxisDrawLabelsTest, CustomLabelFontWithAlternateRows) {
    left->SetLabelsAlternate(true);
    left->Items()->Add(40, "мелко");
    TAxisItem* big = left->Items()->Add(80, "верх\rниз"); // the second: a row further out
    big->Font()->SetSize(20);
    left->Items()->Add(20, "мелко");
    scene.Draw({left});
    const std::vector<TDrawnText> t = scene.Texts();
    ASSERT_EQ(t.size(), 4u);
    scene.canvas.SelectFont(big->Font());
    const int bigHeight = scene.canvas.CharHeight();
    EXPECT_EQ(t[2].y - t[1].y, bigHeight);
    EXPECT_GT(bigHeight, LineHeight(left));
}

// The axis' label event may move a label, change its text or leave it out.
TEST_F(AxisDrawLabelsTest, DrawLabelEvent) {
    bottom->OnDrawLabel = [](TChartAxis*, int&, int& y, int&, std::string& text, bool& draw) {
        draw = text != "40";
        if (text == "60")
            text = "шестьдесят";
        y += 3;
    };
    scene.Draw({bottom});
    EXPECT_EQ(scene.TextsOnly(), (std::vector<std::string>{"100", "80", "шестьдесят", "20", "0"}));
    for (const TDrawnText& t : scene.Texts())
        EXPECT_EQ(t.y, bottom->LabelsPosition() + 3);
}

// Turned labels: alignment by angle and side, and the turn itself.
TEST_F(AxisDrawLabelsTest, LabelAngles) {
    TChartAxis* top = scene.chart.TopAxis();
    series.SetHorizAxis(aBothHorizAxis);
    top->SetIncrement(20);
    scene.Fit({bottom, top, left, right});
    struct Case {
        TChartAxis* axis;
        int angle;
        unsigned align;
    } cases[] = {
        {bottom, 90, TA_RIGHT}, {bottom, 180, TA_CENTER | TA_BOTTOM},
        {bottom, 270, TA_LEFT}, {top, 90, TA_LEFT},
        {top, 270, TA_RIGHT},   {left, 90, TA_CENTER | TA_BOTTOM},
        {left, 180, TA_LEFT},   {left, 270, TA_CENTER},
        {right, 90, TA_CENTER}, {right, 180, TA_RIGHT},
        {bottom, 45, TA_LEFT},  {left, 30, TA_RIGHT | TA_BOTTOM},
        {right, 45, TA_LEFT},   {left, 300, TA_RIGHT},
    };
    for (const Case& c : cases) {
        c.axis->SetLabelsAngle(c.angle);
        scene.Draw({c.axis});
        const std::vector<TDrawnText> texts = scene.Texts();
        ASSERT_FALSE(texts.empty());
        for (const TDrawnText& t : texts) {
            EXPECT_EQ(t.align, c.align) << c.angle << " " << t.text;
            EXPECT_EQ(t.escapement, c.angle * 10);
        }
        c.axis->SetLabelsAngle(0);
    }
    // Labels turned upright on the bottom axis: the line's top edge half a line before the
    // value, so that the line is centred on it.
    bottom->SetLabelsAngle(90);
    scene.Draw({bottom});
    const int h = LineHeight(bottom);
    for (const TDrawnText& t : scene.Texts())
        EXPECT_LE(std::abs(t.x + h / 2 - bottom->PixelOf(std::stod(t.text))), 1) << t.text;
}

// Turned labels stay in the room their axis took: none reaches into the chart or over the axis
// line (the pixels of the labels alone).
TEST(AxisTurnedLabels, StayInTheirRoom) {
    ChartCoreSession session;
    struct Case {
        int axis; // bottom, top, left, right
        int angle;
    } cases[] = {{0, 0},  {0, 90}, {0, 270}, {1, 90}, {1, 270}, {2, 0},  {2, 45},
                 {2, 30}, {2, 90}, {2, 300}, {3, 45}, {3, 135}, {3, 270}};
    for (const Case& c : cases) {
        TAxisScene scene(400, 300, {10, 10, 390, 290});
        TChartSeries series(nullptr);
        series.SetParentChart(&scene.chart);
        series.SetHorizAxis(aBothHorizAxis);
        series.SetVertAxis(aBothVertAxis);
        series.AddXYValue(0, 0);
        series.AddXYValue(2000, 35);
        TChartAxis* axis = scene.chart.AxisAt(c.axis);
        for (TChartPen* pen :
             {static_cast<TChartPen*>(axis->Axis()), static_cast<TChartPen*>(axis->Ticks()),
              static_cast<TChartPen*>(axis->TicksInner()),
              static_cast<TChartPen*>(axis->MinorTicks()), static_cast<TChartPen*>(axis->Grid())})
            pen->SetVisible(false);
        axis->SetLabelsAngle(c.angle);
        scene.Fit({axis});
        scene.Draw({axis});
        ASSERT_FALSE(scene.Texts().empty());
        scene.bitmap.Canvas()->Flush();
        const TRect ink = charttest::InkBox(TGraphicsQt::Image(scene.bitmap), clWhite);
        const int inner = axis->AxisPosition();
        const int outer = axis->Horizontal()
                              ? (axis->OtherSide() ? axis->LabelsPosition() - axis->LabelsRoom()
                                                   : axis->LabelsPosition() + axis->LabelsRoom())
                              : (axis->OtherSide() ? axis->LabelsPosition() + axis->LabelsRoom()
                                                   : axis->LabelsPosition() - axis->LabelsRoom());
        SCOPED_TRACE(std::to_string(c.axis) + " at " + std::to_string(c.angle));
        if (axis->Horizontal()) {
            EXPECT_GE(ink.Top, std::min(inner, outer) - 1);
            EXPECT_LE(ink.Bottom, std::max(inner, outer) + 1);
        } else {
            EXPECT_GE(ink.Left, std::min(inner, outer) - 1);
            EXPECT_LE(ink.Right, std::max(inner, outer) + 1);
        }
        if (c.axis == 0 && c.angle == 90)
            scene.Save("axis-labels-turned");
    }
}

// Labels aligned opposite: on the inner side of their room, aligned away from the axis.
TEST_F(AxisDrawLabelsTest, OppositeAlignment) {
    left->SetLabelsAlign(alOpposite);
    right->SetLabelsAlign(alOpposite);
    for (TChartAxis* axis : {left, right}) {
        scene.Draw({axis});
        const int room = axis->LabelsRoom();
        for (const TDrawnText& t : scene.Texts()) {
            EXPECT_EQ(t.align, axis == left ? TA_LEFT : TA_RIGHT) << t.text;
            EXPECT_EQ(t.x, axis->LabelsPosition() + (axis == left ? -room : room)) << t.text;
        }
    }
}

// The title's box as drawn answers the title's hit test, turned with the title.
TEST_F(AxisDrawLabelsTest, TitleBoxFollowsTheTitle) {
    left->Title()->SetCaption("Напряжение");
    left->Title()->SetAngle(90);
    bottom->Title()->SetCaption("Время");
    Fit();
    scene.Draw({left, bottom});
    for (TChartAxis* axis : {left, bottom}) {
        const TRect box = axis->Title()->ShapeRect();
        const TPoint centre{(box.Left + box.Right) / 2, (box.Top + box.Bottom) / 2};
        EXPECT_TRUE(axis->TitleClicked(centre.X, centre.Y));
        const int along = axis->CenterPixel();
        // The title is centred along its axis and lies beyond the labels.
        if (axis->Horizontal()) {
            EXPECT_LE(std::abs(centre.X - along), 1);
            EXPECT_GT(centre.Y, axis->LabelsPosition());
        } else {
            EXPECT_LE(std::abs(centre.Y - along), 1);
            EXPECT_LT(centre.X, axis->LabelsPosition());
        }
    }
    // Turned upright, the left title is tall and narrow.
    const TRect box = left->Title()->ShapeRect();
    const int x = (box.Left + box.Right) / 2;
    EXPECT_TRUE(left->TitleClicked(x, left->CenterPixel() + Width(left, "Напряжение") / 2 - 2));
    EXPECT_FALSE(left->TitleClicked(x + LineHeight(left), left->CenterPixel()));
}

// A block of lines beside a vertical axis is centred on its value; on a horizontal axis it
// grows away from the axis.
TEST_F(AxisDrawLabelsTest, MultiLineBlocks) {
    left->Items()->Add(50, "верх\rниз");
    bottom->Items()->Add(50, "верх\rниз");
    const int h = LineHeight(left);
    scene.Draw({left});
    std::vector<TDrawnText> t = scene.Texts();
    ASSERT_EQ(scene.TextsOnly(), (std::vector<std::string>{"верх", "низ"}));
    EXPECT_EQ(t[1].y - t[0].y, h);
    EXPECT_LE(std::abs((t[0].y + t[1].y + h) / 2 - left->PixelOf(50)), 1);
    scene.Draw({bottom});
    t = scene.Texts();
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(t[0].y, bottom->LabelsPosition());
    EXPECT_EQ(t[1].y, bottom->LabelsPosition() + h);
}

} // namespace
