#pragma once
// TGridBandTool: fills the spaces between the grid lines of its axis with two brushes in turn.
// The axis calls the tool while it draws its grid (the axis' grid hook), with its tick pixels.
// One tool holds an axis' hook at a time: a tool takes its hook away only while the hook is
// still its own, so another tool that took the axis since keeps it.

#include "chart/axispanel/ChartTool.h"
#include "chart/draw/ChartBrush.h"

#include <memory>

class TCanvas3D;
class TGridBandTool;
class TPlotBlend;
class TPlotGradient;

// A band's brush: a chart brush with a gradient and a transparency. A back colour of clNone
// stands for the colour of the chart's back wall.
class TGridBandBrush : public TChartBrush {
    Q4_CLASS(TGridBandBrush, TChartBrush)
public:
    TGridBandBrush(TNotifyEvent onChange, TGridBandTool* tool);
    ~TGridBandBrush() override;
    static void DeclareProperties(TPropertyList& p);
    // The gradient and transparency, then the brush part.
    void Assign(TPersistent* source) override;

    TPlotGradient* Gradient() const { return gradient_.get(); }
    void SetGradient(TPlotGradient* value);
    TPlotTransparency Transparency() const { return transparency_; }
    void SetTransparency(TPlotTransparency value);
    TGridBandTool* Tool() const { return tool_; }

private:
    TNotifyEvent onChange_;
    TGridBandTool* tool_;
    std::unique_ptr<TPlotGradient> gradient_;
    TPlotTransparency transparency_ = 0;
};

class TGridBandTool : public TPlotCustomToolAxis {
    Q4_CLASS(TGridBandTool, TPlotCustomToolAxis)
public:
    explicit TGridBandTool(TComponent* owner);
    // Takes its hook off the axis (when the hook is still its own).
    ~TGridBandTool() override;
    static void DeclareProperties(TPropertyList& p);
    void Assign(TPersistent* source) override;
    std::string EditorClassName() const override { return "TGridBandToolEdit"; }
    // Moves the grid hook from the old axis (when still its own) to the new one.
    void SetAxis(TChartAxis* value) override;
    std::string ToolTitleText() const override;
    std::string ToolSummaryText() const override;

    TGridBandBrush* Band1() const { return band1_.get(); }
    void SetBand1(TGridBandBrush* value) { band1_->Assign(value); }
    TGridBandBrush* Band2() const { return band2_.get(); }
    void SetBand2(TGridBandBrush* value) { band2_->Assign(value); }
    // The bands' extent across the axis in pixels; both 0: the plot rectangle's.
    int CrossStart() const { return crossStart_; }
    void SetCrossStart(int value) { SetField(crossStart_, value); }
    int CrossEnd() const { return crossEnd_; }
    void SetCrossEnd(int value) { SetField(crossEnd_, value); }

    // The bands between the axis' ticks (the grid hook's work).
    void DrawBands(TChartAxis* axis);
    // The axis' grid hook is this tool's.
    bool HoldsHook(const TChartAxis* axis) const;

private:
    struct TBandPass;
    void Hook(TChartAxis* axis);
    void Unhook(TChartAxis* axis);
    void DrawBand(TBandPass& pass, int p0, int p1);

    std::unique_ptr<TGridBandBrush> band1_;
    std::unique_ptr<TGridBandBrush> band2_;
    int crossStart_ = 0;
    int crossEnd_ = 0;
};
