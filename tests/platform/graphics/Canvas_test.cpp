#include "GraphicsTestSupport.h"

#include "platform/graphics/Gdi.h"
#include "platform/graphics/GraphicsQt_p.h"

#include <gtest/gtest.h>

using namespace gfxtest;

namespace {

const std::map<TColor, char> kInk = {
    {clWhite, '.'}, {clBlack, '#'}, {clRed, 'r'}, {clBlue, 'b'}, {clLime, 'g'}};

struct Fixture {
    std::unique_ptr<TBitmap> bmp;
    TCanvas* c;
    Fixture(int w, int h) : bmp(WhiteBitmap(w, h)), c(bmp->Canvas()) {}
    std::string Art() { return Ascii(*bmp, kInk); }
};

} // namespace

TEST(CanvasLines, EndPointIsLeftOut) {
    Fixture f(12, 8);
    f.c->MoveTo(0, 0);
    f.c->LineTo(10, 0); // horizontal: pixels 0..9
    f.c->MoveTo(11, 0);
    f.c->LineTo(11, 5); // vertical: rows 0..4
    f.c->MoveTo(0, 2);
    f.c->LineTo(5, 7); // diagonal: (0,2)..(4,6)
    EXPECT_EQ(f.Art(), gfxtest::Art(R"(
##########.#
...........#
#..........#
.#.........#
..#........#
...#........
....#.......
............
)"));
    EXPECT_EQ(f.c->PenPos(), Point(5, 7));
}

TEST(CanvasLines, EveryDirectionKeepsItsStartAndLeavesOutItsEnd) {
    // From the centre of a 17x17 surface to points all around it: shallow, steep and diagonal,
    // both ways along each axis.
    const TPoint ends[] = {{16, 8}, {0, 8},  {8, 16},  {8, 0}, {16, 16}, {0, 0},
                           {16, 0}, {0, 16}, {16, 11}, {0, 5}, {11, 16}, {5, 0},
                           {13, 2}, {3, 14}, {9, 8},   {7, 8}, {8, 9},   {8, 7}};
    for (const TPoint& end : ends) {
        Fixture f(17, 17);
        f.c->MoveTo(8, 8);
        f.c->LineTo(end.X, end.Y);
        const std::string where = "to " + std::to_string(end.X) + "," + std::to_string(end.Y);
        EXPECT_EQ(f.c->Pixel(8, 8), clBlack) << where << "\n" << f.Art();
        EXPECT_EQ(f.c->Pixel(end.X, end.Y), clWhite) << where << "\n" << f.Art();
        const int steps = std::max(std::abs(end.X - 8), std::abs(end.Y - 8));
        EXPECT_EQ(Count(TGraphicsQt::Image(*f.bmp), clBlack), steps) << where << "\n" << f.Art();
    }
}

TEST(CanvasLines, ZeroLengthLineDrawsNothingAndPolylineLeavesOutItsLastPoint) {
    Fixture f(8, 4);
    f.c->MoveTo(3, 1);
    f.c->LineTo(3, 1);
    EXPECT_EQ(Count(TGraphicsQt::Image(*f.bmp), clBlack), 0);
    f.c->Polyline({{0, 0}, {4, 0}, {4, 3}});
    EXPECT_EQ(f.Art(), gfxtest::Art(R"(
#####...
....#...
....#...
........
)"));
}

TEST(CanvasLines, PolylineSegmentsDrawnBackwardsKeepTheirStartAndTheDashPattern) {
    Fixture f(13, 8);
    f.c->Polyline({{10, 0}, {0, 0}, {0, 5}});
    f.c->Polyline({{10, 5}, {10, 1}, {3, 1}});
    f.c->Pen()->SetStyle(psDot);
    f.c->Brush()->SetStyle(bsClear);
    f.c->Polyline({{0, 6}, {4, 6}, {4, 7}, {12, 7}}); // forwards: the dots run on at the corners
    f.c->Polyline({{12, 3}, {8, 3}, {8, 2}, {1, 2}}); // backwards: the same pattern
    EXPECT_EQ(f.Art(), gfxtest::Art(R"(
###########..
#...#######..
#....###..#..
#.........###
#.........#..
..........#..
###..........
.....###...#.
)"));
}

TEST(CanvasShapes, RectangleCoversLeftTopButNotRightBottom) {
    Fixture f(8, 6);
    f.c->Brush()->SetColor(clRed);
    f.c->Rectangle(1, 1, 7, 5);
    EXPECT_EQ(f.Art(), gfxtest::Art(R"(
........
.######.
.#rrrr#.
.#rrrr#.
.######.
........
)"));
}

TEST(CanvasShapes, RectangleWithoutPenIsOnePixelSmaller) {
    Fixture f(8, 6);
    f.c->Brush()->SetColor(clRed);
    f.c->Pen()->SetStyle(psClear);
    f.c->Rectangle(1, 1, 7, 5);
    EXPECT_EQ(f.Art(), gfxtest::Art(R"(
........
.rrrrr..
.rrrrr..
.rrrrr..
........
........
)"));
}

TEST(CanvasShapes, FillRectAndFrameRectCoverExactlyTheRectangle) {
    Fixture f(8, 6);
    f.c->Brush()->SetColor(clRed);
    f.c->FillRect(Rect(1, 1, 4, 3));
    f.c->Brush()->SetColor(clBlue);
    f.c->FrameRect(Rect(4, 1, 8, 6));
    f.c->FillRect(Rect(2, 4, 2, 6)); // empty: nothing
    EXPECT_EQ(f.Art(), gfxtest::Art(R"(
........
.rrrbbbb
.rrrb..b
....b..b
....b..b
....bbbb
)"));
}

TEST(CanvasShapes, EllipseStaysInsideItsBox) {
    for (bool pen : {true, false}) {
        Fixture f(20, 14);
        f.c->Brush()->SetColor(clBlack);
        if (!pen)
            f.c->Pen()->SetStyle(psClear);
        f.c->Ellipse(2, 3, 17, 12);
        TRect ink = InkBox(TGraphicsQt::Image(*f.bmp), clWhite);
        if (pen) {
            EXPECT_EQ(ink, Rect(2, 3, 17, 12)) << Dump(TGraphicsQt::Image(*f.bmp), "-pen");
        } else {
            EXPECT_GE(ink.Left, 2);
            EXPECT_GE(ink.Top, 3);
            EXPECT_LE(ink.Right, 16) << Dump(TGraphicsQt::Image(*f.bmp), "-nopen");
            EXPECT_LE(ink.Bottom, 11);
        }
    }
}

TEST(CanvasShapes, PolygonFillModes) {
    // A figure that winds twice around its middle: alternate leaves the middle empty, winding
    // fills it.
    std::vector<TPoint> twice = {{0, 0}, {9, 0}, {9, 9}, {3, 9}, {3, 3},
                                 {6, 3}, {6, 6}, {0, 6}, {0, 0}};
    for (TPolyFillMode mode : {ALTERNATE, WINDING}) {
        Fixture f(10, 10);
        f.c->Pen()->SetStyle(psClear);
        f.c->Brush()->SetColor(clBlack);
        f.c->SetPolyFillMode(mode);
        f.c->Polygon(twice);
        TColor middle = f.c->Pixel(4, 4);
        EXPECT_EQ(middle, mode == ALTERNATE ? clWhite : clBlack)
            << Dump(TGraphicsQt::Image(*f.bmp));
        // The right and bottom edges are outside the filled area.
        EXPECT_EQ(f.c->Pixel(8, 1), clBlack);
        EXPECT_EQ(f.c->Pixel(9, 1), clWhite);
        EXPECT_EQ(f.c->Pixel(4, 8), clBlack);
    }
}

TEST(CanvasPens, CosmeticDashPatterns) {
    struct Case {
        TPenStyle style;
        const char* strip; // the first 30 pixels of a horizontal line
    };
    const Case cases[] = {
        {psSolid, "##############################"},
        {psDash, "##################......######"},
        {psDot, "###...###...###...###...###..."},
        {psDashDot, "#########......###......######"},
        {psDashDotDot, "#########...###...###...######"},
        {psAlternate, "#.#.#.#.#.#.#.#.#.#.#.#.#.#.#."},
        {psClear, ".............................."},
    };
    for (const Case& c : cases) {
        Fixture f(30, 1);
        f.c->Brush()->SetStyle(bsClear); // gaps stay as they are
        f.c->Pen()->SetStyle(c.style);
        f.c->MoveTo(0, 0);
        f.c->LineTo(30, 0);
        EXPECT_EQ(f.Art(), std::string(c.strip) + "\n") << "style " << int(c.style);
    }
}

TEST(CanvasPens, OpaqueBackgroundFillsDashGapsFromTheStartWhicheverTheDirection) {
    Fixture f(13, 4);
    f.c->Pen()->SetStyle(psDot);
    f.c->Brush()->SetColor(clRed); // a solid brush makes the background opaque and red
    f.c->MoveTo(0, 0);
    f.c->LineTo(12, 0);
    f.c->MoveTo(12, 1);
    f.c->LineTo(0, 1);
    // A clear brush makes the background transparent again for the same pen.
    f.c->Brush()->SetStyle(bsClear);
    f.c->MoveTo(0, 2);
    f.c->LineTo(12, 2);
    f.c->MoveTo(12, 3);
    f.c->LineTo(0, 3);
    EXPECT_EQ(f.Art(), gfxtest::Art(R"(
###rrr###rrr.
.rrr###rrr###
###...###....
....###...###
)"));
}

TEST(CanvasPens, WidePenDrawsSolidWhateverTheStyle) {
    Fixture f(30, 7);
    f.c->Pen()->SetWidth(3);
    f.c->Pen()->SetStyle(psDash);
    f.c->MoveTo(5, 3);
    f.c->LineTo(25, 3);
    for (int x = 5; x < 25; ++x)
        EXPECT_EQ(f.c->Pixel(x, 3), clBlack) << x;
    EXPECT_EQ(f.c->Pixel(15, 2), clBlack);
    EXPECT_EQ(f.c->Pixel(15, 4), clBlack);
    EXPECT_EQ(f.c->Pixel(15, 0), clWhite);
}

TEST(CanvasPens, NotXorDrawnTwiceRestoresThePicture) {
    Fixture f(40, 30);
    f.c->Brush()->SetColor(clRed);
    f.c->Ellipse(3, 3, 30, 25);
    f.c->Brush()->SetColor(0x3C7F12);
    f.c->FillRect(Rect(20, 10, 38, 28));
    QImage before = TGraphicsQt::Image(*f.bmp).copy();
    f.c->Pen()->SetMode(pmNotXor);
    f.c->Brush()->SetStyle(bsClear);
    for (int pass = 0; pass < 2; ++pass) {
        f.c->Rectangle(5, 5, 35, 27);
        f.c->MoveTo(0, 0);
        f.c->LineTo(39, 29);
        if (pass == 0) {
            EXPECT_NE(TGraphicsQt::Image(*f.bmp), before);
        }
    }
    EXPECT_EQ(TGraphicsQt::Image(*f.bmp), before) << Dump(TGraphicsQt::Image(*f.bmp));
}

TEST(CanvasPens, PenModesCombineWithTheDestination) {
    struct Case {
        TPenMode mode;
        TColor pen;
        TColor under;
        TColor expected;
    };
    const Case cases[] = {
        {pmCopy, 0x00FF00, 0x123456, 0x00FF00},
        {pmXor, 0x0000FF, 0x00FF00, 0x00FFFF},
        {pmNotXor, 0x000000, 0x123456, 0x123456 ^ 0xFFFFFF},
        {pmNot, 0x000000, 0x0F0F0F, 0xF0F0F0},
        {pmMask, 0x00FFFF, 0x123456, 0x003456},
        {pmMerge, 0x0000FF, 0x123400, 0x1234FF},
        {pmBlack, 0xFFFFFF, 0x123456, 0x000000},
        {pmWhite, 0x000000, 0x123456, 0xFFFFFF},
        {pmNop, 0x000000, 0x123456, 0x123456},
        {pmNotCopy, 0x00FF00, 0x123456, 0xFF00FF},
    };
    for (const Case& c : cases) {
        Fixture f(4, 1);
        f.c->Brush()->SetColor(c.under);
        f.c->FillRect(Rect(0, 0, 4, 1));
        f.c->Pen()->SetColor(c.pen);
        f.c->Pen()->SetMode(c.mode);
        f.c->MoveTo(0, 0);
        f.c->LineTo(4, 0);
        EXPECT_EQ(f.c->Pixel(1, 0), c.expected) << "mode " << int(c.mode);
    }
}

TEST(CanvasBrushes, HatchesLineUpWithTheDeviceOrigin) {
    struct Case {
        TBrushStyle style;
        const char* art;
    };
    const Case cases[] = {
        {bsHorizontal, "........\n........\n........\n........\n........\n........\n........\n"
                       "bbbbbbbb\n"},
        {bsVertical, "....b...\n....b...\n....b...\n....b...\n....b...\n....b...\n....b...\n"
                     "....b...\n"},
        {bsFDiagonal, "b.......\n.b......\n..b.....\n...b....\n....b...\n.....b..\n......b.\n"
                      ".......b\n"},
        {bsBDiagonal, ".......b\n......b.\n.....b..\n....b...\n...b....\n..b.....\n.b......\n"
                      "b.......\n"},
        {bsCross, "....b...\n....b...\n....b...\n....b...\n....b...\n....b...\n....b...\n"
                  "bbbbbbbb\n"},
        {bsDiagCross, "b......b\n.b....b.\n..b..b..\n...bb...\n...bb...\n..b..b..\n.b....b.\n"
                      "b......b\n"},
    };
    for (const Case& c : cases) {
        Fixture f(16, 16);
        f.c->Brush()->SetColor(clBlue);
        f.c->Brush()->SetStyle(c.style);
        f.c->FillRect(Rect(0, 0, 16, 16));
        // The same 8 x 8 cell repeats from (0, 0), also inside a fill that starts elsewhere.
        EXPECT_EQ(Ascii(TGraphicsQt::Image(*f.bmp), Rect(0, 0, 8, 8), kInk), c.art) << int(c.style);
        EXPECT_EQ(Ascii(TGraphicsQt::Image(*f.bmp), Rect(8, 8, 16, 16), kInk), c.art)
            << int(c.style);
        Fixture g(16, 16);
        g.c->Brush()->SetColor(clBlue);
        g.c->Brush()->SetStyle(c.style);
        g.c->FillRect(Rect(3, 5, 16, 16));
        EXPECT_EQ(Ascii(TGraphicsQt::Image(*g.bmp), Rect(8, 8, 16, 16), kInk), c.art)
            << int(c.style);
    }
}

TEST(CanvasBrushes, HatchGapsTakeTheBackgroundOnlyWhenOpaque) {
    Fixture f(8, 2);
    f.c->Brush()->SetColor(clBlue);
    f.c->Brush()->SetStyle(bsVertical);
    f.c->FillRect(Rect(0, 0, 8, 1)); // a hatched brush leaves its gaps alone
    SetBkMode(f.c->Handle(), OPAQUE);
    SetBkColor(f.c->Handle(), clRed);
    f.c->FillRect(Rect(0, 1, 8, 2));
    EXPECT_EQ(f.Art(), "....b...\nrrrrbrrr\n");
}

TEST(CanvasClip, RectangleEllipsePolygonAndCombineModes) {
    Fixture f(12, 6);
    HDC dc = f.c->Handle();
    IntersectClipRect(dc, 2, 1, 10, 5);
    ExcludeClipRect(dc, 4, 2, 6, 4);
    f.c->Brush()->SetColor(clBlack);
    f.c->FillRect(Rect(0, 0, 12, 6));
    EXPECT_EQ(f.Art(), gfxtest::Art(R"(
............
..########..
..##..####..
..##..####..
..########..
............
)"));
    EXPECT_EQ(f.c->ClipRect(), Rect(2, 1, 10, 5));

    // XOR of two overlapping rectangles, then the clip removed.
    HRGN a = CreateRectRgn(0, 0, 6, 4);
    HRGN b = CreateRectRgn(3, 2, 9, 6);
    HRGN x = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(CombineRgn(x, a, b, RGN_XOR), COMPLEXREGION);
    Fixture g(10, 6);
    SelectClipRgn(g.c->Handle(), x);
    g.c->Brush()->SetColor(clBlack);
    g.c->FillRect(Rect(0, 0, 10, 6));
    EXPECT_EQ(g.Art(), gfxtest::Art(R"(
######....
######....
###...###.
###...###.
...######.
...######.
)"));
    SelectClipRgn(g.c->Handle(), nullptr);
    EXPECT_FALSE(g.c->HasClipRegion());
    g.c->FillRect(Rect(0, 0, 10, 6));
    EXPECT_EQ(Count(TGraphicsQt::Image(*g.bmp), clBlack), 60);
    EXPECT_EQ(CombineRgn(x, a, b, RGN_AND), SIMPLEREGION);
    EXPECT_EQ(x->BoundingBox(), Rect(3, 2, 6, 4));
    EXPECT_EQ(CombineRgn(x, a, a, RGN_DIFF), NULLREGION);
    DeleteObject(a);
    DeleteObject(b);
    DeleteObject(x);

    // An elliptic clip keeps the fill inside the ellipse's box; a triangle clip keeps it inside
    // the triangle.
    Fixture e(20, 20);
    HRGN ell = CreateEllipticRgn(2, 2, 18, 18);
    SelectClipRgn(e.c->Handle(), ell);
    e.c->Brush()->SetColor(clBlack);
    e.c->FillRect(Rect(0, 0, 20, 20));
    EXPECT_EQ(InkBox(TGraphicsQt::Image(*e.bmp), clWhite), Rect(2, 2, 17, 17))
        << Dump(TGraphicsQt::Image(*e.bmp));
    EXPECT_EQ(e.c->Pixel(2, 2), CLR_INVALID); // the corner is outside the clip
    EXPECT_TRUE(PtVisible(e.c->Handle(), 10, 10));
    DeleteObject(ell);

    Fixture t(10, 10);
    std::vector<TPoint> tri = {{0, 0}, {10, 0}, {0, 10}};
    HRGN tr = CreatePolygonRgn(tri.data(), 3, ALTERNATE);
    SelectClipRgn(t.c->Handle(), tr);
    t.c->Brush()->SetColor(clBlack);
    t.c->FillRect(Rect(0, 0, 10, 10));
    t.c->Flush();
    EXPECT_EQ(At(TGraphicsQt::Image(*t.bmp), 0, 0), clBlack);
    EXPECT_EQ(At(TGraphicsQt::Image(*t.bmp), 8, 0), clBlack);
    EXPECT_EQ(At(TGraphicsQt::Image(*t.bmp), 9, 9), clWhite);
    EXPECT_EQ(At(TGraphicsQt::Image(*t.bmp), 6, 6), clWhite);
    DeleteObject(tr);
}

// A clip selected after the last one was removed and something was drawn without a clip still
// holds (the painter keeps no switched-off clip from before).
TEST(CanvasClip, AClipSelectedAfterDrawingUnclippedHolds) {
    Fixture f(12, 4);
    auto fillThrough = [&](std::vector<TPoint> clip, TColor color) {
        HRGN region = CreatePolygonRgn(clip.data(), static_cast<int>(clip.size()), ALTERNATE);
        ExtSelectClipRgn(f.c->Handle(), region, RGN_AND);
        DeleteObject(region);
        f.c->Brush()->SetStyle(bsSolid);
        f.c->Brush()->SetColor(color);
        f.c->FillRect(Rect(0, 0, 12, 4));
        SelectClipRgn(f.c->Handle(), nullptr);
    };
    fillThrough({{0, 0}, {4, 0}, {0, 4}}, clRed);
    // An outline only, without a clip, in the pen's colour.
    f.c->Brush()->SetStyle(bsClear);
    f.c->Pen()->SetColor(clLime);
    f.c->Polygon({{5, 1}, {7, 1}, {7, 3}});
    fillThrough({{8, 0}, {12, 0}, {8, 4}}, clBlue);
    EXPECT_EQ(f.Art(), gfxtest::Art(R"(
rrrr....bbbb
rrr..gggbbb.
rr....ggbb..
r.......b...
)"));
}

TEST(CanvasState, SaveRestoreAndViewportOrigin) {
    Fixture f(10, 6);
    HDC dc = f.c->Handle();
    int saved = SaveDC(dc);
    SetViewportOrgEx(dc, 3, 2, nullptr);
    IntersectClipRect(dc, 0, 0, 4, 3); // device (3,2)-(7,5)
    SetTextAlign(dc, TA_RIGHT | TA_BOTTOM);
    SetROP2(dc, R2_XORPEN);
    f.c->Brush()->SetColor(clBlack);
    f.c->FillRect(Rect(-10, -10, 20, 20));
    EXPECT_EQ(InkBox(TGraphicsQt::Image(*f.bmp), clWhite), Rect(3, 2, 7, 5));
    EXPECT_EQ(f.c->Pixel(0, 0), clBlack); // logical (0,0) is device (3,2)
    ASSERT_TRUE(RestoreDC(dc, saved));
    EXPECT_EQ(f.c->ViewportOrigin(), Point(0, 0));
    EXPECT_FALSE(f.c->HasClipRegion());
    EXPECT_EQ(GetTextAlign(dc), TA_LEFT | TA_TOP);
    EXPECT_EQ(GetROP2(dc), R2_COPYPEN);
    EXPECT_FALSE(RestoreDC(dc, -1)); // nothing left to restore
    // Restoring an older level drops the newer ones.
    int first = SaveDC(dc);
    SetBkColor(dc, clRed);
    SaveDC(dc);
    SetBkColor(dc, clBlue);
    ASSERT_TRUE(RestoreDC(dc, first));
    EXPECT_NE(GetBkColor(dc), clBlue);
    EXPECT_NE(GetBkColor(dc), clRed);
    EXPECT_FALSE(RestoreDC(dc, -1));
}

TEST(CanvasPixels, SetGetFloodFill) {
    Fixture f(8, 6);
    f.c->SetPixel(2, 3, clRed);
    EXPECT_EQ(f.c->Pixel(2, 3), clRed);
    EXPECT_EQ(f.c->Pixel(-1, 0), CLR_INVALID);
    EXPECT_EQ(f.c->Pixel(8, 0), CLR_INVALID);
    f.c->SetPixel(2, 3, clBtnFace); // system colours are stored as RGB
    EXPECT_EQ(f.c->Pixel(2, 3), ColorToRGB(clBtnFace));

    Fixture g(8, 6);
    g.c->Brush()->SetStyle(bsClear);
    g.c->Rectangle(1, 1, 7, 6);
    g.c->Brush()->SetColor(clRed);
    g.c->FloodFill(3, 3, clWhite, fsSurface);
    EXPECT_EQ(g.Art(), gfxtest::Art(R"(
........
.######.
.#rrrr#.
.#rrrr#.
.#rrrr#.
.######.
)"));
    g.c->Brush()->SetColor(clBlue);
    g.c->FloodFill(0, 0, clBlack, fsBorder); // everything reachable up to the black border
    EXPECT_EQ(g.c->Pixel(0, 5), clBlue);
    EXPECT_EQ(g.c->Pixel(3, 3), clRed);
}

TEST(CanvasCopy, CopyModesMirrorsAndStretch) {
    auto src = WhiteBitmap(4, 2);
    TCanvas* s = src->Canvas();
    s->SetPixel(0, 0, clRed);
    s->SetPixel(3, 1, clBlue);

    Fixture f(8, 4);
    f.c->CopyRect(Rect(0, 0, 4, 2), s, Rect(0, 0, 4, 2));
    f.c->CopyRect(Rect(4, 0, 8, 2), s, Rect(4, 0, 0, 2)); // negative source width mirrors
    f.c->CopyRect(Rect(0, 2, 8, 4), s, Rect(0, 0, 4, 1)); // stretched twice as wide and high
    EXPECT_EQ(f.Art(), gfxtest::Art(R"(
r......r
...bb...
rr......
rr......
)"));

    Fixture g(4, 1);
    g.c->Brush()->SetColor(clLime);
    g.c->FillRect(Rect(0, 0, 4, 1));
    BitBlt(g.c->Handle(), 0, 0, 4, 1, s, 0, 0, cmSrcInvert); // red ^ lime = yellow
    EXPECT_EQ(g.c->Pixel(0, 0), clYellow);
    EXPECT_EQ(g.c->Pixel(1, 0), clLime ^ 0xFFFFFF);
    PatBlt(g.c->Handle(), 0, 0, 2, 1, cmBlackness);
    PatBlt(g.c->Handle(), 2, 0, 1, 1, cmDstInvert);
    EXPECT_EQ(g.c->Pixel(0, 0), clBlack);
    EXPECT_EQ(g.c->Pixel(2, 0), clLime);

    // A copy of a canvas onto itself reads the picture as it was before the copy.
    Fixture h(6, 1);
    h.c->SetPixel(0, 0, clRed);
    h.c->SetPixel(1, 0, clBlue);
    BitBlt(h.c->Handle(), 1, 0, 5, 1, h.c->Handle(), 0, 0, cmSrcCopy);
    EXPECT_EQ(h.Art(), "rrb...\n");
}

TEST(CanvasCopy, MonochromeCopiesUseTextAndBackgroundColours) {
    auto colour = WhiteBitmap(4, 1);
    colour->Canvas()->SetPixel(1, 0, clRed);
    colour->Canvas()->SetPixel(2, 0, clBlue);
    TBitmap mask(4, 1);
    mask.SetMonochrome(true);
    // Colour to one bit: the source's background colour (red here) becomes white.
    SetBkColor(colour->Canvas()->Handle(), clRed);
    BitBlt(mask.Canvas()->Handle(), 0, 0, 4, 1, colour->Canvas(), 0, 0, cmSrcCopy);
    EXPECT_EQ(Ascii(mask, kInk), "#.##\n");
    // One bit to colour: black takes the text colour, white the background colour.
    Fixture f(4, 1);
    SetTextColor(f.c->Handle(), clLime);
    SetBkColor(f.c->Handle(), clBlue);
    BitBlt(f.c->Handle(), 0, 0, 4, 1, mask.Canvas(), 0, 0, cmSrcCopy);
    EXPECT_EQ(f.Art(), "gbgg\n");
}

TEST(CanvasCopy, TransparentAndAlphaBlits) {
    auto src = WhiteBitmap(2, 2);
    src->Canvas()->SetPixel(0, 0, clRed);
    src->Canvas()->SetPixel(1, 1, clBlue);
    Fixture f(4, 4);
    f.c->Brush()->SetColor(clLime);
    f.c->FillRect(Rect(0, 0, 4, 4));
    TransparentBlt(f.c->Handle(), 0, 0, 4, 4, src->Canvas(), 0, 0, 2, 2, clWhite);
    EXPECT_EQ(f.Art(), gfxtest::Art(R"(
rrgg
rrgg
ggbb
ggbb
)"));

    // dst = (src * a + dst * (255 - a) + 127) / 255 per channel.
    auto one = WhiteBitmap(1, 1);
    one->Canvas()->SetPixel(0, 0, RGB(200, 100, 0));
    struct Case {
        std::uint8_t a;
        TColor expected;
    };
    for (Case c : {Case{0, RGB(10, 20, 250)}, Case{255, RGB(200, 100, 0)},
                   Case{128, RGB((200 * 128 + 10 * 127 + 127) / 255,
                                 (100 * 128 + 20 * 127 + 127) / 255, (0 + 250 * 127 + 127) / 255)},
                   Case{77, RGB((200 * 77 + 10 * 178 + 127) / 255,
                                (100 * 77 + 20 * 178 + 127) / 255, (250 * 178 + 127) / 255)}}) {
        Fixture g(1, 1);
        g.c->SetPixel(0, 0, RGB(10, 20, 250));
        AlphaBlend(g.c->Handle(), 0, 0, 1, 1, one->Canvas(), 0, 0, 1, 1, c.a);
        EXPECT_EQ(g.c->Pixel(0, 0), c.expected) << int(c.a);
    }
}

TEST(CanvasShapes, GradientFillRunsFromColourToColour) {
    Fixture f(4, 2);
    f.c->GradientFill(Rect(0, 0, 4, 2), RGB(0, 0, 0), RGB(200, 100, 40), gdHorizontal);
    EXPECT_EQ(f.c->Pixel(0, 0), RGB(0, 0, 0));
    EXPECT_EQ(f.c->Pixel(2, 1), RGB(100, 50, 20));
    EXPECT_EQ(f.c->Pixel(3, 0), RGB(150, 75, 30));
    f.c->GradientFill(Rect(0, 0, 4, 2), clWhite, clBlack, gdVertical);
    EXPECT_EQ(f.c->Pixel(3, 0), clWhite);
    EXPECT_EQ(f.c->Pixel(0, 1), RGB(128, 128, 128));
}

TEST(CanvasShapes, FocusRectangleDrawnTwiceDisappears) {
    Fixture f(10, 8);
    f.c->Brush()->SetColor(clRed);
    f.c->FillRect(Rect(2, 2, 9, 7));
    QImage before = TGraphicsQt::Image(*f.bmp).copy();
    f.c->DrawFocusRect(Rect(1, 1, 9, 7));
    QImage once = TGraphicsQt::Image(*f.bmp).copy();
    EXPECT_NE(once, before);
    EXPECT_EQ(At(once, 1, 1), clBlack); // white inverted
    EXPECT_EQ(At(once, 2, 1), clWhite); // every other pixel
    f.c->DrawFocusRect(Rect(1, 1, 9, 7));
    EXPECT_EQ(TGraphicsQt::Image(*f.bmp), before);
}

TEST(CanvasShapes, ArcsRunCounterClockwiseByDefault) {
    // The upper half of a circle: from the radial at 3 o'clock to the one at 9 o'clock.
    for (int direction : {AD_COUNTERCLOCKWISE, AD_CLOCKWISE}) {
        Fixture f(21, 21);
        SetArcDirection(f.c->Handle(), direction);
        f.c->Arc(0, 0, 21, 21, 20, 10, 0, 10);
        TRect ink = InkBox(TGraphicsQt::Image(*f.bmp), clWhite);
        if (direction == AD_COUNTERCLOCKWISE) {
            EXPECT_EQ(ink.Top, 0);
            EXPECT_LE(ink.Bottom, 12) << Dump(TGraphicsQt::Image(*f.bmp));
        } else {
            EXPECT_GE(ink.Top, 9);
            EXPECT_EQ(ink.Bottom, 21) << Dump(TGraphicsQt::Image(*f.bmp));
        }
        // The curve's side tangents may fall one pixel inside the box.
        EXPECT_EQ(ink.Left, 0) << f.Art();
        EXPECT_GE(ink.Right, 20) << f.Art();
        EXPECT_LE(ink.Right, 21) << f.Art();
    }
    // A pie fills the quarter between its radials.
    Fixture p(21, 21);
    p.c->Brush()->SetColor(clRed);
    p.c->Pie(0, 0, 21, 21, 20, 10, 10, 0);
    EXPECT_EQ(p.c->Pixel(14, 6), clRed);
    EXPECT_EQ(p.c->Pixel(6, 6), clWhite);
    EXPECT_EQ(p.c->Pixel(14, 14), clWhite);
}

TEST(CanvasCopy, MaskedStretchKeepsTheDestinationWhereTheMaskIsWhite) {
    // The classic way to draw a glyph transparently: a one-bit mask made from the key colour,
    // then a masked copy.
    auto glyph = WhiteBitmap(2, 2);
    glyph->Canvas()->Brush()->SetColor(clFuchsia);
    glyph->Canvas()->FillRect(Rect(0, 0, 2, 2));
    glyph->Canvas()->SetPixel(0, 1, clRed);
    TBitmap mask(2, 2);
    mask.SetMonochrome(true);
    SetBkColor(glyph->Canvas()->Handle(), clFuchsia);
    BitBlt(mask.Canvas()->Handle(), 0, 0, 2, 2, glyph->Canvas(), 0, 0, cmSrcCopy);
    EXPECT_EQ(Ascii(mask, kInk), "..\n#.\n");

    Fixture f(4, 4);
    f.c->Brush()->SetColor(clBlue);
    f.c->FillRect(Rect(0, 0, 4, 4));
    TransparentStretchBlt(f.c->Handle(), 0, 0, 4, 4, glyph->Canvas(), 0, 0, 2, 2, mask.Canvas(), 0,
                          0);
    EXPECT_EQ(f.Art(), gfxtest::Art(R"(
bbbb
bbbb
rrbb
rrbb
)"));
}

TEST(CanvasBrushes, PatternBitmapsRepeatFromTheBrushOrigin) {
    // A one-bit 2x2 checker: black pattern pixels take the text colour, white ones the background
    // colour, which the brush's own colour sets.
    TBitmap checker(2, 2);
    checker.SetMonochrome(true);
    checker.Canvas()->SetPixel(0, 0, clBlack);
    checker.Canvas()->SetPixel(1, 1, clBlack);
    Fixture f(4, 3);
    SetTextColor(f.c->Handle(), clRed);
    f.c->Brush()->SetColor(clBlue);
    f.c->Brush()->SetBitmap(&checker);
    f.c->FillRect(Rect(0, 0, 4, 2));
    SetBrushOrgEx(f.c->Handle(), 1, 0, nullptr);
    f.c->FillRect(Rect(0, 2, 4, 3));
    EXPECT_EQ(f.Art(), "rbrb\nbrbr\nrbrb\n");

    // A colour pattern draws its own colours.
    TBitmap stripes(2, 1);
    stripes.Canvas()->SetPixel(0, 0, clLime);
    Fixture g(4, 1);
    g.c->Brush()->SetBitmap(&stripes);
    g.c->FillRect(Rect(0, 0, 4, 1));
    EXPECT_EQ(g.Art(), "g.g.\n");
}

TEST(CanvasPens, InsideFrameKeepsAWidePenWithinTheBox) {
    Fixture f(20, 20);
    f.c->Pen()->SetWidth(5);
    f.c->Pen()->SetStyle(psInsideFrame);
    f.c->Brush()->SetStyle(bsClear);
    f.c->Rectangle(3, 3, 17, 17);
    EXPECT_EQ(InkBox(TGraphicsQt::Image(*f.bmp), clWhite), Rect(3, 3, 17, 17)) << f.Art();
    Fixture g(20, 20);
    g.c->Pen()->SetWidth(5);
    g.c->Brush()->SetStyle(bsClear);
    g.c->Rectangle(3, 3, 17, 17); // centred on the outline: reaches outside the box
    TRect ink = InkBox(TGraphicsQt::Image(*g.bmp), clWhite);
    EXPECT_LT(ink.Left, 3);
    EXPECT_GT(ink.Right, 17);
}
