// The export-format list, the extension lookup, the file-dialog entries and the export size.

#include "chart/draw/TaggedText.h"
#include "chart/export/BMPExportFormat.h"
#include "chart/export/EMFExportFormat.h"
#include "chart/export/ExportLibrary.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Metafile.h"
#include "platform/rtl/Streams.h"
#include "tests/chart/export/ExportTestPanel.h"
#include "tests/chart/support/ChartTestSupport.h"

#include <gtest/gtest.h>

using namespace exporttest;

TEST(ExportRegistry, StartRegistersMetafileThenBitmap) {
    const std::vector<TClass>* formats = RegisteredExportFormats();
    ASSERT_NE(formats, nullptr);
    EXPECT_EQ(*formats, (std::vector<TClass>{TEMFExportFormat::StaticClass(),
                                             TBMPExportFormat::StaticClass()}));
}

TEST(ExportRegistry, ExtensionFindsAnEmptyPictureOfTheFormat) {
    struct Case {
        const char* extension;
        TClass expected; // none: no picture
    };
    const Case cases[] = {
        {".bmp", TBitmap::StaticClass()},
        {".BmP", TBitmap::StaticClass()},
        {".EMF", TMetafile::StaticClass()},
        {".emf", TMetafile::StaticClass()},
        {".wmf", TMetafile::StaticClass()},
        {".WMF", TMetafile::StaticClass()},
        {".xyz", nullptr},
        {"bmp", nullptr},
        {"", nullptr},
        {".", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.extension);
        std::unique_ptr<TGraphic> graphic = CreateGraphicForExtension(c.extension);
        if (c.expected == nullptr) {
            EXPECT_EQ(graphic, nullptr);
            continue;
        }
        ASSERT_NE(graphic, nullptr);
        EXPECT_EQ(graphic->ClassType(), c.expected);
        EXPECT_TRUE(graphic->Empty());
    }
}

TEST(ExportRegistry, ListCanBeFreedAndMadeAgain) {
    StopChartExport();
    EXPECT_EQ(RegisteredExportFormats(), nullptr);
    EXPECT_EQ(CreateGraphicForExtension(".bmp"), nullptr);
    UnregisterExportFormat(TBMPExportFormat::StaticClass()); // no list: nothing happens
    EXPECT_EQ(RegisteredExportFormats(), nullptr);

    // A class registered twice is there twice; unregistering removes one entry.
    RegisterExportFormat(TBMPExportFormat::StaticClass());
    RegisterExportFormat(TBMPExportFormat::StaticClass());
    ASSERT_NE(RegisteredExportFormats(), nullptr);
    EXPECT_EQ(RegisteredExportFormats()->size(), 2u);
    UnregisterExportFormat(TBMPExportFormat::StaticClass());
    EXPECT_EQ(*RegisteredExportFormats(), std::vector<TClass>{TBMPExportFormat::StaticClass()});
    EXPECT_EQ(CreateGraphicForExtension(".emf"), nullptr);
    FreeExportFormats();
    StartChartExport();
    ASSERT_NE(RegisteredExportFormats(), nullptr);
    EXPECT_EQ(RegisteredExportFormats()->size(), 2u);
}

// A tagged text's picture is made by the format its file extension names: a bitmap source draws
// its pixels; a source no format writes draws the red crossed box, and so does any source once
// the export formats are stopped.
TEST(ExportRegistry, TaggedTextPicturesComeFromTheFormats) {
    TBitmap green(12, 8);
    green.Canvas()->Brush()->SetColor(clLime);
    green.Canvas()->FillRect({0, 0, 12, 8});
    const std::vector<std::uint8_t> file = green.SaveToBytes();
    std::vector<std::string> asked;
    TaggedPictureLoader() = [&](const std::string& source, TMemoryStream& stream) {
        asked.push_back(source);
        stream.WriteBuffer(file.data(), static_cast<std::int64_t>(file.size()));
        return true;
    };
    const auto draw = [](const std::string& text) {
        charttest::TSurface surface(80, 60);
        DrawTaggedText(surface.canvas, 10, 10, text);
        return std::make_pair(charttest::ColorBox(surface.Image(), clLime),
                              charttest::ColorBox(surface.Image(), clRed));
    };
    const auto bmp = draw("<IMG SRC=\"green.Bmp\">");
    EXPECT_EQ(bmp.first, (TRect{10, 10, 22, 18}));
    EXPECT_EQ(bmp.second, (TRect{})) << "no crossed box";
    const auto png = draw("<IMG SRC=\"green.png\">");
    EXPECT_EQ(png.first, (TRect{}));
    EXPECT_EQ(png.second.Left, 10);
    // Tags are read in capitals, their sources too.
    EXPECT_EQ(asked, std::vector<std::string>{"GREEN.BMP"}) << "nothing loaded for no format";

    StopChartExport();
    const auto stopped = draw("<IMG SRC=\"green.bmp\">");
    StartChartExport();
    TaggedPictureLoader() = nullptr;
    EXPECT_EQ(stopped.first, (TRect{}));
    EXPECT_EQ(stopped.second.Left, 10);
}

TEST(ExportRegistry, FormatsDescribeThemselves) {
    TBMPExportFormat bmp;
    TEMFExportFormat emf;
    EXPECT_EQ(bmp.Description(), "as &Bitmap");
    EXPECT_EQ(bmp.FileFilter(), "Bitmaps (*.bmp)|*.bmp");
    EXPECT_EQ(bmp.FileExtension(), "bmp");
    EXPECT_EQ(emf.Description(), "as &Metafile");
    EXPECT_EQ(emf.FileFilter(), "Enhanced Metafiles (*.emf)|*.emf|Metafiles (*.wmf)|*.wmf");
    EXPECT_EQ(emf.FileExtension(), "emf");
}

// Two formats in one file dialog: the bitmap takes entry 1, the metafile entries 2 (EMF) and 3
// (WMF). Choosing an entry makes the metafile write that kind, back and forth.
TEST(ExportRegistry, FilterEntriesChooseTheMetafileKind) {
    TBMPExportFormat bmp;
    TEMFExportFormat emf;
    int counter = 0;
    bmp.ReserveFilterIndex(counter);
    emf.ReserveFilterIndex(counter);
    EXPECT_EQ(counter, 3);
    EXPECT_EQ(bmp.FilterIndex(), 1);
    EXPECT_EQ(emf.FilterIndex(), 2);

    struct Step {
        int chosen;
        bool bmpWants, emfWants;
        const char* extension;
        int emfIndex;
    };
    const Step steps[] = {
        {3, false, true, "wmf", 3},  {2, false, true, "emf", 2},  {3, false, true, "wmf", 3},
        {1, true, false, "wmf", 3},  {4, false, false, "wmf", 3}, {2, false, true, "emf", 2},
        {0, false, false, "emf", 2},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.chosen);
        EXPECT_EQ(bmp.WantsFilterIndex(s.chosen), s.bmpWants);
        EXPECT_EQ(emf.WantsFilterIndex(s.chosen), s.emfWants);
        EXPECT_EQ(emf.FileExtension(), s.extension);
        EXPECT_EQ(emf.FilterIndex(), s.emfIndex);
    }
}

using ExportSize = ExportFixture;

TEST_F(ExportSize, ZeroTakesThePanelsSizeAndASetSizeStays) {
    TBMPExportFormat bmp;
    bmp.SetPanel(panel);
    bmp.ApplyPanelSize();
    EXPECT_EQ(bmp.Width(), 200);
    EXPECT_EQ(bmp.Height(), 100);
    panel->SetBounds(0, 0, 150, 70);
    bmp.ApplyPanelSize(); // already set: stays
    EXPECT_EQ(bmp.Width(), 200);

    TEMFExportFormat emf;
    emf.SetPanel(panel);
    emf.SetWidth(64);
    std::unique_ptr<TMetafile> metafile = emf.Metafile();
    EXPECT_EQ(metafile->Width(), 64);
    EXPECT_EQ(metafile->Height(), 70);
    bmp.SetHeight(33);
    std::unique_ptr<TBitmap> bitmap = bmp.Bitmap();
    EXPECT_EQ(bitmap->Width(), 200);
    EXPECT_EQ(bitmap->Height(), 33);
}

TEST(ExportErrors, NoPanelRaisesInsteadOfExporting) {
    TBMPExportFormat bmp;
    TEMFExportFormat emf;
    TMemoryStream stream;
    EXPECT_THROW(bmp.SaveToStream(stream), ChartException);
    EXPECT_THROW(emf.SaveToStream(stream), ChartException);
    EXPECT_THROW(bmp.ApplyPanelSize(), ChartException);
    EXPECT_EQ(stream.Size(), 0);
}

namespace {

// A stream that takes no byte.
class TFullStream : public TStream {
public:
    int64_t Read(void*, int64_t) override { return 0; }
    int64_t Write(const void*, int64_t) override { return 0; }
    int64_t Seek(int64_t, TSeekOrigin) override { return 0; }
};

} // namespace

TEST_F(ExportSize, AStreamThatFailsRaisesToTheCaller) {
    TBMPExportFormat bmp;
    TEMFExportFormat emf;
    bmp.SetPanel(panel);
    emf.SetPanel(panel);
    TFullStream stream;
    EXPECT_THROW(bmp.SaveToStream(stream), EWriteError);
    EXPECT_THROW(emf.SaveToStream(stream), EWriteError);
}
