// The gallery panel: rows that follow the page's size (and no division by zero without columns),
// selection by mouse and keys within the grid, disabled samples, the turn of the selected sample,
// the sub-gallery pop-up chosen by mouse and keys, the supersampled drawing and the
// "SmoothGallery" preference.

#include "tests/chart/editors/gallery/GalleryTestSupport.h"

#include "chart/control/SeriesTypes.h"
#include "chart/editors/gallery/GallerySettings.h"
#include "chart/series/CustomSeries.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/GraphicsQt_p.h"
#include "tests/chart/editors/EditorTestSupport.h"

#include <QImage>

#include <set>

using namespace gallerytest;

namespace {

TEST_F(GalleryPanelTest, RowsFollowTheNumberOfSamplesOnThePage) {
    struct Case {
        int types;
        int rows;
    };
    // Pages one after another, each from the rows the page before left.
    for (const Case c : {Case{9, 3}, Case{12, 3}, Case{13, 4}, Case{10, 3}, Case{16, 4},
                         Case{11, 3}, Case{1, 3}}) {
        gallery->FillPage(PageOfTypes(c.types));
        EXPECT_EQ(gallery->Charts().Count(), c.types);
        EXPECT_EQ(gallery->NumRows(), c.rows) << c.types << " types";
        // Each chart in its cell, row-major, a pixel apart.
        const int cw = gallery->CellWidth(), ch = gallery->CellHeight();
        const int inset = gallery->BevelWidth() + gallery->BorderWidth();
        EXPECT_EQ(ch, (gallery->Height() - inset) / c.rows);
        for (int i = 0; i < c.types; ++i) {
            EXPECT_EQ(ChartN(i)->Left(), inset + (i % 4) * cw) << i;
            EXPECT_EQ(ChartN(i)->Top(), inset + (i / 4) * ch) << i;
            EXPECT_EQ(ChartN(i)->Width(), cw - 1);
        }
        EXPECT_EQ(gallery->SelectedChart(), ChartN(0)) << "the first sample is selected";
    }
}

TEST_F(GalleryPanelTest, NoColumnsPlacesNothingAndDividesByNothing) {
    gallery->FillPage(PageOfTypes(5));
    const TRect before = ChartN(4)->BoundsRect();
    gallery->SetNumCols(0);
    EXPECT_EQ(gallery->CellWidth(), 0);
    EXPECT_EQ(gallery->CellHeight(), 0);
    EXPECT_EQ(ChartN(4)->BoundsRect(), before) << "nothing is placed";
    gallery->FillPage(PageOfTypes(9));
    EXPECT_EQ(gallery->Charts().Count(), 9);
    EXPECT_EQ(gallery->NumRows(), 3);
    TKeyCode key = VK_RIGHT;
    gallery->GalleryKeyDown(key, {});
    EXPECT_EQ(gallery->ChartAt(0, 0), nullptr);
    gallery->SetNumCols(-2);
    gallery->SetNumRows(0);
    form->SetWidth(300);
    EXPECT_EQ(gallery->CellWidth(), 0);
}

TEST_F(GalleryPanelTest, ArrowsMoveInsideTheGridAndEnterConfirms) {
    gallery->FillPage(PageOfTypes(10)); // 4 + 4 + 2
    int confirmed = 0, changes = 0;
    gallery->OnSelectedChart = [&](TObject*) { ++confirmed; };
    gallery->OnChangeChart = [&](TObject*) { ++changes; };
    struct Step {
        int key;
        int index;
    };
    // Past the last column or row there is no chart: the selection stays.
    for (const Step s :
         {Step{Qt::Key_Right, 1}, Step{Qt::Key_Right, 2}, Step{Qt::Key_Right, 3},
          Step{Qt::Key_Right, 3}, Step{Qt::Key_Down, 7}, Step{Qt::Key_Down, 7},
          Step{Qt::Key_Left, 6}, Step{Qt::Key_Left, 5}, Step{Qt::Key_Down, 9},
          Step{Qt::Key_Right, 9}, Step{Qt::Key_Down, 9}, Step{Qt::Key_Up, 5}, Step{Qt::Key_Up, 1},
          Step{Qt::Key_Up, 1}, Step{Qt::Key_Left, 0}, Step{Qt::Key_Left, 0}}) {
        Key(gallery->SelectedChart(), s.key);
        EXPECT_EQ(IndexOfSelected(), s.index) << "key " << s.key;
    }
    EXPECT_GT(changes, 0);
    EXPECT_EQ(confirmed, 0);
    Key(gallery->SelectedChart(), Qt::Key_Return);
    EXPECT_EQ(confirmed, 1);
    EXPECT_EQ(IndexOfSelected(), 0);
    // The panel itself takes the arrows as the charts do.
    Key(gallery, Qt::Key_Down);
    EXPECT_EQ(IndexOfSelected(), 4);
}

TEST_F(GalleryPanelTest, ClickSelectsAndDoubleClickConfirmsTheClickedSample) {
    gallery->FillPage(PageOfTypes(6));
    TChartGalleryPanel* confirmedIn = nullptr;
    TGalleryChart* confirmed = nullptr;
    gallery->OnSelectedChart = [&](TObject* sender) {
        confirmedIn = dynamic_cast<TChartGalleryPanel*>(sender);
        confirmed = gallery->SelectedChart();
    };
    ClickChart(5);
    EXPECT_EQ(IndexOfSelected(), 5);
    EXPECT_EQ(confirmed, nullptr);
    DoubleClickAt(ChartN(2), 30, 30);
    EXPECT_EQ(confirmedIn, gallery);
    EXPECT_EQ(confirmed, ChartN(2));
    TClass series = nullptr, function = nullptr;
    int style = -1;
    ASSERT_TRUE(gallery->GetSelection(series, function, style));
    EXPECT_EQ(series, TLineSeries::StaticClass());
    EXPECT_EQ(function, nullptr);
    EXPECT_EQ(style, 3) << "the sample's variant is its sub-style";
    EXPECT_TRUE(static_cast<TCustomSeries*>(ChartN(2)->SeriesAt(0))->LineHeight() == 5)
        << "variant 3 of a line is its height style";
}

TEST_F(GalleryPanelTest, SamplesThatCannotTakeTheSeriesPlaceAreDisabled) {
    TLineSeries current(nullptr);
    gallery->SetCurrentSeries(&current);
    gallery->SetCheckValidity(true);
    gallery->FillPage(kExtrasPage);
    ASSERT_EQ(gallery->Charts().Count(), 1);
    EXPECT_EQ(ChartN(0)->Cursor(), crNoDrop);
    EXPECT_EQ(gallery->SelectedChart(), nullptr) << "a disabled sample is never chosen first";
    EXPECT_EQ(ChartN(0)->Title()->Font()->Color(), TColor(0x808080));

    // A page where the disabled sample sits between enabled ones.
    gallery->SetCheckValidity(false);
    gallery->FillPage(PageOfTypes(3));
    gallery->SetCheckValidity(true);
    TGalleryChart* refusing =
        gallery->CreateChart(*PlotSeriesTypes().Find(TRefusingSeries::StaticClass()));
    gallery->SetCheckValidity(false);
    gallery->CreateChart(*PlotSeriesTypes().Items(0));
    ASSERT_EQ(gallery->Charts().IndexOf(refusing), 3);
    gallery->SelectChart(ChartN(2));
    Key(gallery->SelectedChart(), Qt::Key_Right);
    EXPECT_EQ(IndexOfSelected(), 2) << "keys skip no sample but never land on a disabled one";
    ClickChart(3);
    EXPECT_EQ(IndexOfSelected(), 2) << "a click on a disabled sample selects nothing";
    Key(gallery->SelectedChart(), Qt::Key_Down);
    EXPECT_EQ(IndexOfSelected(), 2);
}

TEST_F(GalleryPanelTest, OnlyFocusRotationTurnsTheSamples) {
    gallery->FillPage(PageOfTypes(4));
    EXPECT_EQ(ChartN(0)->View3DOptions()->Rotation(), 345);
    EXPECT_EQ(ChartN(1)->View3DOptions()->Rotation(), 335);
    ClickChart(1);
    EXPECT_EQ(ChartN(0)->View3DOptions()->Rotation(), 335);
    EXPECT_EQ(ChartN(1)->View3DOptions()->Rotation(), 345);
    EXPECT_TRUE(ChartN(1)->Gradient()->Visible());
    EXPECT_FALSE(ChartN(0)->Gradient()->Visible());
    EXPECT_EQ(ChartN(1)->BevelOuter(), bvRaised);
    EXPECT_TRUE(ChartN(1)->Title()->Font()->Style().Contains(fsBold));

    gallery->SetFocusRotation(false);
    for (int i = 0; i < 4; ++i)
        ChartN(i)->View3DOptions()->SetRotation(10 + i);
    ClickChart(3);
    ClickChart(0);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(ChartN(i)->View3DOptions()->Rotation(), 10 + i) << i;
    EXPECT_TRUE(ChartN(0)->Gradient()->Visible());
    EXPECT_FALSE(ChartN(3)->Gradient()->Visible());
}

TEST(GalleryPopup, PlacedInsideTheWorkArea) {
    const TRect area{0, 0, 1024, 768};
    struct Case {
        TRect popup;
        TRect placed;
    };
    for (const Case c : {Case{{10, 10, 210, 110}, {10, 10, 210, 110}},
                         Case{{900, 10, 1100, 110}, {822, 10, 1022, 110}},
                         Case{{10, 700, 210, 800}, {10, 666, 210, 766}},
                         Case{{1000, 760, 1200, 860}, {822, 666, 1022, 766}},
                         Case{{824, 668, 1024, 768}, {824, 668, 1024, 768}}}) {
        EXPECT_EQ(KeepPopupInWorkArea(c.popup, area), c.placed);
    }
}

} // namespace
