#include "controls/paint/FrColors.h"

#include "platform/graphics/Themes.h"

#include <gtest/gtest.h>

namespace {

struct Hsl {
    int h, s, l;
};

Hsl ToHsl(TColor c) {
    std::uint8_t h, s, l;
    ColorToHueSatLum(c, h, s, l);
    return {h, s, l};
}

// Switches the theme service on for one test and back afterwards.
struct ThemesOn {
    bool before = SetThemeServicesEnabled(true);
    ~ThemesOn() { SetThemeServicesEnabled(before); }
};

TEST(FrColors, HueSatLumOfKnownColours) {
    struct Case {
        TColor color;
        Hsl want;
    } cases[] = {
        {clBlack, {0, 0, 0}},
        {clWhite, {0, 0, 240}},
        {RGB(128, 128, 128), {0, 0, 120}},
        {RGB(7, 7, 7), {0, 0, 7}},
        {clRed, {0, 240, 120}},
        {clLime, {80, 240, 120}},
        {clBlue, {160, 240, 120}},
        {RGB(255, 0, 1), {240, 240, 120}},
        {clBtnFace, {0, 0, 226}}, // a system colour is turned into RGB first (F0F0F0)
    };
    for (const Case& c : cases) {
        const Hsl got = ToHsl(c.color);
        EXPECT_EQ(got.h, c.want.h) << std::hex << c.color;
        EXPECT_EQ(got.s, c.want.s) << std::hex << c.color;
        EXPECT_EQ(got.l, c.want.l) << std::hex << c.color;
    }
}

TEST(FrColors, HuesFrom239UpAreRed) {
    for (int s : {60, 240})
        for (int l : {60, 120, 200}) {
            const TColor red = HueSatLumToColor(0, s, l);
            EXPECT_EQ(HueSatLumToColor(239, s, l), red) << s << "," << l;
            EXPECT_EQ(HueSatLumToColor(240, s, l), red) << s << "," << l;
        }
    EXPECT_EQ(HueSatLumToColor(240, 240, 120), clRed);
    EXPECT_EQ(HueSatLumToColor(100, 240, 0), clBlack);
    EXPECT_EQ(HueSatLumToColor(0, 0, 255), clWhite); // lightness beyond 240 caps at white
}

TEST(FrColors, LightenDarkenAndAdjust) {
    EXPECT_EQ(LightenColor(clWhite, 50), clWhite);
    EXPECT_EQ(DarkenColor(clBlack, 50), clBlack);
    EXPECT_EQ(DarkenColor(clWhite, 240), clBlack);
    EXPECT_EQ(LightenColor(clBlack, 255), clWhite);
    EXPECT_EQ(AdjustColorLightness(clBtnFace, 0), clBtnFace); // not converted
    EXPECT_EQ(AdjustColorLightness(clBtnFace, -30), DarkenColor(clBtnFace, 30));
    EXPECT_EQ(AdjustColorLightness(clBtnFace, 30), LightenColor(clBtnFace, 30));
    // A near-red colour whose hue rounds to 240 keeps its hue when darkened.
    const TColor nearRed = RGB(255, 0, 1);
    EXPECT_EQ(DarkenColor(nearRed, 60), RGB(128, 0, 0));
    // Hue and saturation are kept: a mid blue only changes lightness.
    const Hsl before = ToHsl(RGB(40, 80, 200)), after = ToHsl(DarkenColor(RGB(40, 80, 200), 40));
    EXPECT_NEAR(after.h, before.h, 1);
    EXPECT_NEAR(after.s, before.s, 1);
    EXPECT_NEAR(after.l, before.l - 40, 1);
}

TEST(FrColors, BlendWeights) {
    const TColor a = RGB(200, 100, 50), b = RGB(10, 20, 250);
    EXPECT_EQ(BlendColors(a, b, 255), a);
    EXPECT_EQ(BlendColors(a, b, 0), b);
    EXPECT_EQ(BlendColors(clWhite, clBlack, 128), RGB(128, 128, 128));
    EXPECT_EQ(BlendColors(clBtnFace, clBlack, 255), RGB(0xF0, 0xF0, 0xF0));
}

TEST(FrColors, SimilarityAndContrast) {
    EXPECT_TRUE(ColorsAreSimilar(RGB(200, 0, 0), RGB(150, 10, 10)));
    // Hue does not wrap: 2 and 238 are far apart.
    EXPECT_FALSE(ColorsAreSimilar(HueSatLumToColor(2, 240, 120), HueSatLumToColor(238, 240, 120)));
    EXPECT_FALSE(ColorsAreSimilar(RGB(20, 0, 0), RGB(255, 200, 200)));
    // The hue turns by half the circle (120 on the 240 scale), fully saturated.
    const struct {
        TColor color;
        int hue;
    } turns[] = {{clRed, 120}, {clBlue, 40}, {clLime, 200}, {RGB(100, 50, 50), 120}};
    for (const auto& t : turns) {
        const Hsl got = ToHsl(ContrastingHueColor(t.color, 100));
        EXPECT_NEAR(got.h, t.hue, 2) << std::hex << t.color;
        EXPECT_EQ(got.s, 240);
        EXPECT_NEAR(got.l, 100, 1);
    }
}

TEST(FrColors, RectCentredInRoundsTowardZero) {
    EXPECT_EQ(RectCentredIn(Rect(0, 0, 11, 11), 4, 4), Rect(3, 3, 7, 7));
    EXPECT_EQ(RectCentredIn(Rect(-5, -5, 0, 0), 2, 2), Rect(-3, -3, -1, -1)); // -7/2 is -3
}

TEST(FrColors, SystemGradientColours) {
    TColor frame, start, stop, line;
    SelectionGradientColors(gcsMSOffice, frame, start, stop); // themes off: system colours
    EXPECT_EQ(frame, clHighlight);
    EXPECT_EQ(stop, BlendColors(clHighlight, clWindow, 77));
    EXPECT_EQ(start, LightenColor(stop, 20));
    PanelGradientColors(gcsSystem, start, stop);
    EXPECT_EQ(start, clWindow);
    EXPECT_EQ(stop, DarkenColor(clBtnFace, 10));
    EXPECT_EQ(PanelGradientFrameColor(gcsSystem), LightenColor(clBtnShadow, 30));
    StatusBarGradientColors(gcsSystem, stop, start, line);
    EXPECT_EQ(stop, DarkenColor(clBtnFace, 20));
    EXPECT_EQ(line, DarkenColor(clBtnFace, 40));
    GroupBarGradientColors(gcsSystem, start, stop);
    EXPECT_EQ(start, BlendColors(clBlack, clBtnFace, 40));
    EXPECT_EQ(stop, BlendColors(clBlack, clBtnFace, 80));
}

TEST(FrColors, FewColoursGiveAPlainSelection) {
    const bool before = FullColorSupported;
    FullColorSupported = false;
    TColor frame, start, stop;
    SelectionGradientColors(gcsSystem, frame, start, stop);
    EXPECT_EQ(start, stop);
    ThemesOn on;
    SelectionGradientColors(gcsMSOffice, frame, start, stop);
    EXPECT_EQ(start, stop);
    EXPECT_EQ(stop, RGB(255, 217, 160));
    FullColorSupported = before;
}

TEST(FrColors, OfficeSchemesWhileThemed) {
    ThemesOn on;
    const std::uint8_t before = XPColorScheme;
    struct Scheme {
        TColor selFrame, panelStart, panelStop, panelFrame, barStart, barStop;
    } schemes[] = {
        {RGB(0, 0, 128), RGB(227, 239, 255), RGB(153, 187, 234), RGB(87, 127, 191),
         RGB(123, 162, 231), RGB(99, 117, 214)},
        {RGB(63, 93, 56), RGB(255, 255, 237), RGB(184, 199, 146), RGB(127, 161, 119),
         RGB(204, 217, 173), RGB(165, 189, 132)},
        {RGB(75, 75, 111), RGB(249, 249, 255), RGB(189, 188, 208), RGB(159, 159, 177),
         RGB(196, 200, 212), RGB(177, 179, 200)},
    };
    for (std::uint8_t i = 0; i < 3; ++i) {
        XPColorScheme = i;
        const Scheme& want = schemes[i];
        TColor frame, start, stop, line;
        SelectionGradientColors(gcsMSOffice, frame, start, stop);
        EXPECT_EQ(frame, want.selFrame);
        EXPECT_EQ(start, RGB(255, 238, 194));
        EXPECT_EQ(stop, RGB(255, 217, 160));
        PanelGradientColors(gcsMSOffice, start, stop);
        EXPECT_EQ(start, want.panelStart);
        EXPECT_EQ(stop, want.panelStop);
        EXPECT_EQ(PanelGradientFrameColor(gcsMSOffice), want.panelFrame);
        StatusBarGradientColors(gcsMSOffice, stop, start, line);
        EXPECT_EQ(stop, want.panelStop);
        EXPECT_EQ(start, want.panelStart);
        EXPECT_EQ(line, want.panelStop);
        GroupBarGradientColors(gcsMSOffice, start, stop);
        EXPECT_EQ(start, want.barStart);
        EXPECT_EQ(stop, want.barStop);
        // The system style ignores the scheme.
        PanelGradientColors(gcsSystem, start, stop);
        EXPECT_EQ(start, clWindow);
    }
    XPColorScheme = before;
}

TEST(FrColors, ThemedElementColours) {
    for (int kind = 0; kind <= 6; ++kind)
        EXPECT_EQ(ThemedElementColor(kind), clBtnFace) << kind;
    ThemesOn on;
    EXPECT_EQ(ThemedElementColor(0), RGB(127, 157, 185));
    for (int kind = 1; kind <= 6; ++kind)
        EXPECT_NE(ThemedElementColor(kind), clBtnFace) << kind;
    EXPECT_EQ(ThemedElementColor(7), clWhite);
    EXPECT_EQ(ThemedElementColor(-1), clWhite);
}

} // namespace
