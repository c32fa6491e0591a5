// The sample charts: the supersampled drawing (nothing for a chart under 2 pixels; everything it
// changes put back), the arrow of the selected sample, and the "SmoothGallery" preference a
// panel reads when made and writes only when it goes with another value.

#include "tests/chart/editors/gallery/GalleryTestSupport.h"

#include "chart/control/SeriesTypes.h"
#include "chart/draw/ChartMessages.h"
#include "chart/draw/PlotCanvas3D.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/GraphicsQt_p.h"

#include <QApplication>
#include <QImage>
#include <QWidget>

using namespace gallerytest;

namespace {

QImage Drawn(TGalleryChart* chart) {
    TBitmap bitmap(chart->Width(), chart->Height());
    chart->DrawToCanvas(bitmap.Canvas(), {0, 0, chart->Width(), chart->Height()});
    bitmap.Canvas()->Flush();
    return TGraphicsQt::Image(bitmap).copy();
}

TEST_F(GalleryPanelTest, SmoothDrawingPutsBackWhatItChanges) {
    gallery->FillPage(ChartMsg(msgStandard));
    TGalleryChart* chart = ChartN(1);
    chart->LeftAxis()->SetLabels(false);
    const QImage plain = Drawn(chart);
    const TRect titleRect = chart->Title()->ShapeRect;
    chart->SetSmooth(true);
    const QImage smooth = Drawn(chart);
    EXPECT_NE(plain, smooth);
    EXPECT_FALSE(chart->DrawingSmooth());
    EXPECT_TRUE(chart->LeftAxis()->Labels()) << "supersampled with the labels shown";
    EXPECT_TRUE(chart->Title()->Visible());
    EXPECT_FALSE(chart->Title()->CustomPosition());
    EXPECT_EQ(chart->Title()->ShapeRect, titleRect) << "the place the title had";
    for (int side = 0; side < 4; ++side)
        EXPECT_EQ(chart->Margin(side), 4) << side;
    // Drawn at full size on top: the title's pixels are the plain drawing's.
    int same = 0, all = 0;
    for (int y = titleRect.Top; y <= titleRect.Bottom; ++y)
        for (int x = titleRect.Left; x <= titleRect.Right; ++x, ++all)
            same += plain.pixel(x, y) == smooth.pixel(x, y) ? 1 : 0;
    EXPECT_GT(same, all * 9 / 10);

    // Under 2 pixels nothing is supersampled.
    chart->LeftAxis()->SetLabels(false);
    chart->SetBounds(0, 0, 1, 80);
    EXPECT_NO_THROW(Drawn(chart));
    EXPECT_FALSE(chart->LeftAxis()->Labels());
    EXPECT_FALSE(chart->DrawingSmooth());
}

TEST_F(GalleryPanelTest, OnlyTheSelectedSampleShowsTheArrow) {
    gallery->FillPage(PageOfTypes(3));
    Drawn(ChartN(0));
    Drawn(ChartN(1));
    EXPECT_TRUE(ChartN(0)->ArrowDrawn());
    EXPECT_FALSE(ChartN(1)->ArrowDrawn());
    const QImage with = Drawn(ChartN(0));
    const TRect spot = ChartN(0)->ArrowHotSpot();
    EXPECT_EQ(spot.Left, 4);
    EXPECT_EQ(spot.Bottom, ChartN(0)->Height());
    gallery->SetDisplaySub(false);
    const QImage without = Drawn(ChartN(0));
    EXPECT_FALSE(ChartN(0)->ArrowDrawn());
    // The arrow's middle pixel is inverted against the gradient behind it.
    TPoint p[3];
    ChartN(0)->ArrowPoints(p);
    const int x = p[2].X, y = p[2].Y - 2;
    EXPECT_NE(with.pixel(x, y), without.pixel(x, y));
}

// The chart's back buffer as last drawn.
QImage Buffer(TGalleryChart* chart) {
    auto* canvas = dynamic_cast<TPlotCanvas3D*>(chart->DrawCanvas());
    if (canvas == nullptr || canvas->Buffer() == nullptr)
        return {};
    canvas->Buffer()->Canvas()->Flush();
    return TGraphicsQt::Image(*canvas->Buffer()).copy();
}

void Hover(TGalleryChart* chart, QEvent::Type type) {
    QEvent e(type);
    QApplication::sendEvent(chart->Handle(), &e);
}

TEST_F(GalleryPanelTest, TheMouseOverASampleFramesIt) {
    TLineSeries current(nullptr);
    gallery->SetCurrentSeries(&current);
    gallery->SetCheckValidity(true);
    gallery->FillPage(PageOfTypes(3));
    gallery->CreateChart(*PlotSeriesTypes().Find(TRefusingSeries::StaticClass()));
    // A form made in code shows its window only when asked; the samples paint into it.
    form->Handle()->show();
    QApplication::processEvents();
    TGalleryChart* chart = ChartN(1);
    chart->Repaint();
    ASSERT_FALSE(Buffer(chart).isNull());
    const int right = chart->ClientWidth() - 1, bottom = chart->ClientHeight() - 1;
    const QRgb white = qRgb(255, 255, 255), grey = qRgb(128, 128, 128);
    Hover(chart, QEvent::Enter);
    QImage image = Buffer(chart);
    EXPECT_EQ(image.pixel(right / 2, 0), white);
    EXPECT_EQ(image.pixel(0, bottom / 2), white);
    EXPECT_EQ(image.pixel(right, bottom / 2), grey);
    EXPECT_EQ(image.pixel(right / 2, bottom), grey);
    Hover(chart, QEvent::Leave);
    image = Buffer(chart);
    const TColor c = ColorToRGB(chart->Color());
    const QRgb back = qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
    EXPECT_EQ(image.pixel(right / 2, 0), back);
    EXPECT_EQ(image.pixel(right, bottom / 2), back);
    EXPECT_EQ(chart->MousePos(), (TPoint{-1, -1}));

    // A disabled sample gets no frame, and keeps its no-drop cursor after the mouse left.
    TGalleryChart* disabled = ChartN(3);
    disabled->Repaint();
    const QImage before = Buffer(disabled);
    Hover(disabled, QEvent::Enter);
    EXPECT_EQ(Buffer(disabled), before);
    Hover(disabled, QEvent::Leave);
    EXPECT_EQ(disabled->Cursor(), crNoDrop);
}

TEST_F(PreferencesTest, SmoothGalleryIsWrittenOnlyWhenItChanged) {
    auto made = [] { return new TChartGalleryPanel(nullptr); };
    TChartGalleryPanel* panel = made();
    EXPECT_FALSE(panel->Smooth());
    panel->Free();
    EXPECT_FALSE(StoredOption("SmoothGallery")) << "unchanged: nothing written";

    panel = made();
    panel->SetSmooth(true);
    panel->Free();
    EXPECT_EQ(StoredOption("SmoothGallery"), 1);

    panel = made();
    EXPECT_TRUE(panel->Smooth());
    EXPECT_TRUE(panel->InitialSmooth());
    StoreOption("SmoothGallery", 7);
    panel->Free();
    EXPECT_EQ(StoredOption("SmoothGallery"), 7) << "unchanged again: left alone";

    panel = made();
    panel->SetSmooth(false);
    panel->Free();
    EXPECT_EQ(StoredOption("SmoothGallery"), 0);
}

} // namespace
