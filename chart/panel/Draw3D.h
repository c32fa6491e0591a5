#pragma once
// A plain drawing panel: it draws its background, sets up the 3D view for a depth of 100 pixels
// and leaves the content to its OnPaint event (the filter editor's preview, pictures drawn by
// hand).

#include "chart/panel/PlotPanelExtended.h"

#include <functional>

using TDraw3DPaintEvent = std::function<void(TObject* Sender, const TRect& ARect)>;

class TDraw3D : public TCustomPlotPanelExtended {
    Q4_CLASS(TDraw3D, TCustomPlotPanelExtended)
public:
    explicit TDraw3D(TComponent* owner) : TCustomPlotPanelExtended(owner) {}
    static void DeclareProperties(TPropertyList& p);

    TDraw3DPaintEvent OnPaint;

protected:
    void DrawToRect(const TRect& r) override;
};
