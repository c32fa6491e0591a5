#include "GraphicsTestSupport.h"

#include "platform/graphics/GraphicsErrors.h"
#include "platform/graphics/GraphicsQt_p.h"
#include "platform/graphics/Icon.h"
#include "platform/graphics/ImageList.h"
#include "platform/graphics/Picture.h"
#include "platform/graphics/Snapshot.h"
#include "platform/graphics/Snapshot_p.h"
#include "platform/rtl/Streams.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <cstdio>

using namespace gfxtest;

namespace {

std::string TempPath(const std::string& name) {
    QString dir = QStringLiteral(Q4_BINARY_DIR "/graphics-files");
    QDir().mkpath(dir);
    return (dir + "/" + QString::fromStdString(name)).toStdString();
}

const std::map<TColor, char> kInk = {{clWhite, '.'}, {clBlack, '#'}, {clRed, 'r'}, {clBlue, 'b'}};

} // namespace

TEST(Bitmap, ScanLinesHaveTheClassicRowLayouts) {
    struct Case {
        TPixelFormat format;
        int bytesPerPixel;
    };
    for (Case c : {Case{pf24bit, 3}, Case{pf32bit, 4}, Case{pfDevice, 4}}) {
        TBitmap bmp(5, 3, c.format);
        bmp.Canvas()->SetPixel(1, 2, RGB(0x11, 0x22, 0x33));
        const std::uint8_t* row = bmp.ScanLine(2);
        const std::uint8_t* px = row + c.bytesPerPixel;
        EXPECT_EQ(px[0], 0x33) << int(c.format); // blue, green, red
        EXPECT_EQ(px[1], 0x22);
        EXPECT_EQ(px[2], 0x11);
        EXPECT_EQ(bmp.BytesPerScanLine() % 4, 0); // rows padded to four bytes
        EXPECT_GE(bmp.BytesPerScanLine(), 5 * c.bytesPerPixel);
        // Writing through the row is what the canvas then reads.
        bmp.ScanLine(0)[0] = 0xFF;
        bmp.ScanLine(0)[1] = 0x00;
        bmp.ScanLine(0)[2] = 0x00;
        EXPECT_EQ(bmp.Canvas()->Pixel(0, 0), clBlue);
    }
    TBitmap bmp(2, 2);
    EXPECT_THROW(bmp.ScanLine(2), EInvalidGraphicOperation);
    EXPECT_THROW(bmp.ScanLine(-1), EInvalidGraphicOperation);
}

TEST(Bitmap, ResizingKeepsPixelsAndFormatChangesKeepColours) {
    TBitmap bmp(3, 2);
    EXPECT_EQ(Ascii(bmp, kInk), "...\n...\n"); // new bitmaps are white
    bmp.Canvas()->SetPixel(2, 1, clRed);
    bmp.SetSize(5, 3);
    EXPECT_EQ(Ascii(bmp, kInk), ".....\n..r..\n.....\n");
    bmp.SetPixelFormat(pf24bit);
    EXPECT_EQ(bmp.PixelFormat(), pf24bit);
    EXPECT_EQ(bmp.Canvas()->Pixel(2, 1), clRed);
    bmp.SetWidth(0);
    EXPECT_TRUE(bmp.Empty());
    bmp.SetMonochrome(true);
    bmp.SetSize(2, 1);
    bmp.Canvas()->SetPixel(0, 0, RGB(40, 40, 40));
    bmp.SetPixelFormat(pfDevice);
    bmp.SetPixelFormat(pf1bit); // dark becomes black, light white
    EXPECT_EQ(Ascii(bmp, kInk), "#.\n");
}

TEST(Bitmap, AssignCopiesPixelsWithoutSharingThem) {
    TBitmap a(4, 4, pf24bit);
    a.Canvas()->SetPixel(1, 1, clRed);
    a.SetTransparent(true);
    a.SetTransparentColor(clRed);
    TBitmap b;
    b.Assign(a);
    EXPECT_EQ(b.PixelFormat(), pf24bit);
    EXPECT_TRUE(b.Transparent());
    EXPECT_EQ(b.TransparentColor(), clRed);
    EXPECT_EQ(b.Canvas()->Pixel(1, 1), clRed);
    b.Canvas()->SetPixel(1, 1, clBlue);
    EXPECT_EQ(a.Canvas()->Pixel(1, 1), clRed);
    a.ScanLine(0)[0] = 0;
    EXPECT_EQ(b.Canvas()->Pixel(0, 0), clWhite);
}

TEST(Bitmap, TransparentColourAndTransparentDrawing) {
    TBitmap glyph(3, 2);
    glyph.Canvas()->Brush()->SetColor(clFuchsia);
    glyph.Canvas()->FillRect(Rect(0, 0, 3, 2));
    glyph.Canvas()->SetPixel(1, 0, clRed);
    EXPECT_EQ(glyph.TransparentColor(), clFuchsia); // bottom-left pixel
    glyph.SetTransparent(true);
    auto dest = WhiteBitmap(3, 2);
    dest->Canvas()->Draw(0, 0, &glyph);
    EXPECT_EQ(Ascii(*dest, kInk), ".r.\n...\n");
    glyph.SetTransparentColor(clRed);
    EXPECT_EQ(glyph.TransparentMode(), tmFixed);
    glyph.SetTransparentMode(tmAuto);
    EXPECT_EQ(glyph.TransparentColor(), clFuchsia);
}

TEST(Bitmap, BmpFilesRoundTripAtTheirDepth) {
    for (TPixelFormat format : {pf24bit, pf32bit, pf1bit, pf8bit, pf4bit, pf15bit, pf16bit}) {
        TBitmap bmp(7, 5, format); // odd width: rows are padded
        bmp.Canvas()->Brush()->SetColor(clBlack);
        bmp.Canvas()->FillRect(Rect(1, 1, 4, 3));
        if (format != pf1bit)
            bmp.Canvas()->SetPixel(6, 4, clRed);
        std::vector<std::uint8_t> data = bmp.SaveToBytes();
        ASSERT_GE(data.size(), 54u);
        EXPECT_EQ(data[0], 'B');
        EXPECT_EQ(data[1], 'M');
        int bits = data[28] | (data[29] << 8);
        const int expected = format == pf24bit   ? 24
                             : format == pf32bit ? 32
                             : format == pf1bit  ? 1
                             : format == pf4bit  ? 4
                             : format == pf8bit  ? 8
                                                 : 16; // 5-5-5 words, or 5-6-5 bit fields
        EXPECT_EQ(bits, expected);
        std::uint32_t fileSize = data[2] | (data[3] << 8) | (data[4] << 16) | (data[5] << 24);
        EXPECT_EQ(fileSize, data.size());
        TBitmap back;
        back.LoadFromBytes(data);
        EXPECT_EQ(back.PixelFormat(), format);
        EXPECT_EQ(back.Width(), 7);
        EXPECT_EQ(back.Height(), 5);
        EXPECT_EQ(Ascii(back, kInk), Ascii(bmp, kInk)) << expected;
    }
}

TEST(Bitmap, FourBitFilesKeepUpToSixteenOwnColoursAndBringMoreToTheClassicOnes) {
    const TColor orange = RGB(255, 192, 0);
    for (int colours : {16, 17}) {
        SCOPED_TRACE(colours);
        TBitmap bmp(colours, 1, pf4bit);
        bmp.Canvas()->SetPixel(0, 0, orange);
        for (int x = 1; x < colours; ++x)
            bmp.Canvas()->SetPixel(x, 0, RGB(0, 0, 10 * x));
        TBitmap back;
        back.LoadFromBytes(bmp.SaveToBytes());
        EXPECT_EQ(back.PixelFormat(), pf4bit);
        // Sixteen colours fit the file's palette as they are; one more and orange is yellow.
        EXPECT_EQ(back.Canvas()->Pixel(0, 0), colours <= 16 ? orange : clYellow);
    }
}

TEST(Bitmap, BrokenFilesRaiseInsteadOfLoading) {
    TBitmap bmp(2, 2);
    const std::vector<std::vector<std::uint8_t>> bad = {
        {},
        {'B', 'M'},
        {'P', 'K', 3, 4, 0, 0, 0, 0},
        {'B', 'M', 0xFF, 0xFF, 0xFF, 0x7F, 0,    0,    0,    0,    54,   0, 0, 0,  40,
         0,   0,   0,    0xFF, 0xFF, 0xFF, 0x7F, 0xFF, 0xFF, 0xFF, 0x7F, 1, 0, 24, 0},
    };
    for (const auto& data : bad)
        EXPECT_THROW(bmp.LoadFromBytes(data), EInvalidGraphic) << data.size();
    EXPECT_EQ(bmp.Width(), 2); // a failed load leaves the bitmap as it was
    std::vector<std::uint8_t> good = bmp.SaveToBytes();
    good.resize(good.size() - 5); // truncated pixel rows
    TBitmap truncated;
    EXPECT_THROW(truncated.LoadFromBytes(good), EInvalidGraphic);
    EXPECT_THROW(bmp.LoadFromFile(TempPath("no-such-file.bmp")), EFOpenError);
}

TEST(Picture, FormatsByExtension) {
    TBitmap bmp(4, 3);
    bmp.Canvas()->SetPixel(0, 0, clRed);
    std::string bmpPath = TempPath("picture.bmp");
    std::string pngPath = TempPath("picture.PNG");
    bmp.SaveToFile(bmpPath);

    TPicture picture;
    int changes = 0;
    picture.OnChange = [&](TObject*) { ++changes; };
    picture.LoadFromFile(bmpPath);
    EXPECT_EQ(picture.Graphic()->ClassName(), "TBitmap");
    EXPECT_EQ(picture.Width(), 4);
    EXPECT_GE(changes, 1);
    TRasterImage png("png");
    png.Assign(bmp);
    png.SaveToFile(pngPath);
    picture.LoadFromFile(pngPath); // extensions match in any case
    EXPECT_EQ(picture.Graphic()->ClassName(), "TRasterImage");
    EXPECT_EQ(picture.Bitmap()->Canvas()->Pixel(0, 0), clRed);

    try {
        picture.LoadFromFile(TempPath("picture.xyz"));
        FAIL();
    } catch (const EInvalidGraphic& e) {
        EXPECT_EQ(e.Message(), "Unknown picture file extension (.xyz)");
    }
    // A format registered later is found; unregistering removes it.
    TPicture::RegisterFileFormat(".xyz", "Test pictures",
                                 [] { return std::make_unique<TBitmap>(); });
    ASSERT_TRUE(TPicture::FormatForExtension("XYZ").has_value());
    EXPECT_EQ(TPicture::FormatForExtension("XYZ")->description, "Test pictures");
    EXPECT_NE(TPicture::GraphicFilter().find("Test pictures (*.xyz)|*.xyz"), std::string::npos);
    TPicture::UnregisterFileFormat("xyz");
    EXPECT_FALSE(TPicture::FormatForExtension("xyz").has_value());
    EXPECT_TRUE(TPicture::FormatForExtension("jpg").has_value());
    EXPECT_TRUE(TPicture::FormatForExtension("ico").has_value());
}

TEST(Picture, DataStreamRoundTrip) {
    TBitmap bmp(3, 2);
    bmp.Canvas()->SetPixel(2, 1, clBlue);
    TPicture source;
    source.SetGraphic(&bmp);
    TMemoryStream stream;
    // The stored form: class name, then the bitmap's size-prefixed file.
    std::string name = "TBitmap";
    std::uint8_t len = static_cast<std::uint8_t>(name.size());
    stream.WriteBuffer(&len, 1);
    stream.WriteBuffer(name.data(), len);
    source.Graphic()->WriteData(stream);
    stream.SetPosition(8);
    std::uint32_t size = stream.ReadValue<std::uint32_t>();
    EXPECT_EQ(size, stream.Size() - 12);
    stream.SetPosition(8);
    TBitmap copy;
    copy.ReadData(stream);
    EXPECT_EQ(Ascii(copy, kInk), "...\n..b\n");
}

TEST(Icon, LoadsAndBlendsByAlpha) {
    QImage image(2, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(255, 0, 0, 255));
    image.setPixel(1, 0, qRgba(0, 0, 255, 0));
    TIcon icon;
    TGraphicsQt::SetImage(icon, image);
    std::vector<std::uint8_t> data = icon.SaveToBytes();
    TIcon back;
    back.LoadFromBytes(data);
    auto dest = WhiteBitmap(2, 1);
    dest->Canvas()->Draw(0, 0, &back);
    EXPECT_EQ(Ascii(*dest, kInk), "r.\n");
    EXPECT_THROW(back.SetWidth(5), EInvalidGraphicOperation);
}

TEST(ImageList, MaskedImagesDrawAndNotifyTheirLinks) {
    // Two 4x2 glyphs side by side; fuchsia is the see-through colour.
    TBitmap strip(8, 2);
    TCanvas* c = strip.Canvas();
    c->Brush()->SetColor(clFuchsia);
    c->FillRect(Rect(0, 0, 8, 2));
    c->SetPixel(0, 0, clRed);
    c->SetPixel(5, 1, clBlack);

    TImageList list(4, 2);
    TChangeLink link;
    int linkChanges = 0;
    link.OnChange = [&](TCustomImageList* sender) {
        EXPECT_EQ(sender, &list);
        ++linkChanges;
    };
    list.RegisterChanges(&link);
    EXPECT_EQ(list.AddMasked(strip, clFuchsia), 0);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(linkChanges, 1);

    auto dest = WhiteBitmap(8, 2);
    list.Draw(dest->Canvas(), 0, 0, 0);
    list.Draw(dest->Canvas(), 4, 0, 1);
    list.Draw(dest->Canvas(), 0, 0, 7); // out of range: nothing
    EXPECT_EQ(Ascii(*dest, kInk), "r.......\n.....#..\n");

    // Disabled: embossed in the highlight and shadow colours.
    auto greyed = WhiteBitmap(6, 3);
    greyed->Canvas()->Brush()->SetColor(clBtnFace);
    greyed->Canvas()->FillRect(Rect(0, 0, 6, 3));
    list.Draw(greyed->Canvas(), 0, 0, 1, false);
    EXPECT_EQ(greyed->Canvas()->Pixel(1, 1), ColorToRGB(clBtnShadow));
    EXPECT_EQ(greyed->Canvas()->Pixel(2, 2), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(greyed->Canvas()->Pixel(0, 0), ColorToRGB(clBtnFace));

    TBitmap one;
    ASSERT_TRUE(list.GetBitmap(1, &one));
    EXPECT_EQ(Ascii(one, kInk), "....\n.#..\n");
    list.Delete(0);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(linkChanges, 2);
    EXPECT_THROW(list.Delete(5), EInvalidOperation);

    // A link that goes away first is forgotten by the list; a list that goes away first leaves
    // the link unattached.
    {
        TChangeLink temporary;
        list.RegisterChanges(&temporary);
    }
    list.Clear();
    EXPECT_EQ(linkChanges, 3);
    auto other = std::make_unique<TImageList>();
    TChangeLink orphan;
    other->RegisterChanges(&orphan);
    other.reset();
    EXPECT_EQ(orphan.Sender(), nullptr);
}

TEST(Snapshot, WritesAReadablePng) {
    TBitmap bmp(5, 4);
    bmp.Canvas()->SetPixel(1, 2, clRed);
    std::string path = SaveSnapshot(bmp, TempPath("snapshot"));
    ASSERT_FALSE(path.empty());
    QImage back(QString::fromStdString(path));
    ASSERT_FALSE(back.isNull());
    EXPECT_EQ(back.size(), QSize(5, 4));
    EXPECT_EQ(At(back, 1, 2), clRed);
    EXPECT_EQ(SaveSnapshot(QImage(), "never"), "");
}
