// Series marks: measuring and placing a mark, where its box stands on the screen, the room it
// covers, moving it clear of the marks before it, and the hit test.

#include "chart/core/ChartHost.h"
#include "chart/core/SeriesMarks.h"
#include "chart/draw/PlotCanvas.h"
#include "chart/draw/TaggedText.h"
#include "chart/panel/PlotPanel.h"

#include <algorithm>
#include <cmath>

std::vector<std::string> TSeriesMarks::TextLines(const std::string& text) {
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

bool TSeriesMarks::ProjectsBoxes() const {
    TChartHost* chart = Chart();
    if (chart == nullptr || !chart->View3D())
        return false;
    TCanvas3D* canvas = chart->ChartCanvas();
    return canvas != nullptr && !canvas->PlacesText3D();
}

double TSeriesMarks::TextZoom() const {
    if (!ProjectsBoxes() || Parent() == nullptr)
        return 100;
    const TView3DOptions* view = Parent()->View3DOptions();
    if (view == nullptr || !view->ZoomText() || view->ZoomValue() == 100)
        return 100;
    return view->ZoomValue();
}

void TSeriesMarks::Measure(TSeriesMarkPosition& position, int textWidth, int textHeight,
                           int fontHeight, int x, int y) {
    int width = textWidth;
    int height = textHeight;
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

void TSeriesMarks::MeasureMark(TPlotCustomShape& shape, const std::string& text,
                               TSeriesMarkPosition& position, int x, int y) {
    TChartHost* chart = Chart();
    if (chart == nullptr)
        return;
    TPlotFont* font = shape.Font();
    // A 3D view that zooms text shows the marks' text zoomed too (the canvas enlarges it when
    // drawing), so the box is measured in the enlarged font.
    TPlotFont zoomed;
    const double zoom = TextZoom();
    if (zoom != 100) {
        zoomed.Assign(font);
        zoomed.SetSize(std::max(1, RoundEven(font->Size() * zoom / 100)));
        font = &zoomed;
    }
    const int fontHeight = chart->FontHeight(font);
    int width = 0;
    int height = 0;
    if (Html() && chart->ChartCanvas() != nullptr) {
        // FontHeight left the font on the chart's canvas, where the tagged text starts from.
        const TSize extent = MeasureTaggedText(*chart->ChartCanvas(), text);
        width = extent.cx;
        height = extent.cy;
    } else {
        const std::vector<std::string> lines = TextLines(text);
        for (const std::string& line : lines) {
            int count = 0;
            width = std::max(width, chart->WidestTextLine(font, line, count));
        }
        height = static_cast<int>(lines.size()) * fontHeight;
    }
    Measure(position, width, height, fontHeight, x, y);
}

TPoint TSeriesMarks::ScreenTopLeft(const TSeriesMarkPosition& position) const {
    if (!ProjectsBoxes())
        return {position.Left, position.Top};
    const TPoint end = DrawingCanvas()->ProjectPoint(position.ArrowTo, zPosition_);
    return {position.Left + end.X - position.ArrowTo.X, position.Top + end.Y - position.ArrowTo.Y};
}

TRect TSeriesMarks::MarkRect(int index, const TSeriesMarkPosition& position) const {
    TRect r = position.Bounds();
    const TPlotCustomShape* shape = ItemOrSelf(index);
    if (shape->Pen()->Visible()) {
        r.Right += shape->Pen()->Width();
        r.Bottom += shape->Pen()->Width();
    }
    if (const TPlotShadow* shadow = shape->Shadow()) {
        const int h = shadow->HorizSize();
        const int v = shadow->VertSize();
        (h > 0 ? r.Right : r.Left) += h;
        (v > 0 ? r.Bottom : r.Top) += v;
    }
    const TPoint at = ScreenTopLeft(position);
    OffsetRect(r, at.X - position.Left, at.Y - position.Top);
    return r;
}

void TSeriesMarks::AvoidOverlap(int first, int index, TSeriesMarkPosition& position) const {
    const TRect r = MarkRect(index, position);
    for (int i = std::max(first, 0); i < index && i < positions_.Count(); ++i) {
        const TSeriesMarkPosition* other = positions_.EntryAt(i);
        if (other == nullptr)
            continue;
        const TRect o = MarkRect(i, *other);
        if (r.Left >= o.Right || o.Left >= r.Right || r.Top >= o.Bottom || o.Top >= r.Bottom)
            continue;
        // Above the other mark it moves further up, otherwise down below it.
        const int shift = r.Top < o.Top ? r.Bottom - o.Top : r.Top - o.Bottom;
        position.Top -= shift;
        position.ArrowTo.Y -= shift;
        if (position.MidPointUsed)
            position.MidPoint.Y -= shift;
    }
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
        const TPoint at = ScreenTopLeft(*p);
        const TRect r{at.X, at.Y, at.X + p->Width, at.Y + p->Height};
        if (angle_ > 0) {
            if (InPolygon(RotatedRectCorners(r, angle_ % 360), x, y))
                return i;
        } else if (x >= r.Left && x <= r.Right && y >= r.Top && y <= r.Bottom) {
            return i;
        }
    }
    return -1;
}

int TSeriesMarks::MaxMarkWidth() {
    TChartHost* chart = Chart();
    if (chart == nullptr)
        return 0;
    int widest = 0;
    for (int i = 0; i < series_->Count(); ++i) {
        if (!ItemOrSelf(i)->Visible())
            continue;
        for (const std::string& line : TextLines(series_->MarkText(i))) {
            int count = 0;
            widest = std::max(widest, chart->WidestTextLine(nullptr, line, count));
        }
    }
    return widest;
}
