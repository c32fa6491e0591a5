#pragma once
// TAnnotationTool: a block of text in a framed box at a corner of the chart, at its centre or at a
// place of its own (in pixels or in percent of the chart), drawn after every drawing of the chart,
// optionally with a callout arrow from the box to a pixel. A press inside the box fires OnClick
// (and OnDblClick for a double click). The rectangle and the page-number tools build on it.

#include "chart/axispanel/ChartTool.h"
#include "chart/core/MarksCallout.h"
#include "chart/tools/TextShape.h"

#include <functional>
#include <memory>
#include <string>

class TAnnotationTool;
class TCustomAxisPanel;

Q4_ENUM(TAnnotationPosition, ppLeftTop, ppLeftBottom, ppRightTop, ppRightBottom, ppCenter);

using TAnnotationClick = std::function<void(TAnnotationTool* sender, TMouseButton button,
                                            TShiftState shift, int x, int y)>;

// The arrow from an annotation's box to a pixel of the chart, at a depth.
class TAnnotationCallout : public TCallout {
    Q4_CLASS(TAnnotationCallout, TCallout)
public:
    TAnnotationCallout();
    static void DeclareProperties(TPropertyList& p);
    // The three positions, then the callout's part.
    void Assign(TPersistent* source) override;

    int XPosition() const { return x_; }
    void SetXPosition(int value) { SetPosition(x_, value); }
    int YPosition() const { return y_; }
    void SetYPosition(int value) { SetPosition(y_, value); }
    int ZPosition() const { return z_; }
    void SetZPosition(int value) { SetPosition(z_, value); }

    // Where the arrow leaves the box r (inclusive) for the target: the nearest edge's middle, or
    // the box's middle along an axis on which the target lies within the box.
    TPoint StartOn(const TRect& r) const;
    // The target moved Distance pixels towards start along the line between them; a target on
    // the start stays where it is.
    TPoint PulledTarget(TPoint start) const;
    // The arrow from the box r to the target, when the callout or its arrow is visible. The
    // pointer and the arrow's head both sit at the target.
    void DrawFrom(const TRect& r, TPoint origin, TColor chartColor);

private:
    void SetPosition(int& field, int value);

    int x_ = 0;
    int y_ = 0;
    int z_ = 0;
};

class TAnnotationTool : public TPlotCustomTool {
    Q4_CLASS(TAnnotationTool, TPlotCustomTool)
public:
    explicit TAnnotationTool(TComponent* owner);
    ~TAnnotationTool() override;
    static void DeclareProperties(TPropertyList& p);
    // Callout, Position, PositionUnits and Shape, then the element's part.
    void Assign(TPersistent* source) override;
    std::string EditorClassName() const override { return "TAnnotationToolEdit"; }
    // The box and the callout draw on the new chart, which repaints.
    void SetParentChart(TChartHost* chart) override;
    // Draws the annotation after each drawing, between OnBeforeDraw and OnAfterDraw.
    void ChartToolEvent(TChartToolEventKind kind) override;
    void ChartMouseEvent(int kind, TMouseButton button, TShiftState shift, int x, int y) override;
    std::string ToolTitleText() const override;
    std::string ToolSummaryText() const override;

    // ---- settings ------------------------------------------------------------------------------
    TAnnotationCallout* Callout() const { return callout_.get(); }
    void SetCallout(TAnnotationCallout* callout) { callout_->Assign(callout); }
    TTextShape* Shape() const { return shape_.get(); }
    void SetShape(TTextShape* shape) { shape_->Assign(shape); }
    TAnnotationPosition Position() const { return position_; }
    // Leaves a custom place: the box goes to the position given.
    void SetPosition(TAnnotationPosition value);
    TPlotUnits PositionUnits() const { return positionUnits_; }
    void SetPositionUnits(TPlotUnits value) { SetField(positionUnits_, value); }
    std::string Text() const { return GetText(); }
    void SetText(const std::string& text) { shape_->SetText(text); }
    bool AutoSize() const { return shape_->AutoSize(); }
    void SetAutoSize(bool on) { shape_->SetAutoSize(on); }
    bool ClipText() const { return shape_->ClipText(); }
    void SetClipText(bool on) { shape_->SetClipText(on); }
    TCursor Cursor() const { return shape_->Cursor(); }
    void SetCursor(TCursor cursor) { shape_->SetCursor(cursor); }
    TAlignment TextAlignment() const { return shape_->TextAlignment(); }
    void SetTextAlignment(TAlignment alignment) { shape_->SetTextAlignment(alignment); }

    // The box's place and size. Setting the width or height turns AutoSize off; setting the left
    // or top makes the place custom and keeps the size.
    int Left() const { return shape_->Left(); }
    void SetLeft(int value);
    int Top() const { return shape_->Top(); }
    void SetTop(int value);
    int Width() const { return shape_->ShapeWidth(); }
    void SetWidth(int value);
    int Height() const { return shape_->ShapeHeight(); }
    void SetHeight(int value);

    // ---- geometry ------------------------------------------------------------------------------
    // Whether (x, y) lies in the box (edges included).
    bool ContainsPoint(int x, int y);
    // The box as it would be drawn now, in the chart's own coordinates.
    TRect GetBounds();

    TNotifyEvent OnBeforeDraw;
    TNotifyEvent OnAfterDraw;
    TAnnotationClick OnClick;
    TAnnotationClick OnDblClick;

protected:
    // Moves the text's lines sideways; none here.
    virtual int GetTextOffset() { return 0; }
    // The box, its text and the callout.
    virtual void DrawAnnotation();
    // The text shown: the shape's text here.
    virtual std::string GetText() const { return shape_->Text(); }
    // The box in the chart's own coordinates (empty without a chart) and how many lines the text
    // has. With AutoSize the shape takes the box's size.
    virtual TRect CalcShapeBounds(int& lines);

    TCustomAxisPanel* Chart() const { return Panel(); }
    bool WidthHeightStored() const { return !shape_->AutoSize(); }

private:
    // The text's extent in the shape's font: the widest line and the lines' total height.
    TSize MeasureText(TCustomAxisPanel& chart, const std::string& text, int& lines);
    TPoint BoxOrigin(TCustomAxisPanel& chart, int w, int h, const std::string& text);

    std::unique_ptr<TTextShape> shape_;
    std::unique_ptr<TAnnotationCallout> callout_;
    TAnnotationPosition position_ = ppLeftTop;
    TPlotUnits positionUnits_ = muPixels;
};
