// The pictures galleries and editors show for series: a series' legend symbol on a canvas of
// their own, and the bitmap kept for a class.

#include "chart/control/SeriesPictures.h"

#include "chart/control/Chart.h"
#include "chart/control/ChartPalettes.h"
#include "chart/control/SeriesFactory.h"
#include "chart/control/SeriesTypes.h"
#include "chart/series/FastLineSeries.h"
#include "chart/series/PointSeries.h"
#include "chart/util/ChartUtils.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/GraphicsQt_p.h"
#include "tests/chart/registry/RegistryTestSupport.h"
#include "tests/chart/support/ChartTestSupport.h"

#include <gtest/gtest.h>

#include <QImage>

#include <memory>
#include <string>
#include <vector>

using charttest::ColorBox;
using charttest::CountColor;

namespace {

const TRect kSymbolRect{4, 4, 56, 20};

// A white bitmap for a list row.
struct TRow {
    TRow(int width = 60, int height = 24) : bitmap(width, height) {
        bitmap.Canvas()->Brush()->SetColor(clWhite);
        bitmap.Canvas()->FillRect({0, 0, width, height});
    }
    const QImage& Image() {
        bitmap.Canvas()->Flush();
        return TGraphicsQt::Image(bitmap);
    }
    TBitmap bitmap;
};

// A drawing canvas that renders true 3D itself.
class TTrue3DCanvas : public TPlotCanvas3D {
public:
    bool RendersTrue3D() override { return true; }
};

bool Inside(const TRect& inner, const TRect& outer) {
    return inner.Left >= outer.Left && inner.Top >= outer.Top && inner.Right <= outer.Right &&
           inner.Bottom <= outer.Bottom;
}

TEST(SeriesPictures, ASeriesWithoutAChartIsLentToATemporaryOneForItsSymbol) {
    TOwned<TLineSeries> series(new TLineSeries(nullptr));
    series->SetSeriesColor(clRed);
    TRow row;
    DrawSeriesLegendSymbol(series.get(), row.bitmap.Canvas(), kSymbolRect);
    EXPECT_EQ(series->ParentChart(), nullptr);
    const QImage& image = row.Image();
    EXPECT_GT(CountColor(image, clRed), 0);
    EXPECT_TRUE(Inside(ColorBox(image, clRed), kSymbolRect));
}

TEST(SeriesPictures, AGivenChartLendsItsLookAndGetsNoSeries) {
    TCustomChart chart(nullptr);
    chart.SetView3D(false);
    TOwned<TLineSeries> series(new TLineSeries(nullptr));
    series->SetSeriesColor(clBlue);
    TRow row;
    DrawSeriesLegendSymbol(series.get(), row.bitmap.Canvas(), kSymbolRect, &chart);
    EXPECT_EQ(chart.SeriesCount(), 0);
    EXPECT_EQ(series->ParentChart(), nullptr);
    // Flat, a line series shows a line through the middle of the rectangle.
    const TRect box = ColorBox(row.Image(), clBlue);
    EXPECT_EQ(box.Top, (kSymbolRect.Top + kSymbolRect.Bottom) / 2);
    EXPECT_EQ(box.Bottom, box.Top + 1);
    EXPECT_GE(box.Left, kSymbolRect.Left);
    EXPECT_LE(box.Right, kSymbolRect.Right + 1);
}

TEST(SeriesPictures, TheChartsCanvasAndBufferingComeBackAfterTheSymbol) {
    TCustomChart chart(nullptr);
    TOwned<TPointSeries> series(new TPointSeries(nullptr));
    series->SetSeriesColor(clGreen);
    series->SetParentChart(&chart);
    TCanvas3D* drawCanvas = chart.DrawCanvas();
    ASSERT_TRUE(drawCanvas->GetBufferedDisplay());
    TCanvas* before = drawCanvas->Canvas();
    TRow row;
    DrawSeriesLegendSymbol(series.get(), row.bitmap.Canvas(), kSymbolRect);
    EXPECT_TRUE(drawCanvas->GetBufferedDisplay());
    EXPECT_EQ(drawCanvas->Canvas(), before);
    EXPECT_EQ(series->ParentChart(), &chart);
    EXPECT_GT(CountColor(row.Image(), clGreen), 0);
    series->SetParentChart(nullptr);
}

TEST(SeriesPictures, NothingIsDrawnWhenTheChartsCanvasRendersTrue3D) {
    TCustomChart chart(nullptr);
    chart.ReplaceDrawCanvas(std::make_unique<TTrue3DCanvas>());
    TOwned<TLineSeries> series(new TLineSeries(nullptr));
    series->SetSeriesColor(clRed);
    TRow row;
    DrawSeriesLegendSymbol(series.get(), row.bitmap.Canvas(), kSymbolRect, &chart);
    EXPECT_EQ(CountColor(row.Image(), clWhite), 60 * 24);
    EXPECT_EQ(chart.SeriesCount(), 0);
}

TEST(SeriesPictures, AClassPictureIsItsOwnBitmapOrItsParentsAndNoneWithoutEither) {
    struct Case {
        TClass cls;
        TClass bitmapOf; // none: nothing is drawn
    };
    const Case cases[] = {
        {TLineSeries::StaticClass(), TLineSeries::StaticClass()},
        {TFastLineSeries::StaticClass(), TFastLineSeries::StaticClass()},
        {TRegistryProbeSeries::StaticClass(), TLineSeries::StaticClass()},
        {TComponent::StaticClass(), nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cls->ClassName());
        TRow row(40, 40);
        EXPECT_EQ(DrawClassPicture(row.bitmap.Canvas(), 5, 7, c.cls), c.bitmapOf != nullptr);
        const QImage& image = row.Image();
        if (c.bitmapOf == nullptr) {
            EXPECT_EQ(CountColor(image, clWhite), 40 * 40);
            continue;
        }
        TBitmap expected;
        ASSERT_TRUE(LoadClassBitmap(c.bitmapOf, expected));
        const QImage& want = TGraphicsQt::Image(expected);
        int differing = 0;
        for (int y = 0; y < want.height(); ++y)
            for (int x = 0; x < want.width(); ++x)
                differing += image.pixel(x + 5, y + 7) != want.pixel(x, y);
        EXPECT_EQ(differing, 0);
    }
    EXPECT_FALSE(DrawClassPicture(nullptr, 0, 0, TLineSeries::StaticClass()));
}

// One gallery cell per type of the "Standard" page: the class picture, the description and the
// legend symbol of a series of the type, in the colours of palette 13, for a person to look at.
TEST(SeriesPictures, TheStandardPageAsAGalleryRow) {
    std::vector<TPlotSeriesType*> types;
    for (int i = 0; i < PlotSeriesTypes().Count(); ++i)
        if (PlotSeriesTypes().Items(i)->GalleryPage() == "Standard")
            types.push_back(PlotSeriesTypes().Items(i));
    ASSERT_GE(types.size(), 4u);
    const std::vector<TColor> colours = ColorPaletteColors(13);
    const int cellWidth = 110;
    TRow row(cellWidth * static_cast<int>(types.size()), 80);
    TCanvas* canvas = row.bitmap.Canvas();
    canvas->Font()->SetName("DejaVu Sans");
    canvas->Font()->SetSize(8);
    TComponent owner(nullptr);
    std::vector<TRect> symbols;
    for (std::size_t i = 0; i < types.size(); ++i) {
        const int left = static_cast<int>(i) * cellWidth;
        ASSERT_TRUE(DrawClassPicture(canvas, left + 8, 6, types[i]->SeriesClass()));
        std::string caption = types[i]->Description();
        for (char& ch : caption)
            ch = ch == '\r' ? ' ' : ch;
        canvas->Brush()->SetStyle(bsClear);
        canvas->TextOut(left + 8, 36, caption);
        TChartSeries* series = MakeSeries(&owner, nullptr, types[i]->SeriesClass());
        series->SetSeriesColor(colours[i % colours.size()]);
        // A pie colours each slice and so has no whole-series symbol; the row shows its colour.
        series->SetColorEachPoint(false);
        symbols.push_back({left + 8, 56, left + cellWidth - 10, 72});
        DrawSeriesLegendSymbol(series, canvas, symbols.back());
    }
    const QImage& image = row.Image();
    charttest::SavePicture(image, "registry-standard-gallery");
    for (std::size_t i = 0; i < types.size(); ++i) {
        SCOPED_TRACE(types[i]->SeriesClass()->ClassName());
        const TColor colour = colours[i % colours.size()];
        EXPECT_TRUE(Inside(ColorBox(image.copy(symbols[i].Left - 4, 50, cellWidth, 30), colour),
                           {4, 6, cellWidth - 6, 22}));
    }
}

} // namespace
