#pragma once
// Splitters: a bar beside a control aligned to the same side of their parent; dragging the bar
// makes that control wider or narrower (higher or lower for a bar aligned to the top or bottom),
// never below MinSize, and the controls aligned after it follow.

#include "platform/forms/Controls.h"

class TSplitter : public TGraphicControl {
    Q4_CLASS(TSplitter, TGraphicControl)
public:
    explicit TSplitter(TComponent* owner);
    static void DeclareProperties(TPropertyList& p);

    int MinSize() const { return minSize_; }
    void SetMinSize(int v) { minSize_ = v < 1 ? 1 : v; }
    // The control the bar resizes: the visible sibling of the same alignment that ends where the
    // bar begins (none when there is none).
    TControl* ResizedControl() const;
    void SetAlign(TAlign align);

    TNotifyEvent OnMoved;

protected:
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void Paint() override;

private:
    bool Horizontal() const { return Align() == alLeft || Align() == alRight; }
    // The mouse position along the bar's direction, in the parent's client pixels.
    int ParentPos(int x, int y) const { return Horizontal() ? Left() + x : Top() + y; }

    int minSize_ = 30;
    TControl* resized_ = nullptr;
    int downAt_ = 0;
    int startSize_ = 0;
};
