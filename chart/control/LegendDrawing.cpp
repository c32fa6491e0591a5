// The legend's drawing: its box, rows, symbols, check boxes and dividing lines, and the room it
// takes from the plot rectangle.

#include "chart/control/Chart.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/SeriesGroup.h"
#include "chart/draw/ChartPen.h"
#include "chart/draw/TaggedText.h"
#include "chart/util/ChartUtils.h"

#include <algorithm>
#include <cmath>

namespace {

// Values columns that stand right-aligned, by text style.
bool RightAligned(TLegendTextStyle style, int column) {
    if (column == 0)
        return style == ltsLeftValue || style == ltsLeftPercent || style == ltsXValue ||
               style == ltsValue || style == ltsPercent || style == ltsXAndValue ||
               style == ltsXAndPercent;
    return style == ltsRightValue || style == ltsRightPercent || style == ltsXAndValue ||
           style == ltsXAndPercent;
}

// A placed legend is laid out in panel coordinates: its rectangle (at its percent position, when
// it is placed in percent) moves by the panel's origin and back by it on every way out, so Left and
// Top stay relative to the panel.
class TPlacedBounds {
public:
    TPlacedBounds(TCustomChartLegend& legend, const TRect& panel)
        : rect_(legend.ShapeRect), placed_(legend.CustomPosition()) {
        if (!placed_)
            return;
        if (legend.PositionUnits() == muPercent) {
            const int width = rect_.Right - rect_.Left;
            const int height = rect_.Bottom - rect_.Top;
            rect_.Left = static_cast<int>(
                std::lround(legend.LeftPercent() * (panel.Right - panel.Left) / 100.0));
            rect_.Top = static_cast<int>(
                std::lround(legend.TopPercent() * (panel.Bottom - panel.Top) / 100.0));
            rect_.Right = rect_.Left + width;
            rect_.Bottom = rect_.Top + height;
        }
        dx_ = panel.Left;
        dy_ = panel.Top;
        OffsetRect(rect_, dx_, dy_);
    }
    ~TPlacedBounds() {
        if (placed_)
            OffsetRect(rect_, -dx_, -dy_);
    }
    TPlacedBounds(const TPlacedBounds&) = delete;
    TPlacedBounds& operator=(const TPlacedBounds&) = delete;

private:
    TRect& rect_;
    bool placed_;
    int dx_ = 0;
    int dy_ = 0;
};

} // namespace

void TCustomChartLegend::Draw() {
    TCustomChart* chart = Chart();
    if (chart == nullptr)
        return;
    TCanvas3D& canvas = *chart->DrawCanvas();
    layout_ = TLayout{};
    layout_.style = EffectiveStyle();
    layout_.frameWidth = LegendFrameWidth();
    const TPlacedBounds placed(*this, chart->PanelBounds());

    // With pages, a values legend lists the points of the current page; other styles start at 0.
    const int pageSize = chart->MaxPointsPerPage();
    const bool pageOfValues = pageSize > 0 && layout_.style == lsValues && currentPage_;
    layout_.firstValue = firstValue_;
    if (pageOfValues)
        layout_.firstValue = std::max(0, (chart->CurrentPage() - 1) * pageSize);
    else if (pageSize > 0 && layout_.style != lsValues)
        layout_.firstValue = 0;
    layout_.totalItems = ItemCountFrom(layout_.firstValue);
    if (pageOfValues)
        layout_.totalItems = std::min(layout_.totalItems, pageSize);

    chart->SetLegendBackColor(Color());
    canvas.SelectFont(Font());
    layout_.spaceWidth = canvas.MeasureTextWidth(" ");
    layout_.rowHeight = RowHeight();
    if (title_->Shown()) {
        layout_.drawTitle = true;
        layout_.titleHeight = title_->TitleHeight(canvas);
        canvas.SelectFont(Font());
    }

    std::vector<TItemText> texts;
    if (Vertical()) {
        LayOutVertical(texts);
        texts = BuildTexts();
        MeasureColumns(texts);
        layout_.symbolWidth = layout_.style == lsSeriesGroups
                                  ? 0
                                  : symbol_.WidthFor(layout_.textWidth + 12, layout_.rowHeight);
    } else {
        layout_.lastValue = layout_.firstValue + layout_.totalItems - 1;
        texts = BuildTexts();
        LayOutHorizontal(texts);
    }
    if (layout_.lastValue < layout_.firstValue)
        return;
    SizeAndPlace();
    if (chart->OnGetLegendRect)
        chart->OnGetLegendRect(chart, ShapeRect);
    DrawShape();
    if (layout_.drawTitle) {
        title_->DrawIn(canvas, ShapeRect);
        canvas.SelectFont(Font());
    }
    if (!items_.Custom())
        items_.Empty();
    for (int i = layout_.firstValue, position = 0; i <= layout_.lastValue; ++i, ++position)
        DrawItem(texts, inverted_ ? layout_.lastValue - position : i, position);
    TakeSpace();
}

void TCustomChartLegend::DrawItem(const std::vector<TItemText>& texts, int index, int position) {
    if (position >= layout_.totalItems || position >= static_cast<int>(texts.size()))
        return;
    TCustomChart* chart = Chart();
    TCanvas3D& canvas = *chart->DrawCanvas();
    canvas.SelectFont(Font());
    canvas.Brush()->SetColor(Color());
    canvas.Brush()->SetStyle(bsClear);
    canvas.SetBackgroundMode(cbmTransparent);
    const int row = Vertical() ? position : position / std::max(1, layout_.columns);
    const int offset = ColumnOffset(position);
    int textX = layout_.textX + offset;
    int symbolX = layout_.symbolX + offset;
    int y = layout_.itemsTop + layout_.step + 1 + layout_.rowHeight * row + vertSpacing_ / 2;
    if (chart->OnGetLegendPos)
        chart->OnGetLegendPos(chart, index, textX, y, symbolX);
    // Series rows take their series' colour and point rows their point's; group rows keep the
    // legend's.
    if (fontSeriesColor_ && layout_.style != lsSeriesGroups) {
        const bool values = layout_.style == lsValues;
        TChartSeries* series =
            values ? ValuesSeries() : chart->LegendSeriesAt(index, !CheckBoxesShown());
        if (series != nullptr)
            canvas.Font()->SetColor(values ? series->LegendItemColor(index)
                                           : series->SeriesColor());
    }
    // A custom list draws what it holds for the rows it has; every other row is noted as drawn.
    TLegendItem* item = items_.Custom() ? items_.Find(position) : nullptr;
    const bool stored = item != nullptr;
    if (!stored)
        item = items_.Item(position);
    DrawItemTexts(texts[static_cast<std::size_t>(position)], *item, stored, textX, y);
    if (!stored)
        item->SymbolRect = ItemSymbolRect(position, symbolX, y);
    if (CheckBoxesShown())
        DrawItemCheckBox(index, layout_.checkX + offset,
                         y + (layout_.rowHeight - vertSpacing_ - 11) / 2 - 1);
    if (layout_.style != lsSeriesGroups)
        DrawItemSymbol(index, item->SymbolRect);
    DrawDividingLine(position, y, offset);
}

void TCustomChartLegend::DrawItemTexts(const TItemText& text, TLegendItem& item, bool stored,
                                       int textX, int y) {
    const int textY = y + (CheckBoxesShown() ? 1 : 0);
    int x = textX - 2;
    for (int c = 0; c < 2; ++c) {
        const bool right = layout_.style != lsSeries && RightAligned(textStyle_, c);
        const int at = right ? x + layout_.columnWidth[c] : x;
        if (stored && c == 0) {
            if (!item.Text().empty())
                DrawColumnText(item.Text(), item.Left, item.Top, item.Align == TA_RIGHT);
        } else if (stored) {
            if (!item.Text2().empty())
                DrawColumnText(item.Text2(), at, textY, right);
        } else if (!text.column[c].empty()) {
            if (c == 0) {
                item.Left = at;
                item.Top = textY;
                item.Align = right ? TA_RIGHT : TA_LEFT;
            }
            DrawColumnText(text.column[c], at, textY, right);
        }
        // A right-aligned column ends where a left-aligned one would: x moves past it either way.
        x += layout_.columnWidth[c] + layout_.spaceWidth;
    }
    if (!stored)
        item.Record(text.column[0], text.column[1]);
}

void TCustomChartLegend::DrawColumnText(const std::string& text, int x, int y, bool right) {
    TCanvas3D& canvas = *Parent()->DrawCanvas();
    if (TextFormat() == ttfHtml) {
        // Tagged text is laid out from its left edge.
        canvas.SetTextAlignment(TA_LEFT);
        canvas.TextOutTagged(right ? x - TextWidth(text) : x, y, text, true);
        canvas.SelectFont(Font());
        return;
    }
    canvas.SetTextAlignment(right ? TA_RIGHT : TA_LEFT);
    canvas.TextOut(x, y, text);
    canvas.SetTextAlignment(TA_LEFT);
}

TRect TCustomChartLegend::ItemSymbolRect(int position, int symbolX, int y) const {
    TRect rect{symbolX, y, symbolX + layout_.symbolWidth, y + layout_.rowHeight + 1};
    const bool lastShown = position == layout_.lastValue - layout_.firstValue;
    if (!symbol_.Continuous() || position == 0)
        rect.Top = y + 2;
    if (!symbol_.Continuous() || lastShown)
        rect.Bottom -= vertSpacing_ + 3;
    return rect;
}

void TCustomChartLegend::DrawItemCheckBox(int index, int x, int y) {
    TCustomChart* chart = Chart();
    bool checked = false;
    if (layout_.style == lsSeriesGroups) {
        TSeriesGroups* groups = chart->SeriesGroups();
        checked = index < groups->Count() && groups->Group(index)->Active() != gaNo;
    } else if (TChartSeries* series = chart->LegendSeriesAt(index, false)) {
        checked = series->Active();
    }
    DrawCheckGlyph(x, y, *chart->DrawCanvas()->GetDeviceContext(), checked,
                   checkBoxesStyle_ == cbsCheck);
}

void TCustomChartLegend::DrawItemSymbol(int index, const TRect& rect) {
    TCustomChart* chart = Chart();
    TChartSeries* series = nullptr;
    int valueIndex = -1;
    if (layout_.style == lsValues) {
        series = ValuesSeries();
        if (series != nullptr)
            valueIndex = series->SourceIndex(index);
    } else {
        series = chart->LegendSeriesAt(index, !CheckBoxesShown());
    }
    if (symbol_.OnDraw) {
        symbol_.OnDraw(&symbol_, series, valueIndex, rect);
        return;
    }
    if (layout_.symbolWidth <= 0)
        return;
    TCanvas3D& canvas = *chart->DrawCanvas();
    if (series == nullptr) {
        canvas.Pen()->SetStyle(psSolid);
        canvas.Pen()->SetColor(clBlack);
        symbol_.Draw(canvas, clWhite, rect);
        return;
    }
    series->DrawLegendEntry(valueIndex, rect);
}

void TCustomChartLegend::DrawDividingLine(int position, int y, int columnOffset) {
    if (position == 0 || !dividingLines_->Visible())
        return;
    if (!Vertical() && position >= layout_.columns)
        return;
    TCanvas3D& canvas = *Parent()->DrawCanvas();
    canvas.SelectPen(dividingLines_.get());
    const int e = Pen()->Visible() ? (Pen()->Width() + 1) / 2 : 0;
    if (Vertical())
        canvas.HorizontalLine(ShapeRect.Left + e, ShapeRect.Right - e, y - vertSpacing_ / 2);
    else
        canvas.VerticalLine(ShapeRect.Left + columnOffset + 2, ShapeRect.Top + e,
                            ShapeRect.Bottom - e);
}

void TCustomChartLegend::TakeSpace() {
    TCustomPlotPanel* panel = Parent();
    if (!resizeChart_ || CustomPosition() || panel->FixedPlotRect())
        return;
    TRect plot = panel->PlotRect();
    const int width = plot.Right - plot.Left;
    const int height = plot.Bottom - plot.Top;
    const int horiz = horizMargin_ != 0 ? horizMargin_ : 3 * width / 100;
    const int vert = vertMargin_ != 0 ? vertMargin_ : 4 * height / 100;
    switch (alignment_) {
    case laLeft:
        plot.Left = ShapeRect.Right + horiz;
        break;
    case laRight:
        plot.Right = ShapeRect.Left - horiz;
        break;
    case laTop: {
        plot.Top = ShapeRect.Bottom + vert;
        const TPlotShadow* shadow = panel->Shadow();
        if (shadow != nullptr && shadow->Visible())
            plot.Top += shadow->VertSize();
        break;
    }
    case laBottom:
        plot.Bottom = ShapeRect.Top - vert;
        break;
    }
    panel->SetPlotRect(plot);
    panel->SetFixedPlotRect(false);
    panel->RecalcPlotSize();
}
