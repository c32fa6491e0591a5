// The 13 x 13 glyphs of the framed check box and radio button, as they appear on a shown form,
// compared with pictures written as text.

#include "controls/buttons/FrCheckBox.h"
#include "controls/buttons/FrRadioButton.h"
#include "controls/paint/FrColors.h"
#include "platform/graphics/Bitmap.h"
#include "tests/controls/support/WindowPixels.h"
#include "tests/support/FormFixture.h"

#include <gtest/gtest.h>

#include <QEnterEvent>

#include <map>
#include <string>

namespace {

using controlstest::Grab;
using controlstest::PictureMismatch;
using controlstest::PixelOf;

const TColor kFace = ColorToRGB(clBtnFace);

void Hover(TWinControl* c) {
    QEnterEvent e(QPointF(3, 3), QPointF(3, 3), QPointF(3, 3));
    QApplication::sendEvent(c->Handle(), &e);
}

class GlyphPictures : public FormFixture {
protected:
    template <class T> T* Place(bool hotTrack) {
        T* c = MakeWithWidget<T>();
        c->SetBounds(10, 10, 115, 17);
        c->SetHotTrack(hotTrack);
        return c;
    }
    // The glyph of a control placed at (10, 10): at its left edge, two pixels down.
    std::string Mismatch(TControl* c, const std::string& picture,
                         const std::map<char, TColor>& legend) {
        return PictureMismatch(Grab(form), c->Left(), c->Top() + 2, picture, legend);
    }
};

// ---- the flat check box -------------------------------------------------------------------------

const char* const kFlatUnchecked = "fffffffffffff\n"
                                   "fwwwwwwwwwwwf\n"
                                   "fwwwwwwwwwwwf\n"
                                   "fwwwwwwwwwwwf\n"
                                   "fwwwwwwwwwwwf\n"
                                   "fwwwwwwwwwwwf\n"
                                   "fwwwwwwwwwwwf\n"
                                   "fwwwwwwwwwwwf\n"
                                   "fwwwwwwwwwwwf\n"
                                   "fwwwwwwwwwwwf\n"
                                   "fwwwwwwwwwwwf\n"
                                   "fwwwwwwwwwwwf\n"
                                   "fffffffffffff";

// The tick: 21 pixels, three high in each of the columns 3..9.
const char* const kFlatChecked = "fffffffffffff\n"
                                 "fwwwwwwwwwwwf\n"
                                 "fwwwwwwwwwwwf\n"
                                 "fwwwwwwwwxwwf\n"
                                 "fwwwwwwwxxwwf\n"
                                 "fwwxwwwxxxwwf\n"
                                 "fwwxxwxxxwwwf\n"
                                 "fwwxxxxxwwwwf\n"
                                 "fwwwxxxwwwwwf\n"
                                 "fwwwwxwwwwwwf\n"
                                 "fwwwwwwwwwwwf\n"
                                 "fwwwwwwwwwwwf\n"
                                 "fffffffffffff";

const char* const kFlatGrayed = "fffffffffffff\n"
                                "fwwwwwwwwwwwf\n"
                                "fwwwwwwwwwwwf\n"
                                "fwwxxxxxxxwwf\n"
                                "fwwxxxxxxxwwf\n"
                                "fwwxxxxxxxwwf\n"
                                "fwwxxxxxxxwwf\n"
                                "fwwxxxxxxxwwf\n"
                                "fwwxxxxxxxwwf\n"
                                "fwwxxxxxxxwwf\n"
                                "fwwwwwwwwwwwf\n"
                                "fwwwwwwwwwwwf\n"
                                "fffffffffffff";

TEST_F(GlyphPictures, FlatCheckBoxInEveryState) {
    auto* box = Place<TFrCheckBox>(true);
    box->SetFillColor(clYellow);
    const std::map<char, TColor> enabled = {
        {'f', clBtnShadow}, {'w', clYellow}, {'x', clHighlight}};
    EXPECT_EQ(Mismatch(box, kFlatUnchecked, enabled), "");
    box->SetState(cbChecked);
    EXPECT_EQ(Mismatch(box, kFlatChecked, enabled), "");
    box->SetState(cbGrayed);
    EXPECT_EQ(Mismatch(box, kFlatGrayed, enabled), "");

    // Disabled: the interior in DisabledColor, the tick in the button shadow colour (which is
    // also the frame colour here).
    box->SetState(cbChecked);
    box->SetEnabled(false);
    EXPECT_EQ(
        Mismatch(box, kFlatChecked, {{'f', clBtnShadow}, {'w', clBtnFace}, {'x', clBtnShadow}}),
        "");
    box->SetDisabledColor(clSilver);
    EXPECT_EQ(
        Mismatch(box, kFlatChecked, {{'f', clBtnShadow}, {'w', clSilver}, {'x', clBtnShadow}}), "");
    box->SetEnabled(true);

    // Read-only: the read-only colour inside; focused, the focus colour unless asked otherwise.
    box->SetReadOnly(true);
    EXPECT_EQ(
        Mismatch(box, kFlatChecked, {{'f', clBtnShadow}, {'w', clInfoBk}, {'x', clHighlight}}), "");
    box->SetFocusColor(clAqua);
    box->SetFocus();
    ASSERT_TRUE(box->Focused());
    EXPECT_EQ(Mismatch(box, kFlatChecked, {{'f', clBtnShadow}, {'w', clAqua}, {'x', clHighlight}}),
              "");
    box->SetReadOnlyColorOnFocus(true);
    EXPECT_EQ(
        Mismatch(box, kFlatChecked, {{'f', clBtnShadow}, {'w', clInfoBk}, {'x', clHighlight}}), "");

    // Held down under the mouse: a darker focus colour inside.
    box->SetReadOnly(false);
    PressAt(box, 5, 5);
    ASSERT_TRUE(box->ShowDownVersion());
    EXPECT_EQ(Mismatch(box, kFlatChecked,
                       {{'f', clBtnShadow}, {'w', DarkenColor(clAqua, 20)}, {'x', clHighlight}}),
              "");
    ReleaseAt(box, 5, 5);
}

TEST_F(GlyphPictures, FocusBoxRunsAlongTheCaption) {
    auto* box = Place<TFrCheckBox>(true);
    box->SetCaption("Alarm");
    const QImage before = Grab(form);
    box->SetFocus();
    ASSERT_TRUE(box->Focused());
    const QImage shot = Grab(form);
    // Dots along the top row from the caption's left edge (glyph 13 + 4 + 1 border), none over
    // the glyph nor far beyond the text.
    const int top = box->Top(), left = box->Left();
    int dots = 0;
    for (int x = 0; x < box->Width(); ++x)
        if (PixelOf(shot, left + x, top) == ColorToRGB(clBlack)) {
            ++dots;
            EXPECT_GE(x, 18) << x;
            EXPECT_LT(x, 18 + 60) << x;
        }
    EXPECT_GT(dots, 5);
    EXPECT_EQ(PixelOf(before, left + 20, top), kFace);
    controlstest::SnapshotOf(shot);
}

TEST_F(GlyphPictures, FlatCheckBoxUnderTheMouse) {
    auto* box = Place<TFrCheckBox>(true);
    box->SetState(cbChecked);
    box->SetHotTrackStyle(htsFrame);
    Hover(box);
    ASSERT_TRUE(box->MouseOverButton());
    // htsFrame: the frame and a second box inside it in the hover colour.
    const TColor hot = box->HotTrackColor();
    EXPECT_EQ(Mismatch(box,
                       "sssssssssssss\n"
                       "sssssssssssss\n"
                       "sswwwwwwwwwss\n"
                       "sswwwwwwwxwss\n"
                       "sswwwwwwxxwss\n"
                       "sswxwwwxxxwss\n"
                       "sswxxwxxxwwss\n"
                       "sswxxxxxwwwss\n"
                       "sswwxxxwwwwss\n"
                       "sswwwxwwwwwss\n"
                       "sswwwwwwwwwss\n"
                       "sssssssssssss\n"
                       "sssssssssssss",
                       {{'s', hot}, {'w', clWindow}, {'x', clHighlight}}),
              "");

    // htsInterior: the frame stays; a two-pixel gradient ring runs inside it, from near white
    // at the top left to the hover colour at the bottom right; the middle is untouched.
    box->SetHotTrackStyle(htsInterior);
    const QImage shot = Grab(form);
    const int x = box->Left(), y = box->Top() + 2;
    EXPECT_EQ(PixelOf(shot, x, y), ColorToRGB(clBtnShadow));
    EXPECT_EQ(PixelOf(shot, x + 12, y + 12), ColorToRGB(clBtnShadow));
    EXPECT_EQ(PixelOf(shot, x + 11, y + 11), ColorToRGB(hot));
    const TColor topLeft = PixelOf(shot, x + 1, y + 1);
    EXPECT_NE(topLeft, ColorToRGB(clWindow));
    EXPECT_GT(GetRValue(topLeft) + GetGValue(topLeft) + GetBValue(topLeft),
              GetRValue(hot) + GetGValue(hot) + GetBValue(hot));
    EXPECT_EQ(PixelOf(shot, x + 3, y + 6), ColorToRGB(clHighlight));
    EXPECT_EQ(PixelOf(shot, x + 4, y + 4), ColorToRGB(clWindow));
}

// ---- the classic check box ----------------------------------------------------------------------

TEST_F(GlyphPictures, ClassicCheckBoxIsSunken) {
    auto* box = Place<TFrCheckBox>(false);
    // S shadow, D dark shadow, L light, w window (and the highlight, which is also white).
    const std::map<char, TColor> legend = {
        {'S', clBtnShadow},  {'D', cl3DDkShadow}, {'L', cl3DLight},  {'w', clWindow},
        {'x', clWindowText}, {'F', clBtnFace},    {'g', clBtnShadow}};
    box->SetState(cbChecked);
    EXPECT_EQ(Mismatch(box,
                       "SSSSSSSSSSSSw\n"
                       "SDDDDDDDDDDLw\n"
                       "SDwwwwwwwwwLw\n"
                       "SDwwwwwwwxwLw\n"
                       "SDwwwwwwxxwLw\n"
                       "SDwxwwwxxxwLw\n"
                       "SDwxxwxxxwwLw\n"
                       "SDwxxxxxwwwLw\n"
                       "SDwwxxxwwwwLw\n"
                       "SDwwwxwwwwwLw\n"
                       "SDwwwwwwwwwLw\n"
                       "SLLLLLLLLLLLw\n"
                       "wwwwwwwwwwwww",
                       legend),
              "");
    // Grayed and disabled boxes have a face-coloured inside and a shadow-coloured tick.
    box->SetState(cbGrayed);
    const std::string grayed = "SSSSSSSSSSSSw\n"
                               "SDDDDDDDDDDLw\n"
                               "SDFFFFFFFFFLw\n"
                               "SDFFFFFFFgFLw\n"
                               "SDFFFFFFggFLw\n"
                               "SDFgFFFgggFLw\n"
                               "SDFggFgggFFLw\n"
                               "SDFgggggFFFLw\n"
                               "SDFFgggFFFFLw\n"
                               "SDFFFgFFFFFLw\n"
                               "SDFFFFFFFFFLw\n"
                               "SLLLLLLLLLLLw\n"
                               "wwwwwwwwwwwww";
    EXPECT_EQ(Mismatch(box, grayed, legend), "");
    box->SetState(cbChecked);
    box->SetEnabled(false);
    EXPECT_EQ(Mismatch(box, grayed, legend), "");
}

// ---- the flat radio button ----------------------------------------------------------------------

// h frame, o its lighter shade, 1 and 2 the outer steps (blends with the control's colour), C
// the control's colour, a/b/c the inner shading (blends of the frame over the interior, 128, 80
// and 40 of 255), g the dot and G its softened edge.
const char* const kRadioUnchecked = "CCC21oho12CCC\n"
                                    "CC1habcbah1CC\n"
                                    "C1obwwwwwbo1C\n"
                                    "2hbwwwwwwwbh2\n"
                                    "1awwwwwwwwwa1\n"
                                    "obwwwwwwwwwbo\n"
                                    "hcwwwwwwwwwch\n"
                                    "obwwwwwwwwwbo\n"
                                    "1awwwwwwwwwa1\n"
                                    "2hbwwwwwwwbh2\n"
                                    "C1obwwwwwbo1C\n"
                                    "CC1habcbah1CC\n"
                                    "CCC21oho12CCC";
const char* const kRadioChecked = "CCC21oho12CCC\n"
                                  "CC1habcbah1CC\n"
                                  "C1obwwwwwbo1C\n"
                                  "2hbwwwwwwwbh2\n"
                                  "1awwwGgGwwwa1\n"
                                  "obwwGgggGwwbo\n"
                                  "hcwwgggggwwch\n"
                                  "obwwGgggGwwbo\n"
                                  "1awwwGgGwwwa1\n"
                                  "2hbwwwwwwwbh2\n"
                                  "C1obwwwwwbo1C\n"
                                  "CC1habcbah1CC\n"
                                  "CCC21oho12CCC";

std::map<char, TColor> RadioLegend(TColor h, TColor back, TColor interior, TColor dot) {
    return {{'h', h},
            {'o', LightenColor(h, 10)},
            {'1', BlendColors(h, back, 128)},
            {'2', BlendColors(h, back, 40)},
            {'C', back},
            {'a', BlendColors(h, interior, 128)},
            {'b', BlendColors(h, interior, 80)},
            {'c', BlendColors(h, interior, 40)},
            {'w', interior},
            {'g', dot},
            {'G', BlendColors(dot, interior, 153)}};
}

TEST_F(GlyphPictures, FlatRadioButtonPixelByPixel) {
    auto* radio = Place<TFrRadioButton>(true);
    radio->SetFrameColor(static_cast<TColor>(0x743C00));
    const auto legend = RadioLegend(static_cast<TColor>(0x743C00), kFace, clWindow, clHighlight);
    EXPECT_EQ(Mismatch(radio, kRadioUnchecked, legend), "");
    radio->SetChecked(true);
    EXPECT_EQ(Mismatch(radio, kRadioChecked, legend), "");

    radio->SetEnabled(false);
    EXPECT_EQ(Mismatch(radio, kRadioChecked,
                       RadioLegend(static_cast<TColor>(0x743C00), kFace, clBtnFace, clBtnShadow)),
              "");
}

TEST_F(GlyphPictures, FlatRadioButtonOnA256ColourScreen) {
    // Without full colour there are no blends: the frame colour on the outer steps and the strong
    // inner pixels, silver on the weaker ones, the control's colour on the faintest step.
    const bool saved = FullColorSupported;
    FullColorSupported = false;
    auto* radio = Place<TFrRadioButton>(true);
    radio->SetChecked(true);
    const TColor h = ColorToRGB(clBtnShadow);
    const std::string mismatch = Mismatch(radio, kRadioChecked,
                                          {{'h', h},
                                           {'o', h},
                                           {'1', h},
                                           {'2', kFace},
                                           {'C', kFace},
                                           {'a', h},
                                           {'b', clSilver},
                                           {'c', clWindow},
                                           {'w', clWindow},
                                           {'g', clHighlight},
                                           {'G', clHighlight}});
    FullColorSupported = saved;
    EXPECT_EQ(mismatch, "");
}

TEST_F(GlyphPictures, FlatRadioButtonWithAHoverFrame) {
    auto* radio = Place<TFrRadioButton>(true);
    radio->SetHotTrackStyle(htsFrame);
    Hover(radio);
    // The rim in the hover colour, its first ring inside drawn as a second rim, and the stronger
    // inner shading of the hover frame (150 and 80 of 255).
    const TColor h = radio->HotTrackColor();
    const TColor w = ColorToRGB(clWindow);
    std::map<char, TColor> legend = RadioLegend(h, kFace, clWindow, clHighlight);
    legend['A'] = BlendColors(h, w, 150);
    legend['B'] = BlendColors(h, w, 80);
    legend['O'] = LightenColor(h, 10);
    EXPECT_EQ(Mismatch(radio,
                       "CCC21oho12CCC\n"
                       "CC1hhOOOhh1CC\n"
                       "C1oABwwwBAo1C\n"
                       "2hAwwwwwwwAh2\n"
                       "1hBwwwwwwwBh1\n"
                       "oOwwwwwwwwwOo\n"
                       "hOwwwwwwwwwOh\n"
                       "oOwwwwwwwwwOo\n"
                       "1hBwwwwwwwBh1\n"
                       "2hAwwwwwwwAh2\n"
                       "C1oABwwwBAo1C\n"
                       "CC1hhOOOhh1CC\n"
                       "CCC21oho12CCC",
                       legend),
              "");
}

TEST_F(GlyphPictures, TransparentRadioButtonShowsItsParentAndSmoothsItsRim) {
    auto* radio = Place<TFrRadioButton>(true);
    radio->SetColor(clRed); // the control's own colour, not the form's
    const QImage opaque = Grab(form);
    EXPECT_EQ(PixelOf(opaque, radio->Left(), radio->Top() + 2), ColorToRGB(clRed));
    radio->SetTransparent(true);
    const QImage shot = Grab(form);
    const int x = radio->Left(), y = radio->Top() + 2;
    const TColor h = ColorToRGB(clBtnShadow);
    EXPECT_EQ(PixelOf(shot, x, y), kFace) << "a corner shows the form";
    EXPECT_EQ(PixelOf(shot, x + 4, y), BlendColors(h, kFace, 128));
    EXPECT_EQ(PixelOf(shot, x + 3, y), BlendColors(h, kFace, 40));
    EXPECT_EQ(PixelOf(shot, x + 6, y), h);
    EXPECT_EQ(PixelOf(shot, x + 6, y + 6), ColorToRGB(clWindow));
}

TEST_F(GlyphPictures, ClassicRadioButton) {
    auto* radio = Place<TFrRadioButton>(false);
    radio->SetChecked(true);
    EXPECT_EQ(Mismatch(radio,
                       "CCCSSSSSSSCCC\n"
                       "CCSSDDDDDSSCC\n"
                       "CSSDwwwwwDwwC\n"
                       "SSDwwwwwwwLww\n"
                       "SDwwwxxxwwwLw\n"
                       "SDwwxxxxxwwLw\n"
                       "SDwwxxxxxwwLw\n"
                       "SDwwxxxxxwwLw\n"
                       "SDwwwxxxwwwLw\n"
                       "SSDwwwwwwwLww\n"
                       "CSwLwwwwwLwwC\n"
                       "CCwwLLLLLwwCC\n"
                       "CCCwwwwwwwCCC",
                       {{'S', clBtnShadow},
                        {'D', cl3DDkShadow},
                        {'L', cl3DLight},
                        {'w', clWindow},
                        {'x', clWindowText},
                        {'C', clBtnFace}}),
              "");
}

// ---- custom strips
// -------------------------------------------------------------------------------

// A strip of `cells` cells of 13 x 13, cell i filled with colour RGB(i * 20, 100, 200); the
// top-left pixel of every cell in the key colour and the next one in the window-mask colour.
std::unique_ptr<TBitmap> Strip(int cells, int cellWidth = 13) {
    auto strip = std::make_unique<TBitmap>(cells * cellWidth, 13, pfDevice);
    for (int i = 0; i < cells; ++i) {
        strip->Canvas()->Brush()->SetColor(RGB(static_cast<std::uint8_t>(i * 20), 100, 200));
        strip->Canvas()->FillRect(Bounds(i * cellWidth, 0, cellWidth, 13));
        strip->Canvas()->SetPixel(i * cellWidth, 0, GlyphKeyColor);
        strip->Canvas()->SetPixel(i * cellWidth + 1, 0, static_cast<TColor>(0x00FF00));
    }
    return strip;
}

TEST_F(GlyphPictures, CustomStripCellsFollowTheState) {
    auto* box = Place<TFrCheckBox>(true);
    auto strip = Strip(9);
    box->SetCustomGlyphs(strip.get());
    EXPECT_TRUE(box->UseCustomGlyphs());
    EXPECT_EQ(box->GlyphWidth(), 13);
    EXPECT_EQ(box->GlyphHeight(), 13);
    auto cellAt = [&](int x, int y) {
        return PixelOf(Grab(form), box->Left() + x, box->Top() + 2 + y);
    };
    auto cell = [](int i) { return RGB(static_cast<std::uint8_t>(i * 20), 100, 200); };
    EXPECT_EQ(cellAt(6, 6), cell(0));
    box->SetState(cbChecked);
    EXPECT_EQ(cellAt(6, 6), cell(1));
    // The key colour shows the control's colour; the window mask becomes the window colour.
    EXPECT_EQ(cellAt(0, 0), kFace);
    EXPECT_EQ(cellAt(1, 0), ColorToRGB(clWindow));
    box->SetState(cbGrayed);
    EXPECT_EQ(cellAt(6, 6), cell(2));
    box->SetEnabled(false);
    EXPECT_EQ(cellAt(6, 6), cell(8));
    box->SetState(cbChecked);
    EXPECT_EQ(cellAt(6, 6), cell(7));

    // A radio strip has six cells: disabled checked is cell 5.
    auto* radio = Place<TFrRadioButton>(false);
    radio->SetTop(40);
    auto radioStrip = Strip(6, 10);
    radio->SetCustomGlyphs(radioStrip.get());
    EXPECT_EQ(radio->GlyphWidth(), 10);
    radio->SetChecked(true);
    radio->SetEnabled(false);
    EXPECT_EQ(PixelOf(Grab(form), radio->Left() + 5, radio->Top() + 8), cell(5));

    // Switched off, the strip stays but the standard glyph comes back.
    box->SetUseCustomGlyphs(false);
    EXPECT_EQ(box->GlyphWidth(), 13);
    EXPECT_EQ(cellAt(0, 0), ColorToRGB(clBtnShadow));
}

TEST_F(GlyphPictures, StripNarrowerThanItsCellsDrawsNoGlyph) {
    auto* box = Place<TFrCheckBox>(true);
    auto strip = Strip(1, 5); // 5 pixels for nine cells
    box->SetCustomGlyphs(strip.get());
    EXPECT_EQ(box->GlyphWidth(), 0);
    box->SetState(cbChecked);
    const QImage shot = Grab(form);
    for (int x = 0; x < 13; ++x)
        EXPECT_EQ(PixelOf(shot, box->Left() + x, box->Top() + 8), kFace) << x;
}

TEST_F(GlyphPictures, GlyphSitsByAlignment) {
    auto* box = Place<TFrCheckBox>(true);
    box->SetHeight(40);
    struct Case {
        TAlignment alignment;
        TAlignmentVertical vertical;
        int x, y;
    } cases[] = {
        {taRightJustify, avTop, 0, 2},
        {taLeftJustify, avTop, 115 - 13, 2},
        {taRightJustify, avCenter, 0, (40 - 13) / 2},
        {taRightJustify, avBottom, 0, 40 - 13 - 2},
    };
    for (const Case& c : cases) {
        box->SetAlignment(c.alignment);
        box->SetAlignmentVertical(c.vertical);
        EXPECT_EQ(PictureMismatch(Grab(form), box->Left() + c.x, box->Top() + c.y, kFlatUnchecked,
                                  {{'f', clBtnShadow}, {'w', clWindow}}),
                  "")
            << c.x << "," << c.y;
    }
}

} // namespace
