#include "chart/tools/AnnotationTool.h"

#include "chart/axispanel/AxisPanel.h"
#include "chart/draw/ChartPen.h"
#include "chart/tools/ToolDrawing.h"
#include "chart/tools/ToolTexts.h"
#include "chart/util/HitTests.h"

namespace {

constexpr int kMouseDown = 0;
constexpr int kMouseMove = 1;
// The corner positions keep this many pixels from the chart's left and top edges.
constexpr int kCornerGap = 10;

// Where v lies against the range lo .. hi: before it lo, after it hi, else the middle.
int ClampToEdge(int v, int lo, int hi) {
    if (v < lo)
        return lo;
    if (v > hi)
        return hi;
    return (lo + hi) / 2;
}

} // namespace

// ---- callout ------------------------------------------------------------------------------------

TAnnotationCallout::TAnnotationCallout() : TCallout(nullptr) {
    // Defaults, not changes: there is no chart to tell yet.
    Arrow()->SetVisible(false);
    TPlotCustomShapeBrushPen::SetVisible(false);
}

void TAnnotationCallout::DeclareProperties(TPropertyList& p) {
    using S = TAnnotationCallout;
    p.Add("Visible", &S::Visible, &S::SetVisible).Default(false);
    p.Add("XPosition", &S::XPosition, &S::SetXPosition).Default(0);
    p.Add("YPosition", &S::YPosition, &S::SetYPosition).Default(0);
    p.Add("ZPosition", &S::ZPosition, &S::SetZPosition).Default(0);
}

void TAnnotationCallout::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TAnnotationCallout*>(source)) {
        x_ = other->x_;
        y_ = other->y_;
        z_ = other->z_;
    }
    TCallout::Assign(source);
}

void TAnnotationCallout::SetPosition(int& field, int value) {
    if (!StoreChanged(field, value))
        return;
    if (TChartHost* chart = ParentChart())
        chart->Invalidate();
}

TPoint TAnnotationCallout::StartOn(const TRect& r) const {
    return {ClampToEdge(x_, r.Left, r.Right), ClampToEdge(y_, r.Top, r.Bottom)};
}

TPoint TAnnotationCallout::PulledTarget(TPoint start) const {
    const TPoint target{x_, y_};
    // A target on the start has no direction to be pulled back along.
    if (Distance() == 0 || target == start)
        return target;
    return PointBackFromEnd(start, target, Distance());
}

void TAnnotationCallout::DrawFrom(const TRect& r, TPoint origin, TColor chartColor) {
    if (!Visible() && !Arrow()->Visible())
        return;
    const TPoint start = StartOn(r);
    const TPoint target = PulledTarget(start);
    // The callout draws its head at the arrow's end and its pointer at the arrow's start: both
    // belong at the target.
    if (ArrowHead() != ahNone)
        Draw(clNone, start, start, target, z_, false, chartColor, origin);
    else
        Draw(clNone, target, target, start, z_, false, chartColor, origin);
}

// ---- tool ---------------------------------------------------------------------------------------

TAnnotationTool::TAnnotationTool(TComponent* owner)
    : TPlotCustomTool(owner), shape_(std::make_unique<TTextShape>(nullptr)),
      callout_(std::make_unique<TAnnotationCallout>()) {}

TAnnotationTool::~TAnnotationTool() {
    callout_.reset();
    shape_.reset();
}

void TAnnotationTool::DeclareProperties(TPropertyList& p) {
    using T = TAnnotationTool;
    p.Add("Active", &T::Active, &T::SetActive).Default(true);
    p.Add("AutoSize", &T::AutoSize, &T::SetAutoSize).Default(true);
    p.Add("Callout", &T::Callout, &T::SetCallout);
    p.Add("ClipText", &T::ClipText, &T::SetClipText).Default(true);
    p.Add("Cursor", &T::Cursor, &T::SetCursor).Default(crDefault);
    p.Add("Position", &T::Position, &T::SetPosition).Default(ppLeftTop);
    p.Add("PositionUnits", &T::PositionUnits, &T::SetPositionUnits).Default(muPixels);
    p.Add("Shape", &T::Shape, &T::SetShape);
    // After the shape, whose place moves single edges: the size read last is the size kept.
    p.Add("Height", &T::Height, &T::SetHeight).Stored(&T::WidthHeightStored);
    p.Add("Width", &T::Width, &T::SetWidth).Stored(&T::WidthHeightStored);
    p.Add("Text", &T::Text, &T::SetText);
    p.Add("TextAlignment", &T::TextAlignment, &T::SetTextAlignment).Default(taLeftJustify);
}

void TAnnotationTool::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TAnnotationTool*>(source)) {
        callout_->Assign(other->callout_.get());
        position_ = other->position_;
        positionUnits_ = other->positionUnits_;
        shape_->Assign(other->shape_.get());
    }
    TPlotCustomTool::Assign(source);
}

void TAnnotationTool::SetParentChart(TChartHost* chart) {
    TPlotCustomTool::SetParentChart(chart);
    if (ComponentState().Contains(csDestroying))
        return;
    shape_->SetParent(Panel());
    callout_->SetParentChart(chart);
    Repaint();
}

std::string TAnnotationTool::ToolTitleText() const {
    return ToolText(ttAnnotationTitle);
}

std::string TAnnotationTool::ToolSummaryText() const {
    return ToolText(ttAnnotationSummary);
}

void TAnnotationTool::SetPosition(TAnnotationPosition value) {
    if (value == position_)
        return;
    position_ = value;
    shape_->SetCustomPosition(false);
    Repaint();
}

void TAnnotationTool::SetLeft(int value) {
    const int width = Width();
    shape_->SetLeft(value);
    shape_->SetShapeWidth(width);
}

void TAnnotationTool::SetTop(int value) {
    const int height = Height();
    shape_->SetTop(value);
    shape_->SetShapeHeight(height);
}

void TAnnotationTool::SetWidth(int value) {
    if (value == Width())
        return;
    SetAutoSize(false);
    shape_->SetShapeWidth(value);
    Repaint();
}

void TAnnotationTool::SetHeight(int value) {
    if (value == Height())
        return;
    SetAutoSize(false);
    shape_->SetShapeHeight(value);
    Repaint();
}

// ---- geometry -----------------------------------------------------------------------------------

TSize TAnnotationTool::MeasureText(TCustomAxisPanel& chart, const std::string& text, int& lines) {
    const int width = chart.WidestTextLine(shape_->Font(), text, lines);
    return {width, chart.FontHeight(shape_->Font()) * lines};
}

TRect TAnnotationTool::CalcShapeBounds(int& lines) {
    lines = 0;
    TCustomAxisPanel* chart = Chart();
    if (chart == nullptr)
        return {0, 0, 0, 0};
    const std::string text = ShapeTextOf(GetText());
    int w = 0;
    int h = 0;
    if (!shape_->CustomPosition() || shape_->AutoSize()) {
        const TSize size = MeasureText(*chart, text, lines);
        TChartPen* frame = shape_->Pen();
        const int pen = frame->Visible() ? (frame->Width() + 1) / 2 : 0;
        w = size.cx + pen;
        h = size.cy + pen;
    } else {
        chart->WidestTextLine(shape_->Font(), text, lines);
    }
    if (!shape_->AutoSize()) {
        w = shape_->ShapeWidth();
        h = shape_->ShapeHeight();
    }
    TMargins& margins = *shape_->Margins();
    margins.ComputePixels(w, h, chart->FontHeight(shape_->Font()));
    const TPoint at = BoxOrigin(*chart, w, h, text);
    const int width = shape_->AutoSize() ? w + margins.HorizTotal() : shape_->ShapeWidth();
    const int height = shape_->AutoSize() ? h + margins.VertTotal() : shape_->ShapeHeight();
    if (shape_->AutoSize()) {
        shape_->SetShapeWidth(width);
        shape_->SetShapeHeight(height);
    }
    return {at.X, at.Y, at.X + width - 1, at.Y + height - 1};
}

TPoint TAnnotationTool::BoxOrigin(TCustomAxisPanel& chart, int w, int h, const std::string& text) {
    // The chart's bounds in its own coordinates: the box is placed as on the screen, and the
    // drawing adds the origin of a chart drawn elsewhere once.
    const TRect& drawn = chart.PanelBounds();
    TRect b{0, 0, drawn.Right - drawn.Left, drawn.Bottom - drawn.Top};
    if (b.Right <= 0 || b.Bottom <= 0)
        b = {0, 0, chart.Width(), chart.Height()};
    const int bw = b.Right - b.Left + 1;
    const int bh = b.Bottom - b.Top + 1;
    const TMargins& margins = *shape_->Margins();
    if (shape_->CustomPosition()) {
        if (positionUnits_ == muPixels)
            return {shape_->Left(), shape_->Top()};
        return {RoundEven(shape_->Left() * bw * 0.01), RoundEven(shape_->Top() * bh * 0.01)};
    }
    const int right = b.Left + bw - w - margins.HorizTotal();
    const int bottom = b.Top + bh - h - margins.VertTotal();
    switch (position_) {
    case ppLeftTop:
        return {b.Left + kCornerGap, b.Top + kCornerGap};
    case ppLeftBottom:
        return {b.Left + kCornerGap, bottom};
    case ppRightTop:
        return {right, b.Top + kCornerGap};
    case ppRightBottom:
        return {right, bottom};
    case ppCenter: {
        int lines = 0;
        const TSize plain = MeasureText(chart, text, lines);
        return {(b.Left + b.Right - plain.cx) / 2, (b.Top + b.Bottom - plain.cy) / 2};
    }
    }
    return {b.Left, b.Top};
}

TRect TAnnotationTool::GetBounds() {
    int lines = 0;
    return CalcShapeBounds(lines);
}

bool TAnnotationTool::ContainsPoint(int x, int y) {
    const TRect r = GetBounds();
    return r.Left <= x && x <= r.Right && r.Top <= y && y <= r.Bottom;
}

// ---- drawing and mouse --------------------------------------------------------------------------

void TAnnotationTool::ChartToolEvent(TChartToolEventKind kind) {
    TPlotCustomTool::ChartToolEvent(kind);
    if (kind != ctkAfterDraw || Chart() == nullptr || Chart()->DrawCanvas() == nullptr)
        return;
    if (OnBeforeDraw)
        OnBeforeDraw(this);
    DrawAnnotation();
    if (OnAfterDraw)
        OnAfterDraw(this);
}

void TAnnotationTool::DrawAnnotation() {
    TCustomAxisPanel* chart = Chart();
    shape_->SetText(GetText());
    int lines = 0;
    const TRect r = CalcShapeBounds(lines);
    shape_->PaintText(*chart, r, lines, GetTextOffset());
    const TRect& bounds = chart->PanelBounds();
    callout_->DrawFrom(r, {bounds.Left, bounds.Top}, ChartBackgroundRGB(*chart));
}

void TAnnotationTool::ChartMouseEvent(int kind, TMouseButton button, TShiftState shift, int x,
                                      int y) {
    TCustomAxisPanel* chart = Chart();
    if (chart == nullptr)
        return;
    if (kind == kMouseDown) {
        if (OnClick && ContainsPoint(x, y))
            OnClick(this, button, shift, x, y);
        if (shift.Contains(ssDouble) && OnDblClick && ContainsPoint(x, y))
            OnDblClick(this, button, shift, x, y);
    } else if (kind == kMouseMove) {
        if (shape_->Cursor() != crDefault && ContainsPoint(x, y)) {
            chart->SetChartCursor(shape_->Cursor());
            chart->MouseCancelled = true;
        }
    }
}
