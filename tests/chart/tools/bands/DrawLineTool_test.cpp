#include "chart/core/ChartAxis.h"
#include "chart/draw/ChartPen.h"
#include "chart/draw/PlotCanvas3D.h"
#include "chart/tools/DrawLineTool.h"
#include "platform/classes/ObjectText.h"
#include "platform/classes/Streaming.h"
#include "platform/graphics/Cursors.h"
#include "tests/chart/support/ChartTestSupport.h"
#include "tests/chart/tools/pointer/ToolsTestSupport.h"

#include <memory>
#include <string>

namespace {

using charttest::PixelAt;
using tooltest::DifferingPixels;

class DrawLineToolTest : public tooltest::ToolChartFixture {
protected:
    void SetUp() override {
        ToolChartFixture::SetUp();
        tool = new TDrawLineTool(form);
        tool->SetParentChart(chart);
        tool->OnNewLine = [this](TObject*) { ++newLines; };
        tool->OnSelect = [this](TObject*) { ++selects; };
        tool->OnDragLine = [this](TObject*) { ++drags; };
        tool->OnDraggedLine = [this](TObject*) { ++dragged; };
        Paint();
    }
    // An item from pixel p0 to pixel p1.
    TDrawLine* AddItem(TPoint p0, TPoint p1, TDrawLineStyle style = dlLine) {
        TDrawLine* line = tool->Lines()->AddLine();
        double x = 0, y = 0;
        tool->ValuesOf(p0, x, y);
        line->SetX0(x);
        line->SetY0(y);
        tool->ValuesOf(p1, x, y);
        line->SetX1(x);
        line->SetY1(y);
        line->SetStyle(style);
        return line;
    }
    void Drag(TPoint from, TPoint to) {
        Press(from.X, from.Y);
        MoveTo((from.X + to.X) / 2, (from.Y + to.Y) / 2);
        MoveTo(to.X, to.Y);
        Release(to.X, to.Y);
    }

    TDrawLineTool* tool = nullptr;
    int newLines = 0;
    int selects = 0;
    int drags = 0;
    int dragged = 0;
};

bool SamePoint(TPoint a, TPoint b) {
    return a.X == b.X && a.Y == b.Y;
}

TEST_F(DrawLineToolTest, DraggingOnEmptySpaceAddsAnItemInAxisValues) {
    Drag({100, 80}, {200, 150});
    ASSERT_EQ(tool->Lines()->Count(), 1);
    TDrawLine* line = tool->Lines()->Line(0);
    EXPECT_TRUE(SamePoint(line->StartHandle(), {100, 80}));
    EXPECT_TRUE(SamePoint(line->EndHandle(), {200, 150}));
    EXPECT_DOUBLE_EQ(line->X0(), chart->BottomAxis()->PixelToValue(100));
    EXPECT_DOUBLE_EQ(line->Y1(), chart->LeftAxis()->PixelToValue(150));
    EXPECT_EQ(line->Style(), dlLine);
    EXPECT_EQ(tool->Selected(), line);
    EXPECT_EQ(newLines, 1);
    EXPECT_FALSE(tool->Drawing());
    // The item follows the axes.
    chart->BottomAxis()->SetMinMax(0, 20);
    Paint();
    EXPECT_EQ(line->StartHandle().X, chart->BottomAxis()->PixelOf(line->X0()));
    EXPECT_NE(line->StartHandle().X, 100);
}

TEST_F(DrawLineToolTest, APressWithoutADistanceAddsNothing) {
    struct Case {
        const char* what;
        bool enableDraw;
        bool moveAway;
    };
    const Case cases[] = {
        {"press and release at one pixel", true, false},
        {"moved away and back", true, true},
        {"drawing switched off", false, true},
    };
    for (const Case& c : cases) {
        tool->SetEnableDraw(c.enableDraw);
        Press(120, 90);
        if (c.moveAway) {
            MoveTo(180, 140);
            if (c.enableDraw)
                MoveTo(120, 90);
        }
        Release(c.enableDraw ? 120 : 180, c.enableDraw ? 90 : 140);
        EXPECT_EQ(tool->Lines()->Count(), 0) << c.what;
        EXPECT_EQ(newLines, 0) << c.what;
        EXPECT_FALSE(tool->Drawing()) << c.what;
    }
}

TEST_F(DrawLineToolTest, HitsFollowTheShapeAndTheTolerance) {
    TDrawLine* line = AddItem({100, 100}, {200, 100});
    TDrawLine* pair = AddItem({100, 150}, {200, 190}, dlHorizParallel);
    TDrawLine* box = AddItem({250, 60}, {330, 120}, dlRectangle);
    TDrawLine* oval = AddItem({250, 150}, {330, 210}, dlEllipse);
    struct Case {
        const char* what;
        const TDrawLine* item;
        TPoint p;
        int tolerance;
        int part;
        bool hit;
    };
    const Case cases[] = {
        {"on the line", line, {150, 100}, 0, dpShape, true},
        {"a pixel off the line", line, {150, 101}, 0, dpShape, false},
        {"a pixel off, tolerance 1", line, {150, 101}, 1, dpShape, true},
        {"beyond the end", line, {203, 100}, 2, dpShape, false},
        {"on the second parallel", pair, {160, 190}, 0, dpShape, true},
        {"between the parallels", pair, {160, 170}, 0, dpShape, false},
        {"inside the rectangle", box, {290, 90}, 0, dpShape, true},
        {"on the rectangle's edge", box, {330, 120}, 0, dpShape, true},
        {"outside the rectangle", box, {331, 90}, 0, dpShape, false},
        {"inside the ellipse's box", oval, {252, 152}, 0, dpShape, true},
        {"start handle", line, {103, 97}, 0, dpStart, true},
        {"beside the start handle", line, {104, 100}, 0, dpStart, false},
        {"end handle", line, {197, 103}, 0, dpEnd, true},
        {"the end is not the start handle", line, {200, 100}, 0, dpStart, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(tool->HitItem(c.item, c.p, c.tolerance, c.part), c.hit) << c.what;
}

TEST_F(DrawLineToolTest, TheSelectedItemWinsAnOverlapElseTheEarliest) {
    TDrawLine* first = AddItem({100, 80}, {250, 200}, dlRectangle);
    TDrawLine* second = AddItem({150, 120}, {300, 220}, dlRectangle);
    EXPECT_EQ(tool->ItemAt(200, 150), first);
    Press(280, 210);
    Release(280, 210);
    EXPECT_EQ(tool->Selected(), second);
    EXPECT_EQ(selects, 1);
    EXPECT_EQ(tool->ItemAt(200, 150), second);
    EXPECT_EQ(PixelAt(Paint(), 298, 218), clBlack);
    // A press on empty space clears the selection, and its handles go.
    Press(60, 250);
    Release(60, 250);
    EXPECT_EQ(tool->Selected(), nullptr);
    EXPECT_NE(PixelAt(Paint(), 298, 218), clBlack);
    EXPECT_EQ(tool->ItemAt(200, 150), first);
}

TEST_F(DrawLineToolTest, ARefusedItemIsNeitherSelectedNorDragged) {
    TDrawLine* kept = AddItem({100, 80}, {180, 120});
    TDrawLine* refused = AddItem({100, 180}, {250, 180});
    Press(140, 100);
    Release(140, 100);
    ASSERT_EQ(tool->Selected(), kept);
    ASSERT_EQ(selects, 1);
    int asked = 0;
    tool->OnSelecting = [&](TDrawLineTool*, TDrawLine* line, bool& allow) {
        ++asked;
        allow = line != refused;
    };
    const double keptValues[] = {kept->X0(), kept->Y0(), kept->X1(), kept->Y1()};
    const double refusedValues[] = {refused->X0(), refused->Y0(), refused->X1(), refused->Y1()};
    Drag({175, 180}, {215, 230});
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(tool->Selected(), kept);
    EXPECT_EQ(selects, 1);
    EXPECT_EQ(dragged, 0);
    EXPECT_EQ(tool->Lines()->Count(), 2);
    const double keptAfter[] = {kept->X0(), kept->Y0(), kept->X1(), kept->Y1()};
    const double refusedAfter[] = {refused->X0(), refused->Y0(), refused->X1(), refused->Y1()};
    for (int i = 0; i < 4; ++i) {
        EXPECT_DOUBLE_EQ(keptAfter[i], keptValues[i]) << i;
        EXPECT_DOUBLE_EQ(refusedAfter[i], refusedValues[i]) << i;
    }
}

TEST_F(DrawLineToolTest, DraggingAHandleOrTheWholeItemMovesWhatItHolds) {
    struct Case {
        const char* what;
        TPoint press;
        bool startMoves, endMoves;
    };
    const Case cases[] = {
        {"start handle", {100, 80}, true, false},
        {"end handle", {200, 160}, false, true},
        {"the line itself", {150, 120}, true, true},
    };
    for (const Case& c : cases) {
        tool->Lines()->Clear();
        TDrawLine* line = AddItem({100, 80}, {200, 160});
        Press(150, 120);
        Release(150, 120);
        ASSERT_EQ(tool->Selected(), line) << c.what;
        drags = dragged = 0;
        const double x0 = line->X0(), y0 = line->Y0(), x1 = line->X1(), y1 = line->Y1();
        Drag(c.press, {c.press.X + 30, c.press.Y + 20});
        EXPECT_EQ(line->X0() != x0 && line->Y0() != y0, c.startMoves) << c.what;
        EXPECT_EQ(line->X1() != x1 && line->Y1() != y1, c.endMoves) << c.what;
        if (!c.startMoves) {
            EXPECT_DOUBLE_EQ(line->X0(), x0) << c.what;
            EXPECT_DOUBLE_EQ(line->Y0(), y0) << c.what;
        }
        if (!c.endMoves) {
            EXPECT_DOUBLE_EQ(line->X1(), x1) << c.what;
            EXPECT_DOUBLE_EQ(line->Y1(), y1) << c.what;
        }
        if (c.startMoves) {
            EXPECT_TRUE(SamePoint(line->StartHandle(), {130, 100})) << c.what;
        }
        EXPECT_EQ(drags, 2) << c.what;
        EXPECT_EQ(dragged, 1) << c.what;
    }
}

TEST_F(DrawLineToolTest, TheMouseShapeShowsHandlesAndItems) {
    AddItem({100, 80}, {200, 160});
    Press(150, 120);
    Release(150, 120);
    struct Case {
        TPoint at;
        TCursor expected;
    };
    const Case cases[] = {{{101, 81}, crCross}, {{150, 120}, crHandPoint}, {{300, 60}, crDefault}};
    for (const Case& c : cases) {
        chart->SetCursor(crDefault);
        MoveTo(c.at.X, c.at.Y, Qt::NoButton);
        EXPECT_EQ(chart->Cursor(), c.expected) << c.at.X << "," << c.at.Y;
    }
}

TEST_F(DrawLineToolTest, SwitchingSelectionOffClearsIt) {
    AddItem({100, 80}, {200, 160});
    Press(150, 120);
    Release(150, 120);
    ASSERT_NE(tool->Selected(), nullptr);
    tool->SetEnableSelect(false);
    EXPECT_EQ(tool->Selected(), nullptr);
    // Freeing the selected item clears the selection too.
    tool->SetEnableSelect(true);
    Press(150, 120);
    Release(150, 120);
    ASSERT_NE(tool->Selected(), nullptr);
    tool->Lines()->Delete(0);
    EXPECT_EQ(tool->Selected(), nullptr);
    Repaint();
}

TEST_F(DrawLineToolTest, AnItemsPenIsWrittenOnlyWhenItHasOne) {
    form->SetName("Form1");
    chart->SetName("Chart1");
    tool->SetName("DrawLine1");
    tool->Pen()->SetColor(clBlue);
    TDrawLine* plain = AddItem({100, 80}, {200, 160}, dlEllipse);
    TDrawLine* own = AddItem({120, 90}, {220, 170});
    own->Pen()->SetWidth(3);
    EXPECT_FALSE(plain->HasOwnPen());
    EXPECT_EQ(own->Pen()->Color(), clBlue);
    const std::string text = ComponentToText(form);
    const std::size_t first = text.find("item");
    const std::size_t second = text.find("item", first + 1);
    ASSERT_NE(second, std::string::npos) << text;
    EXPECT_EQ(text.substr(first, second - first).find("Pen"), std::string::npos) << text;
    EXPECT_NE(text.substr(second).find("Pen.Width = 3"), std::string::npos) << text;
    auto* read = new TForm(nullptr);
    ReadComponentDescription(ObjectTextToBinary(text), read);
    auto* readTool = dynamic_cast<TDrawLineTool*>(read->FindComponent("DrawLine1"));
    ASSERT_NE(readTool, nullptr);
    ASSERT_EQ(readTool->Lines()->Count(), 2);
    EXPECT_EQ(readTool->Lines()->Line(0)->Style(), dlEllipse);
    EXPECT_DOUBLE_EQ(readTool->Lines()->Line(0)->X1(), plain->X1());
    EXPECT_FALSE(readTool->Lines()->Line(0)->HasOwnPen());
    EXPECT_EQ(readTool->Lines()->Line(1)->DrawingPen()->Width(), 3);
    read->Free();
    // Assigned, an item takes the source's own pen or none.
    own->Assign(plain);
    EXPECT_FALSE(own->HasOwnPen());
    EXPECT_EQ(own->DrawingPen(), tool->Pen());
    EXPECT_EQ(own->Style(), dlEllipse);
}

TEST_F(DrawLineToolTest, TheShapeBeingDrawnIsTakenAwayExactly) {
    tool->SetSelectNewLines(false);
    for (bool view3D : {false, true}) {
        chart->SetView3D(view3D);
        for (TDrawLineStyle style :
             {dlLine, dlHorizParallel, dlVertParallel, dlRectangle, dlEllipse}) {
            tool->Lines()->Clear();
            tool->SetStyle(style);
            Repaint();
            Press(100, 70);
            MoveTo(260, 200);
            MoveTo(220, 170);
            const QImage during = Paint();
            Release(220, 170);
            ASSERT_EQ(tool->Lines()->Count(), 1) << style;
            // The drawing from scratch shows the new item just as the window showed the shape
            // being drawn: the earlier places left nothing behind.
            EXPECT_EQ(DifferingPixels(during, Repaint()), 0) << style << (view3D ? " 3D" : "");
        }
    }
}

// Stands for a canvas that smooths its lines, which cannot draw them inverted.
class TSmoothingCanvas : public TPlotCanvas3D {};

TEST_F(DrawLineToolTest, ACanvasThatSmoothsIsDrawnAgainInThePensColour) {
    chart->ReplaceDrawCanvas(std::make_unique<TSmoothingCanvas>());
    tool->Pen()->SetColor(clRed);
    tool->Pen()->SetWidth(1);
    Repaint();
    Press(100, 120);
    MoveTo(300, 120);
    const QImage during = Paint();
    EXPECT_EQ(PixelAt(during, 200, 120), clRed);
    EXPECT_EQ(DifferingPixels(during, Repaint()), 0);
    Release(300, 120);
    EXPECT_EQ(tool->Lines()->Count(), 1);
    EXPECT_EQ(PixelAt(Repaint(), 200, 120), clRed);
}

} // namespace
