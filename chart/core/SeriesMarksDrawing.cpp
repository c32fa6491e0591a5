// Drawing the marks of a series: measuring each, lifting it by the callout, keeping its
// position, and drawing the arrow, the box, the symbol and the text.

#include "chart/core/ChartHost.h"
#include "chart/core/SeriesMarks.h"
#include "chart/draw/PlotCanvas.h"
#include "chart/panel/PlotPanel.h"

#include <cmath>
#include <sstream>

namespace {

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            lines.push_back(line);
            line.clear();
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            line += text[i];
        }
    }
    lines.push_back(line);
    return lines;
}

} // namespace

TCanvas3D* TSeriesMarks::DrawingCanvas() const {
    TChartHost* chart = series_ != nullptr ? series_->ParentChart() : nullptr;
    return chart != nullptr ? chart->ChartCanvas() : nullptr;
}

void TSeriesMarks::DrawMarks() {
    TChartHost* chart = series_ != nullptr ? series_->ParentChart() : nullptr;
    if (chart == nullptr || chart->ChartCanvas() == nullptr || series_->Count() == 0)
        return;
    const int first = series_->FirstVisibleIndex();
    const int last = series_->LastVisibleIndex();
    if (first < 0)
        return;
    for (int i = first; i <= last; ++i) {
        if (!DrawsPoint(i) || series_->IsNull(i))
            continue;
        const std::string text = series_->MarkText(i);
        TPlotCustomShape* shape = ItemOrSelf(i);
        if (text.empty() || !shape->Visible())
            continue;
        int x = 0;
        int y = 0;
        series_->PointPixels(i, x, y);
        int lines = 0;
        const int width = chart->WidestTextLine(shape->Font(), text, lines);
        TSeriesMarkPosition position;
        Measure(position, width, std::max(lines, 1), chart->FontHeight(shape->Font()), x, y);
        ApplyCallout(position);
        DrawMark(i, series_->PointColor(i), position, text);
    }
}

void TSeriesMarks::DrawMark(int index, TColor color, TSeriesMarkPosition& position,
                            const std::string& text) {
    StorePosition(index, position);
    TCanvas3D* canvas = DrawingCanvas();
    if (canvas == nullptr)
        return;
    TPlotCustomShape& shape = *ItemOrSelf(index);
    if (callout_ && (callout_->Visible() || callout_->Arrow()->Visible()))
        callout_->Draw(color, position.ArrowFrom, position.MidPoint, position.ArrowTo, zPosition_,
                       position.MidPointUsed);
    TRect box = position.Bounds();
    if (position.Custom && Parent() != nullptr) {
        const TRect bounds = Parent()->PanelBounds();
        box = {box.Left + bounds.Left, box.Top + bounds.Top, box.Right + bounds.Left,
               box.Bottom + bounds.Top};
    }
    shape.DrawShapeIn(box, angle_ % 360, zPosition_ + 1);
    TRect textBox = box;
    if (symbol_ && symbol_->ShouldDraw()) {
        const int fh = canvas->CharHeight();
        symbol_->Brush()->SetColor(color);
        symbol_->SetColor(color);
        symbol_->DrawShapeIn({box.Left + 4, box.Top + 3, box.Left + fh - 1, box.Top + fh - 2}, 0,
                             zPosition_ + 1);
        // The text moves right by the room measured for the symbol, so that it stays inside
        // the box whatever the font.
        textBox.Left += fh - 4;
    }
    textBox.Left += 2;
    DrawMarkText(*canvas, shape, textBox, color, text);
}

void TSeriesMarks::DrawMarkText(TCanvas3D& canvas, TPlotCustomShape& shape, const TRect& box,
                                TColor, const std::string& text) {
    canvas.Brush()->SetStyle(bsClear);
    canvas.SetBackgroundMode(cbmTransparent);
    canvas.SelectFont(shape.Font());
    const int fontHeight = canvas.CharHeight();
    const TRect& m = margins_->Pixels();
    const int left = box.Left + m.Left;
    const int right = box.Right - m.Right;
    int anchorX = (left + right) / 2;
    unsigned align = TA_CENTER;
    if (textAlign_ == taRightJustify) {
        anchorX = right;
        align = TA_RIGHT;
    } else if (textAlign_ == taLeftJustify) {
        anchorX = left;
        align = TA_LEFT;
    }
    canvas.SetTextAlignment(align);
    const int frame = shape.Pen()->Visible() ? (shape.Pen()->Width() - 1) / 2 : 0;
    const int angle = angle_ % 360;
    const std::vector<std::string> lines = SplitLines(text);
    const int anchorY = (box.Top + m.Top + box.Bottom - m.Bottom) / 2;
    for (size_t k = 0; k < lines.size(); ++k) {
        const int step = static_cast<int>(k) * fontHeight;
        if (angle == 0) {
            canvas.TextOut(anchorX, box.Top + m.Top + step + frame, lines[k]);
            continue;
        }
        const double a = angle * M_PI / 180.0;
        const int d = step + anchorY - box.Bottom - m.Bottom + frame;
        const int x =
            static_cast<int>(std::lround(std::sin(a) * d)) + (left + right) / 2 + (angle == 90);
        const int y = static_cast<int>(std::lround(std::cos(a) * d)) + anchorY;
        canvas.AngledText(x, y, lines[k], angle);
    }
    canvas.SetTextAlignment(TA_LEFT);
}
