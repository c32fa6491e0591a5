#include "chart/draw/AntiAliasCanvas.h"
#include "chart/draw/ChartTypes.h"
#include "tests/chart/support/ChartTestSupport.h"
#include "tests/chart/tools/antialias/AntiAliasTestSupport.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QPainter>

#include <array>
#include <cmath>
#include <functional>
#include <string>

namespace {

using aatest::DifferingPixels;
using aatest::TDrawSurface;

constexpr TColor kInk = 0x3C1EC8; // RGB(200, 30, 60)

using TScene = std::function<void(TPlotCanvas3D&)>;

QImage Draw(TDrawSurface surface, const TScene& scene) {
    scene(surface.Canvas());
    return surface.Image();
}

// Every primitive the anti-alias canvas smooths, diagonal and curved.
void CurvedScene(TPlotCanvas3D& c) {
    c.Pen()->SetColor(kInk);
    c.MoveTo(2, 3);
    c.LineTo(37, 20);
    c.LineTo(5, 36);
    c.Ellipse(6, 4, 30, 22);
    c.ArcByAngles(2, 2, 38, 38, 20, 250);
    c.Arc(10, 10, 30, 30, 30, 12, 12, 30);
    c.Brush()->SetStyle(bsSolid);
    c.Brush()->SetColor(clYellow);
    c.Pie(4, 20, 24, 38, 24, 29, 14, 20);
    c.RoundRect(20, 24, 39, 39, 8, 8);
    c.Polygon({{21, 2}, {38, 8}, {30, 16}});
    c.Brush()->SetStyle(bsClear);
    c.Polyline({{1, 38}, {12, 30}, {20, 37}});
    c.RingSector(20, 20, 15, 12, 0.3, 2.2, 40);
}

TEST(AntiAliasCanvas, DrawsAsTheStandardCanvasWheneverSmoothingIsOff) {
    struct Case {
        const char* name;
        bool buffered;
        std::function<void(TAntiAliasCanvas&)> prepare;
    };
    const Case cases[] = {
        {"without buffered display", false, [](TAntiAliasCanvas&) {}},
        {"writing a metafile", true, [](TAntiAliasCanvas& c) { c.SetMetafileOutput(true); }},
        {"disabled", true, [](TAntiAliasCanvas& c) { c.SetDisabled(true); }},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        TDrawSurface standard(std::make_unique<TPlotCanvas3D>(), 40, 40, clWhite, k.buffered);
        TDrawSurface smoothed(std::make_unique<TAntiAliasCanvas>(), 40, 40, clWhite, k.buffered);
        k.prepare(*smoothed.Smoothing());
        EXPECT_FALSE(smoothed.Smoothing()->Smoothing());
        EXPECT_EQ(DifferingPixels(Draw(std::move(smoothed), CurvedScene),
                                  Draw(std::move(standard), CurvedScene)),
                  0);
    }
    // Smoothing on, the same scene comes out otherwise.
    EXPECT_GT(DifferingPixels(Draw(TDrawSurface::Smoothed(40, 40), CurvedScene),
                              Draw(TDrawSurface::Standard(40, 40), CurvedScene)),
              100);
}

TEST(AntiAliasCanvas, HorizontalAndVerticalLinesAreNeverSmoothed) {
    const auto straight = [](TPlotCanvas3D& c) {
        const TPenStyle styles[] = {psSolid, psDash, psDot, psDashDot, psDashDotDot, psAlternate};
        int y = 1;
        for (TPenStyle style : styles) {
            for (int width = 1; width <= 3; ++width) {
                c.Pen()->SetStyle(style);
                c.Pen()->SetWidth(width);
                c.MoveTo(1, y);
                c.LineTo(38, y);
                c.MoveTo(y, 39);
                c.LineTo(y, 2);
                y += 2;
            }
        }
        c.Polyline({{2, 2}, {30, 2}, {30, 30}, {2, 30}});
    };
    TDrawSurface smoothed = TDrawSurface::Smoothed(40, 40);
    smoothed.UsePen(kInk);
    TDrawSurface standard = TDrawSurface::Standard(40, 40);
    standard.UsePen(kInk);
    EXPECT_EQ(
        DifferingPixels(Draw(std::move(smoothed), straight), Draw(std::move(standard), straight)),
        0);
}

TEST(AntiAliasCanvas, AWideDiagonalIsOnePixelLinesSideBySideTheInnerOnesPlain) {
    struct Case {
        TPoint from, to;
        TPoint across; // one step of the offset between the lines
    };
    const Case cases[] = {
        {{2, 3}, {30, 12}, {0, 1}}, {{4, 2}, {12, 30}, {1, 0}}, {{30, 4}, {3, 20}, {0, 1}}};
    for (const Case& k : cases) {
        for (int width = 2; width <= 4; ++width) {
            SCOPED_TRACE(testing::Message() << "width " << width << " from " << k.from.X);
            TDrawSurface wide = TDrawSurface::Smoothed(34, 34);
            wide.UsePen(kInk, psSolid, width);
            wide.Canvas().MoveTo(k.from);
            wide.Canvas().LineTo(k.to);

            TDrawSurface apart = TDrawSurface::Smoothed(34, 34);
            apart.UsePen(kInk);
            TAntiAliasCanvas& c = *apart.Smoothing();
            for (int i = 0; i < width; ++i) {
                const int d = width / 2 - i;
                const TPoint shift{k.across.X * d, k.across.Y * d};
                c.SetDisabled(i != 0 && i != width - 1);
                c.MoveTo(k.from.X + shift.X, k.from.Y + shift.Y);
                c.LineTo(k.to.X + shift.X, k.to.Y + shift.Y);
            }
            EXPECT_EQ(DifferingPixels(wide.Image(), apart.Image()), 0);
            EXPECT_EQ(wide.Canvas().Pen()->Width(), width);
        }
    }
}

TEST(AntiAliasCanvas, BlendingLeavesTheLeftColumnAndTopRowAloneButTheEndsAreDrawn) {
    struct Case {
        TPoint from, to;
    };
    const Case cases[] = {{{0, 2}, {25, 9}},
                          {{25, 9}, {0, 2}},
                          {{3, 0}, {12, 25}},
                          {{0, 0}, {25, 25}},
                          {{0, 20}, {25, 0}}};
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message() << k.from.X << "," << k.from.Y);
        TDrawSurface s = TDrawSurface::Smoothed(26, 26);
        s.UsePen(kInk);
        s.Canvas().MoveTo(k.from);
        s.Canvas().LineTo(k.to);
        const QImage image = s.Image();
        for (int i = 0; i < 26; ++i) {
            for (const TPoint p : {TPoint{0, i}, TPoint{i, 0}}) {
                const bool end = p == k.from || p == k.to;
                EXPECT_EQ(charttest::PixelAt(image, p.X, p.Y), end ? kInk : clWhite)
                    << p.X << "," << p.Y;
            }
        }
        // Inside, the line is there.
        EXPECT_GT(26 * 26 - charttest::CountColor(image, clWhite), 20);
    }
}

TEST(AntiAliasCanvas, ShapesOutsideTheBitmapLeaveNoTraceInside) {
    // Lines and curves wholly above, below, left or right of a 40 x 20 bitmap, some crossing
    // its extended rows or columns.
    const TScene outside[] = {
        [](TPlotCanvas3D& c) {
            c.MoveTo(5, -30);
            c.LineTo(60, -2);
        },
        [](TPlotCanvas3D& c) {
            c.MoveTo(-10, 22);
            c.LineTo(50, 40);
        },
        [](TPlotCanvas3D& c) {
            c.MoveTo(-30, -5);
            c.LineTo(-2, 30);
        },
        [](TPlotCanvas3D& c) {
            c.MoveTo(41, -40);
            c.LineTo(45, 60);
        },
        [](TPlotCanvas3D& c) {
            c.MoveTo(-5, -3);
            c.LineTo(90, -1);
        },
        [](TPlotCanvas3D& c) { c.Ellipse(-30, -30, -2, 10); },
        [](TPlotCanvas3D& c) { c.ArcByAngles(0, 21, 40, 60, 0, 180); },
        [](TPlotCanvas3D& c) {
            c.Polygon({{45, 0}, {70, 10}, {50, 19}});
        },
    };
    for (std::size_t i = 0; i < std::size(outside); ++i) {
        SCOPED_TRACE(i);
        TDrawSurface s = TDrawSurface::Smoothed(40, 20);
        s.UsePen(kInk);
        const QImage image = Draw(std::move(s), outside[i]);
        EXPECT_EQ(charttest::CountColor(image, clWhite), 40 * 20);
    }
}

// Each channel of every pixel lies between the background's and the ink's.
bool OnlyBlendsOf(const QImage& image, TColor a, TColor b) {
    auto between = [](int v, int p, int q) { return v >= std::min(p, q) && v <= std::max(p, q); };
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (!between(c.red(), GetRValue(a), GetRValue(b)) ||
                !between(c.green(), GetGValue(a), GetGValue(b)) ||
                !between(c.blue(), GetBValue(a), GetBValue(b)))
                return false;
        }
    return true;
}

TEST(AntiAliasCanvas, EveryPrimitiveStaysInsideTinyBitmaps) {
    const TScene scenes[] = {
        [](TPlotCanvas3D& c) {
            c.MoveTo(-3, -2);
            c.LineTo(5, 4);
            c.LineTo(-1, 6);
            c.MoveTo(0, 0);
            c.LineTo(1, 1);
            c.LineTo(2, 0);
        },
        [](TPlotCanvas3D& c) {
            for (TPenStyle style : {psDash, psDot, psDashDot, psAlternate}) {
                c.Pen()->SetStyle(style);
                c.MoveTo(-9, 3);
                c.LineTo(9, -2);
            }
            c.Pen()->SetStyle(psSolid);
            c.Pen()->SetWidth(3);
            c.MoveTo(-1, -4);
            c.LineTo(3, 5);
        },
        [](TPlotCanvas3D& c) {
            c.Ellipse(-1, -1, 3, 3);
            c.Ellipse(0, 0, 2, 2);
            c.ArcByAngles(-2, -2, 4, 4, 10, 350);
            c.Arc(-3, -1, 4, 5, 3, 0, 0, 3);
        },
        [](TPlotCanvas3D& c) {
            c.Brush()->SetStyle(bsSolid);
            c.Brush()->SetColor(kInk);
            c.Pie(-2, -2, 4, 4, 4, 1, 1, -2);
            c.RoundRect(-1, -1, 4, 4, 2, 2);
            c.RoundRect(0, 0, 9, 9, 6, 6);
            c.Polygon({{-1, 0}, {3, 2}, {0, 4}});
            c.RingSector(1, 1, 3, 2, 0.5, 4.0, 50);
        },
    };
    const TSize sizes[] = {{1, 1}, {2, 1}, {1, 3}, {2, 2}, {3, 3}};
    for (TPixelFormat format : {pf24bit, pfDevice}) {
        for (const TSize size : sizes) {
            for (std::size_t i = 0; i < std::size(scenes); ++i) {
                SCOPED_TRACE(testing::Message() << size.cx << "x" << size.cy << " scene " << i);
                TDrawSurface s(std::make_unique<TAntiAliasCanvas>(), size.cx, size.cy, clWhite,
                               true, format);
                s.UsePen(kInk);
                const QImage image = Draw(std::move(s), scenes[i]);
                EXPECT_EQ(image.width(), size.cx);
                EXPECT_TRUE(OnlyBlendsOf(image, clWhite, kInk));
            }
        }
    }
}

TEST(AntiAliasCanvas, NothingIsDrawnOutsideTheClipRegion) {
    const TRect clip{10, 8, 30, 28};
    TDrawSurface s = TDrawSurface::Smoothed(40, 40);
    s.Canvas().ClipToRect(clip);
    const QImage image = Draw(std::move(s), CurvedScene);
    int inside = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) {
            const bool in = x >= clip.Left && x < clip.Right && y >= clip.Top && y < clip.Bottom;
            const bool white = charttest::PixelAt(image, x, y) == clWhite;
            if (!in) {
                EXPECT_TRUE(white) << x << "," << y;
            }
            inside += in && !white;
        }
    EXPECT_GT(inside, 30);
}

TEST(AntiAliasCanvas, DashedPensDrawOnlyTheStepsTheirMaskSets) {
    struct Case {
        TPenStyle style;
        std::array<bool, 8> mask;
    };
    const Case cases[] = {
        {psDash, {1, 1, 1, 0, 1, 1, 1, 0}},      {psDot, {1, 1, 0, 0, 1, 1, 0, 0}},
        {psDashDot, {1, 1, 1, 0, 1, 0, 1, 0}},   {psDashDotDot, {1, 1, 1, 0, 1, 0, 1, 0}},
        {psAlternate, {1, 0, 1, 0, 1, 0, 1, 0}}, {psInsideFrame, {1, 1, 1, 1, 1, 1, 1, 1}},
        {psSolid, {1, 1, 1, 1, 1, 1, 1, 1}},
    };
    for (const Case& k : cases) {
        for (bool steep : {false, true}) {
            SCOPED_TRACE(testing::Message() << "style " << int(k.style) << " steep " << steep);
            TDrawSurface s = TDrawSurface::Smoothed(40, 40);
            s.UsePen(kInk, k.style);
            // Along the walk: columns 3 .. 35 (rows for the steep line).
            const TPoint from = steep ? TPoint{6, 3} : TPoint{3, 6};
            const TPoint to = steep ? TPoint{17, 35} : TPoint{35, 17};
            s.Canvas().MoveTo(from);
            s.Canvas().LineTo(to);
            const QImage image = s.Image();
            for (int i = 4; i < 35; ++i) {
                bool ink = false;
                for (int j = 0; j < 40; ++j) {
                    const TPoint p = steep ? TPoint{j, i} : TPoint{i, j};
                    ink = ink || charttest::PixelAt(image, p.X, p.Y) != clWhite;
                }
                EXPECT_EQ(ink, k.mask[i % 8]) << "step " << i;
            }
        }
    }
}

// The distance of (x, y) from the ellipse of centre c and radii a, b, to first order: the
// ellipse's equation over the length of its gradient.
double OffEllipse(double x, double y, double cx, double cy, double a, double b) {
    const double u = (x - cx) / a;
    const double v = (y - cy) / b;
    const double f = u * u + v * v - 1;
    const double gradient = 2 * std::hypot(u / a, v / b);
    return gradient == 0 ? std::min(a, b) : std::fabs(f) / gradient;
}

TEST(AntiAliasCanvas, CurvesLieOnTheirEllipseAndCoverItAllRound) {
    struct Case {
        TRect box;
        bool ellipse;
    };
    const Case cases[] = {{{4, 4, 56, 56}, true},  {{2, 20, 58, 40}, true},
                          {{25, 2, 35, 58}, true}, {{8, 8, 13, 13}, true},
                          {{4, 4, 56, 56}, false}, {{2, 14, 58, 46}, false},
                          {{20, 2, 40, 58}, false}};
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message()
                     << k.box.Left << "," << k.box.Top << " ellipse " << k.ellipse);
        TDrawSurface s = TDrawSurface::Smoothed(60, 60);
        s.UsePen(clBlack);
        if (k.ellipse)
            s.Canvas().Ellipse(k.box);
        else
            s.Canvas().ArcByAngles(k.box.Left, k.box.Top, k.box.Right, k.box.Bottom, 0, 360);
        const QImage image = s.Image();
        const double a = (k.box.Right - k.box.Left) / 2;
        const double b = (k.box.Bottom - k.box.Top) / 2;
        const double cx = k.box.Left + a;
        const double cy = k.box.Top + b;
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 60; ++x)
                if (charttest::PixelAt(image, x, y) != clWhite) {
                    EXPECT_LT(OffEllipse(x, y, cx, cy, a, b), 2.0) << x << "," << y;
                }
        // Every few degrees a dark pixel lies within 1.5 pixels of the curve.
        for (int deg = 0; deg < 360; deg += 5) {
            const double px = cx + a * std::cos(deg * DegToRad);
            const double py = cy - b * std::sin(deg * DegToRad);
            bool dark = false;
            for (int y = int(py) - 2; y <= int(py) + 2; ++y)
                for (int x = int(px) - 2; x <= int(px) + 2; ++x)
                    if (x >= 0 && y >= 0 && x < 60 && y < 60 && std::hypot(x - px, y - py) <= 1.5 &&
                        qGray(image.pixel(x, y)) < 128)
                        dark = true;
            EXPECT_TRUE(dark) << deg << " degrees";
        }
    }
}

TEST(AntiAliasCanvas, AnArcByItsRadialPointsIsTheArcByTheirAngles) {
    struct Case {
        TPoint start, end;
        double from, to;
    };
    const Case cases[] = {
        {{40, 20}, {20, 0}, 0, 90}, {{20, 0}, {40, 20}, 90, 360}, {{0, 40}, {40, 40}, 225, 315}};
    for (const Case& k : cases) {
        SCOPED_TRACE(k.from);
        TDrawSurface byPoints = TDrawSurface::Smoothed(42, 42);
        byPoints.UsePen(kInk);
        byPoints.Canvas().Arc(2, 2, 38, 38, k.start.X, k.start.Y, k.end.X, k.end.Y);
        TDrawSurface byAngles = TDrawSurface::Smoothed(42, 42);
        byAngles.UsePen(kInk);
        byAngles.Canvas().ArcByAngles(2, 2, 38, 38, k.from, k.to);
        EXPECT_EQ(DifferingPixels(byPoints.Image(), byAngles.Image()), 0);
        EXPECT_LT(charttest::CountColor(byAngles.Image(), clWhite), 42 * 42 - 20);
    }
}

TEST(AntiAliasCanvas, CurvesWithoutWidthOrHeightAreTheStandardCanvas) {
    const auto flat = [](TPlotCanvas3D& c) {
        c.Pen()->SetColor(kInk);
        c.Ellipse(5, 5, 5, 30);
        c.Ellipse(3, 8, 30, 9);
        c.ArcByAngles(10, 10, 11, 30, 0, 270);
        c.Arc(12, 2, 30, 2, 30, 2, 12, 2);
        c.Brush()->SetStyle(bsSolid);
        c.Pie(20, 20, 20, 30, 20, 25, 20, 20);
        c.RingSector(15, 15, 0, 0, 0, 3, 50);
    };
    EXPECT_EQ(DifferingPixels(Draw(TDrawSurface::Smoothed(32, 32), flat),
                              Draw(TDrawSurface::Standard(32, 32), flat)),
              0);
}

TEST(AntiAliasCanvas, AGradientFillIsNeverSmoothed) {
    const auto gradient = [](TPlotCanvas3D& c) {
        c.FillGradientRect({2, 2, 38, 38}, clRed, clBlue, gdDiagonalUp, 50, 0, 0);
    };
    TDrawSurface smoothed = TDrawSurface::Smoothed(40, 40);
    EXPECT_EQ(DifferingPixels(Draw(std::move(smoothed), gradient),
                              Draw(TDrawSurface::Standard(40, 40), gradient)),
              0);
}

} // namespace
