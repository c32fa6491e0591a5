#include "platform/stdctrls/TabStrip.h"

#include "platform/graphics/GraphicsQt_p.h"
#include "platform/stdctrls/BevelFrame.h"

#include <QFontMetrics>

#include <algorithm>

int TabStripHeight(const TFont& font) {
    QFontMetrics fm(TGraphicsQt::Font(font));
    return fm.height() + 6;
}

namespace {

// The rectangles unscrolled, left to right from x = 2.
std::vector<TRect> TabStripRects(const TFont& font, const std::vector<TTabStripItem>& tabs) {
    QFontMetrics fm(TGraphicsQt::Font(font));
    const int height = TabStripHeight(font);
    std::vector<TRect> rects;
    int x = 2;
    for (const TTabStripItem& tab : tabs) {
        if (!tab.Visible) {
            rects.push_back(TRect{});
            continue;
        }
        const int w = fm.horizontalAdvance(QString::fromStdString(tab.Caption)) + 12;
        rects.push_back(Rect(x, 2, x + w, height));
        x += w;
    }
    return rects;
}

bool Shows(const TRect& r) {
    return r.Width() > 0;
}

void PaintArrow(TCanvas* c, TRect r, int direction, bool enabled, TColor color) {
    c->Brush()->SetColor(color);
    c->Brush()->SetStyle(bsSolid);
    c->FillRect(r);
    ButtonFrame(c, r, false, false);
    const int cx = (r.Left + r.Right) / 2;
    const int cy = (r.Top + r.Bottom) / 2;
    const int h = std::max(2, r.Height() / 4);
    std::vector<TPoint> triangle;
    if (direction < 0)
        triangle = {TPoint{cx - h / 2 - 1, cy}, TPoint{cx + h / 2, cy - h},
                    TPoint{cx + h / 2, cy + h}};
    else
        triangle = {TPoint{cx + h / 2, cy}, TPoint{cx - h / 2 - 1, cy - h},
                    TPoint{cx - h / 2 - 1, cy + h}};
    const TColor glyph = enabled ? clBtnText : clGrayText;
    c->Pen()->SetColor(glyph);
    c->Brush()->SetColor(glyph);
    c->Polygon(triangle);
}

} // namespace

int TTabStripLayout::TabAt(int x, int y) const {
    if (x >= TabsRight)
        return -1;
    for (int i = 0; i < static_cast<int>(Tabs.size()); ++i)
        if (PtInRect(Tabs[static_cast<std::size_t>(i)], TPoint{x, y}))
            return i;
    return -1;
}

int TTabStripLayout::ArrowAt(int x, int y) const {
    if (!Overflows)
        return 0;
    if (PtInRect(LeftArrow, TPoint{x, y}))
        return -1;
    if (PtInRect(RightArrow, TPoint{x, y}))
        return 1;
    return 0;
}

TTabStripLayout TabStripLayout(const TFont& font, const std::vector<TTabStripItem>& tabs, int width,
                               int first) {
    TTabStripLayout layout;
    layout.Tabs = TabStripRects(font, tabs);
    layout.TabsRight = width;
    int right = 0;
    for (const TRect& r : layout.Tabs)
        right = std::max(right, r.Right);
    layout.Overflows = right > width - 2;
    if (!layout.Overflows)
        return layout;
    const int side = std::max(8, TabStripHeight(font) - 4);
    layout.RightArrow = Rect(width - 2 - side, 2, width - 2, 2 + side);
    layout.LeftArrow = Rect(width - 2 - 2 * side, 2, width - 2 - side, 2 + side);
    layout.TabsRight = layout.LeftArrow.Left - 2;
    first = std::clamp(first, 0, static_cast<int>(tabs.size()) - 1);
    int shift = 0;
    for (int i = first; i < static_cast<int>(tabs.size()); ++i)
        if (Shows(layout.Tabs[static_cast<std::size_t>(i)])) {
            shift = layout.Tabs[static_cast<std::size_t>(i)].Left - 2;
            break;
        }
    for (int i = 0; i < static_cast<int>(tabs.size()); ++i) {
        TRect& r = layout.Tabs[static_cast<std::size_t>(i)];
        if (!Shows(r))
            continue;
        if (i < first) {
            layout.CanScrollLeft = true;
            r = TRect{};
            continue;
        }
        r = Rect(r.Left - shift, r.Top, r.Right - shift, r.Bottom);
        layout.CanScrollRight = layout.CanScrollRight || r.Right > layout.TabsRight;
    }
    return layout;
}

int TabStripScrollTo(const TFont& font, const std::vector<TTabStripItem>& tabs, int width,
                     int first, int shown) {
    if (tabs.empty() || !TabStripLayout(font, tabs, width, 0).Overflows)
        return 0;
    first = std::clamp(first, 0, static_cast<int>(tabs.size()) - 1);
    if (shown < 0 || shown >= static_cast<int>(tabs.size()) ||
        !tabs[static_cast<std::size_t>(shown)].Visible)
        return first;
    if (shown < first)
        return shown;
    for (; first < shown; ++first) {
        const TTabStripLayout layout = TabStripLayout(font, tabs, width, first);
        if (layout.Tabs[static_cast<std::size_t>(shown)].Right <= layout.TabsRight)
            break;
    }
    return first;
}

void PaintTabStrip(TCanvas* c, const TFont& font, TColor color, const TRect& bounds,
                   const std::vector<TTabStripItem>& tabs, int active, int hot, int first) {
    c->Brush()->SetColor(color);
    c->Brush()->SetStyle(bsSolid);
    c->FillRect(bounds);
    TRect body = Rect(bounds.Left, TabStripHeight(font), bounds.Right, bounds.Bottom);
    BevelFrame(c, body, true);
    c->Font()->Assign(font);
    const TTabStripLayout layout = TabStripLayout(font, tabs, bounds.Width(), first);
    const std::vector<TRect>& rects = layout.Tabs;
    for (int i = 0; i < static_cast<int>(tabs.size()); ++i) {
        TRect r = rects[static_cast<std::size_t>(i)];
        if (r.Width() <= 0)
            continue;
        if (i == active)
            r = Rect(r.Left - 2, r.Top - 2, r.Right + 2, r.Bottom + 1);
        c->Brush()->SetColor(color);
        c->Brush()->SetStyle(bsSolid);
        c->FillRect(r);
        c->Pen()->SetColor(clBtnHighlight);
        c->MoveTo(r.Left, r.Bottom - 1);
        c->LineTo(r.Left, r.Top);
        c->LineTo(r.Right - 1, r.Top);
        c->Pen()->SetColor(clBtnShadow);
        c->LineTo(r.Right - 1, r.Bottom);
        c->Brush()->SetStyle(bsClear);
        c->Font()->SetColor(i == hot && i != active ? clHotLight : font.Color());
        TRect t = r;
        c->TextRect(t, tabs[static_cast<std::size_t>(i)].Caption,
                    DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    c->Font()->SetColor(font.Color());
    if (!layout.Overflows)
        return;
    // The tabs end under the arrows.
    c->Brush()->SetColor(color);
    c->Brush()->SetStyle(bsSolid);
    c->FillRect(Rect(layout.TabsRight, bounds.Top, bounds.Right, TabStripHeight(font)));
    PaintArrow(c, layout.LeftArrow, -1, layout.CanScrollLeft, color);
    PaintArrow(c, layout.RightArrow, 1, layout.CanScrollRight, color);
}
