#include "controls/grid/FrStringGrid.h"
#include "controls/paint/FrColors.h"
#include "platform/stdctrls/Edit.h"
#include "tests/controls/support/ViewTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace viewtest;

constexpr TColor kPhoneFrame = 0xB99D7F; // RGB (127, 157, 185)

class FrStringGridTest : public ViewFixture {
protected:
    // The service-phone grid: two columns, eleven rows, editing with the editor always shown.
    TFrStringGrid* PhoneGrid() {
        auto* g = MakeWithWidget<TFrStringGrid>();
        g->SetLeft(10);
        g->SetTop(10);
        g->SetColCount(2);
        g->SetRowCount(11);
        g->SetColWidths(0, 60);
        g->SetColWidths(1, 247);
        g->SetFixedColor(clInactiveCaptionText);
        g->SetFrameColor(kPhoneFrame);
        g->SetFixedLineColor(kPhoneFrame);
        g->SetFrameVisible(true);
        g->SetLineColor(clInactiveCaption);
        g->SetOptions(TGridOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine,
                                   goEditing, goAlwaysShowEditor});
        g->SetCells(0, 1, "1");
        g->SetCells(1, 1, "+79001234567");
        g->SetCells(1, 0, "Номер телефона");
        return g;
    }
};

TEST_F(FrStringGridTest, PhoneGridFrameLinesAndFlatFixedCells) {
    TFrStringGrid* grid = PhoneGrid();
    QImage image = Grab(grid);
    EXPECT_EQ(RingColor(image, 0), ColorToRGB(kPhoneFrame));
    EXPECT_EQ(RingSide(image, 1, Edge::Top), Only(clInactiveCaptionText));
    EXPECT_EQ(RingSide(image, 1, Edge::Left), Only(clInactiveCaptionText));
    EXPECT_EQ(RingSide(image, 1, Edge::Right), Only(clWindow));
    EXPECT_EQ(RingSide(image, 1, Edge::Bottom), Only(clWindow));
    // Client (0, 0) is at (2, 2). The fixed row's line below it and the fixed column's line right
    // of it are in FixedLineColor; lines between scrolling cells in LineColor.
    const int rowLine = 2 + 18, colLine = 2 + 60;
    EXPECT_EQ(At(image, 30, rowLine), ColorToRGB(kPhoneFrame));
    EXPECT_EQ(At(image, colLine, 5), ColorToRGB(kPhoneFrame));
    EXPECT_EQ(At(image, 200, rowLine + 19), ColorToRGB(clInactiveCaption));
    EXPECT_EQ(At(image, colLine + 248, 60), ColorToRGB(clInactiveCaption));
    // Flat fixed cells: no highlight edge anywhere in the fixed row (the area right of the last
    // column shows the grid's colour).
    int highlights = 0;
    for (int x = 2; x < colLine + 248; ++x)
        for (int y = 2; y < rowLine; ++y)
            highlights += At(image, x, y) == ColorToRGB(clBtnHighlight) ? 1 : 0;
    EXPECT_EQ(highlights, 0);
    Snapshot(image);
}

// FrameSides picks the sides the frame style covers; the bevel in FixedColor and Color shows on
// the others.
TEST_F(FrStringGridTest, FrameSidesOverTheBevel) {
    struct Case {
        const char* name;
        TFrameStyle style;
        TColor bottom0, bottom1;
    };
    const Case cases[] = {
        {"flat", fsFlat, kPhoneFrame, clWindow},
        {"flat bold", fsFlatBold, kPhoneFrame, kPhoneFrame},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TFrStringGrid* grid = PhoneGrid();
        grid->SetFrameStyle(c.style);
        grid->SetFrameSides(TSides{sdBottom});
        QImage image = Grab(grid);
        for (int ring : {0, 1}) {
            EXPECT_EQ(RingSide(image, ring, Edge::Top), Only(clInactiveCaptionText));
            EXPECT_EQ(RingSide(image, ring, Edge::Left), Only(clInactiveCaptionText));
            EXPECT_EQ(RingSide(image, ring, Edge::Right), Only(clWindow));
        }
        EXPECT_EQ(RingSide(image, 0, Edge::Bottom), Only(c.bottom0));
        EXPECT_EQ(RingSide(image, 1, Edge::Bottom), Only(c.bottom1));
        grid->Free();
    }
}

TEST_F(FrStringGridTest, ThemedBorderPlatformBorderAndNoBorder) {
    TFrStringGrid* grid = PhoneGrid();
    grid->SetFrameVisible(false);
    {
        ThemeServices themes(true);
        grid->Invalidate();
        QImage image = Grab(grid);
        EXPECT_EQ(RingColor(image, 0), ColorToRGB(ThemedElementColor(0)));
        EXPECT_EQ(RingSide(image, 1, Edge::Top), Only(clInactiveCaptionText));
        EXPECT_EQ(RingSide(image, 1, Edge::Right), Only(clWindow));
    }
    grid->Invalidate();
    QImage classic = Grab(grid); // the sunken client edge
    EXPECT_EQ(RingSide(classic, 0, Edge::Top), Only(clBtnShadow));
    EXPECT_EQ(RingSide(classic, 1, Edge::Top), Only(cl3DDkShadow));

    grid->SetFrameVisible(true);
    grid->SetBorderStyle(bsNone);
    EXPECT_EQ(grid->ClientRect(), Rect(0, 0, grid->Width(), grid->Height()));
    QImage none = Grab(grid); // the fixed corner cell starts at the very edge
    EXPECT_EQ(At(none, 0, 0), ColorToRGB(clInactiveCaptionText));
    EXPECT_EQ(At(none, 30, 0), ColorToRGB(clInactiveCaptionText));

    grid->SetBorderStyle(bsSingle);
    grid->SetFrameVisible(false);
    grid->SetCtl3D(false); // one black line
    EXPECT_EQ(grid->ClientRect(), Rect(1, 1, grid->Width() - 1, grid->Height() - 1));
    EXPECT_EQ(RingColor(Grab(grid), 0), ColorToRGB(clWindowFrame));
    grid->SetFrameVisible(true);
    EXPECT_TRUE(grid->Ctl3D());
}

TEST_F(FrStringGridTest, LinesOnTheGridsOwnColourAreDarkenedAndOffLinesFilled) {
    TFrStringGrid* grid = PhoneGrid();
    grid->SetLineColor(clWindow); // the same as Color
    grid->SetOptions(TGridOptions{goFixedVertLine, goFixedHorzLine, goHorzLine});
    QImage image = Grab(grid);
    const int rowLine = 2 + 18;
    EXPECT_EQ(At(image, 200, rowLine + 19), ColorToRGB(DarkenColor(clWindow, 50)));
    EXPECT_EQ(At(image, 2 + 60 + 248, 60), ColorToRGB(clWindow)); // vertical lines are off
}

TEST_F(FrStringGridTest, EditorTakesTheGridsColourAndWritesTheCell) {
    TFrStringGrid* grid = PhoneGrid();
    grid->SetColor(clInfoBk);
    grid->SetFocus();
    grid->SetCol(1);
    grid->SetRow(2);
    TInplaceEdit* editor = grid->InplaceEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->Color(), clInfoBk);
    editor->SetFocus();
    TypeText(editor->Handle(), "8612");
    EXPECT_EQ(grid->Cells(1, 2), "8612");
    const TRect cell = grid->CellRect(1, 2);
    QImage image = Grab(grid);
    EXPECT_EQ(At(image, 2 + cell.Right - 3, 2 + cell.Bottom - 3), ColorToRGB(clInfoBk));
    grid->SetColor(clYellow); // the editor follows
    EXPECT_EQ(editor->Color(), clYellow);
    Snapshot(image);
}

TEST_F(FrStringGridTest, HotTrackingWaitsWhileTheEditorHasTheFocus) {
    TFrStringGrid* grid = PhoneGrid();
    grid->SetFrameHotTrack(true);
    grid->SetFrameHotColor(clRed);
    auto* other = MakeWithWidget<TEdit>();
    other->SetFocus();
    SendEnter(grid);
    EXPECT_TRUE(grid->MouseOver());
    EXPECT_EQ(RingColor(Grab(grid), 0), ColorToRGB(clRed));
    SendLeave(grid);
    grid->SetFocus();
    grid->SetCol(1);
    grid->InplaceEditor()->SetFocus();
    SendEnter(grid);
    EXPECT_FALSE(grid->MouseOver());
}

TEST_F(FrStringGridTest, DescriptionKeepsItsOwnDefaults) {
    auto* grid = Make<TFrStringGrid>();
    ReadComponentDescription(R"(object SG1: TFrStringGrid
  Left = 8
  Top = 8
  Width = 313
  Height = 203
  ColCount = 2
  FixedColor = clInactiveCaptionText
  RowCount = 11
  Options = [goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goEditing, goAlwaysShowEditor]
  FixedLineColor = 12164479
  FrameColor = 12164479
  FrameVisible = True
  LineColor = clInactiveCaption
end
)",
                             grid);
    EXPECT_EQ(grid->RowCount(), 11);
    EXPECT_EQ(grid->DefaultRowHeight(), 18);
    EXPECT_EQ(grid->LineColor(), clInactiveCaption);
    EXPECT_TRUE(grid->FrameVisible());
    std::vector<std::string> lines = StoredLines(grid);
    for (const char* p : {"FixedLineColor", "FrameColor", "FrameVisible", "LineColor", "Width"})
        EXPECT_TRUE(Stores(lines, p)) << p;
    for (const char* p : {"DefaultRowHeight", "DefaultColWidth", "Ctl3D", "BorderStyle", "Color"})
        EXPECT_FALSE(Stores(lines, p)) << p;
    grid->SetBounds(8, 8, 325, 125);
    lines = StoredLines(grid);
    EXPECT_FALSE(Stores(lines, "Width"));
    EXPECT_FALSE(Stores(lines, "Height"));
}

} // namespace
