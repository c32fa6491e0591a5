// The legend's settings, its style in effect and whether it is drawn.

#include "chart/control/ChartLegend.h"

#include "chart/control/LegendGradient.h"
#include "chart/core/ChartSeries.h"
#include "chart/draw/ChartMessages.h"
#include "chart/draw/ChartPen.h"

TCustomChartLegend::TCustomChartLegend(TCustomPlotPanel* parent, TChartHost* chart)
    : TPlotCustomShapePosition(parent), chart_(chart),
      dividingLines_(std::make_unique<TChartHiddenPen>([this](TObject*) { Changed(); })),
      symbol_([this] { Changed(); }), title_(std::make_unique<TLegendTitle>(parent)),
      items_([this] {
          if (chart_ != nullptr)
              chart_->Invalidate();
      }) {}

TCustomChartLegend::~TCustomChartLegend() = default;

void TChartLegend::DeclareProperties(TPropertyList& p) {
    using S = TChartLegend;
    p.Add("Alignment", &S::Alignment, &S::SetAlignment).Default(laRight);
    p.Add("CheckBoxes", &S::CheckBoxes, &S::SetCheckBoxes).Default(false);
    p.Add("CheckBoxesStyle", &S::CheckBoxesStyle, &S::SetCheckBoxesStyle).Default(cbsCheck);
    p.Add("ColorWidth", &S::ColorWidth, &S::SetColorWidth).Default(20);
    p.Add("CurrentPage", &S::CurrentPage, &S::SetCurrentPage).Default(true);
    p.Add("DividingLines", &S::DividingLines, &S::SetDividingLines);
    p.Add("FirstValue", &S::FirstValue, &S::SetFirstValue).Default(0);
    p.Add("FontSeriesColor", &S::FontSeriesColor, &S::SetFontSeriesColor).Default(false);
    p.Add("HorizMargin", &S::HorizMargin, &S::SetHorizMargin).Default(0);
    p.Add("Inverted", &S::Inverted, &S::SetInverted).Default(false);
    p.Add("LeftPercent", &S::LeftPercent, &S::SetLeftPercent).Default(0);
    p.Add("LegendStyle", &S::LegendStyle, &S::SetLegendStyle).Default(lsAuto);
    p.Add("MaxNumRows", &S::MaxNumRows, &S::SetMaxNumRows).Default(10);
    p.Add("PositionUnits", &S::PositionUnits, &S::SetPositionUnits).Default(muPixels);
    p.Add("ResizeChart", &S::ResizeChart, &S::SetResizeChart).Default(true);
    p.Add("Symbol", &S::Symbol, &S::SetSymbol);
    p.Add("Title", &S::Title, &S::SetTitle);
    p.Add("TextStyle", &S::TextStyle, &S::SetTextStyle).Default(ltsLeftValue);
    p.Add("TopPercent", &S::TopPercent, &S::SetTopPercent).Default(0);
    p.Add("TopPos", &S::TopPos, &S::SetTopPos).Default(10);
    p.Add("VertMargin", &S::VertMargin, &S::SetVertMargin).Default(0);
    p.Add("VertSpacing", &S::VertSpacing, &S::SetVertSpacing).Default(0);
}

void TCustomChartLegend::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TCustomChartLegend*>(source)) {
        alignment_ = other->alignment_;
        checkBoxes_ = other->checkBoxes_;
        checkBoxesStyle_ = other->checkBoxesStyle_;
        symbol_.Assign(&other->symbol_);
        title_->Assign(other->title_.get());
        currentPage_ = other->currentPage_;
        dividingLines_->Assign(other->dividingLines_.get());
        firstValue_ = other->firstValue_;
        fontSeriesColor_ = other->fontSeriesColor_;
        horizMargin_ = other->horizMargin_;
        inverted_ = other->inverted_;
        leftPercent_ = other->leftPercent_;
        legendStyle_ = other->legendStyle_;
        maxNumRows_ = other->maxNumRows_;
        positionUnits_ = other->positionUnits_;
        resizeChart_ = other->resizeChart_;
        textStyle_ = other->textStyle_;
        topPercent_ = other->topPercent_;
        topPos_ = other->topPos_;
        vertMargin_ = other->vertMargin_;
        vertSpacing_ = other->vertSpacing_;
    }
    TPlotCustomShapePosition::Assign(source);
}

std::unique_ptr<TPlotGradient> TCustomChartLegend::NewGradient() {
    return std::make_unique<TChartLegendGradient>();
}

int TCustomChartLegend::ActiveSeriesCount() const {
    int count = 0;
    for (int i = 0; chart_ != nullptr && i < chart_->SeriesCount(); ++i)
        if (chart_->SeriesAt(i)->Active())
            ++count;
    return count;
}

TLegendStyle TCustomChartLegend::EffectiveStyle() const {
    if (legendStyle_ != lsAuto)
        return legendStyle_;
    return checkBoxes_ || ActiveSeriesCount() > 1 ? lsSeries : lsValues;
}

bool TCustomChartLegend::ToBeDrawn() const {
    return Visible() && (CheckBoxesShown() || ActiveSeriesCount() > 0);
}

void TCustomChartLegend::SetCheckBoxesStyle(TCheckBoxesStyle style) {
    if (style == checkBoxesStyle_)
        return;
    checkBoxesStyle_ = style;
    if (style == cbsRadio && chart_ != nullptr) {
        bool kept = false;
        for (int i = 0; i < chart_->SeriesCount(); ++i) {
            TChartSeries* series = chart_->SeriesAt(i);
            if (!series->Active() || !series->ShowInLegend())
                continue;
            if (kept)
                series->SetActive(false);
            kept = true;
        }
    }
    Changed();
}

void TCustomChartLegend::SetSeries(TChartSeries* series) {
    if (series != nullptr && chart_ != nullptr)
        series->FreeNotification(chart_->ChartComponent());
    SetValue(series_, series);
}

void TCustomChartLegend::ForgetSeries(const TComponent* series) {
    if (series != nullptr && series == series_)
        series_ = nullptr;
}

void TCustomChartLegend::SetDividingLines(TChartHiddenPen* pen) {
    dividingLines_->Assign(pen);
}

void TCustomChartLegend::SetFirstValue(int index) {
    if (index < 0)
        throw LegendException(ChartMsg(msgLegendFirstValue));
    SetValue(firstValue_, index);
}
