#include "chart/editors/gallery/GalleryPanel.h"

#include "chart/control/SeriesFactory.h"
#include "chart/control/SeriesTypes.h"
#include "chart/core/PlotFunction.h"
#include "chart/editors/gallery/GallerySettings.h"
#include "chart/series/LineSeries.h"
#include "chart/util/ChartUtils.h"
#include "platform/forms/Forms.h"
#include "platform/forms/Messages.h"

#include <algorithm>
#include <sstream>

namespace {

constexpr TColor kGrey = 0x808080;
constexpr TColor kSilver = 0xC0C0C0;
constexpr TColor kNavy = 0x800000;

} // namespace

TChartGalleryPanel::TChartGalleryPanel(TComponent* owner) : TCustomPanelNoCaption(owner) {
    SetControlStyle(ControlStyle() + TControlStyle{csParentBackground});
    SetParentColor(true);
    smooth_ = initialSmooth_ = ReadGalleryBoolean("SmoothGallery", false);
}

TChartGalleryPanel::~TChartGalleryPanel() {
    if (subGalleryForm_ != nullptr) {
        subGalleryForm_->Free();
        subGalleryForm_ = nullptr;
    }
    // The charts go before the component base frees what the panel owns.
    selectedChart_ = nullptr;
    charts_.Clear();
    if (smooth_ != initialSmooth_)
        WriteGalleryBoolean("SmoothGallery", smooth_);
}

void TChartGalleryPanel::DeclareProperties(TPropertyList& p) {
    using P = TChartGalleryPanel;
    p.Add("DisplaySub", &P::DisplaySub, &P::SetDisplaySub).Default(true);
    p.Add("FocusRotation", &P::FocusRotation, &P::SetFocusRotation).Default(true);
    p.Add("NumRows", &P::NumRows, &P::SetNumRows).Default(3);
    p.Add("NumCols", &P::NumCols, &P::SetNumCols).Default(4);
    p.Add("Smooth", &P::Smooth, &P::SetSmooth);
    p.Add("View3D", &P::View3D, &P::SetView3D).Default(true);
    p.Add("OnChangeChart", &P::OnChangeChart);
    p.Add("OnSelectedChart", &P::OnSelectedChart);
    p.Add("OnSubSelected", &P::OnSubSelected);
}

// ---- the grid -----------------------------------------------------------------------------------

void TChartGalleryPanel::SetNumRows(int rows) {
    numRows_ = rows;
    LayoutCharts();
}

void TChartGalleryPanel::SetNumCols(int cols) {
    numCols_ = cols;
    LayoutCharts();
}

void TChartGalleryPanel::CalcChartWidthHeight() {
    const int inset = BevelWidth() + BorderWidth();
    if (numRows_ > 0 && numCols_ > 0) {
        cellHeight_ = (Height() - inset) / numRows_;
        cellWidth_ = (Width() - inset) / numCols_;
    } else {
        cellHeight_ = 0;
        cellWidth_ = 0;
    }
}

void TChartGalleryPanel::LayoutCharts() {
    CalcChartWidthHeight();
    if (numRows_ <= 0 || numCols_ <= 0)
        return;
    const int inset = BevelWidth() + BorderWidth();
    for (int i = 0; i < charts_.Count(); ++i) {
        const int col = i % numCols_, row = i / numCols_;
        const int left = inset + col * cellWidth_, top = inset + row * cellHeight_;
        // A one-pixel gap between the cells.
        const int width = std::min(cellWidth_, Width() - inset) - 1;
        const int height = std::min(cellHeight_, Height() - inset) - 1;
        charts_.Items(i)->SetBounds(left, top, std::max(0, width), std::max(0, height));
    }
}

TGalleryChart* TChartGalleryPanel::ChartAt(int col, int row) const {
    if (col < 0 || row < 0 || numCols_ <= 0 || col >= numCols_)
        return nullptr;
    const int index = row * numCols_ + col;
    return index < charts_.Count() ? charts_.Items(index) : nullptr;
}

void TChartGalleryPanel::Resize() {
    TCustomPanelNoCaption::Resize();
    LayoutCharts();
}

// ---- settings -----------------------------------------------------------------------------------

void TChartGalleryPanel::SetSmooth(bool on) {
    if (InLoading() || on == smooth_)
        return;
    smooth_ = on;
    for (TGalleryChart* chart : charts_)
        chart->SetSmooth(on);
}

void TChartGalleryPanel::SetView3D(bool on) {
    if (on == view3D_)
        return;
    view3D_ = on;
    for (TGalleryChart* chart : charts_) {
        if (chart->SeriesCount() > 0)
            chart->SeriesAt(0)->ApplyGallery3D(on);
        chart->ResetMargins();
    }
}

// ---- filling ------------------------------------------------------------------------------------

void TChartGalleryPanel::SetChartEnabled(TGalleryChart* chart, bool enabled) {
    if (!enabled) {
        chart->SetCursor(crNoDrop);
        chart->OnClick = nullptr;
        chart->OnDblClick = nullptr;
        chart->Title()->Font()->SetColor(kGrey);
        chart->LeftWall()->Pen()->SetColor(kGrey);
        chart->BottomWall()->Pen()->SetColor(kGrey);
        for (TChartAxis* axis : {chart->LeftAxis(), chart->BottomAxis()}) {
            axis->Axis()->SetWidth(1);
            axis->Axis()->SetColor(clWhite);
        }
    } else {
        chart->SetCursor(crHandPoint);
        chart->OnClick = [this, chart](TObject*) { SelectChart(chart); };
        chart->OnEnter = [this, chart](TObject*) { SelectChart(chart); };
        chart->OnDblClick = [this, chart](TObject*) {
            selectedChart_ = chart;
            if (OnSelectedChart)
                OnSelectedChart(this);
        };
    }
    chart->SetSavedCursor(chart->Cursor());
}

TGalleryChart* TChartGalleryPanel::CreateChart(const TPlotSeriesType& type) {
    TClass seriesClass =
        type.SeriesClass() != nullptr ? type.SeriesClass() : TLineSeries::StaticClass();
    auto* chart = new TGalleryChart(this);
    chart->SetRepaintEnabled(false);
    chart->SetTag(type.VariantIndex());
    chart->SetColor(Color());
    charts_.Add(chart);
    std::stringstream lines(type.Description());
    for (std::string line; std::getline(lines, line, TChartSeries::LineSeparator);)
        chart->Title()->Text()->Add(line);
    chart->SetParent(this);
    chart->SetName(UniqueComponentName(this, "PlotGalleryChart"));
    LayoutCharts();

    const int count = std::max(1, type.GallerySeriesCount());
    for (int i = 0; i < count; ++i) {
        TChartSeries* series = MakeSeries(chart, chart, seriesClass, type.FunctionClass());
        if (type.VariantIndex() != 0)
            series->ApplySubStyle(series, type.VariantIndex());
    }
    const bool disabled = checkValidity_ && currentSeries_ != nullptr &&
                          !chart->SeriesAt(0)->AcceptsAsSource(currentSeries_);
    SetChartEnabled(chart, !disabled);
    chart->SeriesAt(0)->ApplyGallery3D(view3D_);
    if (type.FunctionClass() != nullptr) {
        TObject* made = type.FunctionClass()->CreateComponent(nullptr);
        if (auto* function = dynamic_cast<TPlotFunction*>(made))
            function->SetupForGallery(chart);
        made->Free();
    } else {
        for (int i = 0; i < chart->SeriesCount(); ++i)
            chart->SeriesAt(i)->PrepareForGallery(!disabled);
    }
    chart->ResetMargins();
    chart->SetSmooth(smooth_);
    if (!isSubGallery_)
        chart->OnKeyDown = [this](TObject*, TKeyCode& key, TShiftState shift) {
            KeyDown(key, shift);
        };
    chart->SetRepaintEnabled(true);
    chart->Invalidate();
    return chart;
}

void TChartGalleryPanel::ClearCharts() {
    selectedChart_ = nullptr;
    charts_.Clear();
}

void TChartGalleryPanel::FillPage(const std::string& page) {
    const TPlotSeriesTypes& types = PlotSeriesTypes();
    auto matches = [&](const TPlotSeriesType* type) {
        return type->GalleryPage() == page && (type->FunctionClass() != nullptr) == functionsPage_;
    };
    int count = 0;
    for (int i = 0; i < types.Count(); ++i)
        count += matches(types.Items(i)) ? 1 : 0;
    if (numCols_ > 0 && count > (numRows_ - 1) * numCols_)
        numRows_ = (count - 1) / numCols_ + 1;
    else
        numRows_ = 3;
    CalcChartWidthHeight();
    ClearCharts();
    for (int i = 0; i < types.Count(); ++i)
        if (matches(types.Items(i)))
            CreateChart(*types.Items(i));
    if (currentSeries_ != nullptr)
        for (TGalleryChart* chart : charts_) {
            const TChartSeries* first = chart->SeriesAt(0);
            if (first->ClassType() == currentSeries_->ClassType() && first->Function() == nullptr) {
                selectedChart_ = chart;
                break;
            }
        }
    UpdateSelection();
}

namespace {} // namespace

void TChartGalleryPanel::FillSubStyles(TClass seriesClass) {
    // The template series and entry live only while the sub-styles are listed.
    TFreeingPtr<TObject> made(seriesClass->CreateComponent(nullptr));
    auto* templateSeries = dynamic_cast<TChartSeries*>(made.get());
    if (templateSeries == nullptr)
        return;
    std::string caption;
    const TPlotSeriesType templateType(seriesClass, nullptr, &caption, nullptr, 1, 0);
    ClearCharts();
    templateSeries->ListSubStyles([&](const std::string& name) {
        caption = name;
        const int style = charts_.Count();
        TGalleryChart* chart = CreateChart(templateType);
        TChartSeries* first = chart->SeriesAt(0);
        first->ApplySubStyle(first, style);
        chart->SetTag(style);
    });
}

// ---- selection ----------------------------------------------------------------------------------

bool TChartGalleryPanel::ChartEnabled(const TGalleryChart* chart) {
    return chart != nullptr && chart->Cursor() != crNoDrop;
}

void TChartGalleryPanel::SelectChart(TGalleryChart* chart) {
    if (chart != selectedChart_) {
        selectedChart_ = chart;
        UpdateSelection();
    }
    if (!displaySub_ || chart == nullptr)
        return;
    const TRect spot = chart->ArrowHotSpot();
    const TPoint p = chart->MousePos();
    if (p.X >= spot.Left && p.X <= spot.Right && p.Y >= spot.Top && p.Y <= spot.Bottom)
        ShowSubGallery();
}

void TChartGalleryPanel::TurnChart(TGalleryChart* chart, int rotation) {
    if (!focusRotation_)
        return;
    chart->View3DOptions()->SetRotation(rotation);
    if (chart->SeriesCount() > 0)
        chart->SeriesAt(0)->ApplyGallery3D(view3D_);
}

void TChartGalleryPanel::ApplySelectedLook(TGalleryChart* chart) {
    TPlotGradient* gradient = chart->Gradient();
    gradient->SetVisible(true);
    gradient->SetDirection(gdFromTopLeft);
    gradient->SetStartColor(kSilver);
    gradient->SetEndColor(clWhite);
    TurnChart(chart, 345);
    TPlotFont* font = chart->Title()->Font();
    font->SetStyle(TFontStyles{fsBold});
    font->SetColor(clBlack);
    font->SetSize(10);
    TPlotShadow* shadow = font->Shadow();
    shadow->SetVisible(true);
    shadow->SetSize(2);
    shadow->SetColor(kGrey);
    shadow->SetSmoothBlur(5);
    chart->SetBevelOuter(bvRaised);
    if (chart->Showing() && chart->CanFocus())
        chart->SetFocus();
}

void TChartGalleryPanel::ApplyPlainLook(TGalleryChart* chart) {
    if (!chart->HasGradient() || !chart->Gradient()->Visible())
        return;
    chart->Gradient()->SetVisible(false);
    chart->SetBevelOuter(bvNone);
    TPlotFont* font = chart->Title()->Font();
    font->SetStyle(TFontStyles{});
    font->SetColor(kNavy);
    font->SetSize(8);
    font->Shadow()->SetVisible(false);
    TurnChart(chart, 335);
}

void TChartGalleryPanel::UpdateSelection() {
    if (selectedChart_ == nullptr)
        for (TGalleryChart* chart : charts_)
            if (ChartEnabled(chart)) {
                selectedChart_ = chart;
                break;
            }
    if (selectedChart_ != nullptr) {
        ApplySelectedLook(selectedChart_);
        if (OnChangeChart)
            OnChangeChart(this);
    }
    for (TGalleryChart* chart : charts_)
        if (chart != selectedChart_)
            ApplyPlainLook(chart);
}

bool TChartGalleryPanel::GetSelection(TClass& seriesClass, TClass& functionClass,
                                      int& subStyle) const {
    if (selectedChart_ == nullptr || selectedChart_->SeriesCount() == 0)
        return false;
    const TChartSeries* first = selectedChart_->SeriesAt(0);
    seriesClass = first->ClassType();
    functionClass = first->Function() != nullptr ? first->Function()->ClassType() : nullptr;
    subStyle = selectedChart_->Tag();
    return true;
}

void TChartGalleryPanel::ConfirmSelection() {
    if (OnSelectedChart)
        OnSelectedChart(this);
}

// ---- keys ---------------------------------------------------------------------------------------

void TChartGalleryPanel::WndProc(TMessage& message) {
    TCustomPanelNoCaption::WndProc(message);
    // The arrows reach the gallery inside dialogs too.
    if (message.Msg == WM_GETDLGCODE)
        message.Result |= DLGC_WANTARROWS;
}

void TChartGalleryPanel::KeyDown(TKeyCode& key, TShiftState shift) {
    TCustomPanelNoCaption::KeyDown(key, shift);
    GalleryKeyDown(key, shift);
}

void TChartGalleryPanel::GalleryKeyDown(TKeyCode& key, TShiftState shift) {
    const int index = charts_.IndexOf(selectedChart_);
    if (index < 0 || numCols_ <= 0)
        return;
    int col = index % numCols_, row = index / numCols_;
    switch (key) {
    case VK_RETURN:
        ConfirmSelection();
        return;
    case VK_LEFT:
        if (col > 0)
            --col;
        break;
    case VK_UP:
        if (row > 0)
            --row;
        break;
    case VK_RIGHT:
        if (col < numCols_)
            ++col;
        break;
    case VK_DOWN:
        if (shift.Contains(ssAlt)) {
            if (displaySub_)
                ShowSubGallery();
            return;
        }
        if (row < numRows_)
            ++row;
        break;
    default:
        return;
    }
    // A move to a cell without a chart (past the last column or row) keeps the selection.
    TGalleryChart* chart = ChartAt(col, row);
    if (chart != nullptr && chart->Cursor() == crHandPoint)
        SelectChart(chart);
}
