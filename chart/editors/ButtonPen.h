#pragma once
// A button showing a sample of a linked pen beside its caption; a click opens the pen editor and
// runs the button's own click event after OK.

#include "chart/draw/PlotButton.h"

class TChartPen;
class TPenDialog;

class TButtonPen : public TPlotButton {
    Q4_CLASS(TButtonPen, TPlotButton)
public:
    explicit TButtonPen(TComponent* owner);

    void LinkPen(TChartPen* pen);
    TChartPen* LinkedPen() const;
    // The dialog while it is open, else null.
    TPenDialog* Dialog() const { return dialog_; }

    void Click() override;
    void DrawSymbol(TPlotCanvas3D& canvas) override;

private:
    TPenDialog* dialog_ = nullptr;
    TNotifyEvent savedOnDestroy_;
};
