// Pies drawn for a person to look at (<build>/chart-pictures/pie-*.png): 2D and 3D, exploded,
// half, marks with legs, Cyrillic labels, grouped slices and several pies in one chart; a
// gallery of every registered series type; and a pie in a window that paints once.

#include "tests/chart/pie/PieTestSupport.h"

#include "chart/control/ChartLegend.h"
#include "chart/control/SeriesFactory.h"
#include "chart/control/SeriesTypes.h"
#include "chart/core/SeriesMarks.h"
#include "platform/forms/Forms.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/GraphicsQt_p.h"

#include <QApplication>
#include <QPainter>
#include <QWidget>
#include <sstream>

using namespace pietest;

namespace {

const std::vector<std::string> kLabels = {"Автомобили", "Телефоны", "Столы",
                                          "Мониторы",   "Лампы",    "Клавиатуры"};
const std::vector<double> kValues = {420, 260, 180, 90, 60, 30};

class PiePictures : public PieFixture {
protected:
    QImage Picture() {
        bitmap->Canvas()->Flush();
        return TGraphicsQt::Image(*bitmap);
    }
};

TEST_F(PiePictures, A2DPieFillsEachSliceInItsColour) {
    chart->Legend()->SetVisible(true);
    TPieSeries* pie = AddPie(kValues, kLabels);
    pie->Marks()->SetStyle(smsLabelPercent);
    Draw(520, 340);
    SavePicture("pie-2d");
    const QImage image = Picture();
    for (int i = 0; i < pie->Count(); ++i) {
        const TPoint p = pie->AngleToPos(pie->Angles()[static_cast<std::size_t>(i)].Middle,
                                         pie->XRadius() * 0.6, pie->YRadius() * 0.6);
        EXPECT_EQ(charttest::PixelAt(image, p.X, p.Y), pie->PointColor(i)) << "slice " << i;
    }
    // Outside the circle and clear of the marks the chart's background shows.
    EXPECT_NE(charttest::PixelAt(image, pie->CircleXCenter(), pie->CircleRect().Top - 2),
              pie->PointColor(0));
}

TEST_F(PiePictures, PiesIn3DExplodedHalfAndWithLegs) {
    struct Picture {
        const char* name;
        bool view3D;
        int explode, angleSize, legSize;
        bool vertCenter;
    } const pictures[] = {
        {"pie-3d", true, 0, 360, 0, false},
        {"pie-3d-exploded", true, 30, 360, 0, false},
        {"pie-2d-exploded", false, 30, 360, 0, false},
        {"pie-3d-half", true, 0, 180, 0, false},
        {"pie-2d-marks-legs", false, 0, 360, 16, true},
    };
    for (const Picture& p : pictures) {
        chart->SetView3D(p.view3D);
        TPieSeries* pie = AddPie(kValues, kLabels);
        pie->SetExplodeBiggest(p.explode);
        pie->SetAngleSize(p.angleSize);
        pie->PieMarks()->SetLegSize(p.legSize);
        pie->PieMarks()->SetVertCenter(p.vertCenter);
        pie->Gradient()->SetVisible(p.view3D);
        Draw(520, 360);
        SavePicture(p.name);
        EXPECT_EQ(canvas->Slices.size(), kValues.size()) << p.name;
        if (p.legSize > 0) {
            // Every mark's arrow bends at its leg, which ends level with the arrow's end.
            for (int i = 0; i < pie->Count(); ++i) {
                const TSeriesMarkPosition* m = pie->Marks()->Positions().EntryAt(i);
                ASSERT_NE(m, nullptr);
                EXPECT_TRUE(m->MidPointUsed);
                EXPECT_EQ(m->MidPoint.Y, m->ArrowTo.Y);
                EXPECT_GE(std::abs(m->ArrowTo.X - m->MidPoint.X), 16);
            }
        }
        pie->Free();
    }
}

// A gradient changes the slices' colours, not their shape: the pie covers as many pixels of the
// background with its gradient as without, flat and solid, whole and exploded.
TEST_F(PiePictures, AGradientStaysWithinItsSlices) {
    for (const bool view3D : {false, true})
        for (const int explode : {0, 30}) {
            chart->SetView3D(view3D);
            TPieSeries* pie = AddPie(kValues, kLabels);
            pie->Marks()->SetVisible(false);
            pie->SetExplodeBiggest(explode);
            auto covered = [&](bool gradient) {
                pie->Gradient()->SetVisible(gradient);
                Draw(400, 300);
                const QImage image = Picture();
                const TColor back = charttest::PixelAt(image, 1, 1);
                return image.width() * image.height() - charttest::CountColor(image, back);
            };
            const int plain = covered(false);
            const int shaded = covered(true);
            EXPECT_NEAR(shaded, plain, plain / 100) << "3D " << view3D << ", exploded " << explode;
            pie->Free();
        }
}

TEST_F(PiePictures, GroupedSlicesAndSeveralPies) {
    chart->Legend()->SetVisible(true);
    TPieSeries* pie = AddPie({500, 300, 40, 30, 20, 10}, kLabels);
    pie->OtherSlice()->SetStyle(poBelowPercent);
    pie->OtherSlice()->SetValue(5);
    pie->OtherSlice()->SetText("Прочее");
    pie->Marks()->SetStyle(smsLabelPercent);
    Draw(520, 340);
    SavePicture("pie-grouped");
    EXPECT_EQ(canvas->Slices.size(), 3u);
    pie->Free();

    chart->Legend()->SetVisible(false);
    chart->SetView3D(true);
    for (int k = 0; k < 3; ++k) {
        TPieSeries* p = AddPie({kValues[0] - 100 * k, kValues[1], kValues[2] + 80 * k}, kLabels);
        p->SetTitle("Pie " + std::to_string(k + 1));
        p->Marks()->SetVisible(k != 1);
    }
    Draw(600, 450);
    SavePicture("pie-several");
    EXPECT_EQ(canvas->Slices.size(), 9u);
}

TEST_F(PiePictures, AGalleryOfEveryRegisteredSeriesType) {
    const int cellW = 220, cellH = 170, columns = 3;
    const int n = PlotSeriesTypes().Count();
    QImage sheet(cellW * columns, cellH * ((n + columns - 1) / columns), QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    for (int i = 0; i < n; ++i) {
        const TPlotSeriesType* type = PlotSeriesTypes().Items(i);
        // Built as the gallery builds its sample charts: placed in its cell, the caption's lines
        // as the title's lines, the sample series, the 3D switch of the first, then their look.
        auto* cellChart = new TChart(nullptr);
        cellChart->SetBounds(0, 0, cellW, cellH);
        cellChart->Legend()->SetVisible(false);
        std::stringstream caption(type->Description());
        for (std::string line; std::getline(caption, line, '\r');)
            cellChart->Title()->Text()->Add(line);
        for (int k = 0; k < std::max(1, type->GallerySeriesCount()); ++k)
            MakeSeries(owner, cellChart, type->SeriesClass());
        cellChart->SeriesAt(0)->ApplyGallery3D(true);
        for (int k = 0; k < cellChart->SeriesCount(); ++k)
            cellChart->SeriesAt(k)->PrepareForGallery(true);
        TBitmap cell(cellW, cellH);
        EXPECT_NO_THROW(cellChart->DrawToCanvas(cell.Canvas(), {0, 0, cellW, cellH}))
            << type->SeriesClass()->ClassName();
        // Every sample point lies in the view the axes took from the samples.
        for (int k = 0; k < cellChart->SeriesCount(); ++k) {
            const TChartSeries* s = cellChart->SeriesAt(k);
            EXPECT_GT(s->Count(), 0) << type->SeriesClass()->ClassName();
            EXPECT_EQ(s->FirstVisibleIndex(), 0) << type->SeriesClass()->ClassName() << " " << k;
            EXPECT_EQ(s->LastVisibleIndex(), s->Count() - 1)
                << type->SeriesClass()->ClassName() << " " << k;
        }
        cell.Canvas()->Flush();
        const QImage image = TGraphicsQt::Image(cell);
        painter.drawImage((i % columns) * cellW, (i / columns) * cellH, image);
        cellChart->Free();
    }
    painter.end();
    charttest::SavePicture(sheet, "series-gallery");
}

TEST_F(PiePictures, AWindowWithAGroupedPiePaintsOnceAndSettles) {
    auto* form = new TForm(nullptr);
    form->SetBounds(0, 0, 420, 320);
    form->Show();
    int drawings = 0;
    chart->OnBeforeDrawChart = [&](TObject*) { ++drawings; };
    TPieSeries* pie = AddPie({50, 30, 10, 5, 5});
    pie->OtherSlice()->SetStyle(poBelowPercent);
    pie->OtherSlice()->SetValue(10);
    chart->SetParent(form);
    chart->SetBounds(0, 0, 400, 300);
    QApplication::processEvents();
    chart->Handle()->grab();
    const int settled = drawings;
    EXPECT_GE(settled, 1);
    for (int k = 0; k < 10; ++k)
        QApplication::processEvents();
    chart->Handle()->grab();
    EXPECT_EQ(drawings, settled) << "no drawing asks for another";
    EXPECT_EQ(pie->Count(), 6);
    chart->SetParent(nullptr);
    form->Free();
}

} // namespace
