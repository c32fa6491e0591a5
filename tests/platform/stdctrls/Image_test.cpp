#include "platform/stdctrls/Image.h"

#include "platform/graphics/Bitmap.h"

#include "tests/support/FormFixture.h"

#include <gtest/gtest.h>

namespace {

using ImageTest = FormFixture;

TEST_F(ImageTest, ImagePlacement) {
    auto* im = Make<TImage>();
    im->SetBounds(0, 0, 100, 50);
    TBitmap bmp(20, 10);
    im->Picture()->SetGraphic(&bmp);
    struct Case {
        bool stretch, center, proportional;
        TRect expected;
    };
    const Case cases[] = {
        {false, false, false, Rect(0, 0, 20, 10)},
        {false, true, false, Rect(40, 20, 60, 30)},
        {true, false, false, Rect(0, 0, 100, 50)},
        {true, true, true, Rect(0, 0, 100, 50)},
    };
    for (const Case& k : cases) {
        im->SetStretch(k.stretch);
        im->SetCenter(k.center);
        im->SetProportional(k.proportional);
        EXPECT_EQ(im->DestRect(), k.expected);
    }
    im->SetBounds(0, 0, 100, 100);
    EXPECT_EQ(im->DestRect(), Rect(0, 25, 100, 75)) << "proportional and centred";
}

} // namespace
