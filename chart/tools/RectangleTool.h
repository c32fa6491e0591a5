#pragma once
// TRectangleTool: an annotation whose box the user drags about and resizes by its edges and
// corners. It starts as a half see-through 50 x 50 box at (10, 10) that does not size itself from
// its text.

#include "chart/tools/AnnotationTool.h"

// The edge or corner of the box under a point.
enum TRectangleEdge : int {
    reNone = -1,
    reLeft = 0,
    reTop = 1,
    reRight = 2,
    reBottom = 3,
    reTopLeft = 4,
    reBottomLeft = 5,
    reTopRight = 6,
    reBottomRight = 7,
};

class TRectangleTool : public TAnnotationTool {
    Q4_CLASS(TRectangleTool, TAnnotationTool)
public:
    explicit TRectangleTool(TComponent* owner);
    static void DeclareProperties(TPropertyList& p);
    // AllowDrag and AllowResize, then the annotation's part.
    void Assign(TPersistent* source) override;
    // The annotation's clicks and shape first; then, while active, drags and resizes with the
    // left button and the edge's mouse shape.
    void ChartMouseEvent(int kind, TMouseButton button, TShiftState shift, int x, int y) override;
    std::string ToolTitleText() const override;
    std::string ToolSummaryText() const override;

    bool AllowDrag() const { return allowDrag_; }
    void SetAllowDrag(bool on) { allowDrag_ = on; }
    bool AllowResize() const { return allowResize_; }
    void SetAllowResize(bool on) { allowResize_ = on; }

    // The edge or corner within reach of (x, y) inside the box; reNone elsewhere.
    TRectangleEdge HitEdge(int x, int y);
    bool Dragging() const { return dragging_; }
    TRectangleEdge ResizeEdge() const { return resizeEdge_; }

    TNotifyEvent OnDragging;
    TNotifyEvent OnDragged;
    TNotifyEvent OnResizing;
    TNotifyEvent OnResized;

private:
    void Press(TMouseButton button, int x, int y);
    void Move(int x, int y);
    void Release();
    // The box to the new top-left corner, keeping its size.
    void MoveBoxTo(int x, int y);
    void ResizeTo(int x, int y);
    // The mouse shape for the point when the mouse is not held.
    void ShowShapeAt(int x, int y);

    bool allowDrag_ = true;
    bool allowResize_ = true;
    bool dragging_ = false;
    TRectangleEdge resizeEdge_ = reNone;
    int grabX_ = 0;
    int grabY_ = 0;
};
