#pragma once
// Shapes drawn with their own pen and brush.

#include "platform/forms/Controls.h"

#include <memory>

Q4_ENUM(TShapeType, stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle);

// A rectangle, rounded rectangle or ellipse (square and circle variants keep the sides equal)
// drawn with its own pen and brush.
class TShape : public TGraphicControl {
    Q4_CLASS(TShape, TGraphicControl)
public:
    explicit TShape(TComponent* owner);
    ~TShape() override;
    static void DeclareProperties(TPropertyList& p);
    TShapeType Shape() const { return shape_; }
    void SetShape(TShapeType v);
    TBrush* Brush() const { return brush_.get(); }
    void SetBrush(TBrush* v) { brush_->Assign(v); }
    TPen* Pen() const { return pen_.get(); }
    void SetPen(TPen* v) { pen_->Assign(v); }

protected:
    void Paint() override;

private:
    TShapeType shape_ = stRectangle;
    std::unique_ptr<TBrush> brush_;
    std::unique_ptr<TPen> pen_;
};
