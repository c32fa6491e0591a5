// Drawing the marks of a series: measuring each, handing it to the series (which may move it),
// keeping its position, and drawing the arrow, the box, the symbol and the text.

#include "chart/core/ChartHost.h"
#include "chart/core/SeriesMarks.h"
#include "chart/draw/PlotCanvas.h"
#include "chart/draw/TaggedText.h"
#include "chart/panel/PlotPanel.h"

#include <cmath>
#include <numbers>

namespace {

// Draws in screen pixels while it lives: the mark's box was already moved to where its point
// appears in the 3D view, so nothing may project it again. Nests with the shapes' own freezing
// (a shadow freezes the view too).
class TFlatDrawing {
public:
    explicit TFlatDrawing(TCanvas3D* canvas) : canvas_(canvas) {
        if (canvas_ != nullptr)
            canvas_->FreezeRotation();
    }
    ~TFlatDrawing() {
        if (canvas_ != nullptr)
            canvas_->ThawRotation();
    }
    TFlatDrawing(const TFlatDrawing&) = delete;
    TFlatDrawing& operator=(const TFlatDrawing&) = delete;

private:
    TCanvas3D* canvas_;
};

} // namespace

void TChartSeries::DrawMark(int index, const std::string& text, TSeriesMarkPosition& position) {
    if (TSeriesMarks* marks = Marks())
        marks->DrawMark(index, PointColor(index), position, text);
}

TCanvas3D* TSeriesMarks::DrawingCanvas() const {
    TChartHost* chart = Chart();
    return chart != nullptr ? chart->ChartCanvas() : nullptr;
}

void TSeriesMarks::DrawMarks() {
    TChartHost* chart = Chart();
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
        TSeriesMarkPosition position;
        MeasureMark(*shape, text, position, x, y);
        series_->DrawMark(i, text, position);
    }
}

void TSeriesMarks::DrawMark(int index, TColor color, TSeriesMarkPosition& position,
                            const std::string& text) {
    StorePosition(index, position);
    TCanvas3D* canvas = DrawingCanvas();
    if (canvas == nullptr)
        return;
    TPlotCustomShape& shape = *ItemOrSelf(index);
    const TPoint topLeft = ScreenTopLeft(position);
    TRect box{topLeft.X, topLeft.Y, topLeft.X + position.Width, topLeft.Y + position.Height};
    if (position.Custom && Parent() != nullptr) {
        const TRect bounds = Parent()->PanelBounds();
        OffsetRect(box, bounds.Left, bounds.Top);
    }
    // The box's shadow goes under the arrow, so that it does not hide the arrow's end where it
    // meets the box.
    const bool shadowFirst = shape.CastsShadow();
    if (shadowFirst) {
        TFlatDrawing flatShadow(ProjectsBoxes() ? canvas : nullptr);
        shape.DrawShadowIn(box, angle_ % 360, zPosition_ + 1);
    }
    if (callout_ && (callout_->Visible() || callout_->Arrow()->Visible()))
        callout_->Draw(color, position.ArrowFrom, position.MidPoint, position.ArrowTo, zPosition_,
                       position.MidPointUsed, Parent() != nullptr ? Parent()->Color() : clWhite);
    std::unique_ptr<TFlatDrawing> flat;
    if (ProjectsBoxes())
        flat = std::make_unique<TFlatDrawing>(canvas);
    shape.DrawShapeIn(box, angle_ % 360, zPosition_ + 1, !shadowFirst);
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
                                TColor color, const std::string& text) {
    canvas.Brush()->SetStyle(bsClear);
    canvas.SetBackgroundMode(cbmTransparent);
    canvas.SelectFont(shape.Font());
    if (fontSeriesColor_)
        canvas.Font()->SetColor(color);
    const TRect& m = margins_->Pixels();
    const int left = box.Left + m.Left;
    const int right = box.Right - m.Right;
    const int middle = (left + right) / 2;
    if (Html()) {
        // The tagged text runs left to right from where it starts; its start follows the
        // alignment so that it stands where a plain text would.
        const int width = MeasureTaggedText(canvas, text).cx;
        canvas.SelectFont(shape.Font());
        if (fontSeriesColor_)
            canvas.Font()->SetColor(color);
        const int x = textAlign_ == taCenter         ? middle - width / 2
                      : textAlign_ == taRightJustify ? right - width
                                                     : left;
        canvas.SetTextAlignment(TA_LEFT);
        DrawTaggedText(canvas, x, box.Top + m.Top, text);
        return;
    }
    const int fontHeight = canvas.CharHeight();
    int anchorX = middle;
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
    const bool inDepth = canvas.PlacesText3D();
    // The canvas enlarges turned text by the 3D view's zoom, as the box was measured.
    const bool zoomed = TextZoom() != 100;
    const std::vector<std::string> lines = TextLines(text);
    const int anchorY = (box.Top + m.Top + box.Bottom - m.Bottom) / 2;
    for (size_t k = 0; k < lines.size(); ++k) {
        const int step = static_cast<int>(k) * fontHeight;
        int x = anchorX;
        int y = box.Top + m.Top + step + frame;
        if (angle != 0) {
            const double a = angle * std::numbers::pi / 180.0;
            const int d = step + anchorY - box.Bottom - m.Bottom + frame;
            x = RoundEven(std::sin(a) * d) + middle + (angle == 90);
            y = RoundEven(std::cos(a) * d) + anchorY;
        }
        if (inDepth) {
            if (angle != 0)
                canvas.AngledTextAtDepth(x, y, zPosition_, lines[k], angle);
            else
                canvas.TextOutAtDepth(x, y, zPosition_, lines[k]);
        } else if (angle != 0 || zoomed) {
            canvas.AngledText(x, y, lines[k], angle);
        } else {
            canvas.TextOut(x, y, lines[k]);
        }
    }
    canvas.SetTextAlignment(TA_LEFT);
}
