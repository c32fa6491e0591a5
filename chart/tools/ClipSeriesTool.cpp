#include "chart/tools/ClipSeriesTool.h"

#include "chart/axispanel/AxisPanel.h"
#include "chart/core/ChartAxis.h"
#include "chart/draw/PlotCanvas.h"
#include "chart/tools/ToolTexts.h"

void TClipSeriesTool::DeclareProperties(TPropertyList& p) {
    using T = TClipSeriesTool;
    p.Add("Active", &T::Active, &T::SetActive).Default(true);
}

std::string TClipSeriesTool::ToolTitleText() const {
    return ToolText(ttClipSeriesTitle);
}

std::string TClipSeriesTool::ToolSummaryText() const {
    return ToolText(ttClipSeriesSummary);
}

TRect TClipSeriesTool::AxesRect() const {
    TChartAxis* horiz = HorizAxisOf();
    TChartAxis* vert = VertAxisOf();
    return {horiz->StartPixel(), vert->StartPixel(), horiz->EndPixel(), vert->EndPixel()};
}

void TClipSeriesTool::SeriesToolEvent(TChartToolEventKind kind) {
    TCustomAxisPanel* panel = Panel();
    if (panel == nullptr || panel->DrawCanvas() == nullptr)
        return;
    TCanvas3D& canvas = *panel->DrawCanvas();
    if (kind == ctkBeforeDrawSeries && panel->ClippingAllowed()) {
        canvas.ClipToRect(AxesRect());
        clipped_ = true;
    } else if (kind == ctkAfterDrawSeries && clipped_) {
        // Only a clip this tool made is taken away (clipping may be refused before the series).
        canvas.RemoveClip();
        clipped_ = false;
    }
}
