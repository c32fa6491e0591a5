#pragma once
// TAntiAliasTool: makes its chart draw through a TAntiAliasCanvas, which smooths diagonal and
// curved lines, and runs its list of image filters over the finished chart picture.
//
// The tool makes its canvas at once. While no chart draws with it, the tool owns it; once the
// tool installs it, the chart owns it like any drawing canvas. A tool freed while its chart
// draws with the canvas leaves the chart drawing with it; a canvas the chart frees (for
// another) tells its tool, which then has none.

#include "chart/axispanel/ChartTool.h"
#include "chart/draw/AntiAliasCanvas.h"

#include <memory>

class TFilterItems;

class TAntiAliasTool : public TPlotCustomTool, private IAntiAliasCanvasOwner {
    Q4_CLASS(TAntiAliasTool, TPlotCustomTool)
public:
    explicit TAntiAliasTool(TComponent* owner);
    ~TAntiAliasTool() override;
    static void DeclareProperties(TPropertyList& p);
    // "FilterItems": the filter list in the picture filters' stored form, when it is not empty.
    void DefineProperties(TFiler* filer) override;
    void Assign(TPersistent* source) override;
    std::string EditorClassName() const override { return "TAntiAliasEditor"; }
    std::string ToolTitleText() const override;
    std::string ToolSummaryText() const override;
    // After the drawing: the filters, in order, over the chart canvas' buffer.
    void ChartToolEvent(TChartToolEventKind kind) override;

    // Activating the tool switches smoothing on, deactivating it off.
    void SetActive(bool value) override;
    void SetParentChart(TChartHost* chart) override;

    // Smoothing: the tool has a canvas and that canvas is not disabled.
    bool AntiAlias() const;
    // Makes the canvas when there is none, switches it, and installs it.
    void SetAntiAlias(bool value);
    TFilterItems* Filters() const { return filters_.get(); }
    void SetFilters(TFilterItems* value);
    // The tool's canvas (null once the chart that drew with it freed it).
    TAntiAliasCanvas* Canvas() const { return canvas_; }
    // Makes the chart draw with the tool's canvas, when the tool is active, smoothing and on a
    // chart that draws with another canvas.
    void Install();

private:
    void AntiAliasCanvasDestroyed(TAntiAliasCanvas* canvas) override;
    // A new canvas, owned by the tool until it is installed.
    void MakeCanvas(bool disabled);

    TAntiAliasCanvas* canvas_ = nullptr;
    // The canvas while no chart owns it.
    std::unique_ptr<TAntiAliasCanvas> held_;
    std::unique_ptr<TFilterItems> filters_;
};
