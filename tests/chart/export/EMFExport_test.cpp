// Metafile export: an enhanced metafile other programs read and render with the panel's colours,
// a placeable Windows metafile after the older kind was chosen, the clipboard, and both kinds
// rendered by LibreOffice Draw.

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

// LibreOffice Draw reads both kinds and renders them to PNG: the panel's size, its back colour
// and each block where the panel drew it. Draw puts the picture on a white page, so the probes
// are taken from the picture's corner on the page.
TEST_F(EMFExport, LibreOfficeRendersBothKindsWithThePanelsColours) {
    TEMFExportFormat format;
    format.SetPanel(panel);
    const std::string emf = SaveExport(format, "office.emf");
    format.SetEnhanced(false);
    const std::string wmf = SaveExport(format, "office.wmf");
    const std::string folder = OutputPath("office");
    const std::string found = Oracle(R"(
import os, subprocess, time
from PIL import Image
folder, files = ')" + folder + "', ['" +
                                     emf + "', '" + wmf + R"(']
started = time.monotonic()
subprocess.run(['soffice', '-env:UserInstallation=file://' + folder + '/profile', '--headless',
                '--convert-to', 'png', '--outdir', folder + '/png'] + files,
               capture_output=True, timeout=300)
seconds = time.monotonic() - started
out = []
for f in files:
    path = folder + '/png/' + os.path.basename(f).rsplit('.', 1)[0] + '.png'
    if not os.path.exists(path):
        out.append('missing')
        continue
    im = Image.open(path).convert('RGB')
    box = Image.eval(im, lambda v: 255 - v).getbbox()
    if box is None:
        out.append('blank')
        continue
    w, h = box[2] - box[0], box[3] - box[1]
    at = lambda x, y: '%02X%02X%02X' % im.getpixel((box[0] + x * w // 200, box[1] + y * h // 100))
    out.append('%dx%d %s %s %s' % (round(w / 10) * 10, round(h / 10) * 10, at(5, 5), at(50, 40), at(145, 65)))
print('|'.join(out) + '|%d' % seconds)
)");
    const std::size_t bar = found.rfind('|');
    ASSERT_NE(bar, std::string::npos) << found;
    EXPECT_EQ(found.substr(0, bar), "200x100 FFC000 FF0000 0000FF|200x100 FFC000 FF0000 0000FF");
    // One start of LibreOffice converts both; it must not hold the test run up for long.
    EXPECT_LT(std::stoi(found.substr(bar + 1)), 120) << "seconds";
}
