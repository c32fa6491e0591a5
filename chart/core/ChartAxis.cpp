#include "chart/core/ChartAxis.h"

#include "chart/core/ChartSeries.h"
#include "chart/draw/ChartMessages.h"

#include <cmath>

// ---- TChartAxisPen ------------------------------------------------------------------------------

TChartAxisPen::TChartAxisPen(TNotifyEvent onChange) : TChartPen() {
    SetWidth(2);
    OnChange = std::move(onChange);
}

void TChartAxisPen::DeclareProperties(TPropertyList& p) {
    p.Add("LineMode", &TChartAxisPen::LineMode, &TChartAxisPen::SetLineMode).Default(lmLine);
    p.Add("Width", &TPen::Width, &TPen::SetWidth).Default(2);
}

void TChartAxisPen::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TChartAxisPen*>(source))
        lineMode_ = other->lineMode_;
    TChartPen::Assign(source);
}

void TChartAxisPen::SetLineMode(TPenLineMode value) {
    if (lineMode_ == value)
        return;
    lineMode_ = value;
    Changed();
}

// ---- TChartAxisTitle ----------------------------------------------------------------------------

TChartAxisTitle::TChartAxisTitle(TChartHost* chart) : TAxisTextShape(chart, true) {}

void TChartAxisTitle::DeclareProperties(TPropertyList& p) {
    using T = TChartAxisTitle;
    p.Add("Angle", &T::Angle, &T::SetAngle).Stored(&T::AngleStored);
    p.Add("Caption", &T::Caption, &T::SetCaption);
}

void TChartAxisTitle::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TChartAxisTitle*>(source)) {
        angle_ = other->angle_;
        caption_ = other->caption_;
    }
    TAxisTextShape::Assign(source);
}

void TChartAxisTitle::SetAngle(int value) {
    value %= 360;
    if (value < 0)
        value += 360;
    if (angle_ == value)
        return;
    angle_ = value;
    Repaint();
}

void TChartAxisTitle::SetCaption(const std::string& value) {
    if (caption_ == value)
        return;
    caption_ = value;
    Repaint();
}

// ---- TChartCustomAxes ---------------------------------------------------------------------------

TChartCustomAxes::TChartCustomAxes(TChartHost* chart, TPersistent* owner)
    : TCollection(TChartAxis::StaticClass(), owner), chart_(chart) {}

// ---- TChartAxis ---------------------------------------------------------------------------------

namespace {

TChartHost* ChartOf(TCollection* collection) {
    auto* axes = dynamic_cast<TChartCustomAxes*>(collection);
    return axes ? axes->Chart() : nullptr;
}

[[noreturn]] void RaiseAxis(int message) {
    throw AxisException(ChartMsg(message));
}

} // namespace

TChartAxis::TChartAxis(TCollection* collection) : TCollectionItem(nullptr) {
    chart_ = ChartOf(collection);
    if (chart_ && chart_->AxisCount() >= 6)
        SetCollection(collection);
    SelectPositionFunctions();
    items_ = std::make_unique<TAxisItems>(this);
    auto changed = [this](TObject* sender) { PenChanged(sender); };
    title_ = std::make_unique<TChartAxisTitle>(chart_);
    ticks_ = std::make_unique<TDarkGrayPen>(changed);
    minorTicks_ = std::make_unique<TDarkGrayPen>(changed);
    ticksInner_ = std::make_unique<TDarkGrayPen>(changed);
    grid_ = std::make_unique<TAxisGridPen>(changed);
    minorGrid_ = std::make_unique<TChartHiddenPen>(changed);
    axisPen_ = std::make_unique<TChartAxisPen>(changed);
    if (chart_)
        chart_->AxisCreated(this);
}

TChartAxis::~TChartAxis() {
    axisPen_.reset();
    minorGrid_.reset();
    grid_.reset();
    ticksInner_.reset();
    minorTicks_.reset();
    ticks_.reset();
    title_.reset();
    items_.reset();
    if (chart_) {
        for (int i = 0; i < chart_->SeriesCount(); ++i) {
            TChartSeries* series = chart_->SeriesAt(i);
            if (series->CustomHorizAxis() == this)
                series->SetCustomHorizAxis(nullptr);
            if (series->CustomVertAxis() == this)
                series->SetCustomVertAxis(nullptr);
        }
        chart_->AxisDestroyed(this);
    }
}

void TChartAxis::DeclareProperties(TPropertyList& p) {
    using A = TChartAxis;
    p.Add("Automatic", &A::Automatic, &A::SetAutomatic).Default(true);
    p.Add("AutomaticMaximum", &A::AutomaticMaximum, &A::SetAutomaticMaximum).Default(true);
    p.Add("AutomaticMinimum", &A::AutomaticMinimum, &A::SetAutomaticMinimum).Default(true);
    p.Add("Axis", &A::Axis, &A::SetAxis);
    p.Add("AxisValuesFormat", &A::AxisValuesFormat, &A::SetAxisValuesFormat)
        .Stored(&A::AxisValuesFormatStored);
    p.Add("DateTimeFormat", &A::DateTimeFormat, &A::SetDateTimeFormat);
    p.Add("ExactDateTime", &A::ExactDateTime, &A::SetExactDateTime).Default(true);
    p.Add("Grid", &A::Grid, &A::SetGrid);
    p.Add("GridCentered", &A::GridCentered, &A::SetGridCentered).Default(false);
    p.Add("Increment", &A::Increment, &A::SetIncrement);
    p.Add("Inverted", &A::Inverted, &A::SetInverted).Default(false);
    p.Add("Horizontal", &A::Horizontal, &A::SetHorizontal).Stored(&A::HorizontalStored);
    p.Add("OtherSide", &A::OtherSide, &A::SetOtherSide).Stored(&A::HorizontalStored);
    p.Add("Labels", &A::Labels, &A::SetLabels).Default(true);
    p.Add("LabelsAlign", &A::LabelsAlign, &A::SetLabelsAlign).Default(alDefault);
    p.Add("LabelsAlternate", &A::LabelsAlternate, &A::SetLabelsAlternate).Default(false);
    p.Add("LabelsAngle", &A::LabelsAngle, &A::SetLabelsAngle).Default(0);
    p.Add("LabelsExponent", &A::LabelsExponent, &A::SetLabelsExponent).Default(false);
    p.Add("LabelsFont", &A::LabelsFont, &A::SetLabelsFont);
    p.Add("LabelsMultiLine", &A::LabelsMultiLine, &A::SetLabelsMultiLine).Default(false);
    p.Add("LabelsOnAxis", &A::LabelsOnAxis, &A::SetLabelsOnAxis).Default(true);
    p.Add("LabelsSeparation", &A::LabelsSeparation, &A::SetLabelsSeparation).Default(10);
    p.Add("LabelsSize", &A::LabelsSize, &A::SetLabelsSize).Default(0);
    p.Add("LabelStyle", &A::LabelStyle, &A::SetLabelStyle).Default(talAuto);
    p.Add("Logarithmic", &A::Logarithmic, &A::SetLogarithmic).Default(false);
    p.Add("LogarithmicBase", &A::LogarithmicBase, &A::SetLogarithmicBase)
        .Stored(&A::LogarithmicBaseStored);
    p.Add("Maximum", &A::Maximum, &A::SetMaximum).Stored(&A::MaximumStored);
    p.Add("MaximumOffset", &A::MaximumOffset, &A::SetMaximumOffset).Default(0);
    p.Add("MaximumRound", &A::MaximumRound, &A::SetMaximumRound).Default(false);
    p.Add("Minimum", &A::Minimum, &A::SetMinimum).Stored(&A::MinimumStored);
    p.Add("MinimumOffset", &A::MinimumOffset, &A::SetMinimumOffset).Default(0);
    p.Add("MinimumRound", &A::MinimumRound, &A::SetMinimumRound).Default(false);
    p.Add("MinorGrid", &A::MinorGrid, &A::SetMinorGrid);
    p.Add("MinorTickCount", &A::MinorTickCount, &A::SetMinorTickCount).Default(3);
    p.Add("MinorTickLength", &A::MinorTickLength, &A::SetMinorTickLength).Default(2);
    p.Add("MinorTicks", &A::MinorTicks, &A::SetMinorTicks);
    p.Add("StartPosition", &A::StartPosition, &A::SetStartPosition).Stored(&A::StartPositionStored);
    p.Add("EndPosition", &A::EndPosition, &A::SetEndPosition).Stored(&A::EndPositionStored);
    p.Add("PositionPercent", &A::PositionPercent, &A::SetPositionPercent)
        .Stored(&A::PositionPercentStored);
    p.Add("PositionUnits", &A::PositionUnits, &A::SetPositionUnits).Default(muPercent);
    p.Add("RoundFirstLabel", &A::RoundFirstLabel, &A::SetRoundFirstLabel).Default(true);
    p.Add("TickInnerLength", &A::TickInnerLength, &A::SetTickInnerLength).Default(0);
    p.Add("TickLength", &A::TickLength, &A::SetTickLength).Default(4);
    p.Add("Ticks", &A::Ticks, &A::SetTicks);
    p.Add("TicksInner", &A::TicksInner, &A::SetTicksInner);
    p.Add("TickOnLabelsOnly", &A::TickOnLabelsOnly, &A::SetTickOnLabelsOnly).Default(true);
    p.Add("Title", &A::Title, &A::SetTitle);
    p.Add("TitleSize", &A::TitleSize, &A::SetTitleSize).Default(0);
    p.Add("Visible", &A::Visible, &A::SetVisible).Default(true);
    p.Add("ZPosition", &A::ZPosition, &A::SetZPosition).Stored(&A::ZPositionStored);
    p.Add("OnDrawLabel", &A::OnDrawLabel);
}

void TChartAxis::Assign(TPersistent* source) {
    auto* a = dynamic_cast<TChartAxis*>(source);
    if (!a) {
        TCollectionItem::Assign(source);
        return;
    }
    axisPen_->Assign(a->axisPen_.get());
    items_->CopyFrom(*a->items_);
    labelsAlign_ = a->labelsAlign_;
    labelsAlternate_ = a->labelsAlternate_;
    labelsAngle_ = a->labelsAngle_;
    labelsExponent_ = a->labelsExponent_;
    labelsMultiLine_ = a->labelsMultiLine_;
    labelsSeparation_ = a->labelsSeparation_;
    labelsSize_ = a->labelsSize_;
    labelStyle_ = a->labelStyle_;
    labelsOnAxis_ = a->labelsOnAxis_;
    ticks_->Assign(a->ticks_.get());
    ticksInner_->Assign(a->ticksInner_.get());
    titleSize_ = a->titleSize_;
    grid_->Assign(a->grid_.get());
    minorTicks_->Assign(a->minorTicks_.get());
    minorGrid_->Assign(a->minorGrid_.get());
    tickLength_ = a->tickLength_;
    minorTickLength_ = a->minorTickLength_;
    minorTickCount_ = a->minorTickCount_;
    tickInnerLength_ = a->tickInnerLength_;
    axisValuesFormat_ = a->axisValuesFormat_;
    increment_ = a->increment_;
    maximum_ = a->maximum_;
    maximumOffset_ = a->maximumOffset_;
    maximumRound_ = a->maximumRound_;
    minimum_ = a->minimum_;
    minimumOffset_ = a->minimumOffset_;
    minimumRound_ = a->minimumRound_;
    automatic_ = a->automatic_;
    automaticMaximum_ = a->automaticMaximum_;
    automaticMinimum_ = a->automaticMinimum_;
    title_->Assign(a->title_.get());
    dateTimeFormat_ = a->dateTimeFormat_;
    logarithmic_ = a->logarithmic_;
    logarithmicBase_ = a->logarithmicBase_;
    inverted_ = a->inverted_;
    exactDateTime_ = a->exactDateTime_;
    roundFirstLabel_ = a->roundFirstLabel_;
    tickOnLabelsOnly_ = a->tickOnLabelsOnly_;
    isDepthAxis_ = a->isDepthAxis_;
    startPosition_ = a->startPosition_;
    endPosition_ = a->endPosition_;
    positionPercent_ = a->positionPercent_;
    positionUnits_ = a->positionUnits_;
    visible_ = a->visible_;
    horizontal_ = a->horizontal_;
    otherSide_ = a->otherSide_;
    SelectPositionFunctions();
}

bool TChartAxis::IsCustom() const {
    if (!chart_)
        return false;
    for (int i = 0; i < chart_->AxisCount(); ++i)
        if (chart_->AxisAt(i) == this)
            return i > 5;
    return false;
}

void TChartAxis::Repaint() {
    if (chart_)
        chart_->Invalidate();
}

bool TChartAxis::ChartLoading() const {
    return chart_ && chart_->ChartLoading();
}

// ---- range settings -----------------------------------------------------------------------------

void TChartAxis::SetAutomatic(bool value) {
    SetField(automatic_, value);
    if (!ChartLoading()) {
        automaticMinimum_ = value;
        automaticMaximum_ = value;
    }
}

// One automatic end: switching it off ends Automatic; on, with the other end on too, sets it.
void TChartAxis::SetAutomaticEnd(bool& end, bool otherEnd, bool value) {
    SetField(end, value);
    if (!value)
        automatic_ = false;
    else if (otherEnd)
        automatic_ = true;
}

void TChartAxis::SetAutomaticMaximum(bool value) {
    SetAutomaticEnd(automaticMaximum_, automaticMinimum_, value);
}

void TChartAxis::SetAutomaticMinimum(bool value) {
    SetAutomaticEnd(automaticMinimum_, automaticMaximum_, value);
}

void TChartAxis::SetMinimum(double value) {
    if (!ChartLoading() && value > maximum_)
        RaiseAxis(msgAxisMinMax);
    SetField(minimum_, value);
}

void TChartAxis::SetMaximum(double value) {
    if (!ChartLoading() && value < minimum_)
        RaiseAxis(msgAxisMaxMin);
    SetField(maximum_, value);
}

void TChartAxis::SetMinMax(double a, double b) {
    automatic_ = automaticMinimum_ = automaticMaximum_ = false;
    if (a > b)
        std::swap(a, b);
    SetField(minimum_, a);
    SetField(maximum_, b);
    if (maximum_ - minimum_ < 1e-10)
        SetField(maximum_, minimum_ + 1e-10);
    if (chart_)
        chart_->AxisRangeSet(this);
}

void TChartAxis::SetIncrement(double value) {
    if (value < 0)
        RaiseAxis(msgAxisIncrement);
    SetField(increment_, value);
}

void TChartAxis::SetLogarithmic(bool value) {
    if (value && !logarithmic_) {
        if (IsDateTime())
            RaiseAxis(msgDateTimeLogarithmic);
        AdjustRange();
        if (minimum_ < 0 || maximum_ < 0)
            RaiseAxis(msgLogarithmicMinMax);
    }
    if (SetField(logarithmic_, value))
        SelectPositionFunctions();
}

void TChartAxis::SetLogarithmicBase(double value) {
    if (value <= 0 || value == 1)
        RaiseAxis(msgAxisLogBase);
    SetField(logarithmicBase_, value);
}

void TChartAxis::SetLabelsSeparation(int value) {
    if (value < 0)
        RaiseAxis(msgLabelsSeparation);
    SetField(labelsSeparation_, value);
}

// ---- placement and labels -----------------------------------------------------------------------

void TChartAxis::SetHorizontal(bool value) {
    if (SetField(horizontal_, value))
        SelectPositionFunctions();
}

void TChartAxis::SetZPosition(double value) {
    SetField(zPosition_, value == 0 ? 0.01 : value);
}

bool TChartAxis::ZPositionStored() const {
    if (isDepthAxis_)
        return false;
    return otherSide_ ? zPosition_ != 100 : zPosition_ > 0.011;
}

void TChartAxis::SetLabelsAngle(int value) {
    value %= 360;
    if (value < 0)
        value += 360;
    SetField(labelsAngle_, value);
}

// ---- queries ------------------------------------------------------------------------------------

bool TChartAxis::IsDateTime() const {
    if (!chart_)
        return false;
    for (int i = 0; i < chart_->SeriesCount(); ++i) {
        TChartSeries* series = chart_->SeriesAt(i);
        if (!series->Active())
            continue;
        if (TChartValueList* list = series->ValueListForAxis(const_cast<TChartAxis*>(this)))
            return list->DateTime();
    }
    return false;
}

bool TChartAxis::TitleClicked(int x, int y) const {
    if (!title_->Visible() || title_->Caption().empty())
        return false;
    const TRect& r = title_->ShapeRect();
    if (title_->Angle() == 0)
        return x >= r.Left && x <= r.Right && y >= r.Top && y <= r.Bottom;
    // Turn the point back by the angle about the rectangle's centre and test it upright.
    const double a = title_->Angle() * DegToRad;
    const double cx = (r.Left + r.Right) / 2;
    const double cy = (r.Top + r.Bottom) / 2;
    const double dx = x - cx, dy = y - cy;
    const double ux = dx * std::cos(a) - dy * std::sin(a) + cx;
    const double uy = dx * std::sin(a) + dy * std::cos(a) + cy;
    return ux >= r.Left && ux <= r.Right && uy >= r.Top && uy <= r.Bottom;
}

TAxisLabelStyle TChartAxis::AutoLabelStyle() const {
    if (!chart_)
        return talNone;
    TAxisLabelStyle result = talNone;
    auto* self = const_cast<TChartAxis*>(this);
    for (int i = 0; i < chart_->SeriesCount(); ++i) {
        TChartSeries* s = chart_->SeriesAt(i);
        if (!s->Active() || !s->UsesAxis(self))
            continue;
        result = talValue;
        const bool matching = horizontal_ ? s->YMandatory() : !s->YMandatory();
        if (!s->HasZValues() && matching) {
            for (int p = 0; p < s->Labels().Count(); ++p)
                if (!s->Labels().Get(p).empty())
                    return talText;
        }
    }
    return result;
}

// ---- TChartDepthAxis ----------------------------------------------------------------------------

TChartDepthAxis::TChartDepthAxis(TCollection* collection) : TChartAxis(collection) {
    SetDepthAxisFlag(true);
    SetVisible(false);
    SelectPositionFunctions();
}

void TChartDepthAxis::DeclareProperties(TPropertyList& p) {
    p.Add("Visible", &TChartAxis::Visible, &TChartAxis::SetVisible).Default(false);
}

TAxisLabelStyle TChartDepthAxis::AutoLabelStyle() const {
    TChartHost* chart = ParentChart();
    if (!chart)
        return talText;
    for (int i = 0; i < chart->SeriesCount(); ++i) {
        TChartSeries* s = chart->SeriesAt(i);
        if (s->Active() && (s->HasZValues() || s->HighestZ() != s->LowestZ()))
            return talValue;
    }
    return talText;
}

void TChartDepthAxis::SetInverted(bool value) {
    TChartAxis::SetInverted(value);
    TChartHost* chart = ParentChart();
    if (!chart)
        return;
    for (TChartAxis* other : {chart->DepthAxis(), chart->DepthTopAxis()})
        if (other && other != this && other->Inverted() != value)
            other->TChartAxis::SetInverted(value);
}
