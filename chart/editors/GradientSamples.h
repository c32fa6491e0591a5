#pragma once
// The gradient editor's pictures: the preview panel that shows one gradient over its whole
// client area, and the direction samples, ten small cells (two rows of five) each filled with
// the edited colours in one direction, one of them selected.

#include "chart/draw/Gradient.h"
#include "platform/forms/Controls.h"

#include <memory>

class TPreviewGradient : public TCustomControl {
    Q4_CLASS(TPreviewGradient, TCustomControl)
public:
    explicit TPreviewGradient(TComponent* owner);
    TPlotGradient* Gradient() { return &gradient_; }

protected:
    void Paint() override;

private:
    TPlotGradient gradient_;
};

class TGradientDirections : public TCustomControl {
    Q4_CLASS(TGradientDirections, TCustomControl)
public:
    static constexpr int Columns = 5;
    static constexpr int Rows = 2;

    explicit TGradientDirections(TComponent* owner);
    // The colours every sample shows.
    void SetColors(TColor start, TColor mid, TColor end);
    int Selected() const { return selected_; }
    // Selects a sample without telling OnChange (-1: none).
    void SelectSample(int index);
    // The cell of sample index in client coordinates.
    TRect SampleRect(int index) const;

    // The user moved the selection.
    TNotifyEvent OnChange;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    TPlotGradient sample_;
    int selected_ = -1;
};

void PaintGradientInto(TCanvas* canvas, TCustomPlotGradient& gradient, const TRect& r);
