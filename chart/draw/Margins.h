#pragma once
// Inner margins of a framed element (a mark's box, an annotation): four sides in one of three
// units, turned into pixels for a given size and font height.

#include "chart/draw/StoreChanged.h"
#include "platform/classes/Persistent.h"
#include "platform/classes/Properties.h"
#include "platform/graphics/Types.h"

#include <cstdint>

Q4_ENUM(TMarginUnits, maPercentFont, maPercentSize, maPixels);

class TMargins : public TPersistent {
    Q4_CLASS(TMargins, TPersistent)
public:
    // onChange is the owner's notification, called when a value changes; defaultHoriz is the
    // left and right margin the owner starts from (10, or 20 for marks) and stores against.
    explicit TMargins(TNotifyEvent onChange = {}, int defaultHoriz = 10);
    static void DeclareProperties(TPropertyList& p);
    // Copies the units and the four margins.
    void Assign(TPersistent* source) override;

    int Left() const { return left_; }
    void SetLeft(int v) { Set(left_, v); }
    int Top() const { return top_; }
    void SetTop(int v) { Set(top_, v); }
    int Right() const { return right_; }
    void SetRight(int v) { Set(right_, v); }
    int Bottom() const { return bottom_; }
    void SetBottom(int v) { Set(bottom_, v); }
    TMarginUnits Units() const { return units_; }
    void SetUnits(TMarginUnits v) { Set(units_, v); }

    // The margins in pixels for an element of width x height drawn with a font height:
    // percent of the font height x 2, percent of the width (left, right) or height (top,
    // bottom), or pixels; each rounded half to even. Kept until the next computation.
    void ComputePixels(int width, int height, int fontHeight);
    const TRect& Pixels() const { return pixels_; }
    int HorizTotal() const { return pixels_.Left + pixels_.Right; }
    int VertTotal() const { return pixels_.Top + pixels_.Bottom; }

    TNotifyEvent OnChange;

private:
    template <class V> void Set(V& field, V value) { StoreAndNotify(field, value, OnChange, this); }
    bool LeftStored() const { return left_ != defaultHoriz_; }
    bool RightStored() const { return right_ != defaultHoriz_; }

    int defaultHoriz_;
    int left_;
    int top_ = 5;
    int right_;
    int bottom_ = 5;
    TMarginUnits units_ = maPercentFont;
    TRect pixels_{};
};
