// The axis panel's life, properties, stored form, series list and listeners.

#include "chart/axispanel/AxisPanel.h"

#include "chart/core/SeriesMarks.h"
#include "chart/draw/ChartMessages.h"
#include "chart/util/ChartUtils.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Reader.h"
#include "platform/rtl/Format.h"

#include <cassert>

// ---- life ---------------------------------------------------------------------------------------

TCustomAxisPanel::TCustomAxisPanel(TComponent* owner)
    : TCustomPlotPanelExtended(owner), ownerThread_(std::this_thread::get_id()) {
    SetRepaintEnabled(false);
    tools_ = std::make_unique<TChartTools>(this);
    seriesList_ = std::make_unique<TChartSeriesList>(this, this);
    axes_ = std::make_unique<TChartAxes>(this);
    customAxes_ = std::make_unique<TChartCustomAxes>(this, this);
    // The standard axes, at these positions of Axes; the list owns them.
    auto* bottom = new TChartAxis(customAxes_.get());
    auto* top = new TChartAxis(customAxes_.get());
    auto* left = new TChartAxis(customAxes_.get());
    auto* right = new TChartAxis(customAxes_.get());
    auto* depth = new TChartDepthAxis(customAxes_.get());
    auto* depthTop = new TChartDepthAxis(customAxes_.get());
    bottom->SetHorizontal(true);
    top->SetHorizontal(true);
    top->SetOtherSide(true);
    top->SetZPosition(100);
    top->Grid()->SetZPosition(100);
    top->Grid()->SetDefaultZPosition(100);
    left->Title()->SetDefaultAngle(90);
    right->Title()->SetDefaultAngle(270);
    right->SetOtherSide(true);
    right->SetZPosition(100);
    right->Grid()->SetZPosition(100);
    right->Grid()->SetDefaultZPosition(100);
    depth->SetVisible(false);
    depth->SetOtherSide(true);
    depthTop->SetVisible(false);
    pages_ = std::make_unique<TChartPage>(this);
    SetRepaintEnabled(true);
}

TCustomAxisPanel::~TCustomAxisPanel() {
    Destroying();
    // The series leave (they belong to the form, which frees them), then the axes and lists.
    while (seriesList_->Count() > 0) {
        TChartSeries* series = (*seriesList_)[seriesList_->Count() - 1];
        series->SetParentChart(nullptr);
    }
    pages_.reset();
    // Axis tools let go of their axes before the axes go (and so leave the chart).
    ReleaseAxisTools(nullptr);
    axes_->Clear();
    customAxes_.reset();
    designerHook_.reset();
    tools_->Clear();
    seriesList_.reset();
    axes_.reset();
}

void TCustomAxisPanel::DeclareProperties(TPropertyList& p) {
    using P = TCustomAxisPanel;
    p.Add("AxisBehind", &P::AxisBehind, &P::SetAxisBehind).Default(true);
    p.Add("AxisVisible", &P::AxisVisible, &P::SetAxisVisible).Default(true);
    p.AddFn<P>(
        "BottomAxis", [](P* c) { return c->BottomAxis(); },
        [](P* c, TChartAxis* a) { c->SetBottomAxis(a); });
    p.Add("Chart3DPercent", &P::Chart3DPercent, &P::SetChart3DPercent).Default(15);
    p.Add("ClipPoints", &P::ClipPoints, &P::SetClipPoints).Default(true);
    p.Add("CustomAxes", &P::CustomAxesList, &P::SetCustomAxes).Stored(&P::CustomAxesStored);
    p.AddFn<P>(
        "DepthAxis", [](P* c) { return c->DepthAxis(); },
        [](P* c, TChartAxis* a) { c->SetDepthAxis(a); });
    p.AddFn<P>(
        "DepthTopAxis", [](P* c) { return c->DepthTopAxis(); },
        [](P* c, TChartAxis* a) { c->SetDepthTopAxis(a); });
    p.AddFn<P>(
        "LeftAxis", [](P* c) { return c->LeftAxis(); },
        [](P* c, TChartAxis* a) { c->SetLeftAxis(a); });
    p.Add("Pages", &P::Pages, &P::SetPages);
    p.AddFn<P>(
        "RightAxis", [](P* c) { return c->RightAxis(); },
        [](P* c, TChartAxis* a) { c->SetRightAxis(a); });
    p.Add("SeriesGroups", &P::SeriesGroups, &P::SetSeriesGroups).Stored(&P::SeriesGroupsStored);
    p.AddFn<P>(
        "TopAxis", [](P* c) { return c->TopAxis(); },
        [](P* c, TChartAxis* a) { c->SetTopAxis(a); });
    p.Add("View3DWalls", &P::View3DWalls, &P::SetView3DWalls).Default(true);
    p.Add("OnAddSeries", &P::OnAddSeries);
    p.Add("OnBeforeDrawAxes", &P::OnBeforeDrawAxes);
    p.Add("OnBeforeDrawChart", &P::OnBeforeDrawChart);
    p.Add("OnBeforeDrawSeries", &P::OnBeforeDrawSeries);
    p.Add("OnGetAxisLabel", &P::OnGetAxisLabelEvent);
    p.Add("OnGetNextAxisLabel", &P::OnGetNextAxisLabelEvent);
    p.Add("OnPageChange", &P::OnPageChange);
    p.Add("OnRemoveSeries", &P::OnRemoveSeries);
}

void TCustomAxisPanel::DefineProperties(TFiler* filer) {
    TCustomPlotPanelExtended::DefineProperties(filer);
    filer->DefineProperty(
        "MaxPointsPerPage", [this](TReader* r) { ReadMaxPointsPerPage(r); }, nullptr, false);
    filer->DefineProperty(
        "Page", [this](TReader* r) { ReadPage(r); }, nullptr, false);
    filer->DefineProperty(
        "ScaleLastPage", [this](TReader* r) { ReadScaleLastPage(r); }, nullptr, false);
}

void TCustomAxisPanel::ReadMaxPointsPerPage(TReader* reader) {
    pages_->SetMaxPointsPerPage(reader->ReadInteger());
}

void TCustomAxisPanel::ReadPage(TReader* reader) {
    pages_->SetCurrent(reader->ReadInteger());
}

void TCustomAxisPanel::ReadScaleLastPage(TReader* reader) {
    pages_->SetScaleLastPage(reader->ReadBoolean());
}

void TCustomAxisPanel::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TCustomAxisPanel*>(source)) {
        chart3DPercent_ = other->chart3DPercent_;
        axisBehind_ = other->axisBehind_;
        axisVisible_ = other->axisVisible_;
        SetBottomAxis(other->BottomAxis());
        clipPoints_ = other->clipPoints_;
        colorPalette_ = other->colorPalette_;
        SetCustomAxes(other->customAxes_.get());
        SetLeftAxis(other->LeftAxis());
        SetDepthAxis(other->DepthAxis());
        SetDepthTopAxis(other->DepthTopAxis());
        pages_->Assign(other->pages_.get());
        SetRightAxis(other->RightAxis());
        SetTopAxis(other->TopAxis());
        view3DWalls_ = other->view3DWalls_;
    }
    TCustomPlotPanelExtended::Assign(source);
}

void TCustomAxisPanel::GetChildren(const TGetChildProc& proc, TComponent* root) {
    TCustomPlotPanelExtended::GetChildren(proc, root);
    for (int i = 0; i < seriesList_->Count(); ++i)
        proc((*seriesList_)[i]);
}

void TCustomAxisPanel::Loaded() {
    TCustomPlotPanelExtended::Loaded();
    // A description may chain sources in a circle that the setters never saw.
    for (int i = 0; i < seriesList_->Count(); ++i) {
        TChartSeries* series = (*seriesList_)[i];
        for (int j = 0; j < series->DataSources().Count(); ++j)
            RefuseCircularSource(series, series->DataSources()[j]);
    }
}

void TCustomAxisPanel::AxisDestroyed(TChartAxis* axis) {
    axes_->Remove(axis);
    ReleaseAxisTools(axis);
}

void TCustomAxisPanel::ReleaseAxisTools(const TChartAxis* axis) {
    std::vector<TPlotCustomToolAxis*> bound;
    for (int i = 0; i < tools_->Count(); ++i) {
        auto* tool = dynamic_cast<TPlotCustomToolAxis*>(tools_->Items(i));
        if (tool && tool->Axis() != nullptr && (axis == nullptr || tool->Axis() == axis))
            bound.push_back(tool);
    }
    for (TPlotCustomToolAxis* tool : bound)
        tool->SetAxis(nullptr);
}

void TCustomAxisPanel::Notification(TComponent* component, TOperation operation) {
    TCustomPlotPanelExtended::Notification(component, operation);
    if (operation == opRemove)
        if (auto* tool = dynamic_cast<TPlotCustomTool*>(component))
            tools_->Remove(tool);
}

void TCustomAxisPanel::CheckThread() const {
    assert(OnOwnThread() && "the chart is used on another thread than the one that made it");
}

void TCustomAxisPanel::Invalidate() {
    CheckThread();
    TCustomPlotPanelExtended::Invalidate();
}

void TCustomAxisPanel::MouseLeft() {
    TCustomPlotPanelExtended::MouseLeft();
    NotifyTools(ctkMouseLeave);
}

// ---- properties ---------------------------------------------------------------------------------

void TCustomAxisPanel::SetChart3DPercent(int value) {
    if (value < MinChart3DPercent || value > MaxChart3DPercent)
        throw Exception(Format(ChartMsg(msg3DPercent), {MinChart3DPercent, MaxChart3DPercent}));
    SetChecked(chart3DPercent_, value);
}

void TCustomAxisPanel::SetColorPalette(const std::vector<TColor>& colors) {
    colorPalette_ = colors;
    Invalidate();
}

// ---- series -------------------------------------------------------------------------------------

TChartSeries* TCustomAxisPanel::AttachSeries(TChartSeries* series) {
    series->SetParentChart(this);
    return series;
}

TChartSeries* TCustomAxisPanel::AttachSeries(TClass seriesClass) {
    TComponent* made = seriesClass->CreateComponent(Owner());
    auto* series = dynamic_cast<TChartSeries*>(made);
    if (series == nullptr) {
        const std::string name = seriesClass->ClassName();
        made->Free();
        throw ChartException(name + " is not a series class");
    }
    return AttachSeries(series);
}

void TCustomAxisPanel::RegisterSeries(TChartSeries* series) {
    CheckThread();
    if (seriesList_->IndexOf(series) >= 0)
        return;
    series->AddedToChart();
    seriesList_->Add(series);
    NotifySeries(series, sekAdd);
    if (OnAddSeries)
        OnAddSeries(series);
    Invalidate();
}

void TCustomAxisPanel::DetachSeries(TChartSeries* series) {
    CheckThread();
    if (seriesList_->IndexOf(series) < 0)
        return;
    // A chart that is going tells nobody: its listeners and handlers may be gone already.
    const bool tell = !ChartDestroying();
    if (tell)
        NotifySeries(series, sekRemove);
    series->RemovedFromChart();
    seriesList_->Remove(series);
    if (tell && OnRemoveSeries)
        OnRemoveSeries(series);
    if (tell)
        Invalidate();
}

void TCustomAxisPanel::DetachSeriesAt(int index) {
    if (index >= 0)
        DetachSeries((*seriesList_)[index]);
}

void TCustomAxisPanel::DestroySeries(TClass seriesClass) {
    int i = 0;
    while (i < seriesList_->Count()) {
        TChartSeries* series = (*seriesList_)[i];
        if (seriesClass == nullptr || series->ClassType()->InheritsFrom(seriesClass)) {
            series->SetParentChart(nullptr);
            series->Free();
        } else {
            ++i;
        }
    }
}

void TCustomAxisPanel::SwapSeries(int index1, int index2) {
    TChartSeries* a = (*seriesList_)[index1];
    TChartSeries* b = (*seriesList_)[index2];
    seriesList_->Exchange(index1, index2);
    const int ia = a->ComponentIndex(), ib = b->ComponentIndex();
    if (ia >= 0 && ib >= 0 && a->Owner() == b->Owner()) {
        a->SetComponentIndex(ib);
        b->SetComponentIndex(ia);
    }
    const int group = SeriesGroups()->Contains(a);
    if (group >= 0 && group == SeriesGroups()->Contains(b)) {
        TCustomSeriesList& members = SeriesGroups()->Group(group)->Series();
        members.Exchange(members.IndexOf(a), members.IndexOf(b));
    }
    NotifySeries(nullptr, sekSwap);
    Invalidate();
}

void TCustomAxisPanel::SwapSeries(TChartSeries* series1, TChartSeries* series2) {
    SwapSeries(seriesList_->IndexOf(series1), seriesList_->IndexOf(series2));
}

int TCustomAxisPanel::ActiveSeriesTotal() const {
    int n = 0;
    for (int i = 0; i < seriesList_->Count(); ++i)
        n += (*seriesList_)[i]->Active() ? 1 : 0;
    return n;
}

void TCustomAxisPanel::NotifySeries(TCustomChartSeries* series, TSeriesEventKind kind) {
    CheckThread();
    if (seriesEventsMuted_)
        return;
    TPlotSeriesEvent event(series, kind);
    NotifyListeners(event);
}

void TCustomAxisPanel::NotifyTools(TChartToolEventKind kind) {
    // A tool may leave the list while it is told: walk a copy, skipping those gone.
    std::vector<TPlotCustomTool*> tools;
    for (int i = 0; i < tools_->Count(); ++i)
        tools.push_back(tools_->Items(i));
    for (TPlotCustomTool* tool : tools)
        if (tools_->IndexOf(tool) >= 0 && tool->Active())
            tool->ChartToolEvent(kind);
}

void TCustomAxisPanel::NotifySeriesTools(TChartSeries* series, TChartToolEventKind kind) {
    for (int i = 0; i < tools_->Count(); ++i) {
        auto* tool = dynamic_cast<TPlotCustomToolSeries*>(tools_->Items(i));
        if (tool && tool->Active() && tool->Series() == series)
            tool->SeriesToolEvent(kind);
    }
}

bool TCustomAxisPanel::HitTestSeries(int x, int y) {
    bool any = false;
    for (int i = seriesList_->Count() - 1; i >= 0; --i) {
        TChartSeries* series = (*seriesList_)[i];
        if (series->Active() && series->CheckMouse(x, y))
            any = true;
    }
    return any;
}

TChartSeries* TCustomAxisPanel::LegendSeriesAt(int index, bool activeOnly) const {
    int n = 0;
    for (int i = 0; i < seriesList_->Count(); ++i) {
        TChartSeries* series = (*seriesList_)[i];
        if (!series->ShowInLegend() || (activeOnly && !series->Active()))
            continue;
        if (n++ == index)
            return series;
    }
    return nullptr;
}

std::string TCustomAxisPanel::LegendSeriesTitle(int index, bool activeOnly) const {
    TChartSeries* series = LegendSeriesAt(index, activeOnly);
    return series ? SeriesTitleText(series) : std::string();
}

int TCustomAxisPanel::MostSeriesPoints() const {
    int most = 0;
    for (int i = 0; i < seriesList_->Count(); ++i) {
        TChartSeries* series = (*seriesList_)[i];
        if (series->Active())
            most = std::max(most, series->Count());
    }
    return most;
}

// ---- colours ------------------------------------------------------------------------------------

TColor TCustomAxisPanel::PaletteColor(int index) const {
    if (colorPalette_.empty())
        return PaletteColorOf(index);
    const int n = static_cast<int>(colorPalette_.size());
    return colorPalette_[static_cast<std::size_t>(((index % n) + n) % n)];
}

TColor TCustomAxisPanel::FreeSeriesColor(bool checkBackground, TChartSeries* series) {
    const int length =
        static_cast<int>(colorPalette_.empty() ? ModulePalette().size() : colorPalette_.size());
    for (int i = 0; i < length - 1; ++i) {
        const TColor color = PaletteColor(i);
        if (ColorIsFree(color, checkBackground, series))
            return color;
    }
    return PaletteColor(std::max(0, length - 1));
}

void TCustomAxisPanel::AssignFreeColors() {
    for (int i = 0; i < seriesList_->Count(); ++i) {
        TChartSeries* series = (*seriesList_)[i];
        if (series->OwnSeriesColor() == NoOwnColor)
            series->TakeAutomaticColor(FreeSeriesColor(true, series));
    }
}

void TCustomAxisPanel::DrawLegendSymbolRect(const TRect& rect) {
    TCanvas3D& canvas = *DrawCanvas();
    canvas.Rectangle(rect);
    if (canvas.Brush()->Color() != legendBackColor_)
        return;
    const TColor penColor = canvas.Pen()->Color();
    const bool black = canvas.Brush()->Color() == clBlack;
    canvas.Brush()->SetStyle(bsClear);
    if (black)
        canvas.Pen()->SetColor(clWhite);
    canvas.Rectangle(rect);
    canvas.Pen()->SetColor(penColor);
}

// ---- texts --------------------------------------------------------------------------------------

TCanvas3D& TCustomAxisPanel::MeasuringCanvas(TPlotFont* font) {
    TCanvas3D& canvas = *DrawCanvas();
    if (canvas.Canvas() == nullptr) {
        if (!measureBitmap_)
            measureBitmap_ = std::make_unique<TBitmap>(1, 1);
        canvas.AttachCanvas(measureBitmap_->Canvas());
    }
    if (font)
        canvas.SelectFont(font);
    return canvas;
}

int TCustomAxisPanel::WidestTextLine(TPlotFont* font, const std::string& text, int& lineCount) {
    lineCount = 0;
    if (text.empty())
        return 0;
    TCanvas3D& canvas = MeasuringCanvas(font);
    int widest = 0;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find('\r', start);
        const std::string line =
            text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        widest = std::max(widest, canvas.MeasureTextWidth(line));
        ++lineCount;
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return widest;
}

int TCustomAxisPanel::FontHeight(TPlotFont* font) {
    return MeasuringCanvas(font).MeasureTextHeight("W");
}

int TCustomAxisPanel::WidestLabelText(TPlotFont* font) {
    int widest = 0, lines = 0;
    for (int i = 0; i < seriesList_->Count(); ++i) {
        const TLabelsList& labels = (*seriesList_)[i]->Labels();
        for (int j = 0; j < labels.Count(); ++j)
            widest = std::max(widest, WidestTextLine(font, labels.Get(j), lines));
    }
    return widest;
}

int TCustomAxisPanel::WidestMark() {
    int widest = 0;
    for (int i = 0; i < seriesList_->Count(); ++i) {
        TChartSeries* series = (*seriesList_)[i];
        if (series->Active() && series->Marks() != nullptr)
            widest = std::max(widest, series->Marks()->MaxMarkWidth());
    }
    return widest;
}
