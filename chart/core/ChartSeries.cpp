// The series class: construction, chart and axis binding, depth, colours, pixels, drawing
// hooks and the mouse. The point operations are in SeriesPoints.cpp, the data sources, linked
// series and the function in SeriesSources.cpp.

#include "chart/core/ChartSeries.h"

#include "chart/core/ChartAxis.h"
#include "chart/core/PlotFunction.h"
#include "chart/core/SeriesMarks.h"
#include "chart/draw/PlotCanvas.h"
#include "platform/rtl/Strings.h"

#include <algorithm>

TChartSeries::TChartSeries(TComponent* owner) : TCustomChartSeries(owner), dataSources_(this) {
    xValues_ = AddValueList("X");
    xValues_->SetOrder(loAscending);
    yValues_ = AddValueList("Y");
    notMandatory_ = xValues_;
    mandatory_ = yValues_;
    marks_ = std::make_unique<TSeriesMarks>(this);
    SetMarkPoints(marks_.get());
}

TChartSeries::~TChartSeries() {
    Destroying();
    if (function_ != nullptr) {
        TPlotFunction* function = function_;
        function_ = nullptr;
        DropFunction(function);
    }
    ReleaseSources();
    ClearValues();
    SetParentChart(nullptr);
}

void TChartSeries::BeforeDestruction() {
    TCustomChartSeries::BeforeDestruction();
    SetParentChart(nullptr);
}

void TChartSeries::DeclareProperties(TPropertyList& p) {
    using S = TChartSeries;
    p.Add("ColorEachPoint", &S::ColorEachPoint, &S::SetColorEachPoint).Default(false);
    p.Add("ColorSource", &S::ColorSource, &S::SetColorSource);
    p.Add("Cursor", &S::Cursor, &S::SetCursor).Default(crDefault);
    p.Add("Depth", &S::Depth, &S::SetDepth).Default(-1);
    p.Add("HorizAxis", &S::HorizAxis, &S::SetHorizAxis).Default(aBottomAxis);
    p.Add("Marks", &S::Marks, &S::SetMarks);
    p.Add("DataSource", &S::DataSource, &S::SetDataSource);
    p.Add("PercentFormat", &S::PercentFormat, &S::SetPercentFormat).Stored(&S::PercentFormatStored);
    p.Add("SeriesColor", &S::SeriesColor, &S::SetSeriesColor, TColorTypeInfo())
        .Stored(&S::SeriesColorStored);
    p.Add("ValueFormat", &S::ValueFormat, &S::SetValueFormat).Stored(&S::ValueFormatStored);
    p.Add("VertAxis", &S::VertAxis, &S::SetVertAxis).Default(aLeftAxis);
    p.Add("XLabelsSource", &S::XLabelsSource, &S::SetXLabelsSource);
    p.Add("Brush", &S::Brush, &S::SetBrush);
    p.Add("XValues", &S::XValues, &S::SetXValues);
    p.Add("YValues", &S::YValues, &S::SetYValues);
    p.Add("AfterDrawValues", &S::AfterDrawValues);
    p.Add("BeforeDrawValues", &S::BeforeDrawValues);
    p.Add("OnAfterAdd", &S::OnAfterAdd);
    p.Add("OnBeforeAdd", &S::OnBeforeAdd);
    p.Add("OnClearValues", &S::OnClearValues);
    p.Add("OnClick", &S::OnClick);
    p.Add("OnDblClick", &S::OnDblClick);
    p.Add("OnGetMarkText", &S::OnGetMarkText);
    p.Add("OnMouseEnter", &S::OnMouseEnter);
    p.Add("OnMouseLeave", &S::OnMouseLeave);
}

TChartValueList* TChartSeries::AddValueList(const std::string& name) {
    return valueLists_.Add(std::make_unique<TChartValueList>(this, name));
}

void TChartSeries::SetXMandatory() {
    mandatory_ = xValues_;
    notMandatory_ = yValues_;
    yMandatory_ = false;
}

void TChartSeries::Notification(TComponent* component, TOperation operation) {
    TCustomChartSeries::Notification(component, operation);
    if (operation != opRemove || component == this || dataSources_.IndexOf(component) < 0)
        return;
    // A series going away with its owner still forgets the sources that go first.
    if (ComponentState().Contains(csDestroying))
        dataSources_.Remove(component);
    else
        RemoveDataSourceItem(component);
}

void TChartSeries::DefineProperties(TFiler* filer) {
    TCustomChartSeries::DefineProperties(filer);
    DefineDataSources(filer);
    DefineCustomAxes(filer);
    DefinePointData(filer);
}

void TChartSeries::SetMarks(TSeriesMarks* marks) {
    if (marks != nullptr && marks != marks_.get())
        marks_->Assign(marks);
}

// ---- chart binding ------------------------------------------------------------------------------

void TChartSeries::SetParentChart(TChartHost* chart) {
    if (chart == ParentChart())
        return;
    if (ParentChart())
        ParentChart()->DetachSeries(this); // calls RemovedFromChart, which clears the chart
    TCustomChartSeries::SetParentChart(chart);
    if (markPoints_)
        markPoints_->SetParentChart(chart);
    if (chart)
        chart->RegisterSeries(this); // calls AddedToChart
    else
        BindAxes();
}

void TChartSeries::AddedToChart() {
    if (color_ == clDefault) {
        TakeAutomaticColor(ParentChart()->FreeSeriesColor(true, this));
        ParentChart()->NotifySeries(this, sekChangeColor);
    }
    BindAxes();
    ReloadFromSource();
}

void TChartSeries::RemovedFromChart() {
    if (TChartHost* chart = ParentChart()) {
        if (cursor_ != crDefault && chart->ChartCursor() == cursor_)
            chart->SetChartCursor(savedChartCursor_);
    }
    UnlinkFromSources();
    TCustomChartElement::SetParentChart(nullptr);
    if (markPoints_)
        markPoints_->SetParentChart(nullptr);
    BindAxes();
}

// ---- axes ---------------------------------------------------------------------------------------

void TChartSeries::BindAxes() {
    TChartHost* chart = ParentChart();
    if (!chart) {
        horizAxisBound_ = vertAxisBound_ = nullptr;
        return;
    }
    if (horizAxis_ == aTopAxis)
        horizAxisBound_ = chart->TopAxis();
    else if (horizAxis_ == aCustomHorizAxis && customHorizAxis_)
        horizAxisBound_ = customHorizAxis_;
    else
        horizAxisBound_ = chart->BottomAxis();
    if (vertAxis_ == aRightAxis)
        vertAxisBound_ = chart->RightAxis();
    else if (vertAxis_ == aCustomVertAxis && customVertAxis_)
        vertAxisBound_ = customVertAxis_;
    else
        vertAxisBound_ = chart->LeftAxis();
}

void TChartSeries::SetHorizAxis(THorizAxis value) {
    horizAxis_ = value;
    const bool loading =
        ComponentState().Contains(csLoading) || (ParentChart() && ParentChart()->ChartLoading());
    if (value != aCustomHorizAxis && !loading)
        customHorizAxis_ = nullptr;
    BindAxes();
    Repaint();
}

void TChartSeries::SetVertAxis(TVertAxis value) {
    vertAxis_ = value;
    const bool loading =
        ComponentState().Contains(csLoading) || (ParentChart() && ParentChart()->ChartLoading());
    if (value != aCustomVertAxis && !loading)
        customVertAxis_ = nullptr;
    BindAxes();
    Repaint();
}

void TChartSeries::SetCustomHorizAxis(TChartAxis* axis) {
    customHorizAxis_ = axis;
    SetHorizAxis(axis ? aCustomHorizAxis : aBottomAxis);
}

void TChartSeries::SetCustomVertAxis(TChartAxis* axis) {
    customVertAxis_ = axis;
    SetVertAxis(axis ? aCustomVertAxis : aLeftAxis);
}

TChartValueList* TChartSeries::ValueListByName(const std::string& name) const {
    for (int i = 2; i < valueLists_.Count(); ++i)
        if (SameText(valueLists_[i]->Name(), name))
            return valueLists_[i];
    return mandatory_;
}

TChartValueList* TChartSeries::ValueListForAxis(TChartAxis* axis) {
    if (!axis || !UsesAxis(axis))
        return nullptr;
    return axis->Horizontal() ? xValues_ : yValues_;
}

bool TChartSeries::UsesAxis(TChartAxis* axis) const {
    if (!HasAxes() || !axis)
        return false;
    if (axis->Horizontal())
        return horizAxis_ == aBothHorizAxis || axis == horizAxisBound_;
    return vertAxis_ == aBothVertAxis || axis == vertAxisBound_;
}

// ---- depth --------------------------------------------------------------------------------------

void TChartSeries::SetZOrder(int value) {
    if (SetField(zOrder_, value))
        internalZOrder_ = value == -1 ? 0 : value;
}

void TChartSeries::AssignZOrder() {
    TChartHost* chart = ParentChart();
    if (!chart)
        return;
    if (zOrder_ == -1) {
        if (chart->View3D()) {
            internalZOrder_ = chart->MaxZOrder() + 1;
            chart->SetMaxZOrder(internalZOrder_);
        } else {
            internalZOrder_ = 0;
        }
    } else {
        chart->SetMaxZOrder(std::max(chart->MaxZOrder(), zOrder_));
    }
}

void TChartSeries::CalcZRange() {
    TChartHost* chart = ParentChart();
    const int slot = chart ? chart->SeriesDepth3D() : 0;
    startZ_ = slot * EffectiveZOrder();
    endZ_ = startZ_ + (depth_ == -1 ? slot : depth_);
    middleZ_ = (startZ_ + endZ_) / 2;
    if (markPoints_)
        markPoints_->SetZPosition(middleZ_);
}

bool TChartSeries::SharesZOrder() {
    TChartHost* chart = ParentChart();
    if (!chart || !chart->ApplyZOrder())
        return false;
    for (int i = 0; i < chart->SeriesCount(); ++i) {
        TChartSeries* other = chart->SeriesAt(i);
        if (other != this && other->Active() && !other->HasZValues() &&
            other->EffectiveZOrder() == EffectiveZOrder())
            return true;
    }
    return false;
}

bool TChartSeries::FirstInZOrder() const {
    if (!Active())
        return false;
    TChartHost* chart = ParentChart();
    if (!chart)
        return true;
    for (int i = 0; i < chart->SeriesCount(); ++i) {
        TChartSeries* other = chart->SeriesAt(i);
        if (other == this)
            return true;
        if (other->Active() && other->EffectiveZOrder() == EffectiveZOrder())
            return false;
    }
    return true;
}

// ---- colours and settings -----------------------------------------------------------------------

void TChartSeries::SetSeriesColor(TColor value) {
    if (color_ == clDefault && value == autoColor_)
        return;
    SetField(color_, value);
    autoColor_ = value;
    if (ParentChart())
        ParentChart()->NotifySeries(this, sekChangeColor);
}

void TChartSeries::TakeAutomaticColor(TColor value) {
    autoColor_ = value;
    SetSeriesColor(value);
}

void TChartSeries::SetColorSource(const std::string& value) {
    if (colorSource_ == value)
        return;
    colorSource_ = value;
    ReloadFromSource();
}

void TChartSeries::SetXLabelsSource(const std::string& value) {
    if (xLabelsSource_ == value)
        return;
    xLabelsSource_ = value;
    ReloadFromSource();
}

void TChartSeries::SetXValues(TChartValueList* value) {
    xValues_->Assign(value);
    Repaint();
}

void TChartSeries::SetYValues(TChartValueList* value) {
    yValues_->Assign(value);
    Repaint();
}

void TChartSeries::ValueListChanged(TChartValueList&) {
    Repaint();
}

void TChartSeries::ValueSourceChanged(TChartValueList&) {
    ReloadFromSource();
}

void TChartSeries::ValueOrderChanged(TChartValueList&, int index) {
    NotifyLinked(leOrderChanged, index);
}

// ---- pixels -------------------------------------------------------------------------------------

int TChartSeries::XValueToPixel(double value) const {
    return horizAxisBound_ ? horizAxisBound_->PixelOfX(value) : 0;
}

int TChartSeries::YValueToPixel(double value) const {
    return vertAxisBound_ ? vertAxisBound_->PixelOfY(value) : 0;
}

int TChartSeries::MandatoryValueToPixel(double value) const {
    return yMandatory_ ? YValueToPixel(value) : XValueToPixel(value);
}

double TChartSeries::XPixelToValue(int pixel) const {
    return horizAxisBound_ ? horizAxisBound_->PixelToValue(pixel) : 0;
}

double TChartSeries::YPixelToValue(int pixel) const {
    return vertAxisBound_ ? vertAxisBound_->PixelToValue(pixel) : 0;
}

int TChartSeries::PixelX(int index) {
    return XValueToPixel(XValueAt(index));
}

int TChartSeries::PixelY(int index) {
    return YValueToPixel(YValueAt(index));
}

void TChartSeries::PointPixels(int index, int& x, int& y) {
    x = PixelX(index);
    y = PixelY(index);
}

bool TChartSeries::PointInChartRect(int index) {
    if (!ParentChart())
        return false;
    const TRect r = ParentChart()->ChartRect();
    const int x = PixelX(index), y = PixelY(index);
    return x >= r.Left && x <= r.Right && y >= r.Top && y <= r.Bottom;
}

// ---- drawing ------------------------------------------------------------------------------------

void TChartSeries::DoBeforeDrawValues() {
    if (ParentChart())
        ParentChart()->NotifySeriesTools(this, ctkBeforeDrawSeries);
    if (BeforeDrawValues)
        BeforeDrawValues(this);
}

void TChartSeries::DoAfterDrawValues() {
    if (ParentChart())
        ParentChart()->NotifySeriesTools(this, ctkAfterDrawSeries);
    if (AfterDrawValues)
        AfterDrawValues(this);
}

void TChartSeries::DrawVisiblePoints() {
    if (firstVisible_ < 0)
        return;
    TCanvas3D* canvas = ParentChart() ? ParentChart()->ChartCanvas() : nullptr;
    // Each point's group is closed also when drawing the point raises.
    struct TPointGroup {
        TCanvas3D* canvas;
        TPointGroup(TCanvas3D* c, int i) : canvas(c) {
            if (canvas)
                canvas->BeginGroup(std::to_string(i));
        }
        ~TPointGroup() {
            if (canvas)
                canvas->EndGroup();
        }
        TPointGroup(const TPointGroup&) = delete;
        TPointGroup& operator=(const TPointGroup&) = delete;
    };
    auto drawOne = [&](int i) {
        const TPointGroup group(canvas, i);
        DrawPoint(i);
    };
    if (DrawsAscending()) {
        for (int i = firstVisible_; i <= lastVisible_; ++i)
            drawOne(i);
    } else {
        for (int i = lastVisible_; i >= firstVisible_; --i)
            drawOne(i);
    }
}

void TChartSeries::DrawLegendShape(int, const TRect& rect) {
    if (ParentChart())
        ParentChart()->DrawLegendSymbolRect(rect);
}

bool TChartSeries::DrawsAscending() const {
    if (yMandatory_) {
        const bool inverted = horizAxisBound_ && horizAxisBound_->Inverted();
        const bool rotated = ParentChart() && ParentChart()->RotationInverted();
        return rotated ? inverted : !inverted;
    }
    return !(vertAxisBound_ && vertAxisBound_->Inverted());
}

bool TChartSeries::NormalRotation() const {
    return !(ParentChart() && ParentChart()->RotationInverted());
}

void TChartSeries::ListSubStyles(const TSubStyleProc& add) {
    add("Normal");
}

bool TChartSeries::CheckMouse(int x, int y) {
    if (cursor_ == crDefault && !OnMouseEnter && !OnMouseLeave)
        return false;
    if (PointAt(x, y) == -1) {
        if (mouseOver_) {
            mouseOver_ = false;
            if (OnMouseLeave)
                OnMouseLeave(this);
        }
        return false;
    }
    if (cursor_ != crDefault && ParentChart()) {
        if (ParentChart()->ChartCursor() != cursor_)
            savedChartCursor_ = ParentChart()->ChartCursor();
        ParentChart()->SetChartCursor(cursor_);
    }
    if (!mouseOver_) {
        mouseOver_ = true;
        if (OnMouseEnter)
            OnMouseEnter(this);
    }
    return true;
}
