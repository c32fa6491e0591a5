// Series marks: positions, items, measuring, placing and the hit test.

#include "chart/core/SeriesMarks.h"

#include "chart/core/ChartHost.h"
#include "chart/panel/PlotPanel.h"
#include "platform/classes/Filer.h"

#include <cmath>

TSeriesMarksSymbol::TSeriesMarksSymbol(TCustomPlotPanel* parent) : TPlotCustomShape(parent) {
    SetVisible(false);
    SetTransparent(false);
    if (TPlotShadow* shadow = Shadow())
        shadow->SetDefaults(shadow->Color(), 1);
}

TSeriesMarks::TSeriesMarks(TChartSeries* series)
    : TPlotCustomShape(nullptr), series_(series),
      margins_(std::make_unique<TMargins>(TNotifyEvent{}, 20)) {
    SetVisible(false);
    SetColor(DefaultColor);
    if (TPlotShadow* shadow = Shadow())
        shadow->SetDefaults(clGray, 3);
}

TSeriesMarks::~TSeriesMarks() = default;

void TSeriesMarks::DefineProperties(TFiler* filer) {
    TPlotCustomShape::DefineProperties(filer);
    filer->DefineBinaryProperty(
        "Items", [this](TStream& s) { items_.ReadBlock(s); },
        [this](TStream& s) { items_.WriteBlock(s); }, items_.Count() > 0);
}

TMarksCallout* TSeriesMarks::Callout() {
    if (!callout_)
        callout_ = std::make_unique<TMarksCallout>(series_);
    return callout_.get();
}

TSeriesMarksSymbol* TSeriesMarks::Symbol() {
    if (!symbol_)
        symbol_ = std::make_unique<TSeriesMarksSymbol>(Parent());
    return symbol_.get();
}

TPlotCustomShape* TSeriesMarks::ItemOrSelf(int index) const {
    if (TMarksItem* item = items_.Existing(index))
        return item;
    return const_cast<TSeriesMarks*>(this);
}

void TSeriesMarks::Measure(TSeriesMarkPosition& position, int textWidth, int lines, int fontHeight,
                           int x, int y) {
    int width = textWidth;
    int height = lines * fontHeight;
    margins_->ComputePixels(width, height, fontHeight);
    width += margins_->HorizTotal();
    height += margins_->VertTotal();
    const bool withSymbol = symbol_ && symbol_->ShouldDraw();
    if (withSymbol)
        width += fontHeight - 4;
    const int frame = Pen()->Visible() ? Pen()->Width() - 1 : 1;
    position.Width = width + frame;
    position.Height = height + frame;
    TRect symbolRect{0, 0, fontHeight, fontHeight};
    TSeriesMarksPositions::PlaceAt(position, x, y, withSymbol ? &symbolRect : nullptr);
    if (withSymbol)
        symbol_->ShapeRect = symbolRect;
}

void TSeriesMarks::ApplyCallout(TSeriesMarkPosition& position) const {
    if (callout_)
        callout_->ApplyTo(position);
}

void TSeriesMarks::StorePosition(int index, TSeriesMarkPosition& position) {
    if (index < 0)
        return;
    TSeriesMarkPosition& stored = positions_.Ensure(index);
    if (!stored.Custom) {
        stored = position;
        return;
    }
    const TPoint arrowFrom = position.ArrowFrom;
    const bool fixed = position.ArrowFix;
    position = stored;
    if (fixed)
        position.ArrowFrom = arrowFrom;
}

// Whether (x, y) lies inside the polygon (crossing count).
static bool InPolygon(const std::array<TPoint, 4>& poly, int x, int y) {
    bool inside = false;
    for (size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
        const TPoint& a = poly[i];
        const TPoint& b = poly[j];
        if ((a.Y > y) != (b.Y > y)) {
            const double cross =
                a.X + static_cast<double>(b.X - a.X) * (y - a.Y) / static_cast<double>(b.Y - a.Y);
            if (x < cross)
                inside = !inside;
        }
    }
    return inside;
}

int TSeriesMarks::MarkAt(int x, int y) const {
    const int every = EffectiveDrawEvery();
    for (int i = positions_.Count() - 1; i >= 0; --i) {
        if (i % every != 0)
            continue;
        const TSeriesMarkPosition* p = positions_.EntryAt(i);
        if (p == nullptr)
            continue;
        const TRect r = p->Bounds();
        if (angle_ > 0) {
            if (InPolygon(RotatedRectCorners(r, angle_ % 360), x, y))
                return i;
        } else if (x >= r.Left && x <= r.Right && y >= r.Top && y <= r.Bottom) {
            return i;
        }
    }
    return -1;
}

void TSeriesMarks::ClearPositionsAndItems() {
    positions_.Clear();
    ClearItems();
}

void TSeriesMarks::ClearItems() {
    if (!items_.Loading() && items_.Count() > 0)
        items_.Clear();
}

void TSeriesMarks::DeletePoint(int index) {
    positions_.Delete(index);
    items_.Delete(index);
}

void TSeriesMarks::SetParentChart(TChartHost* chart) {
    auto* panel =
        chart != nullptr ? dynamic_cast<TCustomPlotPanel*>(chart->ChartComponent()) : nullptr;
    SetParent(panel);
    items_.SetParent(panel);
    if (symbol_)
        symbol_->SetParent(panel);
    if (callout_)
        callout_->SetParentChart(chart);
}

void TSeriesMarks::SetStyle(TSeriesMarksStyle style) {
    if (StoreChanged(style_, style) && series_ != nullptr && series_->ParentChart() != nullptr)
        series_->ParentChart()->Invalidate();
}

bool TSeriesMarks::CustomItemText(int index, std::string& text) const {
    const TMarksItem* item = items_.Existing(index);
    if (item == nullptr || item->TextIfAny() == nullptr || item->TextIfAny()->Count() == 0)
        return false;
    text.clear();
    for (int i = 0; i < item->TextIfAny()->Count(); ++i) {
        if (i > 0)
            text += "\r\n";
        text += item->TextIfAny()->Get(i);
    }
    return true;
}
