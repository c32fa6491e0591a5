#include "GraphicsTestSupport.h"

#include "platform/graphics/Gdi.h"
#include "platform/graphics/GraphicsQt_p.h"

#include <gtest/gtest.h>

using namespace gfxtest;

TEST(CanvasPaths, RecordingDrawsNothingAndStrokingMatchesTheShape) {
    auto direct = WhiteBitmap(20, 20);
    direct->Canvas()->Brush()->SetStyle(bsClear);
    direct->Canvas()->Rectangle(2, 3, 15, 17);
    direct->Canvas()->MoveTo(0, 19);
    direct->Canvas()->LineTo(19, 0);

    auto viaPath = WhiteBitmap(20, 20);
    TCanvas* c = viaPath->Canvas();
    HDC dc = c->Handle();
    ASSERT_TRUE(BeginPath(dc));
    c->Rectangle(2, 3, 15, 17);
    c->MoveTo(0, 19);
    c->LineTo(19, 0);
    ASSERT_TRUE(EndPath(dc));
    EXPECT_EQ(Count(TGraphicsQt::Image(*viaPath), clBlack), 0);
    EXPECT_EQ(c->PenPos(), Point(19, 0));
    ASSERT_TRUE(StrokePath(dc));
    EXPECT_EQ(InkBox(TGraphicsQt::Image(*viaPath), clWhite),
              InkBox(TGraphicsQt::Image(*direct), clWhite));
    EXPECT_EQ(Count(TGraphicsQt::Image(*viaPath), clBlack),
              Count(TGraphicsQt::Image(*direct), clBlack));
    // The path is used up; without a finished path the calls refuse.
    EXPECT_FALSE(StrokePath(dc));
    EXPECT_FALSE(FillPath(dc));
    BeginPath(dc);
    EXPECT_FALSE(FillPath(dc)); // still open
    AbortPath(dc);
    EXPECT_FALSE(EndPath(dc));
}

TEST(CanvasPaths, RingSectorWithAHole) {
    // The outer arc counter-clockwise, the inner one back clockwise: a quarter ring.
    auto bmp = WhiteBitmap(41, 41);
    TCanvas* c = bmp->Canvas();
    HDC dc = c->Handle();
    c->Brush()->SetColor(clRed);
    c->Pen()->SetStyle(psClear);
    c->MoveTo(40, 20);
    BeginPath(dc);
    ArcTo(dc, 0, 0, 41, 41, 40, 20, 20, 0);
    SetArcDirection(dc, AD_CLOCKWISE);
    ArcTo(dc, 10, 10, 31, 31, 20, 10, 30, 20);
    SetArcDirection(dc, AD_COUNTERCLOCKWISE);
    EndPath(dc);
    StrokeAndFillPath(dc);
    EXPECT_EQ(c->Pixel(33, 8), clRed);    // in the ring
    EXPECT_EQ(c->Pixel(23, 17), clWhite); // in the hole
    EXPECT_EQ(c->Pixel(8, 8), clWhite);   // another quarter
    EXPECT_EQ(c->Pixel(33, 33), clWhite);
}

TEST(CanvasPaths, TextOutlineAsClipRegion) {
    auto plain = WhiteBitmap(80, 50);
    TCanvas* p = plain->Canvas();
    p->Font()->SetName("Arial");
    p->Font()->SetHeight(-40);
    p->Font()->SetStyle({fsBold});
    p->Brush()->SetStyle(bsClear);
    p->TextOut(10, 5, "H");
    TRect ink = InkBox(TGraphicsQt::Image(*plain), clWhite);

    auto clipped = WhiteBitmap(80, 50);
    TCanvas* c = clipped->Canvas();
    c->Font()->Assign(*p->Font());
    c->Brush()->SetStyle(bsClear);
    BeginPath(c->Handle());
    c->TextOut(10, 5, "H");
    EndPath(c->Handle());
    ASSERT_TRUE(SelectClipPath(c->Handle(), RGN_AND));
    c->Brush()->SetColor(clRed);
    c->FillRect(Rect(0, 0, 80, 50));
    TRect red = InkBox(TGraphicsQt::Image(*clipped), clWhite);
    EXPECT_GT(Count(TGraphicsQt::Image(*clipped), clRed), 100);
    // The filled shape is the letter: within a pixel of where the letter draws, and not a box.
    EXPECT_LE(std::abs(red.Left - ink.Left), 1);
    EXPECT_LE(std::abs(red.Right - ink.Right), 1);
    EXPECT_LE(std::abs(red.Top - ink.Top), 1);
    EXPECT_LE(std::abs(red.Bottom - ink.Bottom), 1);
    // Between the posts: outside the clip, so left white and unreadable through the canvas.
    int mx = (ink.Left + ink.Right) / 2;
    EXPECT_EQ(At(TGraphicsQt::Image(*clipped), mx, ink.Top + 2), clWhite);
    EXPECT_EQ(c->Pixel(mx, ink.Top + 2), CLR_INVALID);
}

TEST(CanvasPaths, WidenedPathCoversThePenWidth) {
    auto bmp = WhiteBitmap(30, 20);
    TCanvas* c = bmp->Canvas();
    c->Pen()->SetWidth(6);
    c->Brush()->SetColor(clBlue);
    BeginPath(c->Handle());
    c->MoveTo(5, 10);
    c->LineTo(25, 10);
    EndPath(c->Handle());
    ASSERT_TRUE(WidenPath(c->Handle()));
    c->Pen()->SetStyle(psClear);
    FillPath(c->Handle());
    TRect ink = InkBox(TGraphicsQt::Image(*bmp), clWhite);
    EXPECT_GE(ink.Height(), 5);
    EXPECT_LE(ink.Height(), 7);
    EXPECT_EQ(c->Pixel(15, 10), clBlue);
}
