// The legend's items, texts, layout and hit test.

#include "chart/control/Chart.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/SeriesGroup.h"
#include "chart/draw/ChartPen.h"
#include "chart/draw/TaggedText.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr char ColumnSeparator = '\x06';

int Rounded(double value) {
    return static_cast<int>(std::lround(value));
}

} // namespace

TCustomChart* TCustomChartLegend::Chart() const {
    return dynamic_cast<TCustomChart*>(Parent());
}

int TCustomChartLegend::LegendFrameWidth() const {
    if (Bevel() != bvNone)
        return BevelWidth();
    return Pen()->Visible() ? Pen()->Width() : 0;
}

TChartSeries* TCustomChartLegend::ValuesSeries() const {
    if (series_ != nullptr)
        return series_;
    TCustomChart* chart = Chart();
    if (chart == nullptr)
        return nullptr;
    TChartSeries* firstActive = nullptr;
    for (int i = 0; i < chart->SeriesCount(); ++i) {
        TChartSeries* series = chart->SeriesAt(i);
        if (!series->Active())
            continue;
        if (series->ShowInLegend())
            return series;
        if (firstActive == nullptr)
            firstActive = series;
    }
    return firstActive;
}

int TCustomChartLegend::ItemCount() const {
    return ItemCountFrom(firstValue_);
}

int TCustomChartLegend::ItemCountFrom(int first) const {
    TCustomChart* chart = Chart();
    if (chart == nullptr)
        return 0;
    int count = 0;
    switch (EffectiveStyle()) {
    case lsSeriesGroups:
        count = chart->SeriesGroups()->Count();
        break;
    case lsSeries:
    case lsLastValues:
        for (int i = 0; i < chart->SeriesCount(); ++i) {
            TChartSeries* series = chart->SeriesAt(i);
            if (series->ShowInLegend() && (checkBoxes_ || series->Active()))
                ++count;
        }
        count -= first;
        break;
    case lsValues:
    case lsAuto: {
        TChartSeries* series = ValuesSeries();
        count =
            series != nullptr && series->ShowInLegend() ? series->LegendValueCount() - first : 0;
        break;
    }
    }
    return std::max(0, count);
}

std::string TCustomChartLegend::ItemText(int index) const {
    TCustomChart* chart = Chart();
    if (chart == nullptr)
        return {};
    std::string text;
    const bool activeOnly = !checkBoxes_;
    switch (EffectiveStyle()) {
    case lsSeries:
        text = chart->LegendSeriesTitle(index, activeOnly);
        std::replace(text.begin(), text.end(), ColumnSeparator, ' ');
        break;
    case lsLastValues: {
        TChartSeries* series = chart->LegendSeriesAt(index, activeOnly);
        if (series != nullptr)
            text = chart->PointLegendText(series, series->Count() - 1);
        break;
    }
    case lsSeriesGroups:
        if (index >= 0 && index < chart->SeriesGroups()->Count())
            text = chart->SeriesGroups()->Group(index)->Name();
        break;
    case lsValues:
    case lsAuto:
        text = chart->PointLegendText(ValuesSeries(), index);
        break;
    }
    return chart->LegendItemText(index, text);
}

TCustomChartLegend::TItemText TCustomChartLegend::SplitColumns(std::string text) {
    TItemText result;
    int filled = 0;
    std::size_t at;
    while (!text.empty() && filled < 2 && (at = text.find(ColumnSeparator)) != std::string::npos) {
        result.column[filled++] = text.substr(0, at);
        text.erase(0, at + 1);
    }
    if (!text.empty() && filled <= 1)
        result.column[filled] = text;
    return result;
}

std::vector<TCustomChartLegend::TItemText> TCustomChartLegend::BuildTexts() const {
    std::vector<TItemText> texts;
    for (int i = layout_.firstValue; i <= layout_.lastValue; ++i)
        texts.push_back(SplitColumns(ItemText(i)));
    if (inverted_)
        std::reverse(texts.begin(), texts.end());
    return texts;
}

int TCustomChartLegend::RowHeight() const {
    TCanvas3D& canvas = *Parent()->DrawCanvas();
    canvas.SelectFont(Font());
    int height = canvas.CharHeight();
    if (CheckBoxesShown())
        height = std::max(height, 17);
    height += vertSpacing_;
    if (Vertical() && dividingLines_->Visible())
        height += dividingLines_->Width();
    return height;
}

int TCustomChartLegend::TextWidth(const std::string& text) const {
    TCanvas3D& canvas = *Parent()->DrawCanvas();
    if (TextFormat() != ttfHtml)
        return canvas.MeasureTextWidth(text);
    const int width = MeasureTaggedText(canvas, text).cx;
    canvas.SelectFont(Font());
    return width;
}

void TCustomChartLegend::MeasureColumns(const std::vector<TItemText>& texts) {
    layout_.textWidth = 0;
    for (int c = 0; c < 2; ++c) {
        int widest = 0;
        for (std::size_t position = 0; position < texts.size(); ++position) {
            const TLegendItem* item =
                items_.Custom() ? items_.Find(static_cast<int>(position)) : nullptr;
            const std::string& text = item != nullptr ? (c == 0 ? item->Text() : item->Text2())
                                                      : texts[position].column[c];
            widest = std::max(widest, TextWidth(text));
        }
        layout_.columnWidth[c] = widest;
        if (widest > 0)
            layout_.textWidth += widest + layout_.spaceWidth - 1;
    }
}

int TCustomChartLegend::HookedSize(int size) const {
    if (SizeHook)
        SizeHook(const_cast<TCustomChartLegend*>(this), size);
    return size;
}

bool TCustomChartLegend::LegendShadowShown() const {
    return Shadow() != nullptr && Shadow()->Visible();
}

void TCustomChartLegend::LayOutVertical(const std::vector<TItemText>&) {
    TCustomPlotPanel* panel = Parent();
    const TRect& bounds = panel->PanelBounds();
    if (!CustomPosition()) {
        // A chart shadow cast upwards keeps the legend below it.
        const TPlotShadow* shadow = panel->Shadow();
        const int s = shadow != nullptr && shadow->Visible() && shadow->VertSize() < 0
                          ? -2 * shadow->VertSize()
                          : 0;
        ShapeRect.Top =
            bounds.Top + s + Rounded(topPos_ * (bounds.Bottom - bounds.Top - s) / 100.0);
    }
    layout_.columns = 1;
    layout_.itemsTop = ShapeRect.Top + TitleRoom();
    const TRect& plot = panel->PlotRect();
    if (layout_.itemsTop >= plot.Bottom || layout_.rowHeight <= 0)
        layout_.rows = 0;
    else
        layout_.rows = std::min(layout_.totalItems, (plot.Top + panel->PlotHeight() -
                                                     2 * layout_.frameWidth - layout_.itemsTop) /
                                                        layout_.rowHeight);
    layout_.rows = std::max(0, layout_.rows);
    layout_.lastValue = std::min(layout_.totalItems, layout_.rows) + layout_.firstValue - 1;
}

void TCustomChartLegend::LayOutHorizontal(const std::vector<TItemText>& texts) {
    TCustomPlotPanel* panel = Parent();
    MeasureColumns(texts);
    layout_.symbolWidth = symbol_.WidthFor(layout_.textWidth, layout_.rowHeight);
    const TRect& plot = panel->PlotRect();
    if (!CustomPosition()) {
        if (alignment_ == laBottom) {
            int h = layout_.frameWidth + 1;
            if (LegendShadowShown())
                h += Shadow()->VertSize();
            ShapeRect.Bottom = plot.Bottom - HookedSize(h);
        } else {
            ShapeRect.Top = plot.Top + layout_.frameWidth + 1;
        }
    }
    const int itemWidth =
        layout_.symbolWidth + layout_.textWidth + 8 + (CheckBoxesShown() ? 27 : 0);
    if (8 >= plot.Right || itemWidth <= 0)
        layout_.columns = 0;
    else
        layout_.columns = std::min(layout_.totalItems,
                                   (panel->PlotWidth() - 2 * layout_.frameWidth - 8) / itemWidth);
    layout_.columns = std::max(0, layout_.columns);
    if (layout_.columns < 1) {
        layout_.rows = 0;
    } else {
        layout_.rows = layout_.totalItems / layout_.columns +
                       (layout_.totalItems % layout_.columns > 0 ? 1 : 0);
        layout_.rows = std::min(layout_.rows, maxNumRows_);
    }
    layout_.lastValue =
        std::min(layout_.totalItems, layout_.columns * layout_.rows) + layout_.firstValue - 1;
}

int TCustomChartLegend::TitleRoom() const {
    if (!layout_.drawTitle)
        return 0;
    int room = layout_.titleHeight + 2;
    if (!title_->Transparent() && title_->Shadow()->Visible())
        room += std::abs(title_->Shadow()->VertSize());
    return room;
}

int TCustomChartLegend::ColumnOffset(int position) const {
    if (Vertical() || layout_.columns < 1)
        return 0;
    return (position % layout_.columns) *
           (layout_.textWidth + layout_.symbolWidth + 8 + (CheckBoxesShown() ? 15 : 0));
}

void TCustomChartLegend::PlaceItems(int x) {
    if (!symbol_.Visible() || symbol_.Position() == spRight) {
        layout_.textX = x + (symbol_.Visible() ? 6 : 8);
        layout_.symbolX = layout_.textX + layout_.textWidth;
    } else {
        layout_.symbolX = x + 6;
        layout_.textX = x + layout_.symbolWidth + 12;
        // Room for the symbol's shadow beside it; one cast to the left pushes the symbol too.
        const int h = symbol_.Shadow()->Visible() ? symbol_.Shadow()->HorizSize() : 0;
        layout_.textX += std::abs(h);
        if (h < 0)
            layout_.symbolX += -h;
    }
}

void TCustomChartLegend::SizeAndPlace() {
    TCustomPlotPanel* panel = Parent();
    layout_.step = Rounded(layout_.rowHeight * 0.1);
    int height = layout_.rowHeight * layout_.rows + 2 + 2 * layout_.step;
    if (layout_.drawTitle)
        height += TitleRoom() + 2;
    if (symbol_.Visible() && symbol_.Shadow()->Visible() &&
        layout_.rowHeight / 6 < symbol_.Shadow()->VertSize())
        height += symbol_.Shadow()->VertSize() - layout_.rowHeight / 6;
    if (alignment_ == laBottom && !CustomPosition())
        ShapeRect.Top = ShapeRect.Bottom - height;
    else
        ShapeRect.Bottom = ShapeRect.Top + height;
    if (!Vertical())
        layout_.itemsTop = ShapeRect.Top + TitleRoom();
    const int titleWidth = layout_.drawTitle ? title_->TitleWidth(*panel->DrawCanvas()) : 0;
    const bool boxes = CheckBoxesShown();
    int x;
    if (Vertical()) {
        int width = layout_.textWidth + 12;
        if (layout_.style != lsSeriesGroups) {
            width += layout_.symbolWidth;
            if (symbol_.Visible()) {
                width += 2;
                if (symbol_.Shadow()->Visible())
                    width += std::abs(symbol_.Shadow()->HorizSize());
            }
        }
        width = std::max(HookedSize(width), titleWidth);
        const TRect& plot = panel->PlotRect();
        if (alignment_ == laRight && !CustomPosition()) {
            int right = plot.Right - (layout_.frameWidth + 1);
            if (LegendShadowShown())
                right -= Shadow()->HorizSize();
            ShapeRect.Right = right;
            ShapeRect.Left = right - width - (boxes ? 15 : 0);
        } else {
            if (!CustomPosition())
                ShapeRect.Left = plot.Left + layout_.frameWidth + 1;
            ShapeRect.Right = ShapeRect.Left + width + (boxes ? 15 : 0);
        }
        x = ShapeRect.Left;
    } else {
        const int columns = layout_.columns;
        int w = columns * (layout_.textWidth + layout_.symbolWidth + 6) + 6 + 2 * columns;
        if (boxes)
            w += 15 * columns + 4;
        w = std::max(w, titleWidth);
        const int d = std::min(panel->PlotWidth(), w) / 2;
        if (!CustomPosition()) {
            const TRect& bounds = panel->PanelBounds();
            ShapeRect.Left = panel->PlotXCenter() - d +
                             Rounded(topPos_ * (bounds.Right - bounds.Left - 2 * d) / 100.0);
        }
        ShapeRect.Right = ShapeRect.Left + 2 * d;
        x = ShapeRect.Left;
    }
    if (boxes) {
        layout_.checkX = x + 4;
        x += 15;
    }
    PlaceItems(x);
}

int TCustomChartLegend::ItemAt(int x, int y) const {
    // The rows were laid out in the panel's coordinates, also those of a placed legend.
    TRect box = ShapeRect;
    if (CustomPosition())
        OffsetRect(box, Parent()->PanelBounds().Left, Parent()->PanelBounds().Top);
    const int right = box.Right - HookedSize(0);
    if (x < box.Left || x > right || y < box.Top || y > box.Bottom)
        return -1;
    const int first = layout_.firstValue;
    const int rowHeight = layout_.rowHeight;
    int row = -1;
    for (int a = 0; a < layout_.rows; ++a) {
        const int top = layout_.itemsTop + a * rowHeight + 1;
        if (y >= top && y <= top + rowHeight) {
            row = inverted_ ? layout_.rows - a - 1 : a;
            break;
        }
    }
    if (row < 0)
        return -1;
    if (Vertical())
        return row + first;
    if (layout_.columns < 1)
        return -1;
    const int columns = layout_.columns;
    const int columnWidth = (box.Right - box.Left) / columns;
    int result = -1;
    for (int c = 0; c < columns; ++c) {
        const int left = box.Left + c * columnWidth + 1;
        if (x < left || x > left + columnWidth)
            continue;
        int item = inverted_ ? row * columns + columns - c - 1 : row * columns + c;
        const int remainder = (layout_.lastValue - first + 1) % columns;
        if (inverted_ && remainder > 0)
            item += remainder - columns;
        // The shift for a short last row can point before the first item: no item there.
        if (item < 0 || item > layout_.totalItems - 1)
            result = -1;
        else
            result = item + first;
    }
    return result;
}

bool TCustomChartLegend::ClickItem(int index) {
    TCustomChart* chart = Chart();
    if (chart == nullptr || !CheckBoxesShown() || index < 0)
        return false;
    if (layout_.style == lsSeriesGroups || EffectiveStyle() == lsSeriesGroups) {
        TSeriesGroups* groups = chart->SeriesGroups();
        if (index >= groups->Count())
            return false;
        if (checkBoxesStyle_ == cbsRadio) {
            for (int g = 0; g < groups->Count(); ++g)
                groups->Group(g)->SetActive(g == index ? gaYes : gaNo);
        } else {
            TSeriesGroup* group = groups->Group(index);
            group->SetActive(group->Active() == gaNo ? gaYes : gaNo);
        }
        return true;
    }
    TChartSeries* clicked = chart->LegendSeriesAt(index, false);
    if (clicked == nullptr)
        return false;
    if (checkBoxesStyle_ == cbsRadio) {
        for (int j = 0; TChartSeries* series = chart->LegendSeriesAt(j, false); ++j)
            series->SetActive(j == index);
    } else {
        clicked->SetActive(!clicked->Active());
    }
    return true;
}
