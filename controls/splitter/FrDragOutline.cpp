#include "controls/splitter/FrDragOutline.h"

#include "controls/paint/FrPatterns.h"

TFrDragOutline::TFrDragOutline(TComponent* owner) : TCustomControl(owner) {
    SetControlStyle(ControlStyle() + TControlStyle{csOpaque});
}

void TFrDragOutline::Paint() {
    PaintChecker(Canvas(), Rect(0, 0, Width(), Height()), clBlack, clWhite);
}
