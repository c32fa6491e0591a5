// Metafile export: an enhanced metafile other programs read and render with the panel's colours,
// a placeable Windows metafile after the older kind was chosen, the clipboard.

#include "chart/export/EMFExportFormat.h"
#include "platform/forms/Clipbrd.h"
#include "tests/chart/export/ExportTestPanel.h"

#include <gtest/gtest.h>

using namespace exporttest;

namespace {

std::string FileKind(const std::string& path) {
    return Oracle("import subprocess\nprint(subprocess.run(['file', '-b', '" + path +
                  "'], capture_output=True, text=True).stdout.split(',')[0].strip())");
}

} // namespace

using EMFExport = ExportFixture;

// emf2svg-conv turns the file into SVG: the panel's back colour and both blocks are there, and
// the red block sits where the panel drew it.
TEST_F(EMFExport, EnhancedFileRendersWithThePanelsColours) {
    TEMFExportFormat format;
    format.SetPanel(panel);
    const std::string path = SaveExport(format, "panel.emf");
    EXPECT_EQ(FileKind(path), "Windows Enhanced Metafile (EMF) image data version 0x10000");
    const std::string found = Oracle(R"(
import re, subprocess
svg = subprocess.run(['emf2svg-conv', '-i', ")" +
                                     path + R"(", '-o', '/dev/stdout'],
                     capture_output=True, text=True).stdout.upper()
print(' '.join(c for c in ('#FFC000', '#FF0000', '#0000FF') if c in svg))
)");
    EXPECT_EQ(found, "#FFC000 #FF0000 #0000FF");
}

TEST_F(EMFExport, ChoosingTheOlderKindWritesAPlaceableWindowsMetafile) {
    TEMFExportFormat format;
    format.SetPanel(panel);
    int counter = 0;
    format.ReserveFilterIndex(counter);
    ASSERT_TRUE(format.WantsFilterIndex(2));
    const std::string wmf = SaveExport(format, "panel.wmf");
    EXPECT_EQ(FileKind(wmf), "Windows metafile");
    EXPECT_EQ(Oracle("from PIL import Image\nprint('%s %d %d' % ((Image.open('" + wmf +
                     "').format,) + Image.open('" + wmf + "').size))"),
              "WMF 150 75"); // the placeable header's inch is 72 units for PIL
    ASSERT_TRUE(format.WantsFilterIndex(1));
    EXPECT_EQ(FileKind(SaveExport(format, "again.emf")),
              "Windows Enhanced Metafile (EMF) image data version 0x10000");
}

TEST_F(EMFExport, CopyPutsTheFileAndAnImageOnTheClipboard) {
    Clipboard()->Clear();
    TEMFExportFormat format;
    format.SetPanel(panel);
    format.CopyToClipboard();
    const std::vector<std::uint8_t> emf = Clipboard()->Data("image/x-emf");
    ASSERT_GT(emf.size(), 44u);
    EXPECT_EQ(std::string(emf.begin() + 40, emf.begin() + 44), " EMF");
    EXPECT_TRUE(Clipboard()->Data("image/x-wmf").empty());
    ASSERT_TRUE(Clipboard()->HasImage());
    TBitmap copy;
    copy.LoadFromBytes(Clipboard()->ImageAsBmp());
    EXPECT_EQ(copy.Width(), 200);
    EXPECT_EQ(copy.Canvas()->Pixel(50, 40), clRed);

    format.SetEnhanced(false);
    format.CopyToClipboard();
    const std::vector<std::uint8_t> wmf = Clipboard()->Data("image/x-wmf");
    ASSERT_GT(wmf.size(), 4u);
    EXPECT_EQ(std::vector<std::uint8_t>(wmf.begin(), wmf.begin() + 4),
              (std::vector<std::uint8_t>{0xD7, 0xCD, 0xC6, 0x9A}));
}
