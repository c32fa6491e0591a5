#include "chart/tools/DrawLineTool.h"

#include "chart/axispanel/AxisPanel.h"
#include "chart/core/ChartAxis.h"
#include "chart/draw/ChartPen.h"
#include "chart/draw/DrawRoutines.h"
#include "chart/draw/PlotCanvas3D.h"
#include "chart/tools/ToolDrawing.h"
#include "chart/tools/ToolTexts.h"
#include "chart/util/HitTests.h"
#include "platform/graphics/Cursors.h"

#include <typeinfo>

namespace {

constexpr int kMouseDown = 0;
constexpr int kMouseMove = 1;
constexpr int kMouseUp = 2;
// Half the side of the square handles at a selected item's ends.
constexpr int kHandleSize = 3;

TRect HandleAround(TPoint p) {
    return {p.X - kHandleSize, p.Y - kHandleSize, p.X + kHandleSize, p.Y + kHandleSize};
}

// Takes the canvas' clip away when it goes, also when the drawing raises.
class TClipRemover {
public:
    explicit TClipRemover(TCanvas3D& canvas) : canvas_(canvas) {}
    ~TClipRemover() { canvas_.RemoveClip(); }
    TClipRemover(const TClipRemover&) = delete;
    TClipRemover& operator=(const TClipRemover&) = delete;

private:
    TCanvas3D& canvas_;
};

} // namespace

// ---- TDrawLine ----------------------------------------------------------------------------------

TDrawLine::TDrawLine(TCollection* collection) : TCollectionItem(collection) {}

TDrawLine::~TDrawLine() {
    if (TDrawLineTool* tool = Tool())
        tool->LineFreed(this);
}

void TDrawLine::DeclareProperties(TPropertyList& p) {
    using T = TDrawLine;
    p.Add("Pen", &T::Pen, &T::SetPen).Stored(&T::HasOwnPen);
    p.Add("Style", &T::Style, &T::SetStyle).Default(dlLine);
    p.Add("X0", &T::X0, &T::SetX0);
    p.Add("Y0", &T::Y0, &T::SetY0);
    p.Add("X1", &T::X1, &T::SetX1);
    p.Add("Y1", &T::Y1, &T::SetY1);
}

void TDrawLine::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TDrawLine*>(source);
    if (other == nullptr) {
        TCollectionItem::Assign(source);
        return;
    }
    x0_ = other->x0_;
    y0_ = other->y0_;
    x1_ = other->x1_;
    y1_ = other->y1_;
    style_ = other->style_;
    if (other->pen_)
        Pen()->Assign(other->pen_.get());
    else
        pen_.reset();
}

TDrawLineTool* TDrawLine::Tool() const {
    auto* lines = dynamic_cast<TDrawLines*>(Collection());
    return lines != nullptr ? lines->Tool() : nullptr;
}

void TDrawLine::RepaintChart() const {
    if (TDrawLineTool* tool = Tool())
        tool->Repaint();
}

void TDrawLine::SetCoordinate(double& field, double value) {
    if (StoreChanged(field, value))
        RepaintChart();
}

void TDrawLine::SetStyle(TDrawLineStyle value) {
    if (StoreChanged(style_, value))
        RepaintChart();
}

TChartPen* TDrawLine::Pen() {
    if (!pen_) {
        pen_ = std::make_unique<TChartPen>([this](TObject*) { RepaintChart(); });
        if (TDrawLineTool* tool = Tool())
            pen_->Assign(tool->Pen());
    }
    return pen_.get();
}

void TDrawLine::SetPen(TChartPen* value) {
    if (value == nullptr) {
        pen_.reset();
        RepaintChart();
        return;
    }
    Pen()->Assign(value);
}

TChartPen* TDrawLine::DrawingPen() const {
    if (pen_)
        return pen_.get();
    TDrawLineTool* tool = Tool();
    return tool != nullptr ? tool->Pen() : nullptr;
}

TPoint TDrawLine::StartHandle() const {
    return Tool()->PixelOf(x0_, y0_);
}

TPoint TDrawLine::EndHandle() const {
    return Tool()->PixelOf(x1_, y1_);
}

TDrawLines::TDrawLines(TDrawLineTool* tool)
    : TCollection(TDrawLine::StaticClass(), tool), tool_(tool) {}

// ---- TDrawLineTool ------------------------------------------------------------------------------

TDrawLineTool::TDrawLineTool(TComponent* owner)
    : TPlotCustomToolSeries(owner), lines_(std::make_unique<TDrawLines>(this)) {}

TDrawLineTool::~TDrawLineTool() {
    selected_ = nullptr;
    lines_.reset();
}

void TDrawLineTool::DeclareProperties(TPropertyList& p) {
    using T = TDrawLineTool;
    p.Add("Active", &T::Active, &T::SetActive).Default(true);
    p.Add("Button", &T::Button, &T::SetButton).Default(mbLeft);
    p.Add("ClickTolerance", &T::ClickTolerance, &T::SetClickTolerance).Default(0);
    p.Add("EnableDraw", &T::EnableDraw, &T::SetEnableDraw).Default(true);
    p.Add("EnableSelect", &T::EnableSelect, &T::SetEnableSelect).Default(true);
    p.Add("Lines", &T::Lines, &T::SetLines);
    p.Add("Pen", &T::Pen, &T::SetPen);
    p.Add("SelectNewLines", &T::SelectNewLines, &T::SetSelectNewLines).Default(true);
    p.Add("Style", &T::Style, &T::SetStyle).Default(dlLine);
}

void TDrawLineTool::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TDrawLineTool*>(source)) {
        button_ = other->button_;
        clickTolerance_ = other->clickTolerance_;
        enableDraw_ = other->enableDraw_;
        enableSelect_ = other->enableSelect_;
        SetLines(other->lines_.get());
        selectNewLines_ = other->selectNewLines_;
        style_ = other->style_;
    }
    TPlotCustomToolSeries::Assign(source);
}

std::string TDrawLineTool::ToolTitleText() const {
    return ToolText(ttDrawLineTitle);
}

std::string TDrawLineTool::ToolSummaryText() const {
    return ToolText(ttDrawLineSummary);
}

void TDrawLineTool::SetLines(TDrawLines* value) {
    lines_->Assign(value);
}

void TDrawLineTool::SetEnableSelect(bool value) {
    enableSelect_ = value;
    if (!value && selected_ != nullptr) {
        selected_ = nullptr;
        Repaint();
    }
}

void TDrawLineTool::SetSelected(TDrawLine* line) {
    if (line == selected_)
        return;
    selected_ = line;
    Repaint();
}

void TDrawLineTool::LineFreed(TDrawLine* line) {
    if (line == selected_)
        selected_ = nullptr;
}

// ---- coordinates and hits -----------------------------------------------------------------------

TPoint TDrawLineTool::PixelOf(double x, double y) const {
    return {HorizAxisOf()->PixelOf(x), VertAxisOf()->PixelOf(y)};
}

void TDrawLineTool::ValuesOf(TPoint p, double& x, double& y) const {
    x = HorizAxisOf()->PixelToValue(p.X);
    y = VertAxisOf()->PixelToValue(p.Y);
}

bool TDrawLineTool::HitItem(const TDrawLine* line, TPoint p, int tolerance, int part) const {
    const TPoint s = line->StartHandle();
    const TPoint e = line->EndHandle();
    if (part == dpStart)
        return RectContains(HandleAround(s), p);
    if (part == dpEnd)
        return RectContains(HandleAround(e), p);
    const auto near = [&](TPoint a, TPoint b) { return DistanceToSegment(p, a, b) <= tolerance; };
    switch (line->Style()) {
    case dlLine:
        return near(s, e);
    case dlHorizParallel:
        return near(s, {e.X, s.Y}) || near({s.X, e.Y}, e);
    case dlVertParallel:
        return near(s, {s.X, e.Y}) || near({e.X, s.Y}, e);
    case dlRectangle:
    case dlEllipse:
        return RectContains(NormalizeRect({s.X, s.Y, e.X, e.Y}), p);
    }
    return false;
}

TDrawLine* TDrawLineTool::ItemAt(int x, int y, int part) const {
    TCustomAxisPanel* chart = Panel();
    if (chart == nullptr)
        return nullptr;
    if (part < 0) {
        for (int tried : {dpShape, dpStart, dpEnd})
            if (TDrawLine* line = ItemAt(x, y, tried))
                return line;
        return nullptr;
    }
    if (chart->View3D() && chart->DrawCanvas() != nullptr)
        chart->DrawCanvas()->Unproject(x, y, 0);
    const TPoint p{x, y};
    if (selected_ != nullptr && HitItem(selected_, p, clickTolerance_, part))
        return selected_;
    for (int i = 0; i < lines_->Count(); ++i)
        if (HitItem(lines_->Line(i), p, clickTolerance_, part))
            return lines_->Line(i);
    return nullptr;
}

// ---- drawing ------------------------------------------------------------------------------------

bool TDrawLineTool::DrawsInverted() const {
    const TCustomAxisPanel* chart = Panel();
    const TCanvas3D* canvas = chart != nullptr ? chart->DrawCanvas() : nullptr;
    return canvas != nullptr && typeid(*canvas) == typeid(TPlotCanvas3D);
}

void TDrawLineTool::ClipDrawArea(TCanvas3D& canvas) {
    TCustomAxisPanel& chart = *Panel();
    TRect r = chart.PlotRect();
    if (Series() != nullptr) {
        const TChartAxis* horiz = HorizAxisOf();
        const TChartAxis* vert = VertAxisOf();
        r = {horiz->StartPixel(), vert->StartPixel(), horiz->EndPixel(), vert->EndPixel()};
    }
    if (chart.ClippingAllowed())
        canvas.ClipToBox(r, 0, chart.Depth3D());
}

void TDrawLineTool::DrawShape(TCanvas3D& canvas, TPoint p0, TPoint p1, TDrawLineStyle style) {
    const bool view3D = Panel()->View3D();
    const TRect box = NormalizeRect({p0.X, p0.Y, p1.X, p1.Y});
    switch (style) {
    case dlLine:
        if (view3D) {
            canvas.MoveToAtDepth(p0.X, p0.Y, 0);
            canvas.LineToAtDepth(p1.X, p1.Y, 0);
        } else {
            canvas.MoveTo(p0);
            canvas.LineTo(p1);
        }
        break;
    case dlHorizParallel:
        for (int y : {p0.Y, p1.Y})
            view3D ? canvas.HorizontalLineAtDepth(p0.X, p1.X, y, 0)
                   : canvas.HorizontalLine(p0.X, p1.X, y);
        break;
    case dlVertParallel:
        for (int x : {p0.X, p1.X})
            view3D ? canvas.VerticalLineAtDepth(x, p0.Y, p1.Y, 0)
                   : canvas.VerticalLine(x, p0.Y, p1.Y);
        break;
    case dlRectangle:
        view3D ? canvas.RectangleAtDepth(box, 0) : canvas.Rectangle(box);
        break;
    case dlEllipse:
        // Inverted, a polygon of whole pixels: drawn twice at one place it takes itself away.
        if (DrawsInverted())
            view3D ? canvas.PolygonAtDepth(EllipseOutline(box), 0)
                   : canvas.Polygon(EllipseOutline(box));
        else
            view3D ? canvas.EllipseAtDepth(box, 0) : canvas.Ellipse(box);
        break;
    }
}

void TDrawLineTool::DrawItem(TCanvas3D& canvas, TDrawLine* line) {
    TChartPen* pen = line != nullptr ? line->DrawingPen() : Pen();
    canvas.Brush()->SetStyle(bsClear);
    canvas.SetBackgroundMode(cbmTransparent);
    const bool inverted = DrawsInverted();
    const TColor color = inverted ? static_cast<TColor>(ColorToRGB(pen->Color()) ^
                                                        (0xFFFFFF - ChartBackgroundRGB(*Panel())))
                                  : pen->Color();
    canvas.ApplyChartPen(pen, color);
    TPenModeScope mode(canvas, inverted ? pmNotXor : pmCopy);
    if (line != nullptr)
        DrawShape(canvas, line->StartHandle(), line->EndHandle(), line->Style());
    else
        DrawShape(canvas, fromPoint_, toPoint_, style_);
}

void TDrawLineTool::DrawItemOverChart(TDrawLine* line) {
    TCustomAxisPanel* chart = Panel();
    DrawOverChart(*chart, false, [&](TCanvas3D& canvas) {
        ClipDrawArea(canvas);
        TClipRemover clip(canvas);
        DrawItem(canvas, line);
    });
}

void TDrawLineTool::DrawHandles(TCanvas3D& canvas, TDrawLine* line) {
    const bool black = ChartBackgroundRGB(*Panel()) == clBlack;
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(black ? clSilver : clBlack);
    canvas.Pen()->SetStyle(psClear);
    canvas.RectangleAtDepth(HandleAround(line->StartHandle()), 0);
    canvas.RectangleAtDepth(HandleAround(line->EndHandle()), 0);
}

void TDrawLineTool::ChartToolEvent(TChartToolEventKind kind) {
    TPlotCustomToolSeries::ChartToolEvent(kind);
    TCustomAxisPanel* chart = Panel();
    if (kind != ctkAfterDraw || chart == nullptr || chart->DrawCanvas() == nullptr)
        return;
    TCanvas3D& canvas = *chart->DrawCanvas();
    canvas.SetBackgroundMode(cbmTransparent);
    ClipDrawArea(canvas);
    TClipRemover clip(canvas);
    for (int i = 0; i < lines_->Count(); ++i)
        DrawItem(canvas, lines_->Line(i));
    if (selected_ != nullptr)
        DrawHandles(canvas, selected_);
    if (drawing_)
        DrawItem(canvas, selected_);
}

// ---- the mouse ----------------------------------------------------------------------------------

void TDrawLineTool::PickItem(TDrawLine* line, int x, int y) {
    fromPoint_ = line->StartHandle();
    toPoint_ = line->EndHandle();
    lastPoint_ = {x, y};
    dragPart_ = dpWhole;
    if (line == selected_) {
        if (ItemAt(x, y, dpStart) == line)
            dragPart_ = dpStart;
        else if (ItemAt(x, y, dpEnd) == line)
            dragPart_ = dpEnd;
        return;
    }
    bool allow = true;
    if (OnSelecting)
        OnSelecting(this, line, allow);
    if (!allow) {
        // A refused item is not dragged: the drag would move the points of the refused item
        // into the item still selected.
        dragPart_ = 0;
        return;
    }
    const bool hadSelection = selected_ != nullptr;
    selected_ = line;
    if (hadSelection)
        Repaint();
    else
        DrawOverChart(*Panel(), false, [&](TCanvas3D& canvas) { DrawHandles(canvas, line); });
    if (OnSelect)
        OnSelect(this);
}

void TDrawLineTool::MousePressed(int x, int y) {
    TCustomAxisPanel* chart = Panel();
    if (enableSelect_) {
        if (TDrawLine* line = ItemAt(x, y)) {
            PickItem(line, x, y);
            chart->MouseCancelled = true;
            return;
        }
    }
    SetSelected(nullptr);
    if (!enableDraw_)
        return;
    drawing_ = true;
    fromPoint_ = toPoint_ = {x, y};
    if (DrawsInverted())
        DrawItemOverChart(nullptr);
    chart->MouseCancelled = true;
}

void TDrawLineTool::MouseMoved(int x, int y) {
    TCustomAxisPanel* chart = Panel();
    if (drawing_ || dragPart_ != 0) {
        const bool inverted = DrawsInverted();
        if (inverted)
            DrawItemOverChart(selected_);
        if (drawing_) {
            toPoint_ = {x, y};
        } else if (dragPart_ == dpStart) {
            fromPoint_ = {x, y};
        } else if (dragPart_ == dpEnd) {
            toPoint_ = {x, y};
        } else {
            const int dx = x - lastPoint_.X;
            const int dy = y - lastPoint_.Y;
            fromPoint_ = {fromPoint_.X + dx, fromPoint_.Y + dy};
            toPoint_ = {toPoint_.X + dx, toPoint_.Y + dy};
            lastPoint_ = {x, y};
        }
        if (selected_ != nullptr) {
            // Stored quietly: the inverted drawing shows the item at its new place.
            ValuesOf(fromPoint_, selected_->x0_, selected_->y0_);
            ValuesOf(toPoint_, selected_->x1_, selected_->y1_);
        }
        if (inverted)
            DrawItemOverChart(selected_);
        else
            chart->Invalidate();
        chart->MouseCancelled = true;
        moved_ = true;
        if (OnDragLine)
            OnDragLine(this);
        return;
    }
    if (!enableSelect_)
        return;
    bool shaped = false;
    if (selected_ != nullptr &&
        (ItemAt(x, y, dpStart) == selected_ || ItemAt(x, y, dpEnd) == selected_)) {
        chart->SetChartCursor(crCross);
        shaped = true;
    } else if (ItemAt(x, y) != nullptr) {
        chart->SetChartCursor(crHandPoint);
        shaped = true;
    }
    chart->MouseCancelled = shaped;
}

void TDrawLineTool::MouseReleased() {
    TCustomAxisPanel* chart = Panel();
    if (dragPart_ != 0 && selected_ != nullptr) {
        if (dragPart_ == dpStart || dragPart_ == dpWhole)
            ValuesOf(fromPoint_, selected_->x0_, selected_->y0_);
        if (dragPart_ == dpEnd || dragPart_ == dpWhole)
            ValuesOf(toPoint_, selected_->x1_, selected_->y1_);
        dragPart_ = 0;
        chart->Invalidate();
        if (moved_) {
            moved_ = false;
            if (OnDraggedLine)
                OnDraggedLine(this);
        }
        return;
    }
    dragPart_ = 0;
    if (!drawing_)
        return;
    drawing_ = false;
    if (fromPoint_ == toPoint_)
        return;
    TDrawLine* line = lines_->AddLine();
    ValuesOf(fromPoint_, line->x0_, line->y0_);
    ValuesOf(toPoint_, line->x1_, line->y1_);
    line->style_ = style_;
    if (selectNewLines_) {
        selected_ = line;
        fromPoint_ = line->StartHandle();
        toPoint_ = line->EndHandle();
        lastPoint_ = fromPoint_;
    }
    chart->Invalidate();
    if (OnNewLine)
        OnNewLine(this);
}

void TDrawLineTool::ChartMouseEvent(int kind, TMouseButton button, TShiftState, int x, int y) {
    if (Panel() == nullptr)
        return;
    switch (kind) {
    case kMouseDown:
        if (button == button_)
            MousePressed(x, y);
        break;
    case kMouseMove:
        MouseMoved(x, y);
        break;
    case kMouseUp:
        if (button == button_)
            MouseReleased();
        break;
    default:
        break;
    }
}
