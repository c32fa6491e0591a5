// The chart control's life, parts, stored form, palette and the answers other chart parts ask
// of it.

#include "chart/control/Chart.h"

#include "chart/control/ChartPalettes.h"
#include "chart/core/ChartValueList.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Reader.h"
#include "platform/classes/Writer.h"

#include <algorithm>

TCustomChart::TCustomChart(TComponent* owner) : TCustomAxisPanel(owner) {
    const bool repaint = RepaintEnabled();
    SetRepaintEnabled(false);
    title_ = std::make_unique<TChartTitle>(this);
    subTitle_ = std::make_unique<TChartTitle>(this);
    foot_ = std::make_unique<TChartFootTitle>(this);
    subFoot_ = std::make_unique<TChartFootTitle>(this);
    walls_ = std::make_unique<TChartWalls>(this);
    legend_ = std::make_unique<TChartLegend>(this, this);
    SetScrollMouseButton(mbRight);
    SetRepaintEnabled(repaint);
}

TCustomChart::~TCustomChart() {
    savedAxisScales_.clear();
    SetRepaintEnabled(false);
    subTitle_.reset();
    title_.reset();
    subFoot_.reset();
    foot_.reset();
    walls_.reset();
    legend_.reset();
}

void TChart::DeclareProperties(TPropertyList& p) {
    using C = TChart;
    p.Add("BackWall", &C::BackWall, &C::SetBackWall);
    p.Add("BottomWall", &C::BottomWall, &C::SetBottomWall);
    p.Add("Foot", &C::Foot, &C::SetFoot);
    p.Add("Frame", &C::Frame, &C::SetFrame);
    p.Add("LeftWall", &C::LeftWall, &C::SetLeftWall);
    p.Add("Legend", &C::Legend, &C::SetLegend);
    p.Add("RightWall", &C::RightWall, &C::SetRightWall);
    p.Add("ScrollMouseButton", &C::ScrollMouseButton, &C::SetScrollMouseButton).Default(mbRight);
    p.Add("SubFoot", &C::SubFoot, &C::SetSubFoot);
    p.Add("SubTitle", &C::SubTitle, &C::SetSubTitle);
    p.Add("Title", &C::Title, &C::SetTitle);
    p.Add("OnAllowScroll", &C::OnAllowScroll);
    p.Add("OnClickAxis", &C::OnClickAxis);
    p.Add("OnClickBackground", &C::OnClickBackground);
    p.Add("OnClickLegend", &C::OnClickLegend);
    p.Add("OnClickSeries", &C::OnClickSeries);
    p.Add("OnClickTitle", &C::OnClickTitle);
    p.Add("OnGetLegendPos", &C::OnGetLegendPos);
    p.Add("OnGetLegendRect", &C::OnGetLegendRect);
    p.Add("OnGetLegendText", &C::OnGetLegendText);
}

void TCustomChart::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TCustomChart*>(source)) {
        ApplyColorPalette(other->colorPaletteIndex_);
        foot_->Assign(other->foot_.get());
        legend_->Assign(other->legend_.get());
        SetScrollMouseButton(other->ScrollMouseButton());
        subFoot_->Assign(other->subFoot_.get());
        subTitle_->Assign(other->subTitle_.get());
        title_->Assign(other->title_.get());
        walls_->Assign(other->walls_.get());
    }
    TCustomAxisPanel::Assign(source);
}

void TCustomChart::DefineProperties(TFiler* filer) {
    TCustomAxisPanel::DefineProperties(filer);
    filer->DefineProperty(
        "BackColor", [this](TReader* r) { ReadBackColor(r); }, nullptr, false);
    // Without form inheritance there is no ancestor to compare with: an index above 0 is kept.
    filer->DefineProperty(
        "ColorPaletteIndex", [this](TReader* r) { ApplyColorPalette(r->ReadInteger()); },
        [this](TWriter* w) { w->WriteInteger(colorPaletteIndex_); }, ColorPaletteIndexStored());
}

void TCustomChart::ReadBackColor(TReader* reader) {
    TColor color = clNone;
    if (reader->NextValue() == vaIdent) {
        const std::string ident = reader->ReadIdent();
        if (!IdentToColor(ident, color))
            color = StringToColor(ident);
    } else {
        color = static_cast<TColor>(reader->ReadInteger());
    }
    BackWall()->SetColor(color);
    if (Parent() != nullptr && !ComponentState().Contains(csLoading))
        BackWall()->Brush()->SetStyle(bsSolid);
}

void TCustomChart::GetChildren(const TGetChildProc& proc, TComponent* root) {
    TCustomAxisPanel::GetChildren(proc, root);
    for (int i = 0; i < Tools()->Count(); ++i)
        proc(Tools()->Items(i));
}

void TCustomChart::Notification(TComponent* component, TOperation operation) {
    TCustomAxisPanel::Notification(component, operation);
    if (operation == opRemove && legend_)
        legend_->ForgetSeries(component);
}

void TCustomChart::DetachSeries(TChartSeries* series) {
    if (legend_)
        legend_->ForgetSeries(series);
    TCustomAxisPanel::DetachSeries(series);
}

void TCustomChart::ApplyColorPalette(int index) {
    if (index == colorPaletteIndex_)
        return;
    UsePalette(*this, index);
}

// ---- queries ------------------------------------------------------------------------------------

bool TCustomChart::AxesInUse() const {
    bool anyActive = false;
    for (int i = 0; i < SeriesCount(); ++i) {
        TChartSeries* series = SeriesAt(i);
        if (!series->Active())
            continue;
        if (series->HasAxes())
            return true;
        anyActive = true;
    }
    return !anyActive;
}

bool TCustomChart::ColorIsFree(TColor color, bool checkBackground, TChartSeries* series) {
    for (int i = 0; i < SeriesCount(); ++i) {
        TChartSeries* other = SeriesAt(i);
        if (other != series && other->SeriesColor() == color)
            return false;
    }
    return !(checkBackground && (color == Color() || color == BackWall()->Color()));
}

TColor TCustomChart::BackColorOf() {
    return BackWall()->Transparent() ? Color() : BackWall()->Color();
}

int TCustomChart::WallSizeOfAxis(TChartAxis* axis) {
    if (!View3D() || !View3DWalls())
        return 0;
    TCustomChartWall* wall = BackWall();
    if (axis == LeftAxis())
        wall = LeftWall();
    else if (axis == BottomAxis())
        wall = BottomWall();
    else if (axis == RightAxis())
        wall = RightWall();
    return wall->Visible() ? wall->Size() : 0;
}

std::string TCustomChart::PointLegendText(TChartSeries* series, int valueIndex) {
    if (series == nullptr || valueIndex < 0)
        return {};
    std::string text = LegendValueText(series, valueIndex);
    std::replace(text.begin(), text.end(), '\r', ' ');
    return text;
}

std::string TCustomChart::LegendValueText(TChartSeries* series, int valueIndex) {
    if (series == nullptr || valueIndex < 0)
        return {};
    return series->LegendItemText(valueIndex, legend_->TextStyle());
}

std::string TCustomChart::LegendItemText(int index, std::string text) {
    if (OnGetLegendText)
        OnGetLegendText(this, legend_->EffectiveStyle(), index, text);
    return text;
}

TChartPen* TCustomChart::LegendSymbolPen() {
    TLegendSymbol* symbol = legend_->Symbol();
    return symbol->DefaultPen() ? nullptr : symbol->Pen();
}

void TCustomChart::DrawLegendSymbolRect(const TRect& rect) {
    TLegendSymbol* symbol = legend_->Symbol();
    if (!symbol->Gradient()->Visible()) {
        TCustomAxisPanel::DrawLegendSymbolRect(rect);
        return;
    }
    TCanvas3D& canvas = *DrawCanvas();
    symbol->Draw(canvas, canvas.Brush()->Color(), rect);
}

void TCustomChart::FillSeriesSourceItems(TChartSeries* series,
                                         const std::function<void(const std::string&)>& add) {
    auto* source = series != nullptr ? dynamic_cast<TChartSeries*>(series->DataSource()) : nullptr;
    if (source == nullptr)
        return;
    for (int i = 0; i < source->ValueListCount(); ++i)
        add(source->ValueList(i)->Name());
}

// ---- drawing steps ------------------------------------------------------------------------------

namespace {

// Titles and legend are drawn flat: the rotation is frozen for the step, also when one raises.
class TFrozenRotation {
public:
    explicit TFrozenRotation(TCanvas3D& canvas) : canvas_(canvas) { canvas_.FreezeRotation(); }
    ~TFrozenRotation() { canvas_.ThawRotation(); }
    TFrozenRotation(const TFrozenRotation&) = delete;
    TFrozenRotation& operator=(const TFrozenRotation&) = delete;

private:
    TCanvas3D& canvas_;
};

// A canvas drawing group that closes also when what is drawn in it raises.
class TCanvasGroup {
public:
    TCanvasGroup(TCanvas3D& canvas, const std::string& name) : canvas_(canvas) {
        canvas_.BeginGroup(name);
    }
    ~TCanvasGroup() { canvas_.EndGroup(); }
    TCanvasGroup(const TCanvasGroup&) = delete;
    TCanvasGroup& operator=(const TCanvasGroup&) = delete;

private:
    TCanvas3D& canvas_;
};

} // namespace

void TCustomChart::DrawTitle(TChartTitle* title, const char* group) {
    TCanvasGroup scope(*DrawCanvas(), group);
    title->Draw();
}

void TCustomChart::DrawTitles(bool customPositioned) {
    const std::pair<TChartTitle*, const char*> titles[] = {{title_.get(), "title"},
                                                           {subTitle_.get(), "subtitle"},
                                                           {foot_.get(), "foot"},
                                                           {subFoot_.get(), "subfoot"}};
    for (const auto& [title, group] : titles)
        if (title->CustomPosition() == customPositioned)
            DrawTitle(title, group);
}

void TCustomChart::DrawLegend() {
    TCanvasGroup scope(*DrawCanvas(), "Legend");
    legend_->Draw();
}

void TCustomChart::PaintTitlesAndLegend(bool beforeSeries) {
    {
        TFrozenRotation flat(*DrawCanvas());
        const bool legendShown = legend_->ToBeDrawn();
        if (beforeSeries) {
            if (legend_->CustomPosition() || !legendShown) {
                DrawTitles(false);
            } else if (legend_->Vertical()) {
                DrawLegend();
                DrawTitles(false);
            } else {
                DrawTitles(false);
                DrawLegend();
            }
        } else {
            if (legend_->CustomPosition() && legendShown)
                DrawLegend();
            DrawTitles(true);
        }
    }
    if (!beforeSeries && AxesInUse() && View3D())
        walls_->PaintFrontWalls();
}

void TCustomChart::ReserveWallRoom() {
    ComputeDepthSizes();
    if (!View3D() || !View3DOptions()->Orthogonal() || FixedPlotRect())
        return;
    const int size = AxesInUse() ? BackWall()->Size() : 0;
    TRect plot = PlotRect();
    const int depthX = std::abs(Depth3DX());
    if (View3DOptions()->OrthoAngle() <= 90) {
        plot.Right -= depthX + size;
        if (RightWall()->Visible())
            plot.Right -= RightWall()->Size() + 1;
    } else {
        plot.Left += depthX + size;
        if (LeftWall()->Visible())
            plot.Left += LeftWall()->Size() + 1;
    }
    plot.Top += size + std::abs(Depth3DY());
    SetPlotRect(plot);
    SetFixedPlotRect(false);
    RecalcPlotSize();
}

void TCustomChart::PaintWalls() {
    if (AxesInUse())
        walls_->PaintWalls();
}
