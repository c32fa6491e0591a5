#include "chart/series/CustomSeries.h"

#include "chart/core/ChartHost.h"
#include "chart/core/SeriesMarks.h"

TCustomSeries::TCustomSeries(TComponent* owner) : TCustomLineSeries(owner) {
    const TNotifyEvent changed = [this](TObject* sender) { SubObjectChanged(sender); };
    areaBrush_ = std::make_unique<TChartBrush>(changed);
    areaLinesPen_ = std::make_unique<TChartPen>(changed);
    outLine_ = std::make_unique<TChartHiddenPen>(changed);
    pointer_ = std::make_unique<TSeriesPointer>(this);
    shadow_ = std::make_unique<TPlotShadow>(changed);
    gradient_ = std::make_unique<TPlotGradient>(changed);
}

// The owned objects go before the base (gradient, area brush, area lines pen, shadow, outline,
// pointer), as they were made to notify this series.
TCustomSeries::~TCustomSeries() {
    gradient_.reset();
    areaBrush_.reset();
    areaLinesPen_.reset();
    shadow_.reset();
    outLine_.reset();
    pointer_.reset();
}

void TCustomSeries::DeclareProperties(TPropertyList& p) {
    using S = TCustomSeries;
    p.Add("AreaChartBrush", &S::AreaChartBrush, &S::SetAreaChartBrush);
    p.Add("AreaColor", &S::AreaColor, &S::SetAreaColor, TColorTypeInfo()).Default(clDefault);
    p.Add("AreaLinesPen", &S::AreaLinesPen, &S::SetAreaLinesPen);
    p.Add("ClickableLine", &S::ClickableLine, &S::SetClickableLine).Default(true);
    p.Add("ColorEachLine", &S::ColorEachLine, &S::SetColorEachLine).Default(true);
    p.Add("Dark3D", &S::Dark3D, &S::SetDark3D).Default(true);
    p.Add("DrawArea", &S::DrawArea, &S::SetDrawArea).Default(false);
    p.Add("InvertedStairs", &S::InvertedStairs, &S::SetInvertedStairs).Default(false);
    p.Add("LineBrush", &S::LineBrush, &S::SetLineBrush).Default(bsSolid);
    p.Add("LineHeight", &S::LineHeight, &S::SetLineHeight).Default(0);
    p.Add("OutLine", &S::OutLine, &S::SetOutLine);
    p.Add("Pointer", &S::Pointer, &S::SetPointer);
    p.Add("Shadow", &S::Shadow, &S::SetShadow);
    p.Add("Stacked", &S::Stacked, &S::SetStacked).Default(cssNone);
    p.Add("Stairs", &S::Stairs, &S::SetStairs).Default(false);
    p.Add("Gradient", &S::Gradient, &S::SetGradient);
    p.Add("Transparency", &S::Transparency, &S::SetTransparencyValue).Default(0);
    p.Add("OnClickPointer", &S::OnClickPointer);
    p.Add("OnGetPointerStyle", &S::OnGetPointerStyle);
}

void TCustomSeries::Assign(TPersistent* source) {
    if (auto* s = dynamic_cast<TCustomSeries*>(source)) {
        clickableLine_ = s->clickableLine_;
        areaBrush_->Assign(s->areaBrush_.get());
        areaColor_ = s->areaColor_;
        areaLinesPen_->Assign(s->areaLinesPen_.get());
        colorEachLine_ = s->colorEachLine_;
        dark3D_ = s->dark3D_;
        drawArea_ = s->drawArea_;
        connectPoints_ = s->connectPoints_;
        invertedStairs_ = s->invertedStairs_;
        lineHeight_ = s->lineHeight_;
        pointer_->Assign(s->pointer_.get());
        stacked_ = s->stacked_;
        stairs_ = s->stairs_;
        outLine_->Assign(s->outLine_.get());
        shadow_->Assign(s->shadow_.get());
        SetTransparency(s->GetTransparency());
        GetGradient()->Assign(s->GetGradient());
    }
    TCustomLineSeries::Assign(source);
}

void TCustomSeries::SetParentChart(TChartHost* chart) {
    TCustomLineSeries::SetParentChart(chart);
    pointer_->SetParentChart(chart);
}

TBrushStyle TCustomSeries::LineBrush() const {
    return Brush()->Style();
}

void TCustomSeries::SetLineBrush(TBrushStyle value) {
    Brush()->SetStyle(value);
}

void TCustomSeries::SetStacked(TCustomSeriesStack value) {
    if (value == stacked_)
        return;
    stacked_ = value;
    if (TChartHost* chart = ParentChart()) {
        for (int i = 0; i < chart->SeriesCount(); ++i) {
            auto* other = dynamic_cast<TCustomSeries*>(chart->SeriesAt(i));
            if (other && InheritsFrom(other->ClassType()))
                other->stacked_ = value;
        }
    }
    Repaint();
}

TColor TCustomSeries::AreaColorFor(TColor color) const {
    return ColorEachPoint() || areaColor_ == clDefault ? color : areaColor_;
}

int TCustomSeries::MarkOffset() {
    const TMarksCallout* callout = Marks()->Callout();
    return callout->Length() + callout->Distance();
}

void TCustomSeries::DrawMark(int index, const std::string& text, TSeriesMarkPosition& position) {
    Marks()->SetZPosition(StartZ());
    if (VerticalValues())
        Marks()->ApplyCallout(position);
    TCustomLineSeries::DrawMark(index, text, position);
}
