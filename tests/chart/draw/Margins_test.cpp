// Inner margins: pixels in each unit, storing against the owner's default, copying, and the
// owner told of changes only.

#include "chart/draw/Margins.h"
#include "platform/classes/Properties.h"

#include <gtest/gtest.h>

namespace {

TEST(Margins, PixelsInEachUnit) {
    struct Case {
        TMarginUnits units;
        int left, top, right, bottom;
        int width, height, fontHeight;
        TRect pixels;
    } cases[] = {
        {maPercentFont, 20, 5, 20, 5, 300, 100, 10, {4, 1, 4, 1}},
        {maPercentFont, 25, 50, 75, 5, 0, 0, 10, {5, 10, 15, 1}},
        // Halves go to the even neighbour: 2.5 -> 2, 7.5 -> 8, 12.5 -> 12.
        {maPercentSize, 10, 10, 30, 50, 25, 30, 12, {2, 3, 8, 15}},
        {maPercentSize, 50, 0, 0, 0, 25, 30, 12, {12, 0, 0, 0}},
        {maPixels, -4, 7, 0, 12, 500, 500, 40, {-4, 7, 0, 12}},
    };
    for (const Case& c : cases) {
        TMargins m;
        m.SetUnits(c.units);
        m.SetLeft(c.left);
        m.SetTop(c.top);
        m.SetRight(c.right);
        m.SetBottom(c.bottom);
        m.ComputePixels(c.width, c.height, c.fontHeight);
        EXPECT_EQ(m.Pixels(), c.pixels) << static_cast<int>(c.units) << " " << c.left;
        EXPECT_EQ(m.HorizTotal(), c.pixels.Left + c.pixels.Right);
        EXPECT_EQ(m.VertTotal(), c.pixels.Top + c.pixels.Bottom);
    }
}

TEST(Margins, TheOwnerHearsOfChangesOnly) {
    int changes = 0;
    TMargins m([&](TObject*) { ++changes; }, 20);
    EXPECT_EQ(m.Left(), 20);
    EXPECT_EQ(m.Right(), 20);
    EXPECT_EQ(m.Top(), 5);
    EXPECT_EQ(m.Units(), maPercentFont);
    m.SetLeft(20);
    m.SetUnits(maPercentFont);
    EXPECT_EQ(changes, 0);
    m.SetBottom(9);
    m.SetUnits(maPixels);
    EXPECT_EQ(changes, 2);

    EXPECT_FALSE(GetPropInfo(&m, "Left")->IsStored(&m)) << "the owner's default horizontal margin";
    m.SetRight(10);
    EXPECT_TRUE(GetPropInfo(&m, "Right")->IsStored(&m));

    TMargins copy;
    copy.Assign(&m);
    EXPECT_EQ(copy.Left(), 20);
    EXPECT_EQ(copy.Right(), 10);
    EXPECT_EQ(copy.Bottom(), 9);
    EXPECT_EQ(copy.Units(), maPixels);
}

} // namespace
