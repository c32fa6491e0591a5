// A recorder hears each call after the canvas drew it, with the state the call used.

#include "GraphicsTestSupport.h"

#include "platform/graphics/CanvasRecorder.h"

#include <gtest/gtest.h>

using namespace gfxtest;

namespace {

struct TSeen {
    TCanvasCall call;
    TColor penColor;
    TColor textColor;
    int bkMode;
    TColor pixel; // at the call's first point (or its box's top-left), read back after the call
};

class TKeeper : public TCanvasRecorder {
public:
    std::vector<TSeen> seen;
    void Record(TCanvas& c, const TCanvasCall& call) override {
        TPoint at = call.points.empty() ? TPoint{call.rect.Left, call.rect.Top} : call.points[0];
        c.Flush();
        seen.push_back({call, c.Pen()->Color(), c.TextColor(), c.BkMode(), c.Pixel(at.X, at.Y)});
    }
};

} // namespace

TEST(CanvasRecorder, HearsEachCallAfterItWasDrawn) {
    auto bmp = WhiteBitmap(60, 40);
    TCanvas* c = bmp->Canvas();
    TKeeper keeper;
    c->SetRecorder(&keeper);
    c->Pen()->SetColor(clRed);
    c->MoveTo(2, 3);
    c->LineTo(20, 3);
    c->Brush()->SetColor(clBlue);
    c->Rectangle(10, 10, 20, 20);
    c->Font()->SetColor(clLime);
    c->TextOut(30, 5, "Ab");
    ASSERT_EQ(keeper.seen.size(), 4u);
    EXPECT_EQ(keeper.seen[1].call.op, TCanvasOp::LineTo);
    EXPECT_EQ(keeper.seen[1].call.points, (std::vector<TPoint>{{2, 3}, {20, 3}}));
    EXPECT_EQ(keeper.seen[1].pixel, clRed) << "told after the line was drawn";
    EXPECT_EQ(keeper.seen[2].call.rect, (TRect{10, 10, 20, 20}));
    EXPECT_EQ(keeper.seen[2].bkMode, OPAQUE) << "the solid brush was realised before";
    EXPECT_EQ(keeper.seen[3].call.text, "Ab");
    EXPECT_EQ(keeper.seen[3].textColor, clLime) << "the font was realised before";

    c->SetRecorder(nullptr);
    c->LineTo(0, 0);
    EXPECT_EQ(keeper.seen.size(), 4u);
}

// Inside a path bracket calls are marked so; a stroked path comes with its flattened figures,
// and a copy as the box of the pixels it put.
TEST(CanvasRecorder, PathsAndCopies) {
    auto bmp = WhiteBitmap(60, 40);
    auto src = WhiteBitmap(8, 8);
    TCanvas* c = bmp->Canvas();
    TKeeper keeper;
    c->SetRecorder(&keeper);
    c->BeginPath();
    c->Rectangle(5, 5, 15, 15);
    c->MoveTo(20, 5);
    c->LineTo(30, 5);
    c->LineTo(30, 15);
    c->EndPath();
    c->StrokeAndFillPath();
    c->BitBlt(40, 10, 8, 8, src->Canvas(), 0, 0, cmSrcCopy);
    std::vector<TCanvasOp> ops;
    for (const TSeen& s : keeper.seen)
        ops.push_back(s.call.op);
    EXPECT_EQ(ops,
              (std::vector<TCanvasOp>{TCanvasOp::BeginPath, TCanvasOp::Rectangle, TCanvasOp::MoveTo,
                                      TCanvasOp::LineTo, TCanvasOp::LineTo, TCanvasOp::EndPath,
                                      TCanvasOp::StrokeAndFillPath, TCanvasOp::Pixels}));
    EXPECT_TRUE(keeper.seen[1].call.inPath);
    EXPECT_FALSE(keeper.seen[6].call.inPath);
    const auto& figures = keeper.seen[6].call.figures;
    ASSERT_EQ(figures.size(), 2u);
    EXPECT_EQ(figures[1], (std::vector<TPoint>{{20, 5}, {30, 5}, {30, 15}}));
    EXPECT_EQ(keeper.seen[7].call.rect, (TRect{40, 10, 48, 18}));
    EXPECT_STREQ(CanvasOpName(TCanvasOp::StrokeAndFillPath), "STROKEANDFILLPATH");
}
