#include "platform/graphics/Color.h"

#include "platform/rtl/Exception.h"

#include <gtest/gtest.h>

#include <set>

TEST(Color, ChannelsAndRgbLayout) {
    constexpr TColor c = RGB(0x12, 0x34, 0x56);
    EXPECT_EQ(c, 0x563412);
    EXPECT_EQ(GetRValue(c), 0x12);
    EXPECT_EQ(GetGValue(c), 0x34);
    EXPECT_EQ(GetBValue(c), 0x56);
    EXPECT_EQ(clRed, RGB(255, 0, 0));
    EXPECT_EQ(clBlue, RGB(0, 0, 255));
}

TEST(Color, SystemColoursComeFromTheFixedTable) {
    struct Case {
        TColor color;
        TColor rgb;
    };
    const Case cases[] = {
        {clBtnFace, RGB(0xF0, 0xF0, 0xF0)},
        {clBtnShadow, RGB(0xA0, 0xA0, 0xA0)},
        {clBtnHighlight, RGB(0xFF, 0xFF, 0xFF)},
        {clWindow, RGB(0xFF, 0xFF, 0xFF)},
        {clWindowText, RGB(0, 0, 0)},
        {clHighlight, RGB(0x33, 0x99, 0xFF)},
        {cl3DDkShadow, RGB(0x69, 0x69, 0x69)},
        {cl3DLight, RGB(0xE3, 0xE3, 0xE3)},
        {clInfoBk, RGB(0xFF, 0xFF, 0xE1)},
        {clMenuBar, RGB(0xF0, 0xF0, 0xF0)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ColorToRGB(c.color), c.rgb) << ColorToString(c.color);
    EXPECT_EQ(static_cast<std::uint32_t>(clBtnFace), 0xFF00000Fu);
    // Plain colours and the two markers pass through unchanged.
    EXPECT_EQ(ColorToRGB(clNone), clNone);
    EXPECT_EQ(ColorToRGB(clDefault), clDefault);
    EXPECT_EQ(ColorToRGB(0x743C00), 0x743C00);
    EXPECT_EQ(GetSysColor(25), 0);
    EXPECT_EQ(GetSysColor(99), 0);
}

TEST(Color, NamesBothWays) {
    struct Case {
        TColor color;
        const char* text;
    };
    const Case cases[] = {
        {clBlack, "clBlack"},
        {clSilver, "clSilver"},
        {clBtnFace, "clBtnFace"},
        {clNone, "clNone"},
        {clDefault, "clDefault"},
        {cl3DDkShadow, "cl3DDkShadow"},
        {0x743C00, "$00743C00"},
        {RGB(1, 2, 3), "$00030201"},
        {static_cast<TColor>(0xFF000019), "$FF000019"}, // a system index without a name
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ColorToString(c.color), c.text);
        EXPECT_EQ(StringToColor(c.text), c.color) << c.text;
    }
    // Aliases and other spellings are read but never written.
    EXPECT_EQ(StringToColor("clLtGray"), clSilver);
    EXPECT_EQ(StringToColor("CLBTNFACE"), clBtnFace);
    EXPECT_EQ(StringToColor("7617536"), 0x743C00);
    EXPECT_EQ(StringToColor("-16777201"), clBtnFace);
    EXPECT_EQ(StringToColor("0x0000FF"), clRed);
}

TEST(Color, BadTextRaisesConvertError) {
    for (const char* text : {"", "clNoSuchColour", "$", "$1FFFFFFFF", "12a", "99999999999", "-"}) {
        EXPECT_THROW(StringToColor(text), EConvertError) << '"' << text << '"';
    }
    try {
        StringToColor("blue-ish");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'blue-ish' is not a valid integer value");
    }
}

TEST(Color, ColorValuesListsEveryNameOnce) {
    std::set<std::string> names;
    int calls = 0;
    GetColorValues([&](const std::string& name) {
        names.insert(name);
        ++calls;
    });
    EXPECT_EQ(static_cast<int>(names.size()), calls);
    EXPECT_TRUE(names.count("clBtnFace"));
    EXPECT_TRUE(names.count("clNone"));
    for (const std::string& name : names) {
        TColor c = 0;
        ASSERT_TRUE(IdentToColor(name, c)) << name;
        EXPECT_EQ(ColorToString(c), name);
    }
}
