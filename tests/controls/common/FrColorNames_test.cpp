#include "controls/common/FrColorNames.h"

#include <gtest/gtest.h>

namespace {

TEST(FrColorNames, Tables) {
    EXPECT_EQ(StandardColors()[1].Name, "Maroon");
    EXPECT_EQ(StandardColors()[1].Color, clMaroon);
    EXPECT_EQ(StandardColors()[15].Color, clWhite);
    EXPECT_EQ(SystemColors()[15].Name, "BtnFace");
    EXPECT_EQ(SystemColors()[15].Color, clBtnFace);
    EXPECT_EQ(SystemColors()[24].Color, clInfoBk);
    EXPECT_EQ(DefaultColorRec().Name, "Default");
    EXPECT_EQ(CustomColorRec().Color, 0);
    const auto& palette = ColorPalette();
    const struct {
        int index;
        const char* name;
        TColor color;
    } entries[] = {
        {0, "Black", clBlack},
        {1, "Brown", RGB(153, 51, 0)},
        {9, "Orange", RGB(255, 102, 0)},
        {25, "Gold", RGB(255, 204, 0)},
        {30, "Plum", RGB(153, 51, 102)},
        {32, "Rose", RGB(255, 153, 204)},
        {37, "Pale Blue", RGB(153, 204, 255)},
        {39, "White", clWhite},
        {40, "Scroll Bar", clScrollBar},
        {55, "Button Face", clBtnFace},
        {64, "Info Background", clInfoBk},
        {65, "Hot Light", clHotLight},
        {69, "Menu Bar", clMenuBar},
    };
    for (const auto& e : entries) {
        EXPECT_EQ(palette[e.index].Name, e.name) << e.index;
        EXPECT_EQ(palette[e.index].Color, e.color) << e.index;
    }
}

} // namespace
