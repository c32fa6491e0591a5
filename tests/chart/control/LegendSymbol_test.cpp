// The legend symbol: its width rule, its own drawing (shadow, pen, gradient, the extra pixel
// without a pen), what a chart's series rows take from it (pen, gradient, a program's drawing), the
// legend's gradient and the stored form of both.

#include "tests/chart/control/LegendTestSupport.h"

#include "chart/control/LegendGradient.h"
#include "chart/draw/ChartPen.h"
#include "chart/draw/Gradient.h"
#include "chart/draw/Shadow.h"
#include "platform/classes/Streaming.h"

#include <gtest/gtest.h>

using namespace controltest;

namespace {

// A form whose handler draws the legend's symbols, bound by name from its description.
class TSymbolForm : public TComponent {
    Q4_CLASS(TSymbolForm, TComponent)
public:
    explicit TSymbolForm(TComponent* owner = nullptr) : TComponent(owner) {}
    static void DeclareMethods(TMethodTable& m) { m.Add("DrawSymbol", &TSymbolForm::DrawSymbol); }
    void DrawSymbol(TObject*, TChartSeries* series, int, const TRect&) { drawn.push_back(series); }
    std::vector<TChartSeries*> drawn;
};

std::vector<int> Numbers(const TRect& r) {
    return {r.Left, r.Top, r.Right, r.Bottom};
}

// The lines of rec that draw a rectangle at r.
std::vector<std::string> RectanglesAt(const std::vector<std::string>& lines, const TRect& r) {
    std::vector<std::string> found;
    for (const std::string& line : lines)
        if (line.rfind("RECTANGLE", 0) == 0 && NumbersOf(line) == Numbers(r))
            found.push_back(line);
    return found;
}

bool Has(const std::string& line, const std::string& part) {
    return line.find(part) != std::string::npos;
}

// How many bands in the given colour a gradient fill laid inside r.
int GradientBands(const std::vector<std::string>& lines, const TRect& r,
                  const std::string& colour) {
    int bands = 0;
    for (const std::string& line : lines) {
        if (line.rfind("FILLRECT", 0) != 0 || !Has(line, "brush=" + colour))
            continue;
        const std::vector<int> at = NumbersOf(line);
        if (at[0] >= r.Left && at[2] <= r.Right && at[1] >= r.Top && at[3] <= r.Bottom)
            ++bands;
    }
    return bands;
}

// The silver shapes a plain shadow drew (rectangles, or polygons on a projecting canvas), as
// "left top right bottom".
std::vector<std::string> ShadowStrips(const std::vector<std::string>& lines) {
    std::vector<std::string> strips;
    for (const std::string& line : lines) {
        if (!Has(line, "brush=C0C0C0/solid"))
            continue;
        const std::vector<int> at = NumbersOf(line);
        int left = at[0], top = at[1], right = at[0], bottom = at[1];
        for (std::size_t i = 0; i + 1 < at.size(); i += 2) {
            left = std::min(left, at[i]);
            right = std::max(right, at[i]);
            top = std::min(top, at[i + 1]);
            bottom = std::max(bottom, at[i + 1]);
        }
        if (line.rfind("RECTANGLE", 0) == 0) {
            right = at[2];
            bottom = at[3];
        }
        strips.push_back(std::to_string(left) + " " + std::to_string(top) + " " +
                         std::to_string(right) + " " + std::to_string(bottom));
    }
    return strips;
}

TEST(LegendSymbol, WidthRule) {
    struct Case {
        bool visible, squared;
        TLegendSymbolSize units;
        int width, textWidth, rowHeight, expected;
    };
    const Case cases[] = {
        {true, true, lcsPercent, 20, 100, 13, 8},  {true, false, lcsPercent, 20, 100, 13, 20},
        {true, false, lcsPixels, 20, 300, 13, 20}, {true, false, lcsPercent, 25, 30, 13, 8},
        {false, false, lcsPixels, 20, 100, 13, 0}, {false, true, lcsPercent, 20, 100, 13, 0},
    };
    for (const Case& c : cases) {
        TLegendSymbol symbol;
        symbol.SetVisible(c.visible);
        symbol.SetSquared(c.squared);
        symbol.SetWidthUnits(c.units);
        symbol.SetWidth(c.width);
        EXPECT_EQ(symbol.WidthFor(c.textWidth, c.rowHeight), c.expected)
            << c.visible << c.squared << c.units << c.width << " " << c.textWidth;
    }
}

// The symbol drawing itself in red at one rectangle: the lines it leaves on the canvas.
class SymbolDrawing : public ::testing::Test {
protected:
    std::vector<std::string> DrawIn(TLegendSymbol& symbol, TPenStyle canvasPen) {
        TBarePanel panel;
        panel.Content = [&](TBarePanel& p) {
            TCanvas3D& canvas = *p.DrawCanvas();
            canvas.BeginGroup("symbol");
            canvas.Pen()->SetStyle(canvasPen);
            canvas.Pen()->SetColor(clBlack);
            symbol.Draw(canvas, clRed, Rect);
            canvas.EndGroup();
        };
        TRecording rec(panel, 100, 100);
        panel.Content = nullptr;
        return rec.LinesIn("symbol");
    }
    const TRect Rect{10, 20, 30, 28};
};

TEST_F(SymbolDrawing, ShadowPenGradientAndTheExtraPixelWithoutAPen) {
    struct Case {
        const char* name;
        TPenStyle canvasPen;
        bool ownPen, gradient, shadow;
        // The symbol's rectangle (empty: none) and what its line holds.
        std::vector<int> rect;
        std::string pen, brush;
    };
    const Case cases[] = {
        {"pen",
         psSolid,
         false,
         false,
         false,
         {10, 20, 30, 28},
         "pen=000000/1",
         "brush=0000FF/solid"},
        {"no pen", psClear, false, false, false, {10, 20, 31, 29}, "clear", "brush=0000FF/solid"},
        {"own pen", psClear, true, false, false, {10, 20, 30, 28}, "pen=FF0000/2", "0000FF/solid"},
        {"gradient", psSolid, false, true, false, {10, 20, 30, 28}, "pen=000000/1", "/clear"},
        {"gradient, no pen", psClear, false, true, false, {}, "", ""},
        {"shadow", psSolid, false, false, true, {10, 20, 30, 28}, "pen=000000/1", "0000FF/solid"},
    };
    for (const Case& c : cases) {
        TLegendSymbol symbol;
        symbol.Shadow()->SetSmooth(false);
        symbol.Shadow()->SetVisible(c.shadow);
        symbol.SetDefaultPen(!c.ownPen);
        symbol.Pen()->SetColor(clBlue);
        symbol.Pen()->SetWidth(2);
        symbol.Gradient()->SetVisible(c.gradient);
        const std::vector<std::string> lines = DrawIn(symbol, c.canvasPen);
        std::size_t symbolLine = lines.size();
        for (std::size_t i = 0; i < lines.size(); ++i)
            if (lines[i].rfind("RECTANGLE", 0) == 0 && NumbersOf(lines[i]).size() >= 4 &&
                NumbersOf(lines[i])[0] == 10 && NumbersOf(lines[i])[1] == 20)
                symbolLine = i;
        if (c.rect.empty()) {
            EXPECT_EQ(symbolLine, lines.size()) << c.name << ": nothing outlines the gradient";
        } else {
            ASSERT_LT(symbolLine, lines.size()) << c.name;
            const std::string& line = lines[symbolLine];
            const std::vector<int> at = NumbersOf(line);
            EXPECT_EQ(std::vector<int>(at.begin(), at.begin() + 4), c.rect) << c.name;
            EXPECT_TRUE(Has(line, c.pen)) << c.name << ": " << line;
            EXPECT_TRUE(Has(line, c.brush)) << c.name << ": " << line;
        }
        // The gradient's bands fill the rectangle and end in the symbol's colour.
        EXPECT_EQ(GradientBands(lines, Rect, "0000FF"), c.gradient ? 1 : 0) << c.name;
        if (c.gradient) {
            EXPECT_EQ(symbol.Gradient()->EndColor(), clRed) << c.name;
        }
        // The plain shadow: silver strips below and right of the symbol, three pixels off.
        const std::vector<std::string> strips = ShadowStrips(lines);
        const std::vector<std::string> expected =
            c.shadow ? std::vector<std::string>{"13 28 33 32", "30 23 34 32"}
                     : std::vector<std::string>{};
        EXPECT_EQ(strips, expected) << c.name;
    }
}

// The symbols of series rows: the series' own pen unless the symbol has its own, a gradient
// (with the symbol's shadow) when the symbol has one, and a program's drawing in place of both.
TEST_F(LegendFixture, SeriesRowsTakeTheSymbolsPenAndGradient) {
    AddTitledSeries({"Напряжение", "Ток"});
    chart->SeriesAt(0)->SetSeriesColor(clRed);
    chart->SeriesAt(1)->SetSeriesColor(clLime);
    TLegendSymbol* symbol = chart->Legend()->Symbol();
    symbol->Shadow()->SetSmooth(false);
    const std::string colours[] = {"0000FF", "00FF00"};
    struct Case {
        const char* name;
        bool ownPen, gradient;
        std::string pen;
    };
    const Case cases[] = {
        {"series pen", false, false, "pen=000000/1/solid"},
        {"own pen", true, false, "pen=FF0000/3/solid"},
        {"gradient", false, true, "pen=000000/1/solid"},
    };
    for (const Case& c : cases) {
        symbol->SetDefaultPen(!c.ownPen);
        symbol->Pen()->SetColor(clBlue);
        symbol->Pen()->SetWidth(3);
        symbol->Gradient()->SetVisible(c.gradient);
        auto rec = Draw(400, 250);
        const std::vector<std::string> lines = rec->LinesIn("Legend");
        for (int row = 0; row < 2; ++row) {
            const TRect r = chart->Legend()->Items()->Item(row)->SymbolRect;
            const auto rects = RectanglesAt(lines, r);
            ASSERT_EQ(rects.size(), 1u) << c.name << " row " << row;
            EXPECT_TRUE(Has(rects[0], c.pen)) << c.name << ": " << rects[0];
            const std::string brush = c.gradient ? "/clear" : "brush=" + colours[row] + "/solid";
            EXPECT_TRUE(Has(rects[0], brush)) << c.name << ": " << rects[0];
            EXPECT_EQ(GradientBands(lines, r, colours[row]), c.gradient ? 1 : 0) << c.name;
            // Only a symbol that draws itself casts its shadow.
            const TRect below{r.Left + 3, r.Bottom, r.Right + 3, r.Bottom + 4};
            EXPECT_EQ(RectanglesAt(lines, below).size(), c.gradient ? 1u : 0u) << c.name;
        }
    }
}

// A picture for review: gradient symbols with their soft shadows on a legend with its own
// gradient, below the chart.
TEST_F(LegendFixture, PictureOfGradientSymbolsWithShadows) {
    AddTitledSeries({"Напряжение питания", "Ток нагрузки", "Температура"});
    chart->SeriesAt(0)->SetSeriesColor(clRed);
    chart->SeriesAt(1)->SetSeriesColor(clGreen);
    chart->SeriesAt(2)->SetSeriesColor(clBlue);
    TChartLegend* legend = chart->Legend();
    legend->SetAlignment(laBottom);
    legend->SetVertSpacing(4);
    legend->Gradient()->SetVisible(true);
    TLegendSymbol* symbol = legend->Symbol();
    symbol->SetWidthUnits(lcsPixels);
    symbol->SetWidth(26);
    symbol->Gradient()->SetVisible(true);
    symbol->Gradient()->SetDirection(gdLeftRight);
    auto rec = Draw(480, 300);
    ASSERT_EQ(LegendTexts(*rec),
              (std::vector<std::string>{"Напряжение питания", "Ток нагрузки", "Температура"}));
    Save(*rec, "legend-symbol-gradient-shadow");
}

TEST_F(LegendFixture, AProgramsSymbolDrawingReplacesTheSymbol) {
    AddTitledSeries({"Один", "Два"}, 4);
    struct Call {
        TChartSeries* series;
        int valueIndex;
        TRect rect;
    };
    std::vector<Call> calls;
    chart->Legend()->Symbol()->OnDraw = [&](TObject* sender, TChartSeries* series, int index,
                                            const TRect& rect) {
        EXPECT_EQ(sender, chart->Legend()->Symbol());
        calls.push_back({series, index, rect});
    };
    struct Case {
        TLegendStyle style;
        std::vector<std::pair<int, int>> seriesAndPoint;
    };
    const Case cases[] = {
        {lsSeries, {{0, -1}, {1, -1}}},
        {lsValues, {{0, 0}, {0, 1}, {0, 2}, {0, 3}}},
    };
    for (const Case& c : cases) {
        calls.clear();
        chart->Legend()->SetLegendStyle(c.style);
        auto rec = Draw(400, 250);
        ASSERT_EQ(calls.size(), c.seriesAndPoint.size()) << c.style;
        for (std::size_t k = 0; k < calls.size(); ++k) {
            EXPECT_EQ(calls[k].series, chart->SeriesAt(c.seriesAndPoint[k].first)) << k;
            EXPECT_EQ(calls[k].valueIndex, c.seriesAndPoint[k].second) << k;
            const TRect r = chart->Legend()->Items()->Item(static_cast<int>(k))->SymbolRect;
            EXPECT_EQ(Numbers(calls[k].rect), Numbers(r)) << k;
            EXPECT_TRUE(RectanglesAt(rec->LinesIn("Legend"), r).empty()) << "nothing else drawn";
        }
    }
}

TEST(LegendSymbol, AssignCopiesAllButTheDefaultPen) {
    TLegendSymbol source;
    source.SetContinuous(true);
    source.SetDefaultPen(false);
    source.Gradient()->SetVisible(true);
    source.Gradient()->SetStartColor(clAqua);
    source.Pen()->SetColor(clRed);
    source.SetPosition(spRight);
    source.Shadow()->SetHorizSize(-4);
    source.SetSquared(true);
    source.SetWidth(33);
    source.SetWidthUnits(lcsPixels);
    source.SetVisible(false);
    int changes = 0;
    TLegendSymbol copy([&] { ++changes; });
    copy.Assign(&source);
    EXPECT_TRUE(copy.Continuous());
    EXPECT_TRUE(copy.DefaultPen());
    EXPECT_TRUE(copy.Gradient()->Visible());
    EXPECT_EQ(copy.Gradient()->StartColor(), clAqua);
    EXPECT_EQ(copy.Pen()->Color(), clRed);
    EXPECT_EQ(copy.Position(), spRight);
    EXPECT_EQ(copy.Shadow()->HorizSize(), -4);
    EXPECT_TRUE(copy.Squared());
    EXPECT_EQ(copy.Width(), 33);
    EXPECT_EQ(copy.WidthUnits(), lcsPixels);
    EXPECT_FALSE(copy.Visible());
    EXPECT_GT(changes, 0);
}

TEST_F(ChartFixture, LegendSymbolAndGradientAreStoredWithTheLegend) {
    TChartLegend* legend = chart->Legend();
    EXPECT_EQ(ComponentToText(chart).find("Legend."), std::string::npos) << "defaults: nothing";
    // The legend's gradient has its own defaults, which are not written.
    legend->Gradient()->SetVisible(true);
    auto* gradient = dynamic_cast<TChartLegendGradient*>(legend->Gradient());
    ASSERT_NE(gradient, nullptr);
    EXPECT_EQ(gradient->Direction(), gdRightLeft);
    EXPECT_EQ(gradient->StartColor(), static_cast<TColor>(0xC0C0C0));
    EXPECT_EQ(gradient->EndColor(), static_cast<TColor>(0xFFFFFF));
    std::string text = ComponentToText(chart);
    EXPECT_NE(text.find("Legend.Gradient.Visible = True"), std::string::npos) << text;
    EXPECT_EQ(text.find("Legend.Gradient.Direction"), std::string::npos) << text;

    TLegendSymbol* symbol = legend->Symbol();
    symbol->SetContinuous(true);
    symbol->SetDefaultPen(false);
    symbol->Pen()->SetColor(clNavy);
    symbol->Pen()->SetWidth(2);
    symbol->Gradient()->SetVisible(true);
    symbol->Gradient()->SetStartColor(clYellow);
    symbol->SetPosition(spRight);
    symbol->Shadow()->SetVisible(false);
    symbol->Shadow()->SetHorizSize(5);
    symbol->SetSquared(true);
    symbol->SetWidth(12);
    symbol->SetWidthUnits(lcsPixels);
    legend->Gradient()->SetStartColor(clGreen);
    legend->Title()->SetTextFormat(ttfHtml);
    text = ComponentToText(chart);
    TChart copy(nullptr);
    ReadComponentDescription(text, &copy);
    TLegendSymbol* read = copy.Legend()->Symbol();
    EXPECT_TRUE(read->Continuous()) << text;
    EXPECT_FALSE(read->DefaultPen());
    EXPECT_EQ(read->Pen()->Color(), clNavy);
    EXPECT_EQ(read->Pen()->Width(), 2);
    EXPECT_TRUE(read->Gradient()->Visible());
    EXPECT_EQ(read->Gradient()->StartColor(), clYellow);
    EXPECT_EQ(read->Position(), spRight);
    EXPECT_FALSE(read->Shadow()->Visible());
    EXPECT_EQ(read->Shadow()->HorizSize(), 5);
    EXPECT_EQ(read->Shadow()->VertSize(), 3);
    EXPECT_TRUE(read->Squared());
    EXPECT_EQ(read->Width(), 12);
    EXPECT_EQ(copy.Legend()->ColorWidth(), 12);
    EXPECT_EQ(read->WidthUnits(), lcsPixels);
    EXPECT_EQ(copy.Legend()->Gradient()->StartColor(), clGreen);
    EXPECT_EQ(copy.Legend()->Gradient()->Direction(), gdRightLeft);
    EXPECT_EQ(copy.Legend()->Title()->TextFormat(), ttfHtml);
}

// The symbol's drawing handler is stored by name and bound again when a description is read.
TEST(LegendSymbol, TheDrawingHandlerIsStoredByName) {
    const std::string description = "object SymbolForm1: TSymbolForm\n"
                                    "  object Chart1: TChart\n"
                                    "    Legend.Symbol.OnDraw = DrawSymbol\n"
                                    "  end\n"
                                    "end\n";
    TSymbolForm form;
    ReadComponentDescription(description, &form);
    auto* chart = dynamic_cast<TChart*>(form.FindComponent("Chart1"));
    ASSERT_NE(chart, nullptr);
    ASSERT_TRUE(static_cast<bool>(chart->Legend()->Symbol()->OnDraw));
    chart->Legend()->Symbol()->OnDraw(nullptr, nullptr, -1, TRect{});
    EXPECT_EQ(form.drawn.size(), 1u);
    const std::string written = ComponentToText(chart);
    EXPECT_NE(written.find("Legend.Symbol.OnDraw = DrawSymbol"), std::string::npos) << written;
}

} // namespace
