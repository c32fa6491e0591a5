#pragma once
// Panels, bevels and shapes: controls that draw themselves.

#include "platform/forms/Controls.h"
#include "platform/stdctrls/ControlTypes.h"

#include <memory>

Q4_ENUM(TPanelBevel, bvNone, bvLowered, bvRaised, bvSpace);
Q4_ENUM(TBevelStyle, bsLowered, bsRaised);
Q4_ENUM(TBevelShape, bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer);
Q4_ENUM(TShapeType, stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle);

// Draws a raised or sunken frame of the given width inside r and shrinks r by it.
void Frame3D(TCanvas* canvas, TRect& r, TColor topLeft, TColor bottomRight, int width);

// A container with an outer and an inner bevel and a caption. Aligned children are placed inside
// the bevels and the border.
class TCustomPanel : public TCustomControl {
    Q4_CLASS(TCustomPanel, TCustomControl)
public:
    explicit TCustomPanel(TComponent* owner);
    static void DeclareProperties(TPropertyList& p);

    TPanelBevel BevelInner() const { return bevelInner_; }
    void SetBevelInner(TPanelBevel v);
    TPanelBevel BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TPanelBevel v);
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int v);
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int v);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment v);
    void AlignControls(TControl* changed, TRect& rect) override;
    void WndProc(TMessage& message) override;

protected:
    void Paint() override;
    // How far the bevels and the border reach in from each edge.
    int Inset() const;

private:
    void Changed();
    TPanelBevel bevelInner_ = bvNone;
    TPanelBevel bevelOuter_ = bvRaised;
    int bevelWidth_ = 1;
    int borderWidth_ = 0;
    TAlignment alignment_ = taCenter;
};

class TPanel : public TCustomPanel {
    Q4_CLASS(TPanel, TCustomPanel)
public:
    explicit TPanel(TComponent* owner) : TCustomPanel(owner) {}
};

class TBevel : public TGraphicControl {
    Q4_CLASS(TBevel, TGraphicControl)
public:
    explicit TBevel(TComponent* owner);
    static void DeclareProperties(TPropertyList& p);
    TBevelShape Shape() const { return shape_; }
    void SetShape(TBevelShape v);
    TBevelStyle Style() const { return style_; }
    void SetStyle(TBevelStyle v);

protected:
    void Paint() override;

private:
    TBevelShape shape_ = bsBox;
    TBevelStyle style_ = bsLowered;
};

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

void RegisterExtControls();
