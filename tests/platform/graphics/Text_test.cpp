#include "GraphicsTestSupport.h"

#include "platform/graphics/Gdi.h"
#include "platform/graphics/GraphicsQt_p.h"

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>

using namespace gfxtest;

namespace {

struct TextFixture {
    std::unique_ptr<TBitmap> bmp;
    TCanvas* c;
    TextFixture(int w, int h) : bmp(WhiteBitmap(w, h)), c(bmp->Canvas()) {
        c->Font()->SetName("Arial");
        c->Font()->SetHeight(-16);
        c->Font()->SetColor(clBlack);
        c->Brush()->SetStyle(bsClear);
    }
    TRect Ink() { return InkBox(TGraphicsQt::Image(*bmp), clWhite); }
};

} // namespace

TEST(CanvasText, FormsFontsDrawWithTheirMetricEquivalents) {
    TFont font;
    for (const char* name : {"Arial", "MS Sans Serif", "Tahoma"}) {
        font.SetName(name);
        EXPECT_EQ(QFontInfo(TGraphicsQt::Font(font)).family().toStdString(), "Liberation Sans")
            << name;
    }
    font.SetName("Times New Roman");
    EXPECT_EQ(QFontInfo(TGraphicsQt::Font(font)).family().toStdString(), "Liberation Serif");
    font.SetName("Courier New");
    EXPECT_EQ(QFontInfo(TGraphicsQt::Font(font)).family().toStdString(), "Liberation Mono");
}

TEST(CanvasText, ReferencePointFollowsTheAlignment) {
    const int x = 100;
    const int y = 30;
    TSize extent;
    {
        TextFixture f(10, 10);
        extent = f.c->TextExtent("HEH");
    }
    struct Case {
        unsigned align;
        const char* what;
    };
    for (Case c : {Case{TA_LEFT | TA_TOP, "left top"}, Case{TA_RIGHT | TA_TOP, "right top"},
                   Case{TA_CENTER | TA_TOP, "centre top"}, Case{TA_LEFT | TA_BASELINE, "baseline"},
                   Case{TA_LEFT | TA_BOTTOM, "bottom"}}) {
        TextFixture f(200, 60);
        SetTextAlign(f.c->Handle(), c.align);
        f.c->TextOut(x, y, "HEH");
        TRect ink = f.Ink();
        ASSERT_FALSE(ink.IsEmpty()) << c.what;
        unsigned h = c.align & TA_CENTER;
        if (h == TA_LEFT) {
            EXPECT_GE(ink.Left, x) << c.what;
            EXPECT_LE(ink.Left, x + 3) << c.what;
        } else if (h == TA_RIGHT) {
            EXPECT_LE(ink.Right, x) << c.what;
            EXPECT_GE(ink.Right, x - 3) << c.what;
        } else {
            EXPECT_LE(std::abs((ink.Left + ink.Right) / 2 - x), 2) << c.what;
        }
        unsigned v = c.align & TA_BASELINE;
        if (v == TA_TOP) {
            EXPECT_GE(ink.Top, y) << c.what;
            EXPECT_LT(ink.Bottom, y + extent.cy) << c.what;
        } else if (v == TA_BASELINE) {
            // Capitals sit on the baseline.
            EXPECT_EQ(ink.Bottom, y) << c.what << Dump(TGraphicsQt::Image(*f.bmp));
        } else {
            EXPECT_LE(ink.Bottom, y) << c.what;
            EXPECT_GE(ink.Top, y - extent.cy) << c.what;
        }
    }
}

TEST(CanvasText, OpaqueBackgroundFillsExactlyTheTextCell) {
    TextFixture f(120, 40);
    f.c->Brush()->SetColor(clYellow); // solid brush: opaque, yellow background
    f.c->TextOut(10, 5, "Mix");
    TSize e = f.c->TextExtent("Mix");
    EXPECT_EQ(f.Ink(), Bounds(10, 5, e.cx, e.cy));
    EXPECT_GT(Count(TGraphicsQt::Image(*f.bmp), clYellow), 0);
    // With a clear brush only glyph pixels change.
    TextFixture g(120, 40);
    g.c->TextOut(10, 5, "Mix");
    EXPECT_EQ(Count(TGraphicsQt::Image(*g.bmp), clYellow), 0);
    EXPECT_LT(Count(TGraphicsQt::Image(*g.bmp), clBlack), e.cx * e.cy / 2);
}

TEST(CanvasText, ExtentsAddUpAndCharacterExtraWidens) {
    TextFixture f(10, 10);
    TSize ab = f.c->TextExtent("ab");
    TSize a = f.c->TextExtent("a");
    TSize b = f.c->TextExtent("b");
    EXPECT_EQ(ab.cx, a.cx + b.cx); // no kerning
    EXPECT_EQ(ab.cy, a.cy);
    EXPECT_EQ(f.c->TextWidth(""), 0);
    EXPECT_GT(f.c->TextHeight(""), 0);
    SetTextCharacterExtra(f.c->Handle(), 3);
    EXPECT_EQ(f.c->TextExtent("ab").cx, ab.cx + 6);
    // Cyrillic text measures and draws like any other.
    SetTextCharacterExtra(f.c->Handle(), 0);
    EXPECT_GT(f.c->TextWidth("Сохранить"), f.c->TextWidth("Сохр"));
    f.c->Font()->SetHeight(-32);
    EXPECT_GT(f.c->TextExtent("ab").cx, ab.cx);
}

TEST(CanvasText, PositiveHeightIsTheWholeCell) {
    TextFixture f(10, 10);
    for (int cell : {12, 16, 20, 31}) {
        f.c->Font()->SetHeight(cell);
        int h = f.c->TextHeight("W");
        EXPECT_LE(h, cell) << cell;
        EXPECT_GE(h, cell - 2) << cell;
    }
    f.c->Font()->SetHeight(-20); // the character height: the cell is taller
    EXPECT_GT(f.c->TextHeight("W"), 20);
}

TEST(CanvasText, TextOutMovesThePenPastTheText) {
    TextFixture f(200, 40);
    f.c->TextOut(7, 3, "Width");
    int w = f.c->TextWidth("Width");
    EXPECT_EQ(f.c->PenPos(), Point(7 + w, 3));
    // With TA_UPDATECP the text starts at the pen and moves it on.
    SetTextAlign(f.c->Handle(), TA_UPDATECP);
    f.c->MoveTo(20, 10);
    f.c->TextOut(0, 0, "ab");
    f.c->TextOut(0, 0, "cd");
    EXPECT_EQ(f.c->PenPos(), Point(20 + f.c->TextWidth("ab") + f.c->TextWidth("cd"), 10));
}

TEST(CanvasText, RotatedTextExtents) {
    const int x = 40;
    const int y = 150;
    TextFixture f(120, 200);
    TSize e = f.c->TextExtent("Rotated");
    f.c->Font()->SetOrientation(900); // a quarter turn counter-clockwise: reads bottom to top
    EXPECT_EQ(f.c->TextExtent("Rotated"), e); // measured along the text line
    f.c->TextOut(x, y, "Rotated");
    TRect ink = f.Ink();
    EXPECT_GT(ink.Height(), ink.Width()) << Dump(TGraphicsQt::Image(*f.bmp));
    EXPECT_GE(ink.Left, x);
    EXPECT_LE(ink.Right, x + e.cy);
    EXPECT_LE(ink.Bottom, y);
    EXPECT_GE(ink.Top, y - e.cx);
    EXPECT_GE(ink.Height(), e.cx - 4);

    TextFixture g(200, 120);
    g.c->Font()->SetOrientation(-900); // clockwise: reads top to bottom, to the left of x
    g.c->TextOut(100, 10, "Rotated");
    TRect ink2 = g.Ink();
    EXPECT_LE(ink2.Right, 100);
    EXPECT_GE(ink2.Left, 100 - e.cy);
    EXPECT_GE(ink2.Top, 10);
    EXPECT_LE(ink2.Bottom, 10 + e.cx);
}

TEST(CanvasText, DrawTextCalculatesItsRectangle) {
    TextFixture f(10, 10);
    int lh = f.c->TextHeight("W");
    TRect r = Rect(5, 7, 500, 500);
    int h = f.c->DrawText("One line", r, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(h, lh);
    EXPECT_EQ(r, Rect(5, 7, 5 + f.c->TextWidth("One line"), 7 + lh));

    int wordWidth = f.c->TextWidth("three");
    TRect narrow = Rect(0, 0, wordWidth + 2, 0);
    h = f.c->DrawText("one two three", narrow, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_EQ(h, 3 * lh);
    EXPECT_EQ(narrow.Bottom, 3 * lh);
    EXPECT_EQ(narrow.Right, wordWidth);

    TRect lines = Rect(0, 0, 300, 0);
    EXPECT_EQ(f.c->DrawText("a\r\nb\nc", lines, DT_CALCRECT), 3 * lh);
    TRect single = Rect(0, 0, 300, 0);
    EXPECT_EQ(f.c->DrawText("a\r\nb\nc", single, DT_CALCRECT | DT_SINGLELINE), lh);
    // "&&" is one ampersand and "&x" no character at all in the width.
    TRect p1 = Rect(0, 0, 300, 0);
    TRect p2 = Rect(0, 0, 300, 0);
    f.c->DrawText("&Save && exit", p1, DT_CALCRECT);
    f.c->DrawText("Save & exit", p2, DT_CALCRECT | DT_NOPREFIX);
    EXPECT_EQ(p1.Right, p2.Right);
}

TEST(CanvasText, DrawTextPlacesLines) {
    const TRect box = Rect(10, 10, 190, 70);
    // Centred on one line.
    TextFixture f(200, 80);
    TRect r = box;
    f.c->DrawText("Middle", r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    TRect ink = f.Ink();
    EXPECT_LE(std::abs((ink.Left + ink.Right) / 2 - 100), 2);
    EXPECT_LE(std::abs((ink.Top + ink.Bottom) / 2 - 40), 3) << Dump(TGraphicsQt::Image(*f.bmp));

    // Vertical centring needs a single line: two lines start at the top.
    TextFixture g(200, 80);
    r = box;
    g.c->DrawText("Top\nLines", r, DT_VCENTER);
    EXPECT_LT(g.Ink().Top, 10 + g.c->TextHeight("W") / 2);

    // Right alignment and the clip to the box.
    TextFixture h(200, 80);
    r = box;
    h.c->DrawText("Right", r, DT_RIGHT | DT_SINGLELINE);
    EXPECT_LE(h.Ink().Right, 190);
    EXPECT_GE(h.Ink().Right, 187);
    TextFixture k(200, 80);
    TRect tiny = Rect(10, 10, 30, 30);
    k.c->DrawText("Much too long for the box", tiny, DT_SINGLELINE);
    EXPECT_LE(k.Ink().Right, 30);
}

TEST(CanvasText, EllipsisShortensLinesThatDoNotFit) {
    TextFixture f(300, 40);
    TRect box = Rect(0, 0, 80, 30);
    const std::string text = "A sentence far wider than eighty pixels";
    TRect r = box;
    f.c->DrawText(text, r, DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOCLIP);
    EXPECT_LE(f.Ink().Right, 80);
    EXPECT_GT(f.Ink().Right, 40); // most of the box is used

    TextFixture g(300, 40);
    r = box;
    g.c->DrawText(text, r, DT_SINGLELINE | DT_NOCLIP); // without: drawn past the box
    EXPECT_GT(g.Ink().Right, 80);

    // A path keeps its last part.
    TextFixture p(400, 40);
    r = Rect(0, 0, 150, 30);
    const std::string path = "C:\\Program Files\\Quorvan\\firmware\\image.hex";
    p.c->DrawText(path, r, DT_SINGLELINE | DT_PATH_ELLIPSIS | DT_NOCLIP);
    EXPECT_LE(p.Ink().Right, 150);
    TRect tail = Rect(0, 0, 400, 0);
    p.c->DrawText("\\image.hex", tail, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_GE(p.Ink().Width(), tail.Width());
}

TEST(CanvasText, PrefixUnderlinesTheMarkedLetter) {
    // The underline is the only ink below the baseline of a capital-only text.
    auto inkBelowBaseline = [](unsigned flags, const char* text) {
        TextFixture f(200, 40);
        TRect r = Rect(10, 5, 190, 35);
        f.c->DrawText(text, r, DT_SINGLELINE | flags);
        QFontMetrics m(TGraphicsQt::Font(*f.c->Font()));
        int baseline = 5 + m.ascent();
        TRect ink = InkBox(TGraphicsQt::Image(*f.bmp).copy(0, baseline + 1, 200, 40 - baseline - 1),
                           clWhite);
        return ink;
    };
    TRect underline = inkBelowBaseline(0, "&FILE");
    ASSERT_FALSE(underline.IsEmpty());
    EXPECT_EQ(underline.Left, 10); // under the F only
    EXPECT_LT(underline.Right, 10 + 12);
    EXPECT_TRUE(inkBelowBaseline(DT_HIDEPREFIX, "&FILE").IsEmpty());
    EXPECT_TRUE(inkBelowBaseline(DT_NOPREFIX, "&FILE").IsEmpty());
    EXPECT_TRUE(inkBelowBaseline(0, "&&FILE").IsEmpty());
}

TEST(CanvasText, BackgroundFollowsTheBrushAfterALine) {
    // A line realises the pen with the background of its time; text drawn after a new brush
    // must show the new brush colour round its glyphs, not the old one.
    TextFixture f(120, 40);
    f.c->Brush()->SetColor(clYellow);
    f.c->FillRect(Rect(0, 0, 120, 40));
    f.c->Pen()->SetColor(clRed);
    f.c->MoveTo(0, 0);
    f.c->LineTo(10, 0);
    f.c->Brush()->SetColor(clAqua);
    f.c->TextRect(Rect(5, 5, 115, 35), 10, 8, "Mix");
    EXPECT_EQ(Count(TGraphicsQt::Image(*f.bmp), clYellow), 120 * 40 - 110 * 30 - 10);
}

TEST(CanvasText, TextRectFillsAndClips) {
    TextFixture f(100, 30);
    f.c->Brush()->SetColor(clAqua);
    TRect r = Rect(10, 5, 40, 25);
    f.c->TextRect(r, 12, 7, "Clipped words");
    EXPECT_EQ(f.Ink(), r);
    EXPECT_EQ(At(TGraphicsQt::Image(*f.bmp), 38, 23), clAqua);
}
