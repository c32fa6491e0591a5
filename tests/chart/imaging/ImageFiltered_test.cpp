// The filtered image control: its picture resampled to the place it is drawn at, filtered and
// drawn there; its filters stored with it.

#include "chart/imaging/Filters.h"
#include "chart/imaging/ImageFiltered.h"
#include "platform/classes/Streaming.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Snapshot_p.h"

#include "tests/support/FormFixture.h"

#include <gtest/gtest.h>

namespace {

TColor At(const TBitmap& b, int x, int y) {
    const std::uint8_t* p = const_cast<TBitmap&>(b).ScanLine(y) + 4 * x;
    return RGB(p[2], p[1], p[0]);
}

// A picture whose left half is red and right half blue.
std::unique_ptr<TBitmap> Halves(int w, int h) {
    auto b = std::make_unique<TBitmap>(w, h, pf32bit);
    b->Canvas()->Brush()->SetColor(clRed);
    b->Canvas()->FillRect(Rect(0, 0, w / 2, h));
    b->Canvas()->Brush()->SetColor(clBlue);
    b->Canvas()->FillRect(Rect(w / 2, 0, w, h));
    return b;
}

struct ImageFilteredTest : FormFixture {
    void SetUp() override {
        FormFixture::SetUp();
        StartChartImaging();
        image = Make<TImageFiltered>();
        image->SetBounds(10, 10, 100, 50);
    }
    void TearDown() override {
        FormFixture::TearDown();
        StopChartImaging();
    }
    // The form's pixel at (x, y) of the image control.
    TColor Shown(int x, int y) {
        const QImage shot = form->Handle()->grab().toImage();
        const QRgb p = shot.pixel(10 + x, 10 + y);
        return RGB(qRed(p), qGreen(p), qBlue(p));
    }
    TImageFiltered* image = nullptr;
};

TEST_F(ImageFilteredTest, ThePictureIsResampledToItsPlaceThenFiltered) {
    auto halves = Halves(20, 10);
    image->Picture()->SetGraphic(halves.get());
    image->Filters()->Add<TInvertFilter>();
    EXPECT_EQ(image->FilteredPicture()->Width(), 20) << "unstretched: the picture's own size";
    EXPECT_EQ(At(*image->FilteredPicture(), 2, 5), clAqua) << "red inverted";

    image->SetStretch(true);
    auto shown = image->FilteredPicture();
    ASSERT_EQ(shown->Width(), 100);
    ASSERT_EQ(shown->Height(), 50);
    EXPECT_EQ(At(*shown, 10, 25), clAqua);
    EXPECT_EQ(At(*shown, 90, 25), clYellow) << "blue inverted";
    // Resampled smoothly (the blend between the halves has in-between shades), not repeated.
    bool between = false;
    for (int x = 40; x < 60; ++x)
        between |= At(*shown, x, 25) != clAqua && At(*shown, x, 25) != clYellow;
    EXPECT_TRUE(between);
    EXPECT_EQ(At(*halves, 2, 5), clRed) << "the picture itself is left alone";

    EXPECT_EQ(Shown(10, 25), clAqua);
    EXPECT_EQ(Shown(90, 25), clYellow);
    // For review: the form with the stretched, inverted picture (in the test's build folder).
    SaveSnapshot(form->Handle()->grab().toImage(), "image-filtered.png");
}

TEST_F(ImageFilteredTest, ACentredPictureIsDrawnInTheMiddle) {
    auto halves = Halves(20, 10);
    image->Picture()->SetGraphic(halves.get());
    image->Filters()->Add<TGrayScaleFilter>();
    image->SetCenter(true);
    const TColor grey = At(*image->FilteredPicture(), 2, 2);
    EXPECT_EQ(GetRValue(grey), GetGValue(grey));
    EXPECT_EQ(Shown(42, 22), grey) << "picture placed at (40, 20)";
    EXPECT_NE(Shown(5, 5), grey) << "the corner shows the form";
    // A picture one pixel thin is stretched to its place rather than left out.
    auto thin = Halves(1, 10);
    image->Picture()->SetGraphic(thin.get());
    image->SetStretch(true);
    auto shown = image->FilteredPicture();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(At(*shown, 50, 25), RGB(85, 85, 85)) << "blue through the simple grey scale";
}

TEST_F(ImageFilteredTest, NoPictureDrawsNothing) {
    image->Filters()->Add<TInvertFilter>();
    EXPECT_EQ(image->FilteredPicture(), nullptr);
    const TColor before = Shown(50, 25);
    image->Repaint();
    EXPECT_EQ(Shown(50, 25), before);
}

TEST_F(ImageFilteredTest, FiltersAreStoredWithTheControlOnlyWhenThereAreAny) {
    EXPECT_EQ(ComponentToText(image).find("FilterItems"), std::string::npos);
    auto* mosaic = image->Filters()->Add<TMosaicFilter>();
    mosaic->Amount = 5;
    image->Filters()->Add<TFlipFilter>()->SetEnabled(false);
    const std::string text = ComponentToText(image);
    ASSERT_NE(text.find("FilterItems"), std::string::npos);

    TImageFiltered copy(nullptr);
    ReadComponentDescription(text, &copy);
    ASSERT_EQ(copy.Filters()->Count(), 2);
    auto* readMosaic = dynamic_cast<TMosaicFilter*>(copy.Filters()->Items(0));
    ASSERT_NE(readMosaic, nullptr);
    EXPECT_EQ(readMosaic->Amount, 5);
    ASSERT_NE(dynamic_cast<TFlipFilter*>(copy.Filters()->Items(1)), nullptr);
    EXPECT_FALSE(copy.Filters()->Items(1)->Enabled());
}

} // namespace
