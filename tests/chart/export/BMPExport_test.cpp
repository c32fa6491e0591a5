// Bitmap export: every colour depth written as a BMP file that other programs read with the
// panel's size, depth and colours; black and white, a true-3D canvas, filters, the clipboard.

#include "chart/export/BMPExportFormat.h"
#include "chart/imaging/PlotFilter.h"
#include "platform/forms/Clipbrd.h"
#include "tests/chart/export/ExportTestPanel.h"

#include <gtest/gtest.h>

using namespace exporttest;

namespace {

// "<width> <height> <PIL mode> <bits>|<file's words>|<colour at the red block>|<at the back>"
std::string Describe(const std::string& path) {
    return Oracle(R"(
import subprocess
from PIL import Image
path = ")" + path +
                  R"("
im = Image.open(path)
bits = int.from_bytes(open(path, 'rb').read()[28:30], 'little')
kind = subprocess.run(['file', '-b', path], capture_output=True, text=True).stdout.strip()
kind = ','.join(kind.split(',')[:3])
rgb = im.convert('RGB')
print('%d %d %s %d|%s|%02X%02X%02X|%02X%02X%02X' % ((im.size[0], im.size[1], im.mode, bits, kind)
      + rgb.getpixel((50, 40)) + rgb.getpixel((5, 5))))
)");
}

} // namespace

using BMPExport = ExportFixture;

TEST_F(BMPExport, EveryDepthIsReadBackWithItsSizeDepthAndColours) {
    struct Case {
        TPixelFormat depth;
        const char* mode;
        int bits;
        const char* red;  // the red block, as the file keeps it
        const char* back; // the orange back colour, as the file keeps it
    };
    // Four bits keep a picture's own colours when there are at most sixteen (this one has three);
    // fifteen and sixteen bits keep five bits a channel (six of green at sixteen), which the
    // reader spreads over 0 .. 255 again: 0xC0 comes back as 0xC5 and 0xC2.
    const Case cases[] = {
        {pfDevice, "RGB", 32, "FF0000", "FFC000"}, {pf4bit, "P", 4, "FF0000", "FFC000"},
        {pf8bit, "P", 8, "FF0000", "FFC000"},      {pf15bit, "RGB", 16, "FF0000", "FFC500"},
        {pf16bit, "RGB", 16, "FF0000", "FFC200"},  {pf24bit, "RGB", 24, "FF0000", "FFC000"},
        {pf32bit, "RGB", 32, "FF0000", "FFC000"},
    };
    TBMPExportFormat format;
    format.SetPanel(panel);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bits);
        format.SetColorDepth(c.depth);
        const std::string path = SaveExport(format, "depth-" + std::to_string(c.depth) + ".bmp");
        const std::string expected = std::string("200 100 ") + c.mode + " " +
                                     std::to_string(c.bits) + "|PC bitmap, Windows 3.x format, " +
                                     "200 x 100 x " + std::to_string(c.bits) + "|" + c.red + "|" +
                                     c.back;
        EXPECT_EQ(Describe(path), expected);
    }
}

TEST_F(BMPExport, BlackAndWhiteAndTrue3DOverrideTheDepth) {
    TBMPExportFormat format;
    format.SetPanel(panel);
    format.SetColorDepth(pf8bit);
    format.SetMonochrome(true);
    EXPECT_EQ(Describe(SaveExport(format, "mono.bmp")),
              "200 100 1 1|PC bitmap, Windows 3.x format, 200 x 100 x 1|000000|FFFFFF");
    EXPECT_EQ(format.CreateBitmap()->PixelFormat(), pf1bit);

    panel->ReplaceDrawCanvas(std::make_unique<TTrue3DCanvas>());
    format.SetMonochrome(false);
    format.SetColorDepth(pf4bit);
    EXPECT_EQ(format.Bitmap()->PixelFormat(), pf24bit);
    format.SetMonochrome(true);
    EXPECT_EQ(format.Bitmap()->PixelFormat(), pf24bit);
}

// A filter that turns every pixel green.
class TGreenFilter : public TPlotFilter {
    Q4_CLASS(TGreenFilter, TPlotFilter)
public:
    explicit TGreenFilter(TCollection* collection) : TPlotFilter(collection) {}
    void Apply(TBitmap& bitmap, const TRect& r) override {
        BuildLines(bitmap);
        for (int y = r.Top; y <= r.Bottom; ++y)
            for (int x = r.Left; x <= r.Right; ++x) {
                std::uint8_t* p = lines_[y] + 4 * x;
                p[0] = 0;
                p[1] = 0x80;
                p[2] = 0;
            }
    }
};

TEST_F(BMPExport, FiltersRunOverTheExportAndTheDepthStays) {
    TBMPExportFormat format;
    format.SetPanel(panel);
    format.SetColorDepth(pf8bit);
    format.Filters()->Add<TGreenFilter>();
    EXPECT_EQ(Describe(SaveExport(format, "filtered.bmp")),
              "200 100 P 8|PC bitmap, Windows 3.x format, 200 x 100 x 8|008000|008000");
    // Switched off, the filter leaves the picture alone; CreateBitmap never filters.
    EXPECT_EQ(format.CreateBitmap()->Canvas()->Pixel(50, 40), clRed);
    format.Filters()->Items(0)->SetEnabled(false);
    EXPECT_EQ(format.Bitmap()->Canvas()->Pixel(50, 40), clRed);
}

TEST_F(BMPExport, CopyPutsThePanelsImageOnTheClipboard) {
    Clipboard()->Clear();
    TBMPExportFormat format;
    format.SetPanel(panel);
    format.CopyToClipboard();
    ASSERT_TRUE(Clipboard()->HasImage());
    TBitmap copy;
    copy.LoadFromBytes(Clipboard()->ImageAsBmp());
    EXPECT_EQ(copy.Width(), 200);
    EXPECT_EQ(copy.Height(), 100);
    EXPECT_EQ(TColor(copy.Canvas()->Pixel(50, 40)), clRed);
    EXPECT_EQ(TColor(copy.Canvas()->Pixel(150, 60)), clBlue);
    EXPECT_EQ(TColor(copy.Canvas()->Pixel(5, 5)), kBack);
}
