#pragma once
// Bevels: raised or sunken boxes, frames and lines.

#include "platform/forms/Controls.h"

Q4_ENUM(TBevelStyle, bsLowered, bsRaised);

Q4_ENUM(TBevelShape, bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer);

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
