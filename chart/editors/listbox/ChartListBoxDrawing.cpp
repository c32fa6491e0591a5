// Drawing one row of the series list box: the highlight under the title only, the class picture,
// the active check, the colour swatch and the title.

#include "chart/editors/listbox/ChartListBox.h"

#include "chart/control/Chart.h"
#include "chart/control/SeriesPictures.h"
#include "chart/draw/Shadow.h"
#include "chart/util/ChartUtils.h"

namespace {

// The legend symbol's shadow of a chart drawn 3 pixels deep for the swatch; its sizes come back.
class TSwatchShadow {
public:
    explicit TSwatchShadow(TCustomChart* chart)
        : shadow_(chart != nullptr ? chart->Legend()->Symbol()->Shadow() : nullptr) {
        if (shadow_ == nullptr || !shadow_->Visible()) {
            shadow_ = nullptr;
            return;
        }
        horiz_ = shadow_->HorizSize();
        vert_ = shadow_->VertSize();
        shadow_->SetSize(3);
    }
    ~TSwatchShadow() {
        if (shadow_ == nullptr)
            return;
        shadow_->SetHorizSize(horiz_);
        shadow_->SetVertSize(vert_);
    }
    TSwatchShadow(const TSwatchShadow&) = delete;
    TSwatchShadow& operator=(const TSwatchShadow&) = delete;

private:
    TPlotShadow* shadow_;
    int horiz_ = 0;
    int vert_ = 0;
};

} // namespace

void TChartListBox::DrawRow(int index, const TRect& rect, TOwnerDrawState state) {
    TChartSeries* series = SeriesAt(index);
    if (series == nullptr)
        return;
    TCanvas* canvas = Canvas();
    const bool focused = Focused();
    const bool current = index == ItemIndex();
    const bool highlighted = state.Contains(odSelected) || (!focused && current);
    TColor back = Color();
    if (highlighted)
        back = focused || !current ? clHighlight : clInactiveCaption;
    else if (state.Contains(odFocused))
        back = clInactiveCaption;
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(back);
    canvas->FillRect(rect);
    // Only the title shows the highlight.
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(Rect(rect.Left, rect.Top, ColumnLeft(colTitle) - 2, rect.Bottom));

    if (ShowColumn(colIcon))
        DrawClassPicture(canvas, ColumnLeft(colIcon), rect.Top, series->ClassType());
    if (ShowColumn(colColor)) {
        // The column's cell starts 2 pixels early; the swatch lies 4 pixels inside it.
        const int left = ColumnLeft(colColor) - 2;
        DrawSwatch(series,
                   Rect(left + 4, rect.Top + 4, left + ColumnWidth(colColor) - 4, rect.Bottom - 4));
    }
    if (ShowColumn(colActive)) {
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(Color());
        DrawCheckGlyph(ColumnLeft(colActive) + 2, rect.Top + (rect.Height() - 13) / 2, *canvas,
                       series->Active(), checkStyle_ == cbsCheck);
    }
    if (ShowColumn(colTitle)) {
        canvas->Font()->Assign(Font());
        canvas->Font()->SetColor(highlighted        ? clHighlightText
                                 : fontSeriesColor_ ? series->SeriesColor()
                                                    : Font()->Color());
        canvas->Brush()->SetStyle(bsClear);
        canvas->TextOut(ColumnLeft(colTitle) + 1,
                        rect.Top + (ItemHeight() - canvas->TextHeight("W")) / 2,
                        Items()->Get(index));
    }
}

void TChartListBox::DrawSwatch(TChartSeries* series, const TRect& rect) {
    TSwatchShadow shadow(chart_);
    DrawSeriesLegendSymbol(series, Canvas(), rect, chart_);
}
