#include "app/mainwin/ToolImages.h"

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/ImageList.h"

#include <functional>

namespace {

constexpr TColor Transparent = clFuchsia;
constexpr TColor Ink = TColor(0x00404040);
constexpr TColor Blue = TColor(0x00C06010);
constexpr TColor Orange = TColor(0x000080E0);
constexpr TColor Green = TColor(0x00208020);
constexpr TColor Red = TColor(0x002020C0);

void Page(TCanvas* c, int x, int y) {
    c->Pen()->SetColor(Ink);
    c->Brush()->SetColor(clWhite);
    c->Polygon({{x, y}, {x + 6, y}, {x + 9, y + 3}, {x + 9, y + 12}, {x, y + 12}});
    c->MoveTo(x + 6, y);
    c->LineTo(x + 6, y + 3);
    c->LineTo(x + 9, y + 3);
    for (int line = 0; line < 3; ++line) {
        c->MoveTo(x + 2, y + 5 + line * 2);
        c->LineTo(x + 7, y + 5 + line * 2);
    }
}

// An arrow pointing down (into the page) or up (out of it) at the right edge.
void Arrow(TCanvas* c, bool down, TColor color) {
    c->Pen()->SetColor(color);
    c->Brush()->SetColor(color);
    if (down) {
        c->FillRect(Rect(11, 2, 14, 9));
        c->Polygon({{9, 9}, {15, 9}, {12, 13}});
    } else {
        c->FillRect(Rect(11, 7, 14, 14));
        c->Polygon({{9, 7}, {15, 7}, {12, 3}});
    }
}

void Plug(TCanvas* c, bool joined) {
    c->Pen()->SetColor(Ink);
    c->Brush()->SetColor(joined ? Green : Red);
    // The plug on the left, its prongs reaching the socket on the right.
    c->RoundRect(1, 5, 7, 12, 2, 2);
    const int gap = joined ? 0 : 3;
    c->FillRect(Rect(7, 6, 11 - gap, 7));
    c->FillRect(Rect(7, 10, 11 - gap, 11));
    c->Brush()->SetColor(TColor(0x00A0A0A0));
    c->RoundRect(11, 4, 15, 13, 2, 2);
    if (!joined) {
        c->Pen()->SetColor(Red);
        c->MoveTo(7, 14);
        c->LineTo(11, 2);
    }
}

void Star(TCanvas* c) {
    c->Pen()->SetColor(Orange);
    c->Brush()->SetColor(TColor(0x0000D0FF));
    c->Ellipse(9, 8, 16, 15);
    c->MoveTo(12, 10);
    c->LineTo(12, 13);
}

void Draw(TCustomImageList& list, const std::function<void(TCanvas*)>& draw) {
    TBitmap picture(16, 16, pf24bit);
    TCanvas* c = picture.Canvas();
    c->Brush()->SetColor(Transparent);
    c->FillRect(Rect(0, 0, 16, 16));
    draw(c);
    list.AddMasked(picture, Transparent);
}

} // namespace

std::unique_ptr<TCustomImageList> MakeToolImages() {
    auto list = std::make_unique<TCustomImageList>(16, 16);
    Draw(*list, [](TCanvas* c) { Plug(c, true); });
    Draw(*list, [](TCanvas* c) { Plug(c, false); });
    Draw(*list, [](TCanvas* c) {
        Page(c, 1, 2);
        Arrow(c, true, Blue);
    });
    Draw(*list, [](TCanvas* c) {
        Page(c, 3, 0);
        Page(c, 0, 3);
        Arrow(c, true, Blue);
    });
    Draw(*list, [](TCanvas* c) {
        Page(c, 1, 2);
        Arrow(c, false, Orange);
    });
    Draw(*list, [](TCanvas* c) {
        Page(c, 3, 0);
        Page(c, 0, 3);
        Arrow(c, false, Orange);
    });
    Draw(*list, [](TCanvas* c) {
        Page(c, 1, 2);
        Star(c);
    });
    Draw(*list, [](TCanvas* c) {
        Page(c, 3, 0);
        Page(c, 0, 3);
        Star(c);
    });
    return list;
}
