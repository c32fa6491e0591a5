// Pixel data: decoding every layout into the held image and encoding it back, filters, Adam7,
// gamma, data spread over IDAT chunks and the IDAT chunks written.

#include "PngFixtures.h"

#include "spreadsheet/png/PngErrors.h"
#include "spreadsheet/png/PngHeaderChunk.h"
#include "spreadsheet/png/PngPaletteChunks.h"

using namespace pngfix;

namespace {

std::string HeldRow(const TPngPicture& png, int y) {
    const TChunkIHDR* h = png.RequireHeader();
    return {reinterpret_cast<const char*>(png.RowPointer(y)), h->Image.RowStride()};
}

std::vector<TColor> Colours(const TPngPicture& png) {
    std::vector<TColor> colours;
    for (int y = 0; y < png.Height(); ++y)
        for (int x = 0; x < png.Width(); ++x)
            colours.push_back(png.PixelColour(x, y));
    return colours;
}

std::string AlphaPlane(const TPngPicture& png) {
    std::string alpha;
    for (int y = 0; y < png.Height(); ++y)
        alpha.append(reinterpret_cast<const char*>(png.AlphaRow(y)), png.Width());
    return alpha;
}

// Saves with filter None so that the image data are the raw rows.
std::string SavedRows(TPngPicture& png) {
    png.SetRowFilters(RowFilterBit(rfNone));
    return ImageData(Save(png));
}

TEST(PngCodec, OnePixelRgbIsOneIdatWithOneSubRow) {
    TPngPicture png;
    Load(png, Png(Ihdr(1, 1, 8, 2), std::string("\0\x0a\xc8\x1e", 4)));
    std::string saved = Save(png);
    int idats = 0;
    for (const TFileChunk& c : ChunksOf(saved))
        idats += c.type == "IDAT";
    EXPECT_EQ(idats, 1);
    EXPECT_EQ(ImageData(saved), std::string("\x01\x0a\xc8\x1e", 4));
}

TEST(PngCodec, DataSplitOverIdatChunksOfAnySizeDecodesTheSame) {
    const std::string pixels = Noise(16 * 8 * 4, 7);
    const std::string data = Zlib(RawRows(pixels, 16, 8, 4));
    TPngPicture whole;
    Load(whole, Png(Ihdr(16, 8, 8, 6), RawRows(pixels, 16, 8, 4)));
    for (std::size_t first : {std::size_t{1}, std::size_t{7}, data.size() - 1}) {
        SCOPED_TRACE(first);
        std::string file = Signature + Ihdr(16, 8, 8, 6) + Chunk("IDAT", data.substr(0, first)) +
                           Chunk("IDAT", "") + Chunk("IDAT", data.substr(first)) + Iend();
        TPngPicture split;
        Load(split, file);
        EXPECT_EQ(Colours(split), Colours(whole));
        EXPECT_EQ(AlphaPlane(split), AlphaPlane(whole));
        EXPECT_EQ(AlphaPlane(split), [&] {
            std::string a;
            for (std::size_t i = 3; i < pixels.size(); i += 4)
                a += pixels[i];
            return a;
        }());
    }
}

TEST(PngCodec, CrcErrorOfASecondIdatIsFoundWhenEnteringTheThird) {
    const std::string data = Zlib(RawRows(Noise(16 * 8 * 4), 16, 8, 4));
    std::string second = Chunk("IDAT", data.substr(5, 5));
    second.back() ^= 0x40;
    std::string file = Signature + Ihdr(16, 8, 8, 6) + Chunk("IDAT", data.substr(0, 5)) + second +
                       Chunk("IDAT", data.substr(10)) + Iend();
    TPngPicture png;
    EXPECT_THROW(Load(png, file), EPngInvalidCRC);
}

TEST(PngCodec, ChunkLeftUnreadAfterTheLastRowStillHasItsCrcChecked) {
    // 161 x 809 grey rows as two stored deflate blocks: the IDAT chunk holds 131074 bytes, and the
    // rows end 4 bytes (the zlib trailer) before it does.
    const int w = 161, h = 809;
    std::string raw = RawRows(Noise(std::size_t{w} * h, 3), w, h, 1);
    ASSERT_EQ(raw.size(), 131058u);
    auto stored = [](const std::string& block, bool last) {
        auto n = static_cast<std::uint16_t>(block.size());
        return std::string{static_cast<char>(last), static_cast<char>(n), static_cast<char>(n >> 8),
                           static_cast<char>(~n), static_cast<char>(~n >> 8)} +
               block;
    };
    std::uint32_t adler = static_cast<std::uint32_t>(
        adler32(1, reinterpret_cast<const Bytef*>(raw.data()), static_cast<uInt>(raw.size())));
    std::string data = std::string("\x78\x01", 2) + stored(raw.substr(0, 65535), false) +
                       stored(raw.substr(65535), true) + BigEndian32(adler);
    ASSERT_EQ(data.size(), 131074u);
    ASSERT_EQ(Inflate(data), raw);
    std::string file = Signature + Ihdr(w, h, 8, 0) + Chunk("IDAT", data) + Iend();
    TPngPicture png;
    Load(png, file);
    EXPECT_EQ(png.PixelColour(160, 808) & 0xFF, static_cast<unsigned char>(raw.back()));

    std::string damaged = file;
    damaged[damaged.size() - 12 - 5] ^= 1; // a byte of the adler trailer
    EXPECT_THROW(Load(png, damaged), EPngInvalidCRC);
}

TEST(PngCodec, Adam7ImagesDecodeLikeTheirPlainTwins) {
    struct TSize {
        int w, h;
    };
    for (TSize s : {TSize{1, 9}, TSize{3, 2}, TSize{13, 11}}) {
        SCOPED_TRACE(std::to_string(s.w) + "x" + std::to_string(s.h));
        std::string pixels = Noise(std::size_t(s.w) * s.h * 3, s.w);
        TPngPicture plain, interlaced;
        Load(plain, Png(Ihdr(s.w, s.h, 8, 2), RawRows(pixels, s.w, s.h, 3)));
        Load(interlaced, Png(Ihdr(s.w, s.h, 8, 2, 1), RawRows(pixels, s.w, s.h, 3, true)));
        EXPECT_EQ(Colours(interlaced), Colours(plain));
        // Written back interlaced, and read again the same.
        EXPECT_EQ(interlaced.InterlaceKind(), 1);
        std::string saved = Save(interlaced);
        EXPECT_EQ(ChunksOf(saved)[0].data[12], '\1');
        TPngPicture again;
        Load(again, saved);
        EXPECT_EQ(Colours(again), Colours(plain));
    }
}

TEST(PngCodec, TwoBitGreyIsHeldAsFourBitShadesAndSavedWithFourBits) {
    TPngPicture png;
    Load(png, Png(Ihdr(4, 1, 2, 0), std::string("\0\x1b", 2))); // levels 0, 1, 2, 3
    EXPECT_EQ(HeldRow(png, 0).substr(0, 2), "\x05\xaf");        // 0, 5, 10, 15
    EXPECT_EQ(Colours(png), (std::vector<TColor>{RGB(0, 0, 0), RGB(85, 85, 85), RGB(170, 170, 170),
                                                 RGB(255, 255, 255)}));
    EXPECT_EQ(SavedRows(png), std::string("\0\x05\xaf", 3));
    EXPECT_EQ(png.RequireHeader()->BitDepth, 4);
    TPngPicture again;
    Load(again, Save(png));
    EXPECT_EQ(Colours(again), Colours(png));

    // The transparent level is the held shade: level 3 is white, and written as the 4-bit level
    // of white.
    Load(png,
         Png(Ihdr(4, 1, 2, 0), std::string("\0\x1b", 2), Chunk("tRNS", std::string("\0\3", 2))));
    EXPECT_EQ(png.TransparentColourOf(), RGB(255, 255, 255));
    std::string saved = Save(png);
    EXPECT_EQ(ChunksOf(saved)[1].type, "tRNS");
    EXPECT_EQ(ChunksOf(saved)[1].data, std::string("\0\x0f", 2));
    Load(again, saved);
    EXPECT_EQ(again.TransparentColourOf(), RGB(255, 255, 255));
    // A colour made transparent on a 2-bit image names its 4-bit shade too.
    Load(png, Png(Ihdr(4, 1, 2, 0), std::string("\0\x1b", 2)));
    png.Chunks().Add(std::make_unique<TChunktRNS>(&png))->SetChunkType({'t', 'R', 'N', 'S'});
    png.Chunks().ItemFromClass<TChunktRNS>()->SetTransparentColour(RGB(170, 170, 170));
    EXPECT_EQ(png.TransparentColourOf(), RGB(170, 170, 170));
    EXPECT_EQ(png.Chunks().ItemFromClass<TChunktRNS>()->Payload(), Bytes(std::string("\0\x0a", 2)));
}

TEST(PngCodec, SixteenBitSamplesKeepTheirLowBytesBothWays) {
    struct TCase {
        int colourType;
        std::string row; // two pixels
        std::string lowBytes;
    };
    const std::vector<TCase> cases = {
        {0, std::string("\x12\x34\xfe\xdc", 4), "\x34\xdc"},
        {2, std::string("\x12\x34\x56\x78\x9a\xbc\x01\x02\x03\x04\x05\x06", 12),
         "\xbc\x78\x34\x06\x04\x02"},
        // Alpha keeps its high byte: opaque stays 0xffff.
        {4, std::string("\x12\x34\xff\xff\xfe\xdc\x00\x00", 8), "\x34\xdc"},
        {6, std::string("\x12\x34\x56\x78\x9a\xbc\xff\xff\x01\x02\x03\x04\x05\x06\x80\x80", 16),
         "\xbc\x78\x34\x06\x04\x02"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.colourType);
        TPngPicture png;
        Load(png, Png(Ihdr(2, 1, 16, c.colourType), '\0' + c.row));
        std::string low(reinterpret_cast<const char*>(png.LowByteRow(0)), c.lowBytes.size());
        EXPECT_EQ(low, c.lowBytes);
        EXPECT_EQ(SavedRows(png), '\0' + c.row);
    }
}

TEST(PngCodec, SixteenBitTransparentColourIsTheHeldHighByte) {
    TPngPicture png;
    Load(png,
         Png(Ihdr(1, 1, 16, 2), std::string(7, '\0'), Chunk("tRNS", "\x12\x34\x56\x78\x9a\xbc")));
    EXPECT_EQ(png.TransparentColourOf(), RGB(0x12, 0x56, 0x9a));
    Load(png, Png(Ihdr(1, 1, 16, 0), std::string(3, '\0'), Chunk("tRNS", "\x80\x01")));
    EXPECT_EQ(png.TransparentColourOf(), RGB(0x80, 0x80, 0x80));
    Load(png, Png(Ihdr(1, 1, 8, 2), std::string(4, '\0'),
                  Chunk("tRNS", std::string("\0\x11\0\x22\0\x33", 6))));
    EXPECT_EQ(png.TransparentColourOf(), RGB(0x11, 0x22, 0x33));
}

TEST(PngCodec, GammaImagesSaveThroughTheInverseTable) {
    std::string pixels;
    for (int i = 0; i < 256; ++i)
        pixels += {static_cast<char>(i), static_cast<char>(255 - i), static_cast<char>(i / 2)};
    // 45455 is the usual gamma of 1 / 2.2: the tables stay (nearly) the identity. 100000 does not.
    for (std::uint32_t gamma : {45455u, 100000u}) {
        SCOPED_TRACE(gamma);
        TPngPicture png;
        Load(png, Png(Ihdr(256, 1, 8, 2), RawRows(pixels, 256, 1, 3),
                      Chunk("gAMA", BigEndian32(gamma))));
        if (gamma == 100000u) {
            EXPECT_EQ(png.GammaMap()[128], 186); // 255 * (128 / 255) ^ (1 / 2.2)
        }
        TPngPicture again;
        Load(again, Save(png));
        EXPECT_EQ(again.GammaMap(), png.GammaMap());
        EXPECT_EQ(HeldRow(again, 0), HeldRow(png, 0));
    }
}

TEST(PngCodec, RowFilterChoice) {
    struct TCase {
        TPngRowFilters filters;
        std::string expected; // filter byte of each row
    };
    const TPngRowFilters all =
        RowFilterBit(rfSub) | RowFilterBit(rfUp) | RowFilterBit(rfAverage) | RowFilterBit(rfPaeth);
    const std::vector<TCase> cases = {
        {RowFilterBit(rfSub), "\1\1\1"},
        {RowFilterBit(rfUp), "\2\2\2"},
        {RowFilterBit(rfPaeth), "\4\4\4"},
        {0, std::string(3, '\0')},
        {RowFilterBit(rfNone), std::string(3, '\0')},
        // Rows of equal bytes: every candidate scores the same, and the first enabled one stays.
        {all, "\1\1\1"},
        {static_cast<TPngRowFilters>(all | RowFilterBit(rfNone)), std::string("\0\0\0", 3)},
    };
    const std::string row = "\x33\x33\x33\x33\x33\x33\x33\x33\x33";
    for (const TCase& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.filters));
        TPngPicture png;
        Load(png, Png(Ihdr(9, 3, 8, 0), '\0' + row + '\0' + row + '\0' + row));
        png.SetRowFilters(c.filters);
        std::string data = ImageData(Save(png));
        ASSERT_EQ(data.size(), 30u);
        EXPECT_EQ(std::string({data[0], data[10], data[20]}), c.expected);
        TPngPicture again;
        Load(again, Save(png));
        EXPECT_EQ(HeldRow(again, 2), HeldRow(png, 2));
    }
}

TEST(PngCodec, ChooseRowFilterScoresBytesEqualToOneOfTheTwoBefore) {
    const std::uint8_t none[] = {1, 2, 3, 4, 5, 6};
    const std::uint8_t sub[] = {1, 1, 1, 1, 1, 1};   // score 4
    const std::uint8_t up[] = {9, 8, 9, 8, 9, 8};    // score 4 (tie: Sub stays)
    const std::uint8_t avg[] = {0, 0, 0, 0, 0, 0};   // score 4
    const std::uint8_t paeth[] = {7, 7, 5, 5, 5, 5}; // score 4
    const std::uint8_t* rows[5] = {none, sub, up, avg, paeth};
    EXPECT_EQ(ChooseRowFilter(0x1E, rows, 6), rfSub);
    EXPECT_EQ(ChooseRowFilter(0x0C, rows, 6), rfUp);
    const std::uint8_t better[] = {3, 3, 3, 3, 3, 3};
    const std::uint8_t worse[] = {1, 2, 3, 4, 5, 6};
    const std::uint8_t* rows2[5] = {none, worse, worse, better, worse};
    EXPECT_EQ(ChooseRowFilter(0x1F, rows2, 6), rfAverage);
    const std::uint8_t* flat[5] = {none, worse, worse, worse, worse};
    EXPECT_EQ(ChooseRowFilter(0x1E, flat, 6), rfNone);
}

TEST(PngCodec, IdatChunksHoldTheBlockSizeExceptTheLast) {
    TPngPicture png;
    Load(png, Png(Ihdr(300, 300, 8, 2), RawRows(Noise(300 * 300 * 3, 9), 300, 300, 3)));
    for (std::uint32_t block : {65535u, 100000u}) {
        png.SetIdatBlockSize(block);
        std::vector<std::size_t> sizes;
        for (const TFileChunk& c : ChunksOf(Save(png))) {
            if (c.type == "IDAT")
                sizes.push_back(c.data.size());
        }
        ASSERT_GE(sizes.size(), 2u);
        for (std::size_t i = 0; i + 1 < sizes.size(); ++i)
            EXPECT_EQ(sizes[i], block);
        EXPECT_GT(sizes.back(), 0u);
        EXPECT_LE(sizes.back(), block);
    }
}

TEST(PngCodec, ShortDataEndDecodingWithTheMissingRowsBlack) {
    const std::string row = std::string("\0\x10\x20\x30", 4);
    // The compressed stream holds one row of two: decoding stops, the file is otherwise sound.
    TPngPicture png;
    Load(png, Png(Ihdr(1, 2, 8, 2), row));
    EXPECT_EQ(Colours(png), (std::vector<TColor>{RGB(0x10, 0x20, 0x30), 0}));

    // The file ends inside the image data: the rows read so far stay, and the CRC is wrong.
    std::string data = Zlib(row + row, 0);
    std::string cut = Signature + Ihdr(1, 2, 8, 2) + BigEndian32(data.size()) + "IDAT" +
                      data.substr(0, data.size() - 6);
    EXPECT_THROW(Load(png, cut), EPngInvalidCRC);
    EXPECT_EQ(png.PixelColour(0, 0), RGB(0x10, 0x20, 0x30));
}

TEST(PngCodec, PaletteImagesOfEveryDepth) {
    const std::string plte = Chunk("PLTE", std::string("\0\0\0\xff\0\0\0\xff\0\0\0\xff", 12));
    struct TCase {
        int depth;
        std::string row; // 4 pixels: indices 0, 1, 2, 3 (1 bit: 0, 1, 0, 1)
    };
    for (const TCase& c :
         {TCase{1, "\x50"}, TCase{2, "\x1b"}, TCase{4, "\x01\x23"}, TCase{8, "\x00\x01\x02\x03"}}) {
        SCOPED_TRACE(c.depth);
        std::string row = c.depth == 8 ? std::string("\0\0\1\2\3", 5) : '\0' + c.row;
        TPngPicture png;
        Load(png, Png(Ihdr(4, 1, c.depth, 3), row, plte));
        std::vector<TColor> expected =
            c.depth == 1 ? std::vector<TColor>{0, RGB(255, 0, 0), 0, RGB(255, 0, 0)}
                         : std::vector<TColor>{0, RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)};
        EXPECT_EQ(Colours(png), expected);
        TPngPicture again;
        Load(again, Save(png));
        EXPECT_EQ(Colours(again), expected);
    }
    // An index beyond the palette's entries.
    TPngPicture png;
    Load(png, Png(Ihdr(1, 1, 8, 3), std::string("\0\7", 2), plte));
    try {
        png.PixelColour(0, 0);
        FAIL();
    } catch (const EPngError& e) {
        EXPECT_EQ(e.Message(), pngtext::NoSuchPaletteEntry);
    }
}

} // namespace
