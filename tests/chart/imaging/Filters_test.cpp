// Image filters: regions cut to the bitmap, the convolution's edges and zero kernels, the
// filtered picture, the stored filter list, the filters' own edge cases, the resampler's bounds,
// and the two hooks the drawing layer takes from the filters.

#include "tests/chart/support/ChartTestSupport.h"

#include "chart/draw/DrawLibrary.h"
#include "chart/draw/Gradient.h"
#include "chart/draw/PlotFont.h"
#include "chart/draw/Shadow.h"
#include "chart/imaging/Filters.h"
#include "chart/imaging/Resample.h"
#include "platform/classes/Reader.h"
#include "platform/classes/Writer.h"
#include "platform/rtl/Streams.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// A bitmap of noise, so that every filter has something to change.
std::unique_ptr<TBitmap> Noise(int w, int h, unsigned seed = 1) {
    auto b = std::make_unique<TBitmap>(w, h, pf32bit);
    std::mt19937 random(seed);
    for (int y = 0; y < h; ++y) {
        std::uint8_t* row = b->ScanLine(y);
        for (int x = 0; x < w * 4; ++x)
            row[x] = static_cast<std::uint8_t>(random());
    }
    return b;
}

std::vector<std::uint8_t> Row(TBitmap& b, int y) {
    const std::uint8_t* row = b.ScanLine(y);
    std::vector<std::uint8_t> out;
    for (int x = 0; x < b.Width(); ++x)
        out.insert(out.end(), row + 4 * x, row + 4 * x + 3);
    return out;
}

std::vector<std::uint8_t> Pixels(TBitmap& b) {
    std::vector<std::uint8_t> all;
    for (int y = 0; y < b.Height(); ++y) {
        auto r = Row(b, y);
        all.insert(all.end(), r.begin(), r.end());
    }
    return all;
}

TColor At(TBitmap& b, int x, int y) {
    const std::uint8_t* p = b.ScanLine(y) + 4 * x;
    return RGB(p[2], p[1], p[0]);
}

struct TImaging : ::testing::Environment {
    void SetUp() override { StartChartImaging(); }
    void TearDown() override { StopChartImaging(); }
};
[[maybe_unused]] auto* const kImaging = ::testing::AddGlobalTestEnvironment(new TImaging);

// A region of no size reaches the last column and row; one beyond the bitmap does nothing;
// a negative corner is cut at zero.
TEST(FilterRegion, CutToTheBitmap) {
    struct Case {
        int left, top, width, height;
        TRect changed; // inclusive, or Left > Right for none
    } cases[] = {{10, 10, 0, 0, {10, 10, 49, 39}},
                 {40, 30, 30, 30, {40, 30, 49, 39}},
                 {500, 0, 0, 0, {1, 0, 0, 0}},
                 {-5, -5, 9, 9, {0, 0, 4, 4}},
                 {0, 500, 10, 0, {1, 0, 0, 0}}};
    for (const Case& c : cases) {
        auto b = Noise(50, 40);
        auto before = Noise(50, 40);
        TFilterItems items;
        TPlotFilter* f = items.Add<TInvertFilter>();
        f->Region()->Left = c.left;
        f->Region()->Top = c.top;
        f->Region()->Width = c.width;
        f->Region()->Height = c.height;
        items.ApplyTo(*b);
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 50; ++x) {
                const bool inside = x >= c.changed.Left && x <= c.changed.Right &&
                                    y >= c.changed.Top && y <= c.changed.Bottom;
                ASSERT_EQ(At(*b, x, y) != At(*before, x, y), inside)
                    << c.left << "," << c.top << " at " << x << "," << y;
            }
    }
}

TEST(ConvolveFilter, EdgesStayAndZeroKernelsAreSafe) {
    auto thin = Noise(30, 1);
    const auto before = Pixels(*thin);
    TFilterItems items;
    items.Add<TBlurFilter>();
    items.ApplyTo(*thin);
    EXPECT_EQ(Pixels(*thin), before) << "no inner rows";

    // Amount -8 cancels the kernel: applied as it stands, without dividing by zero.
    auto b = Noise(20, 20);
    TFilterItems zero;
    zero.Add<TBlurFilter>()->Amount = -8;
    zero.ApplyTo(*b);
    EXPECT_EQ(Row(*b, 0), Row(*Noise(20, 20), 0)) << "the outer row keeps its values";

    // Steps 3 is three passes of one step; a disabled filter is skipped.
    auto three = Noise(20, 20), once = Noise(20, 20);
    TFilterItems a, c;
    a.Add<TBlurFilter>()->Steps = 3;
    for (int i = 0; i < 3; ++i)
        c.Add<TBlurFilter>();
    c.Add<TInvertFilter>()->SetEnabled(false);
    a.ApplyTo(*three);
    c.ApplyTo(*once);
    EXPECT_EQ(Pixels(*three), Pixels(*once));
}

// A blur reaches a picture that a further pass leaves as it is; a stored step count far beyond the
// editor's twenty ends there with the same picture as passes run one by one until nothing changes.
TEST(ConvolveFilter, ABlurStopsAtItsFixedPoint) {
    auto stepwise = Noise(20, 14, 11);
    TFilterItems one;
    one.Add<TBlurFilter>();
    for (std::vector<std::uint8_t> before; before != Pixels(*stepwise);) {
        before = Pixels(*stepwise);
        one.ApplyTo(*stepwise);
    }
    auto many = Noise(20, 14, 11);
    TFilterItems all;
    all.Add<TBlurFilter>()->Steps = 2000000000;
    all.ApplyTo(*many);
    EXPECT_EQ(Pixels(*many), Pixels(*stepwise));
    EXPECT_NE(Pixels(*many), Pixels(*Noise(20, 14, 11)));
}

// Every kind of kernel gives, pixel for pixel, the weighted sum in single precision times the
// inverse of the weights' sum, rounded half to even and clamped, over the inner pixels of the
// region only; the fourth byte and everything outside stay.
TEST(ConvolveFilter, EveryKernelGivesTheWeightedSum) {
    const std::array<float, 9> kernels[] = {
        {1, 1, 1, 1, 1, 1, 1, 1, 1},  // blur
        {1, 1, 1, 1, 50, 1, 1, 1, 1}, // blur, heavy centre
        {1, 1, 1, 1, -8, 1, 1, 1, 1}, // sum 0
        {-0.125f, -0.125f, -0.125f, -0.125f, 2, -0.125f, -0.125f, -0.125f, -0.125f}, // sharpen
        {0, -1, 0, -1, 1, 1, 0, -1, 0},                             // emboss, sum -1
        {0.3f, -0.7f, 0.1f, 1.9f, 0.01f, -2.5f, 0.6f, 0.2f, 0.33f}, // arbitrary fractions
        {1e6f, 0, 0, 0, 1, 0, 0, 0, -1e6f},                         // sums beyond a table
    };
    const TRect region{3, 2, 27, 18}; // inclusive, inside a 32 x 24 picture
    for (const auto& w : kernels) {
        auto source = Noise(32, 24, 7);
        auto b = Noise(32, 24, 7);
        TConvolveFilter filter(nullptr);
        filter.Weights = w;
        filter.Apply(*b, region);
        float sum = 0;
        for (float v : w)
            sum += v;
        const float inverse = sum == 0 ? 1 : 1 / sum;
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 32; ++x)
                for (int c = 0; c < 4; ++c) {
                    const int got = b->ScanLine(y)[x * 4 + c];
                    int want = source->ScanLine(y)[x * 4 + c];
                    if (c < 3 && x > region.Left && x < region.Right && y > region.Top &&
                        y < region.Bottom) {
                        float v = 0;
                        for (int k = 0; k < 9; ++k)
                            v += source->ScanLine(y - 1 + k / 3)[(x - 1 + k % 3) * 4 + c] * w[k];
                        want = std::clamp(static_cast<int>(std::nearbyint(v * inverse)), 0, 255);
                    }
                    ASSERT_EQ(got, want) << "weights " << w[0] << "," << w[4] << " at " << x << ","
                                         << y << " channel " << c;
                }
    }
}

TEST(PlotPicture, FilteredCopyLeavesTheGraphic) {
    TPlotPicture picture;
    auto b = Noise(10, 10);
    picture.SetGraphic(b.get());
    EXPECT_EQ(picture.Filtered(), picture.Graphic()) << "no filters: the graphic itself";
    picture.Filters()->Add<TInvertFilter>();
    TGraphic* filtered = picture.Filtered();
    ASSERT_NE(filtered, picture.Graphic());
    auto* original = dynamic_cast<TBitmap*>(picture.Graphic());
    ASSERT_NE(original, nullptr);
    EXPECT_EQ(Pixels(*original), Pixels(*b));
    auto* copy = dynamic_cast<TBitmap*>(filtered);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(At(*copy, 3, 3), static_cast<TColor>(0xFFFFFF - At(*b, 3, 3)));
}

// Two filters written in the stored form and read back: the same classes and values.
TEST(FilterItems, StoredFormRoundTrip) {
    TFilterItems items;
    auto* rotate = items.Add<TRotateFilter>();
    rotate->Angle = 33.5;
    rotate->BackColor = clRed;
    auto* blur = items.Add<TBlurFilter>();
    blur->Steps = 4;
    blur->Region()->Left = 7;
    TMemoryStream stream;
    {
        TWriter writer(stream);
        items.WriteItems(writer);
    }
    const std::vector<std::uint8_t> bytes = stream.Bytes();
    ASSERT_GT(bytes.size(), 4u);
    EXPECT_EQ(bytes[0], 14) << "the collection code";
    EXPECT_EQ(bytes[1], 1) << "a list per filter";
    stream.Seek(0, soBeginning);
    TFilterItems back;
    back.Add<TInvertFilter>();
    {
        TReader reader(stream);
        back.ReadItems(reader);
    }
    ASSERT_EQ(back.Count(), 2);
    auto* r = dynamic_cast<TRotateFilter*>(back.Items(0));
    auto* bl = dynamic_cast<TBlurFilter*>(back.Items(1));
    ASSERT_NE(r, nullptr);
    ASSERT_NE(bl, nullptr);
    EXPECT_DOUBLE_EQ(r->Angle, 33.5);
    EXPECT_EQ(r->BackColor, clRed);
    EXPECT_EQ(bl->Steps, 4);
    EXPECT_EQ(bl->Region()->Left, 7);
}

// Hue, luminance and saturation over runs of one colour, neighbours that differ in one channel,
// and noise: every pixel as the same filter makes that colour alone.
TEST(Filters, HueLumSatPixelByPixel) {
    auto b = Noise(24, 6, 5);
    for (int y = 0; y < 3; ++y) // runs of three pixels in the upper rows
        for (int x = 0; x < 24; ++x)
            std::copy(b->ScanLine(y) + (x / 3) * 12, b->ScanLine(y) + (x / 3) * 12 + 3,
                      b->ScanLine(y) + x * 4);
    for (int x = 0; x < 24; ++x) { // neighbours that differ in one channel only
        const std::uint8_t red[3] = {10, 20, static_cast<std::uint8_t>(30 + x)};
        const std::uint8_t green[3] = {90, static_cast<std::uint8_t>(200 - x), 40};
        std::copy(red, red + 3, b->ScanLine(3) + x * 4);
        std::copy(green, green + 3, b->ScanLine(4) + x * 4);
    }
    auto before = std::make_unique<TBitmap>(24, 6, pf32bit);
    before->Assign(*b);
    THueLumSatFilter filter(nullptr);
    filter.Hue = 30;
    filter.Luminance = -20;
    filter.Saturation = 15;
    filter.Apply(*b, {0, 0, 23, 5});
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 24; ++x) {
            TBitmap one(1, 1, pf32bit);
            std::copy(before->ScanLine(y) + x * 4, before->ScanLine(y) + x * 4 + 4,
                      one.ScanLine(0));
            filter.Apply(one, {0, 0, 0, 0});
            ASSERT_EQ(At(*b, x, y), At(one, 0, 0)) << x << "," << y;
        }
}

TEST(Filters, FlipMosaicGammaBrightness) {
    // Rows 10..19 mirrored; an odd count keeps its middle row.
    auto b = Noise(8, 30), before = Noise(8, 30);
    TFilterItems flip;
    auto* f = flip.Add<TFlipFilter>();
    f->Region()->Top = 10;
    f->Region()->Height = 9;
    flip.ApplyTo(*b);
    for (int k = 0; k < 10; ++k)
        EXPECT_EQ(Row(*b, 10 + k), Row(*before, 19 - k));
    EXPECT_EQ(Row(*b, 5), Row(*before, 5));

    // Mosaic 4 on 10 x 10: blocks 0-3, 4-7, 8-9.
    auto m = Noise(10, 10);
    TFilterItems mosaic;
    mosaic.Add<TMosaicFilter>()->Amount = 4;
    mosaic.ApplyTo(*m);
    EXPECT_EQ(At(*m, 0, 0), At(*m, 3, 3));
    EXPECT_EQ(At(*m, 4, 0), At(*m, 7, 3));
    EXPECT_EQ(At(*m, 8, 8), At(*m, 9, 9));
    EXPECT_NE(At(*m, 3, 0), At(*m, 4, 0));

    // Gamma 100 keeps every value; gamma 0 keeps only the brightest.
    auto g = Noise(16, 16), same = Noise(16, 16);
    TFilterItems gamma;
    gamma.Add<TGammaCorrectionFilter>()->Amount = 100;
    gamma.ApplyTo(*g);
    EXPECT_EQ(Pixels(*g), Pixels(*same));
    TBitmap grey(2, 1, pf32bit);
    grey.ScanLine(0)[0] = grey.ScanLine(0)[1] = grey.ScanLine(0)[2] = 128;
    grey.ScanLine(0)[4] = grey.ScanLine(0)[5] = grey.ScanLine(0)[6] = 255;
    gamma.Items(0)->SetEnabled(false);
    TFilterItems dark;
    dark.Add<TGammaCorrectionFilter>()->Amount = 0;
    dark.ApplyTo(grey);
    EXPECT_EQ(At(grey, 0, 0), clBlack);
    EXPECT_EQ(At(grey, 1, 0), clWhite);

    TBitmap plain(4, 4, pf32bit);
    plain.Canvas()->Brush()->SetColor(RGB(100, 250, 0));
    plain.Canvas()->FillRect({0, 0, 4, 4});
    plain.Canvas()->Flush();
    TFilterItems bright;
    bright.Add<TBrightnessFilter>()->Amount = 5;
    bright.ApplyTo(plain);
    EXPECT_EQ(At(plain, 2, 2), RGB(113, 255, 13));
}

TEST(Filters, RotateCropTile) {
    TBitmap small(3, 2, pf32bit);
    for (int x = 0; x < 3; ++x) {
        small.ScanLine(0)[4 * x] = static_cast<std::uint8_t>(10 + x);
        small.ScanLine(1)[4 * x] = static_cast<std::uint8_t>(20 + x);
    }
    TFilterItems r90;
    r90.Add<TRotateFilter>()->Angle = 90;
    r90.ApplyTo(small);
    ASSERT_EQ(small.Width(), 2);
    ASSERT_EQ(small.Height(), 3);
    for (int y = 0; y < 3; ++y)
        EXPECT_EQ(small.ScanLine(y)[4], 10 + y) << "the right column is the top row";

    auto b = Noise(40, 30);
    TFilterItems r45;
    auto* rot = r45.Add<TRotateFilter>();
    rot->Angle = 45;
    rot->AutoSize = false;
    rot->BackColor = clRed;
    r45.ApplyTo(*b);
    EXPECT_EQ(b->Width(), 40);
    EXPECT_EQ(b->Height(), 30);
    EXPECT_EQ(At(*b, 0, 0), clRed);
    EXPECT_EQ(At(*b, 39, 29), clRed);

    // Crop of 20 x 20 at (10, 10) fills the whole 100 x 100 bitmap.
    auto c = Noise(100, 100), source = Noise(100, 100);
    TFilterItems crop;
    auto* cf = crop.Add<TCropFilter>();
    cf->Left = cf->Top = 10;
    cf->Width = cf->Height = 20;
    crop.ApplyTo(*c);
    EXPECT_EQ(c->Width(), 100);
    EXPECT_EQ(At(*c, 0, 0), At(*source, 10, 10));
    EXPECT_EQ(At(*c, 99, 99), At(*source, 29, 29));
    // A crop reaching past the source reads nothing outside it.
    cf->Left = 90;
    crop.ApplyTo(*c);

    auto t = Noise(300, 300);
    TFilterItems tile;
    tile.Add<TTileFilter>();
    tile.ApplyTo(*t);
    for (int k = 1; k < 3; ++k) {
        EXPECT_EQ(At(*t, 5, 7), At(*t, 5 + 100 * k, 7));
        EXPECT_EQ(At(*t, 5, 7), At(*t, 5, 7 + 100 * k));
    }
    charttest::TSurface s(1, 1);
    (void)s;
}

// Values read from a description that would keep a filter busy for ever finish at once.
TEST(Filters, HugeStoredValuesFinish) {
    auto b = Noise(30, 20);
    TFilterItems items;
    items.Add<TRotateFilter>()->Angle = 1e300;
    items.Add<TBevelFilter>()->Size = 2000000000;
    items.ApplyTo(*b);
    EXPECT_GT(b->Width(), 0);
}

TEST(Resample, KernelsClampingAndSmallDestinations) {
    EXPECT_EQ(RoundEven(TriangleWeight(0.5f) * 1024), 512);
    EXPECT_EQ(ClampChannel(256 * 1024), 255);
    EXPECT_EQ(ClampChannel(-5000), 0);
    EXPECT_FLOAT_EQ(LanczosWeight(0), 1);
    EXPECT_FLOAT_EQ(LanczosWeight(3), 0);

    auto thin = Noise(1, 20);
    TBitmap dst(5, 5, pf32bit);
    const auto before = Pixels(dst);
    ResampleBitmap(*thin, dst);
    EXPECT_EQ(Pixels(dst), before) << "a one-pixel-wide source does nothing";

    // Destinations of two and three pixels: the window is wider than the source's mirror.
    for (int size : {2, 3}) {
        auto big = Noise(300, 300);
        TBitmap out(size, size, pf32bit);
        ResampleBitmap(*big, out);
        EXPECT_EQ(out.Width(), size);
    }
    // Corners map to corners: a destination pixel over a source pixel takes it exactly (the
    // kernel is 1 there and 0 at every other whole offset).
    auto src = Noise(50, 40);
    TBitmap up(99, 79, pf32bit);
    ResampleBitmap(*src, up);
    EXPECT_EQ(At(up, 0, 0), At(*src, 0, 0));
    EXPECT_EQ(At(up, 60, 40), At(*src, 30, 20));
    EXPECT_EQ(At(up, 98, 78), At(*src, 49, 39));
}

// The imaging start installs the drawing layer's hooks: a rotated gradient is drawn through the
// rotate filter, and a smooth text shadow is blurred.
TEST(ImagingHooks, RotatedGradientAndBlurredTextShadow) {
    ASSERT_TRUE(static_cast<bool>(GradientRotateHook()));
    ASSERT_TRUE(static_cast<bool>(ShadowBlurHook()));
    TSize seen{};
    const TGradientRotateHook installed = GradientRotateHook();
    GradientRotateHook() = [&](const TCustomPlotGradient& g, TBitmap& b) {
        seen = {b.Width(), b.Height()};
        installed(g, b);
    };
    charttest::TSurface s(80, 60);
    TPlotGradient gradient;
    gradient.SetAngle(90);
    gradient.SetStartColor(clRed);
    gradient.SetEndColor(clBlue);
    gradient.Fill(s.canvas, {10, 10, 50, 30}, 0);
    GradientRotateHook() = installed;
    EXPECT_EQ(seen.cx, 22);
    EXPECT_EQ(seen.cy, 42);
    charttest::SavePicture(s.Image(), "gradient-rotated-90");

    // The same shadowed text with and without the blur: only the blur leaves in-between greys.
    auto draw = [](int blur) {
        TBitmap target(120, 40);
        TPlotCanvas3D canvas;
        canvas.BeginDrawing(target.Canvas(), nullptr, false, {0, 0, 120, 40});
        canvas.ResetAttributes();
        canvas.Brush()->SetStyle(bsClear);
        TPlotFont font;
        font.SetSize(14);
        font.Shadow()->SetSize(3);
        font.Shadow()->SetColor(clBlack);
        font.Shadow()->SetSmoothBlur(blur);
        canvas.SelectFont(&font);
        canvas.TextOut(10, 5, "Volts");
        canvas.FinishDrawing(target.Canvas(), target.Canvas(), {0, 0, 120, 40});
        target.Canvas()->Flush();
        std::set<TColor> colors;
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 120; ++x)
                colors.insert(target.Canvas()->Pixel(x, y));
        return colors.size();
    };
    EXPECT_GT(draw(2), draw(0) + 5);
}

} // namespace
