#include "platform/stdctrls/TabStrip.h"

#include "platform/graphics/GraphicsQt_p.h"
#include "platform/stdctrls/BevelFrame.h"

#include <QFontMetrics>

int TabStripHeight(const TFont& font) {
    QFontMetrics fm(TGraphicsQt::Font(font));
    return fm.height() + 6;
}

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

void PaintTabStrip(TCanvas* c, const TFont& font, TColor color, const TRect& bounds,
                   const std::vector<TTabStripItem>& tabs, int active, int hot) {
    c->Brush()->SetColor(color);
    c->Brush()->SetStyle(bsSolid);
    c->FillRect(bounds);
    TRect body = Rect(bounds.Left, TabStripHeight(font), bounds.Right, bounds.Bottom);
    BevelFrame(c, body, true);
    c->Font()->Assign(font);
    const std::vector<TRect> rects = TabStripRects(font, tabs);
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
}
