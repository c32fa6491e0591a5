// The export formats' options forms: the bitmap's colour depth, black and white and filters
// with their preview, and the metafile's kind, each read by its format while the form exists.

#include "chart/editors/FiltersEditor.h"
#include "chart/export/BMPExportFormat.h"
#include "chart/export/BMPOptions.h"
#include "chart/export/EMFExportFormat.h"
#include "chart/export/EMFOptions.h"
#include "chart/export/ExportLibrary.h"
#include "chart/imaging/Filters.h"
#include "chart/imaging/ImageFiltered.h"
#include "chart/panel/PlotPanelExtended.h"
#include "platform/graphics/Bitmap.h"
#include "platform/rtl/Streams.h"
#include "platform/stdctrls/Button.h"
#include "platform/stdctrls/CheckBox.h"
#include "platform/stdctrls/ComboBox.h"
#include "tests/chart/editors/EditorTestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>

#include <memory>

namespace {

constexpr TColor kBack = clWhite;
constexpr TRect kRedHalf{0, 0, 100, 100};

// A panel whose left half is red on white, so filters show in every picture taken of it.
class THalfRedPanel : public TCustomPlotPanelExtended {
    Q4_CLASS(THalfRedPanel, TCustomPlotPanelExtended)
public:
    explicit THalfRedPanel(TComponent* owner) : TCustomPlotPanelExtended(owner) {
        SetBevelOuter(bvNone);
        SetColor(kBack);
    }

protected:
    void DrawToRect(const TRect& r) override {
        DrawBackground(r);
        TCanvas3D& dc = *DrawCanvas();
        dc.Pen()->SetStyle(psClear);
        dc.Brush()->SetStyle(bsSolid);
        dc.Brush()->SetColor(clRed);
        dc.Rectangle(kRedHalf);
    }
};

class ExportOptions : public ::testing::Test {
protected:
    void SetUp() override {
        StartChartExport();
        host = new TForm(nullptr);
        host->SetBounds(0, 0, 300, 200);
        host->Show();
        panel = new THalfRedPanel(host);
        panel->SetParent(host);
        panel->SetBounds(0, 0, 200, 100);
        QApplication::processEvents();
    }
    void TearDown() override {
        host->Free();
        StopChartExport();
    }

    TForm* host = nullptr;
    THalfRedPanel* panel = nullptr;
};

TColor PreviewPixel(TBMPOptions* options, int x, int y) {
    auto* bitmap = dynamic_cast<TBitmap*>(options->ImageFiltered1()->Picture()->Graphic());
    return bitmap == nullptr ? clNone : bitmap->Canvas()->Pixel(x, y);
}

TPixelFormat PreviewFormat(TBMPOptions* options) {
    auto* bitmap = dynamic_cast<TBitmap*>(options->ImageFiltered1()->Picture()->Graphic());
    return bitmap == nullptr ? pfCustom : bitmap->PixelFormat();
}

TEST_F(ExportOptions, BitmapDepthAndBlackAndWhiteComeFromTheForm) {
    TBMPExportFormat format;
    format.SetPanel(panel);
    format.SetColorDepth(pf8bit);
    EXPECT_EQ(format.Options(false), nullptr) << "none until asked for";
    TBMPOptions* options = format.EnsureOptions();
    ASSERT_EQ(format.Options(false), options);
    EXPECT_EQ(options->ExportFormat, &format);
    EXPECT_EQ(options->CBColors()->ItemIndex(), 3) << "the form starts at the format's depth";

    options->Show();
    EXPECT_EQ(options->CBColors()->ItemIndex(), 0) << "showing chooses Default";
    EXPECT_EQ(format.ColorDepth(), pfDevice);
    edtest::ChooseItem(options->CBColors(), 2);
    EXPECT_EQ(format.Bitmap()->PixelFormat(), pf4bit);
    EXPECT_EQ(PreviewFormat(options), pf4bit) << "the preview follows the choice";

    edtest::ClickControl(options->CBMono());
    EXPECT_FALSE(options->CBColors()->Enabled());
    EXPECT_TRUE(format.Monochrome());
    EXPECT_EQ(format.Bitmap()->PixelFormat(), pf1bit) << "the depth chosen is not used";
    EXPECT_EQ(PreviewFormat(options), pf1bit) << "the preview in black and white";
    EXPECT_EQ(PreviewPixel(options, 10, 10), clBlack) << "red is dark";
    EXPECT_EQ(PreviewPixel(options, 150, 10), clWhite);
    edtest::Shoot(options, "export-bitmap-options-mono");
    edtest::ClickControl(options->CBMono());
    EXPECT_TRUE(options->CBColors()->Enabled());
    EXPECT_EQ(format.Bitmap()->PixelFormat(), pf4bit);

    // Set from code, the form shows it too.
    format.SetColorDepth(pf24bit);
    EXPECT_EQ(options->CBColors()->ItemIndex(), 6);
    options->Hide();
    options->Show();
    EXPECT_EQ(options->CBColors()->ItemIndex(), 0) << "a second show resets the colours";
    EXPECT_EQ(format.ColorDepth(), pfDevice);
}

// "Filters..." edits the format's filters on the unfiltered chart; after OK the preview and the
// export show them.
TEST_F(ExportOptions, FiltersButtonEditsTheFiltersOnTheUnfilteredChart) {
    TBMPExportFormat format;
    format.SetPanel(panel);
    TBMPOptions* options = format.EnsureOptions();
    options->Show();
    ASSERT_EQ(PreviewPixel(options, 10, 10), clRed);
    std::vector<TColor> sources;
    const TModalHook old = SetModalHook([&](TCustomForm* form) {
        auto* editor = dynamic_cast<TFiltersEditor*>(form);
        if (editor == nullptr)
            return;
        auto* source = dynamic_cast<TBitmap*>(editor->SourceGraphic);
        sources.push_back(source == nullptr ? clNone : source->Canvas()->Pixel(10, 10));
        if (format.Filters()->Count() == 0)
            editor->AddFilter(TInvertFilter::StaticClass());
        editor->SetModalResult(mrOk);
    });
    auto* button = dynamic_cast<TButton*>(options->FindComponent("Button1"));
    ASSERT_NE(button, nullptr);
    edtest::ClickControl(button);
    EXPECT_EQ(PreviewPixel(options, 10, 10), clAqua) << "the preview changes after OK";
    EXPECT_EQ(PreviewPixel(options, 150, 10), clBlack);
    EXPECT_EQ(format.Bitmap()->Canvas()->Pixel(10, 10), clAqua) << "the export applies them";
    edtest::ClickControl(button);
    SetModalHook(old);
    EXPECT_EQ(sources, (std::vector<TColor>{clRed, clRed}))
        << "the editor works on the chart unfiltered";
    edtest::Shoot(options, "export-bitmap-options");
}

TEST_F(ExportOptions, MetafileKindIsTheEnhancedBox) {
    TEMFExportFormat format;
    format.SetPanel(panel);
    int counter = 2;
    format.ReserveFilterIndex(counter);
    ASSERT_TRUE(format.WantsFilterIndex(4));
    EXPECT_EQ(format.Options(false), nullptr);
    auto* options = dynamic_cast<TEMFOptions*>(format.Options(true));
    ASSERT_NE(options, nullptr);
    EXPECT_EQ(format.Options(true), options) << "made once";
    EXPECT_FALSE(options->CBEnhanced()->Checked()) << "the form shows the kind chosen";
    options->Show();
    edtest::ClickControl(options->CBEnhanced());
    EXPECT_EQ(format.FileExtension(), "emf");
    EXPECT_EQ(format.FilterIndex(), 3);
    edtest::ClickControl(options->CBEnhanced());
    EXPECT_EQ(format.FileExtension(), "wmf");
    TMemoryStream wmf;
    format.SaveToStream(wmf);
    ASSERT_GT(wmf.Size(), 4);
    const auto* bytes = static_cast<const std::uint8_t*>(wmf.Memory());
    EXPECT_EQ(bytes[0], 0xD7) << "a placeable Windows metafile";
    EXPECT_EQ(bytes[3], 0x9A);
    ASSERT_TRUE(format.WantsFilterIndex(3));
    EXPECT_TRUE(options->CBEnhanced()->Checked()) << "the enhanced entry ticks the box";
    edtest::Shoot(options, "export-metafile-options");
}

} // namespace
