// The drawing calls the chart canvas makes, read from a log of the platform canvas: the order of
// text effects, where shadows and rotated glyphs go, and what a shadow of no size leaves out.

#include "tests/chart/support/CanvasCallLog.h"
#include "tests/chart/support/ChartTestSupport.h"

#include "chart/draw/ChartPen.h"
#include "chart/draw/Gradient.h"
#include "chart/draw/PlotFont.h"
#include "chart/draw/Shadow.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

namespace {

using charttest::TCanvasCallLog;
using charttest::TSurface;
using ::testing::ElementsAre;

struct TLogged {
    TSurface surface{160, 120};
    TPlotFont font;
    TCanvasCallLog log{*surface.bitmap.Canvas()};
    TLogged() {
        surface.canvas.Brush()->SetStyle(bsClear);
        font.SetSize(14);
        font.SetColor(clBlack);
    }
    void Select() { surface.canvas.SelectFont(&font); }
};

TEST(ChartCallLog, TextShadowIsDrawnFirstAtTheShadowPosition) {
    TLogged s;
    s.font.Shadow()->SetColor(clRed);
    s.font.Shadow()->SetHorizSize(-3);
    s.font.Shadow()->SetVertSize(2);
    s.Select();
    s.surface.canvas.TextOut(50, 50, "Ab");
    EXPECT_THAT(s.log.Matching("TEXT"), ElementsAre("TEXT 50,52 \"Ab\" text=0000FF align=0",
                                                    "TEXT 53,50 \"Ab\" text=000000 align=0"));
}

// A gradient with Outline set: the glyph outline is widened and becomes the clip for the
// gradient; the glyphs are neither stroked nor filled, and the clip comes off afterwards.
TEST(ChartCallLog, OutlineGradientClipsToTheWidenedGlyphPath) {
    TLogged s;
    TPlotFontGradient* g = s.font.Gradient();
    g->SetVisible(true);
    g->SetOutline(true);
    s.Select();
    s.surface.canvas.TextOut(10, 10, "Ab");
    const std::vector<std::string> ops = s.log.Ops();
    ASSERT_GT(ops.size(), 5u);
    EXPECT_THAT(std::vector<std::string>(ops.begin(), ops.begin() + 5),
                ElementsAre("BEGINPATH", "TEXT", "ENDPATH", "WIDENPATH", "SELECTCLIPPATH"));
    for (std::size_t i = 5; i < ops.size(); ++i)
        EXPECT_TRUE(ops[i] == "FILLRECT" || ops[i] == "POLYGON" || ops[i] == "LINETO" ||
                    ops[i] == "MOVETO")
            << "the gradient's own fill, not " << ops[i];
    EXPECT_EQ(s.log.Matching("CLIP").size(), 1u) << "clipped once, for the gradient";
    EXPECT_FALSE(s.surface.bitmap.Canvas()->HasClipRegion());
}

// An outline pen alone: the glyph path is stroked and filled in the font colour, or only
// stroked when the font has no colour.
TEST(ChartCallLog, OutlinePenStrokesTheGlyphPath) {
    for (auto [color, last] :
         {std::pair{clBlack, "STROKEANDFILLPATH"}, std::pair{clNone, "STROKEPATH"}}) {
        TLogged s;
        s.font.SetColor(color);
        s.font.OutLine()->SetColor(clRed);
        s.font.OutLine()->Show();
        s.Select();
        s.surface.canvas.TextOut(10, 10, "H");
        EXPECT_THAT(s.log.Ops(), ElementsAre("BEGINPATH", "TEXT", "ENDPATH", last));
        const std::string stroke = s.log.Lines().back();
        EXPECT_NE(stroke.find("pen=0000FF/1/solid"), std::string::npos) << stroke;
        EXPECT_NE(stroke.find("figures=1"), std::string::npos) << stroke;
    }
}

// The angle is reduced below 361 and given to the font in tenths of a degree.
TEST(ChartCallLog, AngledTextEscapement) {
    for (auto [angle, esc] :
         {std::pair{450.0, 900}, std::pair{360.0, 3600}, std::pair{45.0, 450}}) {
        TLogged s;
        s.Select();
        s.surface.canvas.AngledText(60, 60, "Ab", angle);
        EXPECT_THAT(s.log.Matching("TEXT"),
                    ElementsAre("TEXT 60,60 \"Ab\" text=000000 align=0 esc=" + std::to_string(esc)))
            << angle;
        EXPECT_EQ(s.surface.canvas.Font()->Orientation(), 0) << "the font is given back";
    }
}

// A character angle turns the glyphs apart from the baseline: each character is drawn on its
// own, turned to the character angle, at its place along the rotated baseline.
TEST(ChartCallLog, CharacterAngleTurnsEachGlyph) {
    TLogged s;
    s.Select();
    const int wA = s.surface.canvas.MeasureTextWidth("A");
    const int wAb = s.surface.canvas.MeasureTextWidth("Ab");
    s.surface.canvas.SetCharacterAngle(30);
    s.surface.canvas.AngledText(60, 100, "Abc", 90);
    EXPECT_THAT(
        s.log.Matching("TEXT"),
        ElementsAre("TEXT 60,100 \"A\" text=000000 align=0 esc=300",
                    "TEXT 60," + std::to_string(100 - wA) + " \"b\" text=000000 align=0 esc=300",
                    "TEXT 60," + std::to_string(100 - wAb) + " \"c\" text=000000 align=0 esc=300"));

    // Centred text is placed as a whole: it starts half its width before the point.
    s.log.Clear();
    s.surface.canvas.SetTextAlignment(TA_CENTER);
    const int wAbc = s.surface.canvas.MeasureTextWidth("Abc");
    s.surface.canvas.AngledText(60, 60, "Abc", 0);
    const std::vector<std::string> texts = s.log.Matching("TEXT");
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0],
              "TEXT " + std::to_string(60 - wAbc / 2) + ",60 \"A\" text=000000 align=0 esc=300");
    EXPECT_EQ(s.surface.canvas.GetTextAlignment(), TA_CENTER) << "the alignment is given back";
    charttest::SavePicture(s.surface.Image(), "text-character-angle");
}

// No size or no colour: nothing reaches the device at all.
TEST(ChartCallLog, ShadowOfNoSizeOrColourMakesNoCall) {
    for (auto [h, v, color] : {std::tuple{0, 0, clBlack}, std::tuple{3, 3, clNone}}) {
        TLogged s;
        TPlotShadow shadow;
        shadow.SetHorizSize(h);
        shadow.SetVertSize(v);
        shadow.SetColor(color);
        shadow.SetTransparency(50);
        shadow.DrawRectShadow(s.surface.canvas, {20, 20, 60, 50});
        shadow.DrawEllipseShadow(s.surface.canvas, {20, 20, 60, 50});
        shadow.DrawPolygonShadow(s.surface.canvas, {{20, 20}, {60, 20}, {40, 50}});
        EXPECT_TRUE(s.log.Lines().empty()) << s.log.Text();
    }
}

// A plain shadow of a rectangle: the bottom strip moved right by the horizontal size, then the
// right strip moved down by the vertical size, each one pixel longer than the edge it follows.
TEST(ChartCallLog, PlainRectangleShadowStrips) {
    TLogged s;
    TPlotShadow shadow;
    shadow.SetSmooth(false);
    shadow.SetColor(clGray);
    shadow.SetHorizSize(4);
    shadow.SetVertSize(3);
    shadow.DrawRectShadow(s.surface.canvas, {20, 20, 60, 50});
    EXPECT_THAT(s.log.Lines(),
                ElementsAre("RECTANGLE 24 50 64 54 pen=000000/1/clear brush=808080/solid",
                            "RECTANGLE 60 23 65 54 pen=000000/1/clear brush=808080/solid"));
}

} // namespace
