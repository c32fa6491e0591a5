#include "chart/series/AreaSeries.h"

#include "chart/core/ChartAxis.h"
#include "chart/core/MarksCallout.h"
#include "chart/core/SeriesMarks.h"
#include "chart/draw/PlotCanvas.h"

#include <algorithm>

TAreaSeries::TAreaSeries(TComponent* owner) : TCustomSeries(owner) {
    SetDrawArea(true);
    allowSinglePoint_ = false;
    Pointer()->Hide();
    drawBetweenPoints_ = true;
}

void TAreaSeries::DeclareProperties(TPropertyList& p) {
    using S = TAreaSeries;
    p.Add("AreaBrush", &S::AreaBrush, &S::SetAreaBrush).Default(bsSolid);
    p.Add("DrawArea", &S::DrawArea, &S::SetDrawArea).Default(true);
    p.Add("MultiArea", &S::MultiArea, &S::SetMultiArea).Default(maNone);
    p.Add("StackGroup", &S::StackGroup, &S::SetStackGroup).Default(0);
    p.Add("UseYOrigin", &S::UseYOrigin, &S::SetUseYOrigin).Default(false);
    p.Add("YOrigin", &S::YOrigin, &S::SetYOrigin).Stored(&S::YOriginStored);
}

void TAreaSeries::Assign(TPersistent* source) {
    TCustomSeries::Assign(source);
    SetDrawArea(true);
    SetConnectPoints(true);
    auto* other = dynamic_cast<TAreaSeries*>(source);
    if (other && (other->InheritsFrom(ClassType()) || InheritsFrom(other->ClassType()))) {
        yOrigin_ = other->yOrigin_;
        stackGroup_ = other->stackGroup_;
        useYOrigin_ = other->useYOrigin_;
    } else {
        Pointer()->Hide();
    }
}

TMultiArea TAreaSeries::MultiArea() const {
    switch (Stacked()) {
    case cssStack:
        return maStacked;
    case cssStack100:
        return maStacked100;
    default:
        return maNone;
    }
}

void TAreaSeries::SetMultiArea(TMultiArea value) {
    if (value == MultiArea())
        return;
    SetStacked(value == maNone ? cssNone : value == maStacked ? cssStack : cssStack100);
}

void TAreaSeries::AssignZOrder() {
    TChartHost* chart = ParentChart();
    if (MultiArea() == maNone || !chart || ZOrder() != -1) {
        TCustomSeries::AssignZOrder();
        return;
    }
    for (int i = 0; i < chart->SeriesCount(); ++i) {
        TChartSeries* s = chart->SeriesAt(i);
        if (s == this)
            break;
        auto* partner = dynamic_cast<TCustomSeries*>(s);
        if (partner && s->Active() && StacksWith(partner)) {
            SetInternalZOrder(s->EffectiveZOrder());
            return;
        }
    }
    // The first of its stack takes a slot of its own, as an unstacked series does.
    TChartSeries::AssignZOrder();
}

void TAreaSeries::DrawLegendShape(int index, const TRect& rect) {
    TChartHost* chart = ParentChart();
    if (!chart)
        return;
    TCanvas3D& canvas = *chart->ChartCanvas();
    if (Gradient()->Visible()) {
        Gradient()->Fill(canvas, rect, 0);
        return;
    }
    TChartBrush* brush = AreaChartBrush();
    if (brush->HasImage()) {
        const TColor own = brush->Color() == clDefault ? LegendItemColor(index) : brush->Color();
        TColor back = AreaColorFor(canvas.Brush()->Color());
        if (back == own)
            back = clWhite;
        canvas.SelectBrushColors(brush, own, back);
    }
    TCustomSeries::DrawLegendShape(index, rect);
}

void TAreaSeries::PrepareLegendBrush(int, TColor& backColor, TBrushStyle& style) {
    TChartHost* chart = ParentChart();
    if (chart && chart->ChartCanvas()) {
        TCanvas3D& canvas = *chart->ChartCanvas();
        backColor = AreaColorFor(canvas.Brush()->Color());
        canvas.SelectPen(AreaLinesPen());
    }
    style = AreaChartBrush()->Style();
}

double TAreaSeries::HighestX() {
    const double v = TCustomSeries::HighestX();
    return useYOrigin_ && !VerticalValues() ? std::max(v, yOrigin_) : v;
}

double TAreaSeries::HighestY() {
    const double v = TCustomSeries::HighestY();
    return useYOrigin_ && VerticalValues() ? std::max(v, yOrigin_) : v;
}

double TAreaSeries::LowestX() {
    const double v = TCustomSeries::LowestX();
    return useYOrigin_ && !VerticalValues() ? std::min(v, yOrigin_) : v;
}

double TAreaSeries::LowestY() {
    const double v = TCustomSeries::LowestY();
    return useYOrigin_ && VerticalValues() ? std::min(v, yOrigin_) : v;
}

bool TAreaSeries::NormalRotation() const {
    if (MultiArea() == maNone)
        return TCustomSeries::NormalRotation();
    TChartAxis* axis = ValueAxis();
    return !(axis && axis->Inverted());
}

bool TAreaSeries::StacksWith(TCustomSeries* series) {
    auto* area = dynamic_cast<TAreaSeries*>(series);
    return TCustomSeries::StacksWith(series) && area && area->stackGroup_ == stackGroup_;
}

int TAreaSeries::OriginPos(int index) {
    if (useYOrigin_)
        return MandatoryValueToPixel(yOrigin_);
    return TCustomSeries::OriginPos(index);
}

void TAreaSeries::ApplyGalleryColors() {
    TChartHost* chart = ParentChart();
    if (!chart)
        return;
    Gradient()->SetVisible(true);
    SetSeriesColor(chart->PaletteColor(3));
    Gradient()->SetStartColor(SeriesColor());
    Gradient()->SetEndColor(chart->PaletteColor(0));
}

void TAreaSeries::PrepareForGallery(bool enabled) {
    TCustomSeries::PrepareForGallery(enabled);
    ApplyGalleryColors();
}

void TAreaSeries::ApplyGallery3D(bool is3D) {
    TCustomSeries::ApplyGallery3D(is3D);
    ApplyGalleryColors();
}

THorizAreaSeries::THorizAreaSeries(TComponent* owner) : TAreaSeries(owner) {
    SetXMandatory();
    calcVisiblePoints_ = false;
    XValues()->SetOrder(loNone);
    YValues()->SetOrder(loAscending);
    Gradient()->SetDirection(gdRightLeft);
}

void THorizAreaSeries::DrawMark(int index, const std::string& text, TSeriesMarkPosition& position) {
    const TMarksCallout* callout = Marks()->Callout();
    const int offset = callout->Length() + callout->Distance();
    position.Top = position.ArrowTo.Y - position.Height / 2;
    position.Left += offset + position.Width / 2;
    position.ArrowTo.X += offset;
    position.ArrowFrom.Y = position.ArrowTo.Y;
    position.ArrowFrom.X += callout->Distance();
    TCustomSeries::DrawMark(index, text, position);
}
