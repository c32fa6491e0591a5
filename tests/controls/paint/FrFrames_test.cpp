#include "controls/paint/FrColors.h"
#include "controls/paint/FrFrames.h"

#include "PaintTestSupport.h"

#include <gtest/gtest.h>

namespace {

using namespace painttest;

// Pictures of an 8 x 6 frame, by the shape of the style. Letters: a outer upper-left colour,
// b outer lower-right, c inner upper-left, d inner lower-right; '.' untouched.
struct Shape {
    const char* all;
    const char* leftTop;
    const char* rightBottom;
    TRect innerAll, innerLeftTop, innerRightBottom;
};

const Shape kOneLine = {"aaaaaaab\n"
                        "a......b\n"
                        "a......b\n"
                        "a......b\n"
                        "a......b\n"
                        "bbbbbbbb\n",
                        "aaaaaaaa\n"
                        "a.......\n"
                        "a.......\n"
                        "a.......\n"
                        "a.......\n"
                        "a.......\n",
                        ".......b\n"
                        ".......b\n"
                        ".......b\n"
                        ".......b\n"
                        ".......b\n"
                        "bbbbbbbb\n",
                        Rect(1, 1, 7, 5),
                        Rect(1, 1, 8, 6),
                        Rect(0, 0, 7, 5)};

const Shape kTwoLines = {"aaaaaaab\n"
                         "acccccdb\n"
                         "ac....db\n"
                         "ac....db\n"
                         "addddddb\n"
                         "bbbbbbbb\n",
                         "aaaaaaaa\n"
                         "accccccc\n"
                         "ac......\n"
                         "ac......\n"
                         "ac......\n"
                         "ac......\n",
                         "......db\n"
                         "......db\n"
                         "......db\n"
                         "......db\n"
                         "dddddddb\n"
                         "bbbbbbbb\n",
                         Rect(2, 2, 6, 4),
                         Rect(2, 2, 8, 6),
                         Rect(0, 0, 6, 4)};

// The groove pattern: the outer line in a on the upper-left sides and b on the lower-right
// ones, each doubled inside by the other colour, with the corners joined.
const Shape kGroove = {"aaaaaaab\n"
                       "abbbbbab\n"
                       "ab....ab\n"
                       "ab....ab\n"
                       "aaaaaaab\n"
                       "bbbbbbbb\n",
                       "aaaaaaaa\n"
                       "abbbbbbb\n"
                       "ab......\n"
                       "ab......\n"
                       "ab......\n"
                       "ab......\n",
                       "......ab\n"
                       "......ab\n"
                       "......ab\n"
                       "......ab\n"
                       "aaaaaaab\n"
                       "bbbbbbbb\n",
                       Rect(2, 2, 6, 4),
                       Rect(2, 2, 8, 6),
                       Rect(0, 0, 6, 4)};

const Shape kBold = {"aaaaaaaa\n"
                     "aaaaaaaa\n"
                     "aa....aa\n"
                     "aa....aa\n"
                     "aaaaaaaa\n"
                     "aaaaaaaa\n",
                     "aaaaaaaa\n"
                     "aaaaaaaa\n"
                     "aa......\n"
                     "aa......\n"
                     "aa......\n"
                     "aa......\n",
                     "......aa\n"
                     "......aa\n"
                     "......aa\n"
                     "......aa\n"
                     "aaaaaaaa\n"
                     "aaaaaaaa\n",
                     Rect(2, 2, 6, 4),
                     Rect(2, 2, 8, 6),
                     Rect(0, 0, 6, 4)};

const TColor kFace = RGB(200, 100, 50);
TColor D(int n) {
    return DarkenColor(kFace, static_cast<std::uint8_t>(n));
}
TColor L(int n) {
    return LightenColor(kFace, static_cast<std::uint8_t>(n));
}

struct StyleCase {
    TFrameStyle style;
    const Shape* shape;
    std::map<char, TColor> system;  // the system-colour frame
    std::map<char, TColor> derived; // the frame around the face colour
};

std::vector<StyleCase> StyleCases() {
    return {
        {fsFlat,
         &kOneLine,
         {{'a', cl3DDkShadow}, {'b', cl3DDkShadow}},
         {{'a', D(50)}, {'b', D(50)}}},
        {fsGroove,
         &kGroove,
         {{'a', clBtnShadow}, {'b', clBtnHighlight}},
         {{'a', D(50)}, {'b', L(100)}}},
        {fsBump,
         &kGroove,
         {{'a', clBtnHighlight}, {'b', clBtnShadow}},
         {{'a', L(100)}, {'b', D(50)}}},
        {fsLowered,
         &kTwoLines,
         {{'a', clBtnShadow}, {'b', clBtnHighlight}, {'c', cl3DDkShadow}, {'d', cl3DLight}},
         {{'a', D(50)}, {'b', L(100)}, {'c', D(100)}, {'d', L(50)}}},
        {fsButtonDown,
         &kTwoLines,
         {{'a', clBtnText}, {'b', clBtnText}, {'c', clBtnShadow}, {'d', clBtnShadow}},
         {{'a', D(100)}, {'b', D(100)}, {'c', D(50)}, {'d', D(50)}}},
        {fsRaised,
         &kTwoLines,
         {{'a', cl3DLight}, {'b', cl3DDkShadow}, {'c', clBtnHighlight}, {'d', clBtnShadow}},
         {{'a', L(50)}, {'b', D(100)}, {'c', L(100)}, {'d', D(50)}}},
        {fsButtonUp,
         &kTwoLines,
         {{'a', clBtnHighlight}, {'b', cl3DDkShadow}, {'c', cl3DLight}, {'d', clBtnShadow}},
         {{'a', L(100)}, {'b', D(100)}, {'c', L(40)}, {'d', D(50)}}},
        {fsStatus,
         &kOneLine,
         {{'a', clBtnShadow}, {'b', clBtnHighlight}},
         {{'a', D(50)}, {'b', L(100)}}},
        {fsPopup,
         &kOneLine,
         {{'a', clBtnHighlight}, {'b', clBtnShadow}},
         {{'a', L(100)}, {'b', D(50)}}},
        {fsFlatBold, &kBold, {{'a', clBtnShadow}}, {{'a', D(50)}}},
    };
}

TEST(FrFrames, EveryStyleInSystemAndFaceColours) {
    const struct {
        TSides sides;
        const char* Shape::*picture;
        TRect Shape::*inner;
        const char* name;
    } sideSets[] = {
        {AllSides, &Shape::all, &Shape::innerAll, "all"},
        {TSides{sdLeft, sdTop}, &Shape::leftTop, &Shape::innerLeftTop, "left+top"},
        {TSides{sdRight, sdBottom}, &Shape::rightBottom, &Shape::innerRightBottom, "right+bottom"},
    };
    for (const StyleCase& c : StyleCases()) {
        for (const auto& set : sideSets) {
            for (bool derived : {false, true}) {
                auto bmp = Surface(8, 6);
                const TRect r = Rect(0, 0, 8, 6);
                const TRect inner =
                    derived ? PaintColorFrameStyleSides(bmp->Canvas(), r, kFace, c.style, set.sides)
                            : PaintFrameStyleSides(bmp->Canvas(), r, c.style, set.sides);
                const std::string why =
                    Mismatch(*bmp, c.shape->*set.picture, derived ? c.derived : c.system);
                EXPECT_EQ(why, "")
                    << GetEnumName(Q4TypeInfo(static_cast<TFrameStyleEx*>(nullptr)), c.style) << " "
                    << set.name << (derived ? " face-derived" : " system");
                EXPECT_EQ(inner, c.shape->*set.inner) << c.style << " " << set.name;
            }
        }
    }
}

TEST(FrFrames, NoneDrawsNothing) {
    for (bool derived : {false, true}) {
        auto bmp = Surface(8, 6);
        const TRect r = Rect(0, 0, 8, 6);
        const TRect inner = derived ? PaintColorFrameStyleSides(bmp->Canvas(), r, kFace, fsNone)
                                    : PaintFrameStyleSides(bmp->Canvas(), r, fsNone);
        EXPECT_EQ(inner, r);
        EXPECT_EQ(
            Mismatch(*bmp, "........\n........\n........\n........\n........\n........\n", {}), "");
    }
}

TEST(FrFrames, SidesWithoutColourStillShrink) {
    auto bmp = Surface(8, 6);
    EXPECT_EQ(PaintSides(bmp->Canvas(), Rect(0, 0, 8, 6), clNone, clNone, TSides{sdLeft, sdBottom}),
              Rect(1, 0, 8, 5));
    EXPECT_EQ(Mismatch(*bmp, "........\n........\n........\n........\n........\n........\n", {}),
              "");
    // One colour missing: only its two sides stay undrawn.
    PaintSides(bmp->Canvas(), Rect(0, 0, 8, 6), clNone, clRed, AllSides);
    EXPECT_EQ(Mismatch(*bmp,
                       ".......r\n"
                       ".......r\n"
                       ".......r\n"
                       ".......r\n"
                       ".......r\n"
                       "rrrrrrrr\n",
                       {{'r', clRed}}),
              "");
}

TEST(FrFrames, BoxCornersAndDottedFocus) {
    auto bmp = Surface(8, 6);
    EXPECT_EQ(PaintBoxCorners(bmp->Canvas(), Rect(0, 0, 8, 6), clRed, 2), Rect(1, 1, 7, 5));
    EXPECT_EQ(Mismatch(*bmp,
                       "rr....rr\n"
                       "r......r\n"
                       "........\n"
                       "........\n"
                       "r......r\n"
                       "rr....rr\n",
                       {{'r', clRed}}),
              "");
    auto dots = Surface(8, 6);
    EXPECT_EQ(PaintDottedFocusBox(dots->Canvas(), Rect(0, 0, 8, 6)), Rect(1, 1, 7, 5));
    EXPECT_EQ(Mismatch(*dots,
                       ".k.k.k.k\n"
                       "k......k\n"
                       "........\n"
                       "k......k\n"
                       "........\n"
                       "kk.k.k.k\n",
                       {{'k', clBlack}}),
              "");
}

TEST(FrFrames, RoundedFlatSides) {
    auto bmp = Surface(8, 6);
    EXPECT_EQ(PaintRoundedFlatSides(bmp->Canvas(), Rect(0, 0, 8, 6), clRed, AllSides),
              Rect(2, 2, 6, 4));
    EXPECT_EQ(Mismatch(*bmp,
                       "..rrrr..\n"
                       ".r....r.\n"
                       "r......r\n"
                       "r......r\n"
                       ".r....r.\n"
                       "..rrrr..\n",
                       {{'r', clRed}}),
              "");
    // Only the left side: one full-height line and no corner pixel.
    auto left = Surface(8, 6);
    EXPECT_EQ(PaintRoundedFlatSides(left->Canvas(), Rect(0, 0, 8, 6), clRed, TSides{sdLeft}),
              Rect(2, 0, 8, 6));
    EXPECT_EQ(Mismatch(*left, "r.......\nr.......\nr.......\nr.......\nr.......\nr.......\n",
                       {{'r', clRed}}),
              "");
}

TEST(FrFrames, PanelBorders) {
    const TColor border = RGB(0, 0, 200), flat = RGB(90, 90, 90), back = RGB(250, 250, 0),
                 parent = RGB(0, 150, 0);
    std::map<char, TColor> legend = {{'B', border}, {'f', flat},        {'k', back},
                                     {'p', parent}, {'s', clBtnShadow}, {'h', clBtnHighlight}};
    struct Case {
        const char* name;
        TPanelBorder border;
        const char* picture;
        TRect inner;
    };
    TPanelBorder none;
    TPanelBorder flatBorder;
    flatBorder.Outer = fsFlat, flatBorder.FlatColor = flat, flatBorder.BorderWidth = 1,
    flatBorder.BorderColor = border;
    TPanelBorder squareInner;
    squareInner.Inner = fsFlat, squareInner.SquareInner = true, squareInner.FlatColor = flat;
    TPanelBorder popupStatus;
    popupStatus.Outer = fsPopup, popupStatus.Inner = fsStatus;
    TPanelBorder rounded;
    rounded.Outer = fsFlatRounded, rounded.FlatColor = flat, rounded.ParentColor = parent,
    rounded.BackColor = back, rounded.BorderColor = border;
    TPanelBorder roundedFilled = rounded;
    roundedFilled.BorderWidth = 1;
    TPanelBorder roundedClear = roundedFilled;
    roundedClear.Transparent = true;
    roundedClear.BorderWidth = 0;
    roundedClear.Inner = fsFlat;
    const Case cases[] = {
        {"nothing", none, "........\n........\n........\n........\n........\n........\n",
         Rect(0, 0, 8, 6)},
        {"flat outer and a border", flatBorder,
         "ffffffff\n"
         "fBBBBBBf\n"
         "fB....Bf\n"
         "fB....Bf\n"
         "fBBBBBBf\n"
         "ffffffff\n",
         Rect(2, 2, 6, 4)},
        {"square inner", squareInner,
         ".ffffff.\n"
         "f......f\n"
         "f......f\n"
         "f......f\n"
         "f......f\n"
         ".ffffff.\n",
         Rect(1, 1, 7, 5)},
        {"popup outer, status inner", popupStatus,
         "hhhhhhhs\n"
         "hssssshs\n"
         "hs....hs\n"
         "hs....hs\n"
         "hhhhhhhs\n"
         "ssssssss\n",
         Rect(2, 2, 6, 4)},
        {"rounded, opaque, no border", rounded,
         "ppffffpp\n"
         "pfkkkkfp\n"
         "fk....kf\n"
         "fk....kf\n"
         "pfkkkkfp\n"
         "ppffffpp\n",
         Rect(2, 2, 6, 4)},
        {"rounded, opaque, with border", roundedFilled,
         "ppffffpp\n"
         "pfBBBBfp\n"
         "fBBBBBBf\n"
         "fBBBBBBf\n"
         "pfBBBBfp\n"
         "ppffffpp\n",
         Rect(3, 3, 5, 3)},
        {"rounded, transparent, flat inner", roundedClear,
         "..ffff..\n"
         ".fBBBBf.\n"
         "fBffffBf\n"
         "fBffffBf\n"
         ".fBBBBf.\n"
         "..ffff..\n",
         Rect(3, 3, 5, 3)},
    };
    for (const Case& c : cases) {
        auto bmp = Surface(8, 6);
        const TRect inner = PaintPanelBorder(bmp->Canvas(), Rect(0, 0, 8, 6), c.border);
        EXPECT_EQ(Mismatch(*bmp, c.picture, legend), "") << c.name;
        EXPECT_EQ(inner, c.inner) << c.name;
        Snapshot(*bmp, std::string("-") + c.name);
    }
}

TEST(FrFrames, NonClientFrameChoosesItsTable) {
    // A clWindow face: system colours; any other face: its own shades. The ring is cleared first.
    auto window = Surface(8, 6);
    PaintNonClientFrame(window->Canvas(), 8, 6, false, AllSides, clRed, clWindow, fsStatus);
    EXPECT_EQ(Mismatch(*window,
                       "sssssssh\n"
                       "swwwwwwh\n"
                       "sw....wh\n"
                       "sw....wh\n"
                       "swwwwwwh\n"
                       "hhhhhhhh\n",
                       {{'s', clBtnShadow}, {'h', clBtnHighlight}, {'w', clWindow}}),
              "");
    auto face = Surface(8, 6);
    PaintNonClientFrame(face->Canvas(), 8, 6, true, AllSides, clRed, kFace, fsStatus);
    EXPECT_EQ(Mismatch(*face, kOneLine.all, {{'a', D(50)}, {'b', L(100)}}), "");
    auto flatFrame = Surface(8, 6);
    PaintNonClientFrame(flatFrame->Canvas(), 8, 6, true, TSides{sdTop}, clRed, kFace, fsFlat);
    EXPECT_EQ(Mismatch(*flatFrame, "rrrrrrrr\n........\n........\n........\n........\n........\n",
                       {{'r', clRed}}),
              "");
}

} // namespace
