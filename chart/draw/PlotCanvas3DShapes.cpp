// The chart canvas's depth shapes: faces, boxes, ellipses and spheres, cylinders and cones,
// pyramids and frustums, solid pie slices, arrows, the clip to a box's outline and pictures laid
// on a plane. Every vertex is projected; faces turned away from the viewer are left out, and side
// faces are shaded darker from the colour the brush had when the shape started.

#include "chart/draw/DrawRoutines.h"
#include "chart/draw/Gradient.h"
#include "chart/draw/PlotCanvas3D.h"
#include "platform/graphics/Bitmap.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kPi = std::numbers::pi;

// (c3 - c2) x (c1 - c2): positive when the quad c0..c3 faces the viewer.
long long Facing(const TPoint* c) {
    return static_cast<long long>(c[3].X - c[2].X) * (c[1].Y - c[2].Y) -
           static_cast<long long>(c[1].X - c[2].X) * (c[3].Y - c[2].Y);
}

} // namespace

TColor TPlotCanvas3D::StartColor() {
    return Brush()->Style() == bsSolid ? Brush()->Color() : GetBackgroundColor();
}

void TPlotCanvas3D::CornerQuad(TPoint3D a, TPoint3D b, TPoint3D c, TPoint3D d) {
    Corners[0] = Project(a.X, a.Y, a.Z);
    Corners[1] = Project(b.X, b.Y, b.Z);
    Corners[2] = Project(c.X, c.Y, c.Z);
    Corners[3] = Project(d.X, d.Y, d.Z);
    FillCornerQuad();
}

void TPlotCanvas3D::HorizontalFace(int left, int top, int right, int z0, int z1) {
    CornerQuad({left, top, z0}, {right, top, z0}, {right, top, z1}, {left, top, z1});
}

void TPlotCanvas3D::SideFace(int left, int top, int bottom, int z0, int z1) {
    CornerQuad({left, top, z0}, {left, top, z1}, {left, bottom, z1}, {left, bottom, z0});
}

// ---- boxes --------------------------------------------------------------------------------------

void TPlotCanvas3D::BoxShape(int l, int r, int t, int b, int z0, int z1, bool darkSides) {
    const TColor start = StartColor();
    const bool all = Brush()->Style() == bsClear;
    auto corners = [this](TPoint3D a, TPoint3D b, TPoint3D c, TPoint3D d) {
        Corners[0] = Project(a.X, a.Y, a.Z);
        Corners[1] = Project(b.X, b.Y, b.Z);
        Corners[2] = Project(c.X, c.Y, c.Z);
        Corners[3] = Project(d.X, d.Y, d.Z);
    };
    auto shade = [&](int amount) {
        if (darkSides)
            SelectDarkerBrush(start, amount);
    };
    // Front, or the back when the front turns away.
    corners({l, t, z0}, {r, t, z0}, {r, b, z0}, {l, b, z0});
    const bool front = Facing(Corners) > 0;
    if (front || all)
        FillCornerQuad();
    if (!front || all)
        CornerQuad({l, t, z1}, {r, t, z1}, {r, b, z1}, {l, b, z1});
    corners({r, t, z0}, {r, t, z1}, {r, b, z1}, {r, b, z0});
    if (all || Facing(Corners) > 0) {
        shade(DarkSideAmount);
        FillCornerQuad();
    }
    corners({l, t, z0}, {l, t, z1}, {l, b, z1}, {l, b, z0});
    const TPoint* c = Corners;
    if (all || static_cast<long long>(c[3].X - c[0].X) * (c[1].Y - c[0].Y) -
                       static_cast<long long>(c[1].X - c[0].X) * (c[3].Y - c[0].Y) >
                   0) {
        shade(DarkSideAmount);
        FillCornerQuad();
    }
    corners({l, t, z0}, {r, t, z0}, {r, t, z1}, {l, t, z1});
    if (all || static_cast<long long>(c[2].Y - c[1].Y) * (c[0].X - c[1].X) -
                       static_cast<long long>(c[2].X - c[1].X) * (c[0].Y - c[1].Y) >
                   0) {
        shade(DarkerSideAmount);
        FillCornerQuad();
    }
    corners({l, b, z0}, {l, b, z1}, {r, b, z1}, {r, b, z0});
    if (all || Facing(Corners) < 0) {
        shade(DarkerSideAmount);
        FillCornerQuad();
    }
}

// ---- ellipses -----------------------------------------------------------------------------------

void TPlotCanvas3D::EllipseAtDepth(int x0, int y0, int x1, int y1, int z) {
    if (!is3D_) {
        Ellipse(x0, y0, x1 + 1, y1 + 1);
        return;
    }
    if (orthogonal_) {
        const TPoint a = Project(x0, y0, z);
        const TPoint b = Project(x1, y1, z);
        Ellipse(a.X, a.Y, b.X, b.Y);
        return;
    }
    const int cx = (x0 + x1) / 2;
    const int cy = (y0 + y1) / 2;
    const int rx = (x1 - x0) / 2;
    const int ry = (y1 - y0) / 2;
    TPointList points(64);
    points[0] = Project(cx, y1, z);
    for (int i = 1; i < 64; ++i) {
        const double a = i * 2 * kPi / 63;
        points[i] = ProjectFractional(cx + std::sin(a) * rx, cy + std::cos(a) * ry, z);
    }
    if (Brush()->Style() != bsClear) {
        // A fan of triangles from the centre, without outlines.
        const TPoint centre = Project(cx, cy, z);
        const TPenStyle old = Pen()->Style();
        Pen()->SetStyle(psClear);
        for (int i = 0; i < 63; ++i)
            Polygon({centre, points[i], points[i + 1]});
        Pen()->SetStyle(old);
    }
    if (Pen()->Style() != psClear)
        Polyline(points);
}

void TPlotCanvas3D::SphereShape(int x, int y, int z, double radius) {
    const int r = RoundEven(radius);
    EllipseAtDepth(x - r, y - r, x + r, y + r, z);
}

// ---- cylinders and cones ------------------------------------------------------------------------

void TPlotCanvas3D::CylinderShape(bool vertical, int left, int top, int right, int bottom, int z0,
                                  int z1, bool darkSides) {
    ConeShape(vertical, left, top, right, bottom, z0, z1, darkSides, 100);
}

void TPlotCanvas3D::ConeShape(bool vertical, int left, int top, int right, int bottom, int z0,
                              int z1, bool darkSides, int conePercent) {
    const int n = cylinderSides_;
    const double step = 2 * kPi / n;
    const TColor start = StartColor();
    if (conePercent == 0)
        conePercent = DefaultConePercent;
    const int rz = (z1 - z0) / 2;
    const int cz = (z0 + z1) / 2;
    const int r = vertical ? (right - left) / 2 : (bottom - top) / 2;
    const int centre = vertical ? (left + right) / 2 : (top + bottom) / 2;
    const int rn = RoundEven(r * conePercent * 0.01);
    const int rzn = RoundEven(rz * conePercent * 0.01);
    // Points 1..n of the base and of the narrow end, as (across, depth) pairs.
    std::vector<int> baseAcross(n + 1), baseDepth(n + 1), narrowAcross(n + 1), narrowDepth(n + 1);
    for (int i = 1; i <= n; ++i) {
        const double a = (i - (vertical ? 4 : 5)) * step;
        baseAcross[i] = centre + RoundEven(std::sin(a) * r);
        baseDepth[i] = cz - RoundEven(std::cos(a) * rz);
        narrowAcross[i] = centre + RoundEven(std::sin(a) * rn);
        narrowDepth[i] = cz - RoundEven(std::cos(a) * rzn);
    }
    auto at = [&](bool narrow, int i) {
        const int across = narrow ? narrowAcross[i] : baseAcross[i];
        const int depth = narrow ? narrowDepth[i] : baseDepth[i];
        return vertical ? Project(across, narrow ? top : bottom, depth)
                        : Project(narrow ? right : left, across, depth);
    };
    auto side = [&](int i0, int i1, int k) {
        const TPointList quad{at(true, i0), at(false, i0), at(false, i1), at(true, i1)};
        if (IsBackFacing(quad[0], quad[1], quad[2]))
            return;
        if (darkSides)
            SelectDarkerBrush(start, (256 / (2 * n)) * k);
        Polygon(quad);
    };
    for (int i = 2; i <= n; ++i)
        side(i - 1, i, i - 2);
    side(n, 1, n - 2);
    if (darkSides)
        SelectDarkerBrush(start, DarkerSideAmount);
    TPointList cap(n);
    const bool capAtBase =
        !vertical && IsBackFacing(Project(0, 0, 0), Project(0, 10, 0), Project(0, 10, 10));
    const double scale = conePercent == 0 ? 1 : 100.0 / conePercent;
    for (int i = 1; i <= n; ++i) {
        if (capAtBase)
            cap[i - 1] = Project(left, centre + RoundEven((narrowAcross[i] - centre) * scale),
                                 cz + RoundEven((narrowDepth[i] - cz) * scale));
        else
            cap[i - 1] = at(true, i);
    }
    Polygon(cap);
}

// ---- pyramids and frustums ----------------------------------------------------------------------

void TPlotCanvas3D::PyramidShape(bool vertical, int l, int t, int r, int b, int z0, int z1,
                                 bool darkSides) {
    const TColor start = StartColor();
    const int zc = (z0 + z1) / 2;
    auto p = [this](int x, int y, int z) { return Project(x, y, z); };
    auto shade = [&](int amount) {
        if (darkSides)
            SelectDarkerBrush(start, amount);
    };
    auto tri = [this](TPoint a, TPoint b, TPoint c, bool draw) {
        if (draw)
            Polygon({a, b, c});
    };
    if (vertical) {
        const TPoint apex = p((l + r) / 2, t, zc);
        const bool up = t < b;
        if (t != b) {
            tri(p(l, b, z0), p(r, b, z0), apex, true);
            tri(p(l, b, z0), apex, p(l, b, z1), IsBackFacing(p(l, b, z0), apex, p(l, b, z1)) != up);
            shade(DarkSideAmount);
            tri(p(r, b, z0), apex, p(r, b, z1), IsBackFacing(p(r, b, z0), apex, p(r, b, z1)) == up);
            if (up)
                tri(apex, p(l, b, z1), p(r, b, z1), IsBackFacing(apex, p(l, b, z1), p(r, b, z1)));
        }
        if (IsBackFacing(p(l, b, z0), p(r, b, z0), p(l, b, z1)) == up) {
            shade(DarkerSideAmount);
            HorizontalFace(l, b, r, z0, z1);
        }
        return;
    }
    const TPoint apex = p(r, (t + b) / 2, zc);
    const bool right = l < r;
    if (l != r) {
        tri(p(l, t, z0), p(l, b, z0), apex, true);
        tri(p(l, t, z1), apex, p(l, b, z1), IsBackFacing(p(l, t, z1), apex, p(l, b, z1)) != right);
        shade(DarkerSideAmount);
        tri(p(l, t, z0), apex, p(l, t, z1), IsBackFacing(p(l, t, z0), apex, p(l, t, z1)) != right);
        tri(p(l, b, z1), apex, p(l, b, z0), IsBackFacing(p(l, b, z1), apex, p(l, b, z0)) != right);
    }
    if (IsBackFacing(p(l, t, z0), p(l, b, z0), p(l, t, z1)) == right) {
        shade(DarkSideAmount);
        SideFace(l, t, b, z0, z1);
    }
}

void TPlotCanvas3D::FrustumShape(const TRect& rect, int z0, int z1, int tx, int tz) {
    const int l = rect.Left, t = rect.Top, r = rect.Right, b = rect.Bottom;
    const int cx = (l + r) / 2;
    const int cz = (z0 + z1) / 2;
    auto base = [&] { HorizontalFace(l, b, r, z0, z1); };
    auto cap = [&] {
        if (tx != 0)
            HorizontalFace(cx - tx, t, cx + tx, cz - tz, cz + tz);
    };
    // Back and front: the top edge at depth zt, the bottom edge at zb.
    auto depthSide = [&](int zt, int zb) {
        const bool away =
            IsBackFacing(Project(cx + tx, t, zt), Project(r, b, zb), Project(l, b, zb));
        const bool straight = (zt < zb && zt >= 1 && t < b) || (zb < zt && b < t);
        if (straight ? !away : away)
            Polygon({Project(cx - tx, t, zt), Project(cx + tx, t, zt), Project(r, b, zb),
                     Project(l, b, zb)});
    };
    // Left and right: the top edge at X = xt, the bottom edge at X = xb.
    auto crossSide = [&](int xb, int xt) {
        Corners[0] = Project(xt, t, cz - tz);
        Corners[1] = Project(xt, t, cz + tz);
        Corners[2] = Project(xb, b, z1);
        Corners[3] = Project(xb, b, z0);
        const bool away = IsBackFacing(Corners[3], Corners[2], Corners[1]);
        const bool straight = (xt < xb && t < b) || (xb < xt && b < t);
        if (straight ? !away : away)
            FillCornerQuad();
    };
    if (t < b)
        base();
    else
        cap();
    depthSide(cz + tz, z1);
    if (tx != 0 || z0 != z1) {
        crossSide(l, cx - tx);
        depthSide(cz - tz, z0);
        crossSide(r, cx + tx);
    }
    if (t < b)
        cap();
    else
        base();
}

// ---- solid pie slices ---------------------------------------------------------------------------

void TPlotCanvas3D::PieSliceSolid(int cx, int cy, int rx, int ry, int depthA, int depthB,
                                  double start, double end, bool darkSides, bool drawSides,
                                  int donutPercent, TCustomPlotGradient* gradient) {
    const int m = std::min(RoundEven(std::fabs(end - start) * 180 / kPi / 2), 94) + 2;
    const double step = (end - start) / (m - 1);
    const bool hole = donutPercent > 0;
    const double irx = hole ? rx * donutPercent * 0.01 : 0;
    const double iry = hole ? ry * donutPercent * 0.01 : 0;
    auto inner = [&](double a, int z) {
        if (!hole)
            return Project(cx, cy, z);
        return ProjectFractional(cx + std::cos(a) * irx, cy - RoundEven(std::sin(a) * iry), z);
    };
    TPointList top(m), bottom(m), innerTop(m), innerBottom(m);
    for (int k = 0; k < m; ++k) {
        const double a = start + k * step;
        const double x = cx + rx * std::cos(a);
        const double y = cy - ry * std::sin(a);
        top[k] = ProjectFractional(x, y, depthB);
        bottom[k] = ProjectFractional(x, y, depthA);
        innerTop[k] = inner(a, depthB);
        innerBottom[k] = inner(a, depthA);
    }
    const bool ownColor = Brush()->Bitmap() == nullptr;
    const TColor startColor = StartColor();
    auto shade = [&] {
        if (darkSides && ownColor)
            SelectDarkerBrush(startColor, 32);
    };
    auto fill = [&](const TPointList& points) {
        if (gradient != nullptr)
            GradientPolygon(points, *gradient);
        else
            Polygon(points);
    };
    if (hole) {
        TPointList face(innerTop.rbegin(), innerTop.rend());
        face.insert(face.end(), innerBottom.begin(), innerBottom.end());
        shade();
        Polygon(face);
    }
    if (drawSides) {
        auto radial = [&](int k) {
            shade();
            Polygon({innerTop[k], top[k], bottom[k], innerBottom[k]});
        };
        if (top[m - 1].X < screenX_)
            radial(m - 1);
        if (top[0].X > screenX_)
            radial(0);
    }
    if (ownColor)
        SelectDarkerBrush(startColor, 0);
    TPointList face;
    if (hole) {
        face.push_back(innerTop[0]);
        face.insert(face.end(), top.begin(), top.end());
        face.insert(face.end(), innerTop.rbegin(), innerTop.rend());
    } else {
        face.push_back(Project(cx, cy, depthB));
        face.insert(face.end(), top.begin(), top.end());
    }
    fill(face);
    // The outer curved face over every run of top points moving right on the screen.
    for (int k = 1; k < m;) {
        if (top[k].X <= top[k - 1].X) {
            ++k;
            continue;
        }
        const int first = k - 1;
        while (k < m && top[k].X > top[k - 1].X)
            ++k;
        TPointList run(top.begin() + first, top.begin() + k);
        run.insert(run.end(), std::make_reverse_iterator(bottom.begin() + k),
                   std::make_reverse_iterator(bottom.begin() + first));
        shade();
        fill(run);
    }
}

// ---- arrows and the box clip --------------------------------------------------------------------

void TPlotCanvas3D::ArrowShape(bool filled, TPoint from, TPoint to, int headWidth, int headLength,
                               int z, double bodyPercent) {
    const double dx = to.X - from.X;
    const double dy = from.Y - to.Y;
    const double d = std::sqrt(dx * dx + dy * dy);
    if (d == 0)
        return;
    const int length = std::min(headLength, RoundEven(d));
    const double s = dy / d;
    const double c = dx / d;
    // Along (u) and across (v) the arrow, and back to the screen.
    auto u = [&](TPoint p) { return p.X * c - p.Y * s; };
    auto v = [&](TPoint p) { return p.X * s + p.Y * c; };
    auto screen = [&](double uu, double vv) {
        return Project(RoundEven(uu * c + vv * s), RoundEven(-uu * s + vv * c), z);
    };
    const double back = u(to) - length;
    const double vt = v(to);
    const TPoint head1 = screen(back, vt - headWidth / 2.0);
    const TPoint head2 = screen(back, vt + headWidth / 2.0);
    const TPoint tip = Project(to.X, to.Y, z);
    if (!filled) {
        SegmentAtDepth(from.X, from.Y, to.X, to.Y, z);
        Segment(tip.X, tip.Y, head2.X, head2.Y);
        Segment(tip.X, tip.Y, head1.X, head1.Y);
        return;
    }
    const double w = headWidth * bodyPercent * 0.005;
    const double uf = u(from);
    Polygon({screen(uf, vt + w), screen(uf, vt - w), screen(back, vt - w), head1, tip, head2,
             screen(back, vt + w)});
}

void TPlotCanvas3D::ClipToBox(const TRect& r, int z0, int z1) {
    if (!is3D_) {
        ClipToRect({r.Left + 1, r.Top + 1, r.Right, r.Bottom - 1});
        return;
    }
    const int l = r.Left, t = r.Top, rr = r.Right, b = r.Bottom;
    TPointList corners{Project(l, b, z0),  Project(l, b, z1),  Project(l, t, z1),
                       Project(rr, t, z1), Project(rr, t, z0), Project(rr, b, z0),
                       Project(l, t, z0),  Project(rr, b, z1)};
    HullOfPoints(corners);
    ClipToPolygon(corners, false);
}

// ---- pictures on a plane ------------------------------------------------------------------------

void TCanvas3D::GraphicOnPlane(const TRect& r, TPicture* picture, int fixed, int plane) {
    if (picture == nullptr || picture->Graphic() == nullptr || picture->Graphic()->Empty())
        return;
    TBitmap pixels;
    pixels.Assign(*picture->Graphic());
    pixels.SetPixelFormat(pf32bit);
    const int w = pixels.Width();
    const int h = pixels.Height();
    if (w <= 0 || h <= 0)
        return;
    Pen()->SetStyle(psClear);
    const double sx = static_cast<double>(r.Right - r.Left) / w;
    const double sy = static_cast<double>(r.Bottom - r.Top) / h;
    auto place = [&](int a, int b) {
        switch (plane) {
        case 0:
            return Project(fixed, b, a);
        case 1:
            return Project(a, fixed, b);
        default:
            return Project(a, b, fixed);
        }
    };
    const int a0 = r.Left;
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* row = pixels.ScanLine(y);
        const int b0 = r.Top + RoundEven(y * sy);
        const int b1 = r.Top + RoundEven((y + 1) * sy);
        for (int x = 0; x < w; ++x) {
            const int x0 = a0 + RoundEven(x * sx);
            const int x1 = a0 + RoundEven((x + 1) * sx);
            Brush()->SetColor(RGB(row[4 * x + 2], row[4 * x + 1], row[4 * x]));
            Polygon({place(x0, b0), place(x1, b0), place(x1, b1), place(x0, b1)});
        }
    }
}
