#include "controls/buttons/FrBitBtn.h"

#include "ButtonsTestSupport.h"
#include "controls/buttons/FrButtonKinds.h"
#include "platform/classes/ObjectText.h"
#include "platform/classes/Resources.h"
#include "platform/classes/Streaming.h"
#include "platform/graphics/Themes.h"
#include "platform/rtl/Exception.h"

#include <gtest/gtest.h>

namespace {

using namespace buttontest;

constexpr TColor kKey = clOlive; // the glyphs' transparent colour
constexpr TColor kCellColors[] = {clRed, clBlue, clLime, clFuchsia};

// A strip of `cells` square cells of `size` pixels, each a solid colour of kCellColors, with the
// bottom-left pixel in the transparent colour.
std::unique_ptr<TBitmap> Strip(int cells, int size = 16) {
    auto bmp = std::make_unique<TBitmap>(cells * size, size, pf24bit);
    for (int i = 0; i < cells; ++i) {
        bmp->Canvas()->Brush()->SetColor(kCellColors[i]);
        bmp->Canvas()->FillRect(Bounds(i * size, 0, size, size));
    }
    bmp->Canvas()->SetPixel(0, size - 1, kKey);
    return bmp;
}

// The smallest rectangle holding every pixel of the colour; empty when there is none.
TRect Extent(TBitmap& img, TColor color) {
    TRect r{img.Width(), img.Height(), 0, 0};
    for (int y = 0; y < img.Height(); ++y)
        for (int x = 0; x < img.Width(); ++x)
            if (At(img, x, y) == ColorToRGB(color)) {
                r.Left = std::min(r.Left, x);
                r.Top = std::min(r.Top, y);
                r.Right = std::max(r.Right, x + 1);
                r.Bottom = std::max(r.Bottom, y + 1);
            }
    return r.IsEmpty() ? TRect{} : r;
}

class FrBitBtnTest : public FormFixture {
protected:
    TFrBitBtn* MakeBitBtn(int width = 75, int height = 25) {
        auto* b = MakeWithWidget<TFrBitBtn>();
        b->SetBounds(10, 10, width, height);
        return b;
    }
};

// ---- kinds --------------------------------------------------------------------------------------

TEST_F(FrBitBtnTest, KindsSetCaptionResultKeysAndGlyph) {
    struct Row {
        TBitBtnKind kind;
        const char* caption;
        int result;
        bool isDefault, isCancel;
    };
    const Row rows[] = {
        {bkOK, "OK", mrOk, true, false},
        {bkCancel, "Cancel", mrCancel, false, true},
        {bkHelp, "&Help", mrNone, false, false},
        {bkYes, "&Yes", mrYes, true, false},
        {bkNo, "&No", mrNo, false, true},
        {bkClose, "&Close", mrNone, false, false},
        {bkAbort, "Abort", mrAbort, false, false},
        {bkRetry, "&Retry", mrRetry, false, false},
        {bkIgnore, "&Ignore", mrIgnore, false, false},
        {bkAll, "&All", mrAll, false, false},
    };
    for (const Row& row : rows) {
        TFrBitBtn* b = MakeBitBtn();
        b->SetKind(row.kind);
        EXPECT_EQ(b->Kind(), row.kind);
        EXPECT_EQ(b->Caption(), row.caption);
        EXPECT_EQ(b->ModalResult(), row.result) << row.caption;
        EXPECT_EQ(b->Default(), row.isDefault) << row.caption;
        EXPECT_EQ(b->Cancel(), row.isCancel) << row.caption;
        // Our own two-cell artwork: 16 x 16 cells side by side.
        EXPECT_EQ(b->NumGlyphs(), 2);
        EXPECT_EQ(b->Glyph()->Width(), 32) << row.caption;
        EXPECT_EQ(b->Glyph()->Height(), 16);
        b->Free();
    }
}

TEST_F(FrBitBtnTest, KindReadsCustomOnceItNoLongerMatches) {
    TFrBitBtn* b = MakeBitBtn();
    b->SetKind(bkOK);
    b->SetModalResult(0);
    EXPECT_EQ(b->Kind(), bkCustom);
    // It stays custom when the value comes back.
    b->SetModalResult(mrOk);
    EXPECT_EQ(b->Kind(), bkCustom);

    b->SetKind(bkCancel);
    b->SetCancel(false);
    EXPECT_EQ(b->Kind(), bkCustom);
    b->SetKind(bkYes);
    b->SetDefault(false);
    EXPECT_EQ(b->Kind(), bkCustom);
    b->SetKind(bkRetry);
    b->SetGlyph(Strip(2).get());
    EXPECT_EQ(b->Kind(), bkCustom);
    // A caption of its own keeps the kind.
    b->SetKind(bkIgnore);
    b->SetCaption("Пропустить");
    EXPECT_EQ(b->Kind(), bkIgnore);
}

TEST_F(FrBitBtnTest, KindGlyphIsDrawnAndGreyedWhenDisabled) {
    TFrBitBtn* b = MakeBitBtn();
    b->SetKind(bkOK);
    auto img = Grab(b);
    const TRect glyph = Bounds(7, 5, 16, 16);
    EXPECT_GT(CountColor(*img, glyph, RGB(0, 128, 0)), 10);
    b->SetEnabled(false);
    img = Grab(b);
    EXPECT_EQ(CountColor(*img, glyph, RGB(0, 128, 0)), 0);
    EXPECT_GT(CountColor(*img, glyph, clBtnShadow), 10);
    EXPECT_GT(CountColor(*img, glyph, clBtnHighlight), 5);
}

TEST(FrButtonKinds, GlyphPicturesAreCheckedBeforeUse) {
    TBitmap strip;
    ReadGlyphPicture("# two by two\n. 808000\nr FF0000\nr.\n.r\n", strip);
    EXPECT_EQ(strip.Width(), 4);
    EXPECT_EQ(strip.Height(), 2);
    EXPECT_EQ(strip.Canvas()->Pixel(0, 0), clRed);
    EXPECT_EQ(strip.Canvas()->Pixel(1, 0), RGB(128, 128, 0));
    EXPECT_EQ(strip.Canvas()->Pixel(2, 0), ColorToRGB(clBtnShadow)); // the disabled cell
    const std::pair<const char*, int> bad[] = {
        {". 808000\nrr\n", 2},           // a letter without a colour
        {". 80800\n..\n", 1},            // a short colour
        {". 808000\n..\n...\n", 3},      // rows of different lengths
        {". 808000\n", 1},               // no rows
        {". 808000\n..\nr FF0000\n", 3}, // a colour after the rows
    };
    for (const auto& [text, line] : bad) {
        try {
            ReadGlyphPicture(text, strip);
            ADD_FAILURE() << text;
        } catch (const EReadError& e) {
            EXPECT_EQ(e.Line(), line) << text;
        }
    }
    EXPECT_THROW(LoadGlyphResource("FRGLYPH_NONE", strip), EResNotFound);
}

// ---- glyph cells --------------------------------------------------------------------------------

TEST_F(FrBitBtnTest, NumGlyphsFollowsSquareStrips) {
    struct Row {
        int width, height, before, after;
    };
    const Row rows[] = {
        {64, 16, 1, 4},                 // four squares
        {80, 16, 3, 1},                 // five squares: outside 1..4
        {32, 16, 1, 2}, {20, 16, 3, 3}, // not a whole number of squares: unchanged
        {0, 0, 3, 3},                   // an empty glyph: unchanged, no division by zero
    };
    for (const Row& row : rows) {
        TFrBitBtn* b = MakeBitBtn();
        b->SetNumGlyphs(row.before);
        TBitmap glyph(row.width, row.height, pf24bit);
        b->SetGlyph(&glyph);
        EXPECT_EQ(b->NumGlyphs(), row.after) << row.width << "x" << row.height;
        Grab(b); // paints without trouble
        b->Free();
    }
    TFrBitBtn* b = MakeBitBtn();
    b->SetGlyph(Strip(2).get());
    b->SetGlyph(nullptr); // cleared: keeps its two cells
    EXPECT_EQ(b->NumGlyphs(), 2);
    b->SetNumGlyphs(9);
    EXPECT_EQ(b->NumGlyphs(), 4);
    b->SetNumGlyphs(0);
    EXPECT_EQ(b->NumGlyphs(), 1);
}

TEST_F(FrBitBtnTest, StripNarrowerThanItsCellsDrawsNoGlyph) {
    TFrBitBtn* b = MakeBitBtn();
    b->SetCaption("Очистить");
    TFrBitBtn* plain = MakeBitBtn();
    plain->SetCaption("Очистить");
    plain->SetTop(50);
    auto narrow = std::make_unique<TBitmap>(3, 16, pf24bit);
    narrow->Canvas()->Brush()->SetColor(clRed);
    narrow->Canvas()->FillRect(Rect(0, 0, 3, 15));
    b->SetGlyph(narrow.get());
    b->SetNumGlyphs(4);
    auto img = Grab(b);
    EXPECT_EQ(CountColor(*img, Rect(0, 0, 75, 25), clRed), 0);
    // The caption takes the place of a button without a glyph.
    auto reference = Grab(plain);
    EXPECT_EQ(Extent(*img, clBtnText), Extent(*reference, clBtnText));
}

TEST_F(FrBitBtnTest, CellFollowsTheState) {
    // Two cells: disabled shows cell 1.
    TFrBitBtn* b = MakeBitBtn();
    b->SetGlyph(Strip(2).get());
    EXPECT_EQ(At(*Grab(b), 15, 12), clRed);
    b->SetEnabled(false);
    EXPECT_EQ(At(*Grab(b), 15, 12), clBlue);

    // Three cells: pressed shows cell 2. Four: a down group button shows cell 3.
    TFrBitBtn* c = MakeBitBtn();
    c->SetTop(50);
    c->SetGlyph(Strip(4).get());
    EXPECT_EQ(c->NumGlyphs(), 4);
    FormFixture::PressAt(c, 40, 12);
    EXPECT_EQ(At(*Grab(c), 16, 13), clLime); // moved by (1, 1) while pressed
    FormFixture::ReleaseAt(c, 40, 12);
    c->SetGroupIndex(1);
    c->SetDown(true);
    EXPECT_EQ(At(*Grab(c), 15, 12), clFuchsia);
    // The transparent pixel lets the face through (the focus box would cross it).
    c->SetShowFocusRect(false);
    c->SetAllowAllUp(true);
    c->SetDown(false);
    EXPECT_EQ(At(*Grab(c), 7, 20), ColorToRGB(clBtnFace));
}

TEST_F(FrBitBtnTest, GlyphAndCaptionPlacementPerLayout) {
    struct Row {
        TButtonLayout layout;
        int margin;
        int width, height;
        TRect glyph;
    };
    // Base rectangle: the client area less 5 on every side. Glyph 16 x 16, spacing 4.
    const Row rows[] = {
        {blGlyphLeft, 2, 75, 25, Bounds(7, 5, 16, 16)},
        {blGlyphRight, 2, 75, 25, Bounds(52, 5, 16, 16)},
        {blGlyphTop, 2, 75, 50, Bounds(30, 7, 16, 16)},
        {blGlyphBottom, 2, 75, 50, Bounds(30, 27, 16, 16)},
        {blGlyphLeft, 10, 75, 25, Bounds(15, 5, 16, 16)},
        {blGlyphLeft, -1, 75, 25, Bounds(5, 5, 16, 16)},
        {blGlyphRight, -1, 75, 25, Bounds(54, 5, 16, 16)},
    };
    for (const Row& row : rows) {
        TFrBitBtn* b = MakeBitBtn(row.width, row.height);
        b->SetCaption("Ab");
        b->SetLayout(row.layout);
        b->SetMargin(row.margin);
        b->SetGlyph(Strip(1).get());
        auto img = Grab(b);
        TRect red = Extent(*img, clRed);
        EXPECT_EQ(red, row.glyph) << static_cast<int>(row.layout) << " margin " << row.margin;
        // The caption stays clear of the glyph.
        TRect text = Extent(*img, clBtnText);
        ASSERT_FALSE(text.IsEmpty());
        TRect overlap;
        EXPECT_FALSE(IntersectRect(overlap, text, red)) << static_cast<int>(row.layout);
        b->Free();
    }
    // A margin below -1 is ignored.
    TFrBitBtn* b = MakeBitBtn();
    b->SetMargin(-5);
    EXPECT_EQ(b->Margin(), 2);
}

TEST_F(FrBitBtnTest, ImageListGlyphs) {
    TImageList images(16, 16);
    images.Add(*Strip(3), nullptr);
    ASSERT_EQ(images.Count(), 3);
    TFrBitBtn* b = MakeBitBtn();
    b->SetImages(&images);
    b->SetImageIndex(1);
    EXPECT_EQ(At(*Grab(b), 15, 12), clBlue);
    // A disabled index is drawn as it is while disabled.
    b->SetDisabledIndex(2);
    b->SetEnabled(false);
    EXPECT_EQ(At(*Grab(b), 15, 12), clLime);
    // Without one the image is drawn greyed.
    b->SetDisabledIndex(-1);
    EXPECT_NE(At(*Grab(b), 15, 12), clBlue);
    b->SetEnabled(true);
    // The list tells the button when it changes.
    images.Replace(1, *Strip(1), nullptr);
    EXPECT_EQ(At(*Grab(b), 15, 12), clRed);
}

TEST_F(FrBitBtnTest, FreedImageListIsForgotten) {
    TFrBitBtn* b = MakeBitBtn();
    {
        TImageList images(16, 16);
        images.Add(*Strip(1), nullptr);
        b->SetImages(&images);
        b->SetImageIndex(0);
    }
    EXPECT_EQ(b->Images(), nullptr);
    Grab(b);
}

} // namespace

namespace {

// With the desktop theme forced on, the theme's button is drawn instead of the bevels: it shows
// hovering and pressing, and a pressed glyph moves right only.
TEST_F(FrBitBtnTest, ThemedLookFollowsTheState) {
    const bool was = SetThemeServicesEnabled(true);
    TFrBitBtn* b = MakeBitBtn();
    b->SetGlyph(Strip(1).get());
    const TRect normal = Extent(*Grab(b), clRed);
    const TColor face = At(*Grab(b), 40, 20);
    SendEnter(b);
    const TColor hot = At(*Grab(b), 40, 20);
    EXPECT_NE(hot, face);
    FormFixture::PressAt(b, 40, 12);
    auto img = Grab(b);
    TRect pressed = Extent(*img, clRed);
    EXPECT_EQ(pressed.Left, normal.Left + 1);
    EXPECT_EQ(pressed.Top, normal.Top);
    EXPECT_NE(At(*img, 40, 20), hot);
    FormFixture::ReleaseAt(b, 40, 12);
    // Off again: the classic bevel.
    SetThemeServicesEnabled(false);
    EXPECT_EQ(At(*Grab(b), 0, 0), ColorToRGB(clWindowFrame));
    SetThemeServicesEnabled(was);
}

} // namespace
