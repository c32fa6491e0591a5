// The gallery sub-styles of the line family and the pie: the captions each type lists after
// "Normal" and what each one changes on a sample series. A style number without an entry
// changes nothing.

#include "chart/control/Chart.h"
#include "chart/control/SeriesFactory.h"
#include "chart/core/SeriesMarks.h"
#include "chart/series/AreaSeries.h"
#include "chart/series/CustomBarSeries.h"
#include "chart/series/FastLineSeries.h"
#include "chart/series/GalleryTexts.h"
#include "chart/series/LineSeries.h"
#include "chart/series/PieSeries.h"
#include "chart/series/PointSeries.h"

#include <initializer_list>

namespace {

void ListTexts(const TSubStyleProc& add, std::initializer_list<TGalleryText> texts) {
    for (TGalleryText t : texts)
        add(GalleryText(t));
}

} // namespace

// ---- line ---------------------------------------------------------------------------------------

void TLineSeries::ListSubStyles(const TSubStyleProc& add) {
    TCustomSeries::ListSubStyles(add);
    ListTexts(add,
              {gtStairs, gtPoints, gtHeight, gtHollow, gtColors, gtMarks, gtNoBorder, gtOutline});
}

void TLineSeries::ApplySubStyle(TChartSeries* series, int style) {
    auto* s = dynamic_cast<TLineSeries*>(series);
    if (s == nullptr)
        return;
    switch (style) {
    case 1:
        s->SetStairs(true);
        break;
    case 2:
        s->Pointer()->SetVisible(true);
        break;
    case 3:
        s->SetLineHeight(5);
        break;
    case 4:
        s->SetLineBrush(bsClear);
        break;
    case 5:
        s->SetColorEachPoint(true);
        break;
    case 6:
        s->Marks()->SetVisible(true);
        break;
    case 7:
        s->LinePen()->SetVisible(false);
        break;
    case 8:
        s->OutLine()->SetVisible(true);
        break;
    default:
        break;
    }
}

// ---- point --------------------------------------------------------------------------------------

void TPointSeries::ListSubStyles(const TSubStyleProc& add) {
    TCustomSeries::ListSubStyles(add);
    ListTexts(add, {gtColors, gtMarks, gtHollow, gtNoBorder, gtGradient, gtPoint2D, gtTriangle,
                    gtStar, gtCircle, gtDownTriangle, gtCross, gtDiamond, gtHexagon});
}

void TPointSeries::ApplySubStyle(TChartSeries* series, int style) {
    auto* s = dynamic_cast<TPointSeries*>(series);
    if (s == nullptr)
        return;
    TSeriesPointer* pointer = s->Pointer();
    switch (style) {
    case 1:
        s->SetColorEachPoint(true);
        break;
    case 2:
        s->Marks()->SetVisible(true);
        break;
    case 3:
        pointer->Brush()->SetStyle(bsClear);
        break;
    case 4:
        pointer->Pen()->SetVisible(false);
        break;
    case 5:
        pointer->Gradient()->SetVisible(true);
        break;
    case 6:
        pointer->SetDraw3D(false);
        break;
    case 7:
        pointer->SetStyle(psTriangle);
        break;
    case 8:
        pointer->SetStyle(psStar);
        break;
    case 9:
        pointer->SetStyle(psCircle);
        pointer->SetHorizSize(8);
        pointer->SetVertSize(8);
        break;
    case 10:
        pointer->SetStyle(psDownTriangle);
        break;
    case 11:
        pointer->SetStyle(psCross);
        break;
    case 12:
        pointer->SetStyle(psDiamond);
        break;
    case 13:
        pointer->SetStyle(psHexagon);
        break;
    default:
        break;
    }
}

void TPointSeries::PrepareForGallery(bool enabled) {
    TCustomSeries::PrepareForGallery(enabled);
    auto* chart = dynamic_cast<TCustomChart*>(ParentChart());
    const int size = chart != nullptr && chart->Width() > 49 ? 6 : 4;
    Pointer()->SetHorizSize(size);
    Pointer()->SetVertSize(size);
    if (chart != nullptr && chart->SeriesCount() > 1 && chart->SeriesAt(1) == this)
        Pointer()->SetStyle(psTriangle);
}

// ---- fast line ----------------------------------------------------------------------------------

void TFastLineSeries::ListSubStyles(const TSubStyleProc& add) {
    TCustomLineSeries::ListSubStyles(add);
    ListTexts(add, {gtMarks, gtDotted, gtStairs});
}

void TFastLineSeries::ApplySubStyle(TChartSeries* series, int style) {
    auto* s = dynamic_cast<TFastLineSeries*>(series);
    if (s == nullptr)
        return;
    switch (style) {
    case 1:
        s->Marks()->SetVisible(true);
        break;
    case 2:
        s->LinePen()->SetSmallDots(true);
        break;
    case 3:
        s->SetStairs(true);
        break;
    default:
        break;
    }
}

// ---- pie ----------------------------------------------------------------------------------------

void TPieSeries::ListSubStyles(const TSubStyleProc& add) {
    TCircledSeries::ListSubStyles(add);
    ListTexts(add,
              {gtPatterns, gtExploded, gtShadow, gtMarks, gtSemiPie, gtNoBorder, gtDarkBorder});
}

void TPieSeries::ApplySubStyle(TChartSeries* series, int style) {
    auto* s = dynamic_cast<TPieSeries*>(series);
    if (s == nullptr)
        return;
    switch (style) {
    case 1:
        s->SetUsePatterns(true);
        s->Gradient()->SetVisible(false);
        break;
    case 2:
        s->SetExplodeBiggest(30);
        break;
    case 3:
        s->Shadow()->SetHorizSize(10);
        s->Shadow()->SetVertSize(10);
        break;
    case 4:
        s->Marks()->SetVisible(true);
        s->ClearValues();
        s->AddValue(30, "A", clDefault);
        s->AddValue(72, "B", clDefault);
        break;
    case 5:
        s->SetAngleSize(180);
        break;
    case 6:
        s->PiePen()->SetVisible(false);
        break;
    case 7:
        s->SetDarkPen(32);
        break;
    default:
        break;
    }
}

// ---- area
// -----------------------------------------------------------------------------------------

void TAreaSeries::ListSubStyles(const TSubStyleProc& add) {
    TCustomSeries::ListSubStyles(add);
    ListTexts(add, {gtStairs, gtMarks, gtColors, gtHollow, gtNoLines, gtStack, gtStack100, gtPoints,
                    gtGradient});
}

void TAreaSeries::ApplySubStyle(TChartSeries* series, int style) {
    auto* s = dynamic_cast<TAreaSeries*>(series);
    if (s == nullptr)
        return;
    switch (style) {
    case 1:
        s->SetStairs(true);
        break;
    case 2:
        s->Marks()->SetVisible(true);
        break;
    case 3:
        s->SetColorEachPoint(true);
        break;
    case 4:
        s->SetAreaBrush(bsClear);
        break;
    case 5:
        s->AreaLinesPen()->SetVisible(false);
        break;
    case 6:
        s->SetMultiArea(maStacked);
        break;
    case 7:
        s->SetMultiArea(maStacked100);
        break;
    case 8:
        s->Pointer()->SetVisible(true);
        break;
    case 9:
        s->Gradient()->SetVisible(true);
        break;
    default:
        break;
    }
}

// ---- bars
// -----------------------------------------------------------------------------------------

void TCustomBarSeries::ListSubStyles(const TSubStyleProc& add) {
    TChartSeries::ListSubStyles(add);
    ListTexts(add, {gtColors, gtPyramid, gtEllipse, gtInvPyramid, gtGradient, gtStack, gtStack100,
                    gtSelfStacked, gtSides, gtSideAll});
}

namespace {

// A multi-bar style needs a second series to show: the only bar series of its chart gets a
// companion of its class with two sample points, in the same style.
void AddBarCompanion(TCustomBarSeries& series, int style) {
    auto* chart = dynamic_cast<TCustomChart*>(series.ParentChart());
    if (chart == nullptr || chart->SeriesCount() != 1)
        return;
    series.ClearValues();
    series.FillSampleValues(2);
    TComponent* owner = series.Owner() != nullptr ? series.Owner() : chart->Owner();
    auto* companion = dynamic_cast<TCustomBarSeries*>(MakeSeries(owner, chart, series.ClassType()));
    if (companion == nullptr)
        return;
    companion->SetTitle({});
    companion->FillSampleValues(2);
    companion->Marks()->SetVisible(false);
    companion->SetBarWidthPercent(series.BarWidthPercent());
    series.Marks()->SetVisible(false);
    companion->ApplySubStyle(companion, style);
}

} // namespace

void TCustomBarSeries::ApplySubStyle(TChartSeries* series, int style) {
    auto* s = dynamic_cast<TCustomBarSeries*>(series);
    if (s == nullptr)
        return;
    static constexpr TMultiBar multiBars[] = {mbStacked, mbStacked100, mbSelfStack, mbSide,
                                              mbSideAll};
    if (style >= 6 && style <= 10) {
        AddBarCompanion(*s, style);
        s->SetMultiBar(multiBars[style - 6]);
        return;
    }
    switch (style) {
    case 1:
        s->SetColorEachPoint(true);
        break;
    case 2:
        s->SetBarStyle(bsPyramid);
        break;
    case 3:
        s->SetBarStyle(bsEllipse);
        break;
    case 4:
        s->SetBarStyle(bsInvPyramid);
        break;
    case 5:
        s->SetBarStyle(bsRectGradient);
        break;
    default:
        break;
    }
}

void TCustomBarSeries::PrepareForGallery(bool enabled) {
    TChartSeries::PrepareForGallery(enabled);
    SetBarWidthPercent(85);
    SetBarStyle(bsRectGradient);
    Gradient()->SetVisible(true);
    SetMultiBar(mbNone);
    SetDarkPen(130);
}
