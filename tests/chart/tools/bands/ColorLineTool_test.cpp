#include "chart/core/ChartAxis.h"
#include "chart/draw/ChartPen.h"
#include "chart/tools/ColorLineTool.h"
#include "platform/classes/ObjectText.h"
#include "platform/classes/Streaming.h"
#include "platform/graphics/Cursors.h"
#include "tests/chart/support/ChartTestSupport.h"
#include "tests/chart/tools/pointer/ToolsTestSupport.h"

#include <string>

namespace {

using charttest::PixelAt;
using tooltest::DifferingPixels;

class ColorLineToolTest : public tooltest::ToolChartFixture {
protected:
    TColorLineTool* AddLine(TChartAxis* axis, double value) {
        auto* line = new TColorLineTool(form);
        line->SetAxis(axis);
        line->SetValue(value);
        line->Pen()->SetColor(clRed);
        line->OnBeginDragLine = [this](TColorLineTool*) { ++begins; };
        line->OnDragLine = [this](TColorLineTool*) { ++drags; };
        line->OnEndDragLine = [this](TColorLineTool*) { ++ends; };
        return line;
    }
    int MidY() const { return (chart->PlotRect().Top + chart->PlotRect().Bottom) / 2; }
    int MidX() const { return (chart->PlotRect().Left + chart->PlotRect().Right) / 2; }

    int begins = 0;
    int drags = 0;
    int ends = 0;
};

TEST_F(ColorLineToolTest, EachStyleDrawsAtItsValueAndKeepsTheCustomValue) {
    struct Case {
        TColorLineStyle style;
        double expected;
    };
    const Case cases[] = {{clCustom, 3}, {clMaximum, 10}, {clCenter, 5}, {clMinimum, 0}};
    TColorLineTool* line = AddLine(chart->BottomAxis(), 3);
    for (const Case& c : cases) {
        line->SetStyle(c.style);
        const QImage picture = Repaint();
        EXPECT_DOUBLE_EQ(line->LineValue(), c.expected) << c.style;
        EXPECT_EQ(line->Style(), c.style);
        EXPECT_DOUBLE_EQ(line->Value(), 3);
        const int x = chart->BottomAxis()->PixelOf(c.expected);
        EXPECT_EQ(PixelAt(picture, x, MidY()), clRed) << c.style;
    }
    // Setting the value makes the line custom again.
    line->SetValue(4);
    EXPECT_EQ(line->Style(), clCustom);
}

TEST_F(ColorLineToolTest, ADragStopsAtTheAxisEndUnlessTheLimitIsOff) {
    struct Case {
        TChartAxis* (TCustomAxisPanel::*axis)() const;
        bool noLimit;
        int toX, toY;
    };
    const Case cases[] = {
        {&TCustomAxisPanel::BottomAxis, false, 396, MidY()},
        {&TCustomAxisPanel::BottomAxis, true, 396, MidY()},
        {&TCustomAxisPanel::LeftAxis, false, MidX(), 2},
        {&TCustomAxisPanel::LeftAxis, true, MidX(), 2},
    };
    for (const Case& c : cases) {
        TChartAxis* axis = (chart->*c.axis)();
        TColorLineTool* line = AddLine(axis, axis->Horizontal() ? 5 : 50);
        line->SetNoLimitDrag(c.noLimit);
        Paint();
        begins = drags = ends = 0;
        const int p = axis->PixelOf(line->Value());
        const bool horizontal = axis->Horizontal();
        Press(horizontal ? p : MidX(), horizontal ? MidY() : p);
        EXPECT_TRUE(line->Dragging());
        MoveTo(horizontal ? p + 20 : MidX(), horizontal ? MidY() : p - 20);
        MoveTo(c.toX, c.toY);
        Release(c.toX, c.toY);
        const double end = axis->PixelToValue(horizontal ? axis->EndPixel() : axis->StartPixel());
        const double expected = c.noLimit ? axis->PixelToValue(horizontal ? c.toX : c.toY) : end;
        EXPECT_DOUBLE_EQ(line->Value(), expected);
        EXPECT_FALSE(line->Dragging());
        EXPECT_EQ(begins, 1);
        EXPECT_EQ(drags, 2);
        EXPECT_EQ(ends, 1);
        // The release draws the chart again: the line stands at its new place, nothing left of
        // the inverted drawing.
        const QImage after = Paint();
        EXPECT_EQ(DifferingPixels(after, Repaint()), 0);
        line->Free();
    }
}

TEST_F(ColorLineToolTest, AnInvertedDragShowsTheLineAtEachStep) {
    TColorLineTool* line = AddLine(chart->BottomAxis(), 5);
    const QImage before = Paint();
    const int from = chart->BottomAxis()->PixelOf(5);
    Press(from, MidY());
    MoveTo(from + 40, MidY());
    const QImage during = Paint();
    // Drawn not-exclusive-or: the pen's colour mixed with what lay there.
    const TColor under = PixelAt(before, from + 40, MidY());
    EXPECT_EQ(PixelAt(during, from + 40, MidY()), static_cast<TColor>(~(clRed ^ under) & 0xFFFFFF));
    EXPECT_NE(PixelAt(during, from, MidY()), clRed);
    // Nothing repainted the chart meanwhile: only the two columns changed.
    EXPECT_LE(DifferingPixels(before, during),
              2 * (chart->PlotRect().Bottom - chart->PlotRect().Top + 1));
    Release(from + 40, MidY());
    EXPECT_DOUBLE_EQ(line->Value(), chart->BottomAxis()->PixelToValue(from + 40));
}

TEST_F(ColorLineToolTest, TheMouseShapeShowsWhichWayTheLineMoves) {
    AddLine(chart->BottomAxis(), 5);
    AddLine(chart->LeftAxis(), 50);
    Paint();
    struct Case {
        int x, y;
        TCursor expected;
    };
    const int x = chart->BottomAxis()->PixelOf(5);
    const int y = chart->LeftAxis()->PixelOf(50);
    const Case cases[] = {
        {x + 2, y - 30, crHSplit},
        {x - 40, y + 1, crVSplit},
        {x + 3, y - 30, crDefault},
        {x - 40, y + 3, crDefault},
    };
    for (const Case& c : cases) {
        chart->SetCursor(crCross);
        MoveTo(c.x, c.y, Qt::NoButton);
        EXPECT_EQ(chart->Cursor(), c.expected) << c.x << "," << c.y;
    }
}

TEST_F(ColorLineToolTest, AValueReadFromADescriptionKeepsTheStyleRead) {
    form->SetName("Form1");
    chart->SetName("Chart1");
    TColorLineTool* line = AddLine(chart->LeftAxis(), 3);
    line->SetName("Line1");
    line->SetStyle(clMaximum);
    line->SetDrawBehind(true);
    const std::string text = ComponentToText(form);
    ASSERT_NE(text.find("Style = clMaximum"), std::string::npos) << text;
    ASSERT_NE(text.find("Value = 3"), std::string::npos) << text;
    auto* read = new TForm(nullptr);
    ReadComponentDescription(ObjectTextToBinary(text), read);
    auto* readLine = dynamic_cast<TColorLineTool*>(read->FindComponent("Line1"));
    ASSERT_NE(readLine, nullptr);
    EXPECT_EQ(readLine->Style(), clMaximum);
    EXPECT_DOUBLE_EQ(readLine->Value(), 3);
    EXPECT_TRUE(readLine->DrawBehind());
    ASSERT_NE(readLine->Axis(), nullptr);
    EXPECT_FALSE(readLine->Axis()->Horizontal());
    read->Free();
}

} // namespace
