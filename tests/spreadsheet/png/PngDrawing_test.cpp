// The PNG picture as a picture: transparency kinds, the three ways of drawing, single pixels,
// resizing, bitmaps both ways and the clipboard.

#include "PngFixtures.h"

#include "spreadsheet/png/PngErrors.h"
#include "spreadsheet/png/PngHeaderChunk.h"
#include "spreadsheet/png/PngPaletteChunks.h"

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"

using namespace pngfix;

namespace {

std::string Rgba(std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a) {
    return {static_cast<char>(r), static_cast<char>(g), static_cast<char>(b), static_cast<char>(a)};
}

std::unique_ptr<TBitmap> Background(int w, int h, TColor colour) {
    auto bitmap = std::make_unique<TBitmap>(w, h, pf24bit);
    bitmap->Canvas()->Brush()->SetColor(colour);
    bitmap->Canvas()->FillRect(Rect(0, 0, w, h));
    return bitmap;
}

std::vector<TColor> Pixels(TBitmap& bitmap) {
    std::vector<TColor> pixels;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            pixels.push_back(bitmap.Canvas()->Pixel(x, y));
    return pixels;
}

// Red and green pixels, with a tRNS chunk making green transparent when asked.
std::string RedGreen(bool transparentGreen) {
    return Png(Ihdr(2, 1, 8, 2), std::string("\0\xff\0\0\0\xff\0", 7),
               transparentGreen ? Chunk("tRNS", std::string("\0\0\0\xff\0\0", 6)) : "");
}

TEST(PngDrawing, RgbWithTransparencyChunkLeavesTheKeyColourPixelsAlone) {
    for (bool keyed : {false, true}) {
        SCOPED_TRACE(keyed);
        TPngPicture png;
        Load(png, RedGreen(keyed));
        EXPECT_EQ(png.TransparencyKind(),
                  keyed ? TPngTransparencyKind::SingleColour : TPngTransparencyKind::None);
        auto target = Background(4, 2, clBlue);
        png.Draw(target->Canvas(), Rect(0, 0, 4, 2)); // stretched twice
        TColor second = keyed ? clBlue : RGB(0, 255, 0);
        EXPECT_EQ(Pixels(*target), (std::vector<TColor>{clRed, clRed, second, second, clRed, clRed,
                                                        second, second}));
    }
}

TEST(PngDrawing, PaletteTransparencyIsOneColourOrAnAlphaChannel) {
    const std::string plte = Chunk("PLTE", std::string("\xc8\x64\x32\x00\x00\x00\x10\x20\x30", 9));
    const std::string row = std::string("\0\0\1\2", 4);
    struct TCase {
        std::string trns;
        TPngTransparencyKind kind;
        std::vector<TColor> drawn; // over white
    };
    const std::vector<TCase> cases = {
        {"", TPngTransparencyKind::None, {RGB(200, 100, 50), 0, RGB(16, 32, 48)}},
        {std::string("\xff\x00", 2),
         TPngTransparencyKind::SingleColour,
         {RGB(200, 100, 50), clWhite, RGB(16, 32, 48)}},
        // alpha 0 and 128: blended, (s * 128 + 127 * 255 + 255) div 256 for entry 0
        {std::string("\x80\x00", 2),
         TPngTransparencyKind::AlphaChannel,
         {RGB(227, 177, 152), clWhite, RGB(16, 32, 48)}},
        // One translucent entry and none transparent: blended, not keyed on black.
        {std::string("\xff\x80", 2),
         TPngTransparencyKind::AlphaChannel,
         {RGB(200, 100, 50), RGB(127, 127, 127), RGB(16, 32, 48)}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.kind));
        TPngPicture png;
        Load(png, Png(Ihdr(3, 1, 8, 3), row, plte + (c.trns.empty() ? "" : Chunk("tRNS", c.trns))));
        EXPECT_EQ(png.TransparencyKind(), c.kind);
        auto target = Background(3, 1, clWhite);
        png.Draw(target->Canvas(), Rect(0, 0, 3, 1));
        EXPECT_EQ(Pixels(*target), c.drawn);
    }
}

TEST(PngDrawing, SettingThePaletteRecoloursIndexedImagesOnly) {
    TPngPicture png;
    Load(png, Png(Ihdr(2, 1, 8, 3), std::string("\0\0\1", 3),
                  Chunk("PLTE", std::string("\xff\0\0\0\xff\0", 6))));
    png.SetPalette({{0x30, 0x20, 0x10, 0}, {0x60, 0x50, 0x40, 0}});
    EXPECT_EQ(png.PixelColour(1, 0), RGB(0x40, 0x50, 0x60));
    auto target = Background(2, 1, clWhite);
    png.Draw(target->Canvas(), Rect(0, 0, 2, 1));
    EXPECT_EQ(Pixels(*target), (std::vector<TColor>{RGB(0x10, 0x20, 0x30), RGB(0x40, 0x50, 0x60)}));
    TPngPicture again;
    Load(again, Save(png));
    EXPECT_EQ(again.PixelColour(0, 0), RGB(0x10, 0x20, 0x30));

    Load(png, RedGreen(false)); // not indexed: the palette is ignored
    png.SetPalette({{0x30, 0x20, 0x10, 0}});
    EXPECT_TRUE(png.Palette().empty());
    EXPECT_EQ(png.PixelColour(0, 0), clRed);
}

TEST(PngDrawing, AlphaBlendingFollowsTheIntegerFormula) {
    // Source (200, 100, 50) with alpha 0, 255, 128 and 1, over black and over (10, 20, 30).
    const std::string pixels = Rgba(200, 100, 50, 0) + Rgba(200, 100, 50, 255) +
                               Rgba(200, 100, 50, 128) + Rgba(200, 100, 50, 1);
    TPngPicture png;
    Load(png, Png(Ihdr(4, 1, 8, 6), RawRows(pixels, 4, 1, 4)));
    auto blend = [](int s, int d, int a) { return (s * a + (255 - a) * d + 255) / 256; };
    for (TColor background : {clBlack, RGB(10, 20, 30)}) {
        SCOPED_TRACE(background);
        auto target = Background(4, 1, background);
        png.Draw(target->Canvas(), Rect(0, 0, 4, 1));
        int r = GetRValue(background), g = GetGValue(background), b = GetBValue(background);
        std::vector<TColor> expected = {
            background, RGB(200, 100, 50),
            RGB(blend(200, r, 128), blend(100, g, 128), blend(50, b, 128)),
            RGB(blend(200, r, 1), blend(100, g, 1), blend(50, b, 1))};
        EXPECT_EQ(Pixels(*target), expected);
    }
    EXPECT_EQ(blend(200, 0, 128), (200 * 128 + 255) / 256);
}

TEST(PngDrawing, AlphaImageStretchedTwiceMapsEachPixelToATwoByTwoBlock) {
    const std::string pixels = Rgba(255, 0, 0, 255) + Rgba(0, 255, 0, 255) + Rgba(0, 0, 255, 255) +
                               Rgba(255, 255, 255, 255);
    TPngPicture png;
    Load(png, Png(Ihdr(2, 2, 8, 6), RawRows(pixels, 2, 2, 4)));
    auto target = Background(6, 5, clBlack);
    png.Draw(target->Canvas(), Rect(5, 4, 1, 0)); // corners swapped: the rectangle (1,0)-(5,4)
    const TColor r = clRed, g = RGB(0, 255, 0), b = clBlue, w = clWhite, k = clBlack;
    EXPECT_EQ(Pixels(*target), (std::vector<TColor>{k, r, r, g, g, k, //
                                                    k, r, r, g, g, k, //
                                                    k, b, b, w, w, k, //
                                                    k, b, b, w, w, k, //
                                                    k, k, k, k, k, k}));
}

TEST(PngDrawing, ResizingKeepsTheTopLeftCornerAndMakesNewPixelsBlackAndOpaque) {
    std::string pixels;
    for (int i = 0; i < 100; ++i)
        pixels += Rgba(static_cast<std::uint8_t>(i), 7, 9, static_cast<std::uint8_t>(100 + i));
    TPngPicture png;
    Load(png, Png(Ihdr(10, 10, 8, 6), RawRows(pixels, 10, 10, 4)));
    png.ResizeImage(20, 5);
    EXPECT_EQ(png.Width(), 20);
    EXPECT_EQ(png.Height(), 5);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 20; ++x) {
            bool old = x < 10;
            EXPECT_EQ(png.PixelColour(x, y), old ? RGB(y * 10 + x, 7, 9) : clBlack)
                << x << "," << y;
            EXPECT_EQ(png.AlphaRow(y)[x], old ? 100 + y * 10 + x : 255) << x << "," << y;
        }
    }
    TPngPicture again;
    Load(again, Save(png));
    EXPECT_EQ(again.Width(), 20);
    EXPECT_EQ(again.PixelColour(9, 4), RGB(49, 7, 9));
    for (auto [w, h] : {std::pair{0, 5}, std::pair{5, -1}}) {
        try {
            png.ResizeImage(w, h);
            ADD_FAILURE();
        } catch (const EPNGInvalidNewSize& e) {
            EXPECT_EQ(e.Message(), pngtext::InvalidNewSize);
        }
    }
}

TEST(PngDrawing, SinglePixelsOutsideAreZeroAndIgnored) {
    TPngPicture png;
    Load(png, RedGreen(false));
    std::string before = Save(png);
    EXPECT_EQ(png.PixelColour(-1, 0), 0);
    EXPECT_EQ(png.PixelColour(2, 0), 0);
    png.SetPixelColour(-1, 0, clWhite);
    png.SetPixelColour(0, 1, clWhite);
    EXPECT_EQ(Save(png), before);
    png.SetPixelColour(1, 0, RGB(1, 2, 3));
    EXPECT_EQ(png.PixelColour(1, 0), RGB(1, 2, 3));

    // Indexed images take the nearest palette entry.
    Load(png, Png(Ihdr(2, 1, 4, 0), std::string("\0\x00", 2)));
    png.SetPixelColour(1, 0, RGB(130, 140, 120)); // nearest grey: 8 * 17 = 136
    EXPECT_EQ(png.PixelColour(1, 0), RGB(136, 136, 136));
    EXPECT_EQ(png.RowPointer(0)[0], 0x08);
}

TEST(PngDrawing, BitmapsBecomePngImages) {
    TBitmap rgb(3, 2, pf24bit);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            rgb.Canvas()->SetPixel(x, y, RGB(x * 100, y * 200, 7));
    TPngPicture png;
    png.Assign(&rgb);
    EXPECT_EQ(ChunkTypes(png), "IHDR IDAT IEND");
    EXPECT_EQ(png.RequireHeader()->ColourType, COLOR_RGB);
    EXPECT_EQ(png.RequireHeader()->BitDepth, 8);
    EXPECT_EQ(png.PixelColour(2, 1), RGB(200, 200, 7));

    TBitmap indexed(2, 2, pf8bit);
    indexed.Canvas()->Brush()->SetColor(clYellow);
    indexed.Canvas()->FillRect(Rect(0, 0, 2, 2));
    indexed.Canvas()->SetPixel(1, 1, clNavy);
    indexed.SetTransparentColor(clYellow);
    indexed.SetTransparent(true);
    png.Assign(&indexed);
    EXPECT_EQ(ChunkTypes(png), "IHDR PLTE tRNS IDAT IEND");
    EXPECT_EQ(png.RequireHeader()->ColourType, COLOR_PALETTE);
    EXPECT_EQ(png.TransparencyKind(), TPngTransparencyKind::SingleColour);
    EXPECT_EQ(png.TransparentColourOf(), clYellow);
    EXPECT_EQ(png.PixelColour(1, 1), clNavy);

    // Written and read again, the palette image keeps its colours and its transparent entry.
    TPngPicture again;
    Load(again, Save(png));
    EXPECT_EQ(again.PixelColour(1, 1), clNavy);
    EXPECT_EQ(again.PixelColour(0, 0), clYellow);
    EXPECT_EQ(again.TransparentColourOf(), clYellow);
}

TEST(PngDrawing, AlphaImageAssignedToABitmapIsBlendedOverItsContent) {
    TPngPicture png;
    Load(png, Png(Ihdr(2, 1, 8, 6), RawRows(Rgba(0, 0, 0, 128) + Rgba(10, 20, 30, 255), 2, 1, 4)));
    EXPECT_EQ(png.BitmapPixelFormat(), pf24bit);
    TBitmap bitmap;
    png.AssignTo(&bitmap);
    EXPECT_EQ(bitmap.PixelFormat(), pf24bit);
    EXPECT_EQ(bitmap.Width(), 2);
    int over = (127 * 255 + 255) / 256; // black at 128 over the new bitmap's white
    EXPECT_EQ(Pixels(bitmap), (std::vector<TColor>{RGB(over, over, over), RGB(10, 20, 30)}));

    // A keyed image hands its key colour to the bitmap.
    Load(png, RedGreen(true));
    png.AssignTo(&bitmap);
    EXPECT_TRUE(bitmap.Transparent());
    EXPECT_EQ(bitmap.TransparentColor(), RGB(0, 255, 0));
}

TEST(PngDrawing, BitmapPixelFormatFollowsDepthAndColourType) {
    struct TCase {
        int depth, colourType;
        TPixelFormat format;
    };
    for (TCase c :
         {TCase{1, 0, pf1bit}, TCase{2, 3, pf4bit}, TCase{4, 0, pf4bit}, TCase{8, 0, pf24bit},
          TCase{16, 2, pf24bit}, TCase{8, 3, pf8bit}, TCase{16, 4, pf24bit}}) {
        SCOPED_TRACE(c.depth * 10 + c.colourType);
        TPngPicture png;
        int channels = c.colourType == 2 ? 3 : c.colourType == 4 ? 2 : 1;
        Load(png, Png(Ihdr(1, 1, c.depth, c.colourType),
                      std::string(1 + channels * std::max(1, c.depth / 8), '\0')));
        EXPECT_EQ(png.BitmapPixelFormat(), c.format);
    }
}

TEST(PngDrawing, ClipboardCarriesTheImageAsABitmap) {
    TPngPicture png;
    Load(png, RedGreen(false));
    std::uint16_t format = 0;
    std::vector<std::uint8_t> data;
    TPngPalette palette;
    png.SaveToClipboardFormat(format, data, palette);
    EXPECT_EQ(format, CF_BITMAP);
    TPngPicture pasted;
    pasted.LoadFromClipboardFormat(format, data, palette);
    EXPECT_EQ(pasted.PixelColour(0, 0), clRed);
    EXPECT_EQ(pasted.PixelColour(1, 0), RGB(0, 255, 0));
    EXPECT_FALSE(pasted.Transparent());
}

TEST(PngDrawing, PictureOverACheckerboardLooksRight) {
    // A 64 x 64 RGBA picture (a colour ramp fading out to the right)
    // drawn twice its size over a checkerboard, then saved as a PNG for a person to look at.
    std::string pixels;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            pixels += Rgba(static_cast<std::uint8_t>(x * 4), static_cast<std::uint8_t>(y * 4), 160,
                           static_cast<std::uint8_t>(255 - x * 4));
    TPngPicture png;
    Load(png, Png(Ihdr(64, 64, 8, 6), RawRows(pixels, 64, 64, 4)));
    auto target = Background(160, 160, clWhite);
    for (int y = 0; y < 160; y += 16)
        for (int x = (y / 16 % 2) * 16; x < 160; x += 32) {
            target->Canvas()->Brush()->SetColor(RGB(200, 200, 200));
            target->Canvas()->FillRect(Rect(x, y, x + 16, y + 16));
        }
    png.Draw(target->Canvas(), Rect(16, 16, 144, 144));
    TPngPicture shot;
    shot.Assign(target.get());
    shot.SaveToFile(Q4_BINARY_DIR "/png-drawing-checkerboard.png");
    // Left edge: the ramp's opaque start; right edge: source (252, 0, 160) at alpha 3 over white.
    EXPECT_EQ(target->Canvas()->Pixel(16, 16), RGB(0, 0, 160));
    auto blend = [](int s) { return (s * 3 + 252 * 255 + 255) / 256; };
    EXPECT_EQ(target->Canvas()->Pixel(143, 16), RGB(blend(252), blend(0), blend(160)));
}

} // namespace
