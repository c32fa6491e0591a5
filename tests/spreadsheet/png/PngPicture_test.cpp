// Loading and saving PNG files chunk by chunk: the refusal of malformed files (each with its own
// error and text), chunks kept, dropped and rewritten, and the unit's registration.

#include "PngFixtures.h"

#include "spreadsheet/png/PngAncillaryChunks.h"
#include "spreadsheet/png/PngErrors.h"
#include "spreadsheet/png/PngHeaderChunk.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Component.h"
#include "platform/classes/Streaming.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Picture.h"

#include <functional>

using namespace pngfix;

namespace {

// A valid 2 x 1 RGB file: one row, filter None.
const std::string kRow = std::string("\0\x10\x20\x30\x40\x50\x60", 7);

std::string ValidFile(const std::string& extra = "") {
    return Png(Ihdr(2, 1, 8, 2), kRow, extra);
}

struct TRefusal {
    const char* what;
    std::string file;
    const char* errorClass;
    const char* message;
};

// Flips one byte of the first chunk of the given type (inside its data when it has any).
std::string FlipByteIn(const std::string& file, const std::string& type) {
    std::string out = file;
    std::size_t at = out.find(type);
    std::size_t length = static_cast<unsigned char>(out[at - 1]);
    out[at + 4 + (length ? length / 2 : 0)] ^= 0x01;
    return out;
}

TEST(PngPicture, MalformedFilesRaiseTheirOwnErrorWithItsText) {
    const std::string idat = Chunk("IDAT", Zlib(kRow));
    std::vector<TRefusal> cases = {
        {"bad signature", "\x89PNG\r\n\x1a\x0b" + ValidFile().substr(8), "EPNGInvalidFileHeader",
         pngtext::InvalidFileHeader},
        {"shorter than a signature", "\x89PNG", "EPNGInvalidFileHeader",
         pngtext::InvalidFileHeader},
        {"first chunk not IHDR", Signature + Chunk("tEXt", std::string("a\0b", 3)) + idat + Iend(),
         "EPNGIHDRNotFirst", pngtext::IHDRNotFirst},
        {"width 65536", Png(Ihdr(65536, 1, 8, 2), kRow), "EPNGSizeExceeds", pngtext::SizeExceeds},
        {"height 70000", Png(Ihdr(1, 70000, 8, 0), kRow), "EPNGSizeExceeds", pngtext::SizeExceeds},
        {"interlace 2", Png(Ihdr(2, 1, 8, 2, 2), kRow), "EPNGUnknownInterlace",
         pngtext::UnknownInterlace},
        {"compression 1", Png(Ihdr(2, 1, 8, 2, 0, 1), kRow), "EPNGUnknownCompression",
         pngtext::UnknownCompression},
        {"IHDR of 12 bytes", Signature + Chunk("IHDR", std::string(12, '\1')) + idat + Iend(),
         "EPngInvalidIHDR", pngtext::InvalidIHDR},
        {"width 0", Png(Ihdr(0, 1, 8, 2), kRow), "EPngInvalidIHDR", pngtext::InvalidIHDR},
        {"RGB of 4 bits", Png(Ihdr(2, 1, 4, 2), kRow), "EPngInvalidIHDR", pngtext::InvalidIHDR},
        {"palette of 16 bits", Png(Ihdr(2, 1, 16, 3), kRow), "EPngInvalidIHDR",
         pngtext::InvalidIHDR},
        {"colour type 5", Png(Ihdr(2, 1, 8, 5), kRow), "EPngInvalidIHDR", pngtext::InvalidIHDR},
        {"a second IHDR", Png(Ihdr(2, 1, 8, 2), kRow, Ihdr(2, 1, 8, 2)), "EPngInvalidIHDR",
         pngtext::InvalidIHDR},
        {"unknown critical chunk", ValidFile(Chunk("ABCD", "x")), "EPNGUnknownCriticalChunk",
         pngtext::UnknownCriticalChunk},
        {"ends before IEND", ValidFile().substr(0, ValidFile().size() - 12), "EPngUnexpectedEnd",
         pngtext::UnexpectedEnd},
        {"ends inside a length", ValidFile().substr(0, ValidFile().size() - 10),
         "EPngUnexpectedEnd", pngtext::UnexpectedEnd},
        {"chunk longer than the file", Signature + Ihdr(2, 1, 8, 2) + BigEndian32(1000) + "tEXt",
         "EPngUnexpectedEnd", pngtext::UnexpectedEnd},
        {"length above 2^31", Signature + Ihdr(2, 1, 8, 2) + BigEndian32(0x80000000u) + "tEXt",
         "EPngUnexpectedEnd", pngtext::UnexpectedEnd},
        {"no IDAT", Signature + Ihdr(2, 1, 8, 2) + Iend(), "EPNGNoImageData", pngtext::NoImageData},
        {"flipped byte in IHDR", FlipByteIn(ValidFile(), "IHDR"), "EPngInvalidCRC",
         pngtext::InvalidCRC},
        {"flipped byte in IDAT", FlipByteIn(ValidFile(), "IDAT"), "EPngInvalidCRC",
         pngtext::InvalidCRC},
        {"flipped byte in IEND's CRC", FlipByteIn(ValidFile(), "IEND"), "EPngInvalidCRC",
         pngtext::InvalidCRC},
        {"flipped byte in tEXt", FlipByteIn(ValidFile(Chunk("tEXt", "Title\0x")), "tEXt"),
         "EPngInvalidCRC", pngtext::InvalidCRC},
        {"palette of 4 bytes", Png(Ihdr(2, 1, 8, 3), kRow, Chunk("PLTE", "abcd")),
         "EPNGInvalidPalette", pngtext::InvalidPalette},
        {"palette of 257 entries",
         Png(Ihdr(2, 1, 8, 3), kRow, Chunk("PLTE", std::string(771, 'a'))), "EPNGInvalidPalette",
         pngtext::InvalidPalette},
        {"tRNS of 257 bytes", Png(Ihdr(2, 1, 8, 3), kRow, Chunk("tRNS", std::string(257, 'a'))),
         "EPNGInvalidPalette", pngtext::InvalidPalette},
        {"IDAT continued by another chunk",
         Signature + Ihdr(2, 1, 8, 2) + Chunk("IDAT", Zlib(kRow).substr(0, 4)) +
             Chunk("tEXt", std::string("a\0b", 3)) + Iend(),
         "EPNGMissingMultipleIDAT", pngtext::MissingMultipleIDAT},
        {"IDAT not zlib", Signature + Ihdr(2, 1, 8, 2) + Chunk("IDAT", "garbage!") + Iend(),
         "EPNGZLIBError",
         "Could not decompress the image because it contains invalid compressed data.\r\n "
         "Description: data error (-3)"},
    };
    for (const TRefusal& c : cases) {
        SCOPED_TRACE(c.what);
        TPngPicture png;
        try {
            Load(png, c.file);
            ADD_FAILURE() << "loaded";
        } catch (const Exception& e) {
            EXPECT_STREQ(e.ClassName(), c.errorClass);
            EXPECT_EQ(e.Message(), c.message);
        }
    }
}

TEST(PngPicture, HugeHeaderIsRefusedBeforeAnyPixelMemoryIsTaken) {
    TPngPicture png;
    try {
        Load(png, Png(Ihdr(64000, 64000, 8, 6), kRow));
        FAIL() << "loaded";
    } catch (const EPNGOutMemory& e) {
        EXPECT_EQ(e.Message(), pngtext::OutMemory);
    }
    // The header chunk that was being read stays, without pixels; drawing it draws nothing.
    ASSERT_TRUE(png.HasHeader());
    EXPECT_FALSE(png.RequireHeader()->Image.Allocated());
    TBitmap target(4, 4, pf24bit);
    target.Canvas()->Brush()->SetColor(clBlue);
    target.Canvas()->FillRect(Rect(0, 0, 4, 4));
    png.Draw(target.Canvas(), Rect(0, 0, 4, 4));
    EXPECT_EQ(target.Canvas()->Pixel(2, 2), clBlue);
    EXPECT_EQ(png.PixelColour(2, 2), 0);
}

TEST(PngPicture, ErrorKeepsTheChunksReadSoFar) {
    TPngPicture png;
    std::string file = ValidFile(Chunk("tEXt", std::string("a\0b", 3)));
    EXPECT_THROW(Load(png, file.substr(0, file.size() - 12)), EPngUnexpectedEnd);
    EXPECT_EQ(ChunkTypes(png), "IHDR tEXt IDAT");
}

TEST(PngPicture, UnknownAncillaryChunkIsWrittenBackUnchangedAndChrmIsDropped) {
    const std::string unknown = Chunk("prVt", std::string("\0\1\2private", 10));
    TPngPicture png;
    Load(png, ValidFile(Chunk("cHRM", std::string(32, '\7')) + unknown));
    EXPECT_EQ(ChunkTypes(png), "IHDR prVt IDAT IEND");
    std::string saved = Save(png);
    EXPECT_NE(saved.find(unknown), std::string::npos);
    EXPECT_EQ(saved.find("cHRM"), std::string::npos);
}

TEST(PngPicture, TextChunksSurviveLoadingAndSaving) {
    std::string ztxt = std::string("Comment\0\0", 9) + Zlib("packed words");
    TPngPicture png;
    Load(png, ValidFile(Chunk("tEXt", std::string("Title\0Pump \xe2\x84\x96 3", 16)) +
                        Chunk("zTXt", ztxt)));
    auto* text = png.Chunks().ItemFromClass<TChunktEXt>();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->Keyword, "Title");
    EXPECT_EQ(text->Text, "Pump \xe2\x84\x96 3");
    auto* packed = png.Chunks().ItemFromClass<TChunkzTXt>();
    ASSERT_NE(packed, nullptr);
    EXPECT_EQ(packed->Keyword, "Comment");
    EXPECT_EQ(packed->Text, "packed words");

    packed->Text.clear(); // an empty compressed text is written as one space
    TPngPicture again;
    Load(again, Save(png));
    EXPECT_EQ(again.Chunks().ItemFromClass<TChunktEXt>()->Text, "Pump \xe2\x84\x96 3");
    EXPECT_EQ(again.Chunks().ItemFromClass<TChunkzTXt>()->Text, " ");
}

TEST(PngPicture, CompressedTextIsCappedAndBadCompressedTextReadsEmpty) {
    std::string bomb = Zlib(std::string(TChunkzTXt::MaxTextBytes + 1, 'a'), 9);
    ASSERT_LT(bomb.size(), 4096u);
    TPngPicture png;
    Load(png, ValidFile(Chunk("zTXt", std::string("Big\0\0", 5) + bomb) +
                        Chunk("zTXt", std::string("Bad\0\0notzlib", 12)) +
                        Chunk("zTXt", std::string("Fit\0\0", 5) +
                                          Zlib(std::string(TChunkzTXt::MaxTextBytes, 'b')))));
    std::vector<std::string> texts;
    for (int i = 0; i < png.Chunks().Count(); ++i) {
        if (auto* z = dynamic_cast<TChunkzTXt*>(png.Chunks().Item(i)))
            texts.push_back(z->Keyword + ":" + std::to_string(z->Text.size()));
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"Big:0", "Bad:0",
                                               "Fit:" + std::to_string(TChunkzTXt::MaxTextBytes)}));
}

TEST(PngPicture, SettingsAndCopies) {
    TPngPicture png;
    png.SetIdatBlockSize(1000);
    EXPECT_EQ(png.IdatBlockSize(), 65535u);
    png.SetIdatBlockSize(100000);
    EXPECT_EQ(png.IdatBlockSize(), 100000u);
    EXPECT_EQ(png.DeflateLevel(), 7);
    EXPECT_EQ(png.RowFilters(), RowFilterBit(rfSub));

    Load(png, ValidFile(Chunk("tIME", std::string("\x07\xea\x0c\x0a\x13\x2d\x00", 7)) +
                        Chunk("pHYs", std::string("\0\0\x0b\x13\0\0\x0b\x13\1", 9))));
    TPngPicture copy;
    copy.Assign(&png);
    EXPECT_EQ(copy.IdatBlockSize(), 100000u);
    EXPECT_EQ(ChunkTypes(copy), "IHDR tIME pHYs IDAT IEND");
    EXPECT_EQ(copy.Chunks().ItemFromClass<TChunktIME>()->Year, 2026);
    EXPECT_EQ(copy.Chunks().ItemFromClass<TChunkpHYs>()->PPUnitX, 2835u);
    EXPECT_EQ(Save(copy), Save(png));
    EXPECT_EQ(copy.PixelColour(1, 0), RGB(0x40, 0x50, 0x60));

    TChunkIHDR header(&png);
    TChunkIEND end(&png);
    try {
        header.CopyFrom(end);
        FAIL();
    } catch (const EPngError& e) {
        EXPECT_EQ(e.Message(), pngtext::IncompatibleChunks);
    }
}

TEST(PngPicture, OperationsWithoutAHeaderRaise) {
    TPngPicture png;
    EXPECT_TRUE(png.Empty());
    EXPECT_EQ(png.Width(), 0);
    EXPECT_FALSE(png.Transparent());
    const std::vector<std::function<void()>> needHeader = {
        [&] { png.PixelColour(0, 0); },  [&] { png.ResizeImage(2, 2); },
        [&] { png.TransparencyKind(); }, [&] { png.Palette(); },
        [&] { png.RowPointer(0); },
    };
    for (const auto& call : needHeader) {
        try {
            call();
            ADD_FAILURE() << "no error";
        } catch (const EPNGHeaderNotPresent& e) {
            EXPECT_EQ(e.Message(), pngtext::HeaderNotPresent);
        }
    }
}

TEST(PngPicture, UnitRegistersThePictureKindAndTheChunkClasses) {
    EXPECT_EQ(RegisteredChunkTypes(),
              (std::vector<std::string>{"IEND", "IHDR", "IDAT", "PLTE", "gAMA", "tRNS", "pHYs",
                                        "tIME", "tEXt", "zTXt"}));
    auto format = TPicture::FormatForExtension("png");
    ASSERT_TRUE(format.has_value());
    EXPECT_EQ(format->description, "Portable Network Graphics");
    EXPECT_NE(dynamic_cast<TPngPicture*>(format->create().get()), nullptr);

    FinalizePngUnit();
    EXPECT_FALSE(TPicture::FormatForExtension("png").has_value());
    EXPECT_TRUE(RegisteredChunkTypes().empty());
    InitializePngUnit();
    EXPECT_TRUE(TPicture::FormatForExtension("png").has_value());
}

TEST(PngPicture, PictureLoadsAPngFileThroughTheRegistry) {
    std::string path = testing::TempDir() + "/registry.png";
    TPngPicture png;
    Load(png, ValidFile());
    png.SaveToFile(path);
    TPicture picture;
    picture.LoadFromFile(path);
    auto* loaded = dynamic_cast<TPngPicture*>(picture.Graphic());
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->PixelColour(0, 0), RGB(0x10, 0x20, 0x30));
}

} // namespace

namespace {

class TPictureHolder : public TComponent {
    Q4_CLASS(TPictureHolder, TComponent)
public:
    explicit TPictureHolder(TComponent* owner) : TComponent(owner) {}
    static void DeclareProperties(TPropertyList& p) {
        p.Add("Picture", &TPictureHolder::GetPicture, &TPictureHolder::SetPicture);
    }
    TPicture* GetPicture() { return picture.get(); }
    void SetPicture(TPicture* v) { picture->Assign(*v); }
    std::unique_ptr<TPicture> picture = std::make_unique<TPicture>();
};

TEST(PngPicture, PictureInADescriptionReadsBackAsAPngPicture) {
    RegisterClasses<TPictureHolder>();
    TPictureHolder holder(nullptr);
    holder.SetName("Holder");
    auto png = std::make_unique<TPngPicture>();
    Load(*png, ValidFile());
    holder.picture->SetGraphic(std::move(png));
    std::string text = ComponentToText(&holder);
    EXPECT_NE(text.find("Picture.Data"), std::string::npos);

    TPictureHolder again(nullptr);
    ReadComponentDescription(text, &again);
    auto* loaded = dynamic_cast<TPngPicture*>(again.picture->Graphic());
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->PixelColour(1, 0), RGB(0x40, 0x50, 0x60));
}

} // namespace
