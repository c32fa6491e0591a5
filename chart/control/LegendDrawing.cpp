// The legend's drawing: its box, rows, symbols, check boxes and dividing lines, and the room it
// takes from the plot rectangle.

#include "chart/control/Chart.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/SeriesGroup.h"
#include "chart/draw/ChartPen.h"
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

} // namespace

void TCustomChartLegend::Draw() {
    TCustomChart* chart = Chart();
    if (chart == nullptr)
        return;
    TCanvas3D& canvas = *chart->DrawCanvas();
    layout_ = TLayout{};
    layout_.style = EffectiveStyle();
    layout_.frameWidth = LegendFrameWidth();
    TRect saved = ShapeRect;
    if (CustomPosition() && positionUnits_ == muPercent) {
        const TRect& bounds = chart->PanelBounds();
        const int width = ShapeRect.Right - ShapeRect.Left;
        const int height = ShapeRect.Bottom - ShapeRect.Top;
        ShapeRect.Left =
            static_cast<int>(std::lround(leftPercent_ * (bounds.Right - bounds.Left) / 100.0));
        ShapeRect.Top =
            static_cast<int>(std::lround(topPercent_ * (bounds.Bottom - bounds.Top) / 100.0));
        ShapeRect.Right = ShapeRect.Left + width;
        ShapeRect.Bottom = ShapeRect.Top + height;
    }
    const int dx = chart->PanelBounds().Left;
    const int dy = chart->PanelBounds().Top;
    if (CustomPosition())
        OffsetRect(ShapeRect, dx, dy);

    const int pageSize = chart->MaxPointsPerPage();
    int first = firstValue_;
    if (pageSize > 0)
        first =
            layout_.style == lsValues && currentPage_ ? (chart->CurrentPage() - 1) * pageSize : 0;
    const int keptFirst = firstValue_;
    firstValue_ = std::max(0, first);
    layout_.totalItems = ItemCount();
    if (pageSize > 0 && layout_.style == lsValues && currentPage_)
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
        layout_.lastValue = firstValue_ + layout_.totalItems - 1;
        texts = BuildTexts();
        LayOutHorizontal(texts);
    }
    if (layout_.lastValue >= firstValue_) {
        SizeAndPlace();
        if (chart->OnGetLegendRect)
            chart->OnGetLegendRect(chart, ShapeRect);
        DrawShape();
        if (layout_.drawTitle) {
            title_->DrawIn(canvas, ShapeRect);
            canvas.SelectFont(Font());
        }
        for (int i = firstValue_, position = 0; i <= layout_.lastValue; ++i, ++position)
            DrawItem(texts, inverted_ ? layout_.lastValue - position : i, position);
        TakeSpace();
    }
    firstValue_ = keptFirst;
    if (CustomPosition())
        OffsetRect(ShapeRect, -dx, -dy);
    if (CustomPosition() && positionUnits_ == muPercent)
        ShapeRect = saved;
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
    canvas.SetTextAlignment(TA_LEFT);
    const bool vertical = Vertical();
    const int row = vertical ? position : position / std::max(1, layout_.columns);
    const int offset = ColumnOffset(position);
    int textX = layout_.textX + offset;
    int symbolX = layout_.symbolX + offset;
    int y = layout_.itemsTop + layout_.step + 1 + layout_.rowHeight * row + vertSpacing_ / 2;
    if (chart->OnGetLegendPos)
        chart->OnGetLegendPos(chart, index, textX, y, symbolX);
    if (fontSeriesColor_) {
        TChartSeries* series =
            layout_.style == lsValues ? ValuesSeries() : chart->LegendSeriesAt(index, !checkBoxes_);
        if (series != nullptr)
            canvas.Font()->SetColor(layout_.style == lsValues ? series->LegendItemColor(index)
                                                              : series->SeriesColor());
    }
    int x = textX - 2;
    for (int c = 0; c < 2; ++c) {
        const std::string& text = texts[position].column[c];
        const bool right = layout_.style != lsSeries && RightAligned(textStyle_, c);
        if (!text.empty()) {
            const int textY = y + (CheckBoxesShown() ? 1 : 0);
            if (right)
                canvas.TextOut(x + layout_.columnWidth[c] - canvas.MeasureTextWidth(text), textY,
                               text);
            else
                canvas.TextOut(x, textY, text);
        }
        x += layout_.columnWidth[c] + layout_.spaceWidth;
    }
    TRect rect{symbolX, y, symbolX + layout_.symbolWidth, y + layout_.rowHeight + 1};
    const bool lastShown = position == layout_.lastValue - firstValue_;
    if (!symbol_.Continuous() || position == 0)
        rect.Top = y + 2;
    if (!symbol_.Continuous() || lastShown)
        rect.Bottom -= vertSpacing_ + 3;
    if (CheckBoxesShown()) {
        bool checked = false;
        if (layout_.style == lsSeriesGroups) {
            TSeriesGroups* groups = chart->SeriesGroups();
            checked = index < groups->Count() && groups->Group(index)->Active() != gaNo;
        } else if (TChartSeries* series = chart->LegendSeriesAt(index, false)) {
            checked = series->Active();
        }
        DrawCheckGlyph(layout_.checkX + offset, y + (layout_.rowHeight - vertSpacing_ - 11) / 2 - 1,
                       *canvas.GetDeviceContext(), checked, checkBoxesStyle_ == cbsCheck);
    }
    if (layout_.style != lsSeriesGroups)
        DrawItemSymbol(index, rect);
    DrawDividingLine(position, y, offset);
}

void TCustomChartLegend::DrawItemSymbol(int index, const TRect& rect) {
    if (layout_.symbolWidth <= 0)
        return;
    TCustomChart* chart = Chart();
    TCanvas3D& canvas = *chart->DrawCanvas();
    if (symbol_.DefaultPen())
        canvas.Pen()->SetStyle(psSolid);
    TChartSeries* series = nullptr;
    int valueIndex = -1;
    if (layout_.style == lsValues) {
        series = ValuesSeries();
        valueIndex = index;
    } else {
        series = chart->LegendSeriesAt(index, !CheckBoxesShown());
    }
    if (series == nullptr) {
        symbol_.DrawPlain(canvas, clWhite, rect);
        return;
    }
    canvas.Pen()->SetColor(clBlack);
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(valueIndex >= 0 ? series->LegendItemColor(valueIndex)
                                             : series->SeriesColor());
    series->DrawLegendShape(valueIndex, rect);
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
    case laTop:
        plot.Top = ShapeRect.Bottom + vert;
        break;
    case laBottom:
        plot.Bottom = ShapeRect.Top - vert;
        break;
    }
    panel->SetPlotRect(plot);
    panel->SetFixedPlotRect(false);
    panel->RecalcPlotSize();
}
