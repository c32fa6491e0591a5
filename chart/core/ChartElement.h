#pragma once
// The components that live inside a chart and are stored with it. TCustomChartElement (series
// and tools) carries the active flag, a brush, a pen and the chart it belongs to, and gives its
// descendants setters that repaint the chart only when a value changes. TCustomChartSeries adds
// what every series has regardless of its data: a title, legend visibility, a free identifier
// and six stored style flags, the margins it needs and hooks around the chart's drawing.

#include "chart/core/ChartHost.h"
#include "chart/draw/ChartBrush.h"
#include "chart/draw/ChartPen.h"
#include "platform/classes/Component.h"

#include <memory>
#include <string>

class TCustomChartElement : public TComponent {
    Q4_CLASS(TCustomChartElement, TComponent)

    explicit TCustomChartElement(TComponent* owner);
    ~TCustomChartElement() override;
    static void DeclareProperties(TPropertyList& p);

    // From another element: Active (without notification), the brush, the pen and the tag.
    void Assign(TPersistent* source) override;

    bool Active() const { return active_; }
    virtual void SetActive(bool value);
    TChartBrush* Brush() const { return brush_.get(); }
    void SetBrush(TChartBrush* value) { brush_->Assign(value); }
    TChartPen* Pen() const { return pen_.get(); }
    virtual void SetPen(TChartPen* value) { pen_->Assign(value); }
    bool ShowInEditor() const { return showInEditor_; }
    void SetShowInEditor(bool value) { showInEditor_ = value; }

    TChartHost* ParentChart() const { return parentChart_; }
    virtual void SetParentChart(TChartHost* chart) { parentChart_ = chart; }

    // The brush or pen changed: repaint.
    virtual void ChildChanged(TObject* sender);
    // The editor dialog's class name; none here.
    virtual std::string EditorClassName() const { return {}; }
    // Asks the chart, when there is one, to repaint.
    void Repaint();

    // Stored as a child of its chart.
    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* parent) override;

protected:
    // Stores value and repaints, only when it differs from the field (doubles compare exactly,
    // strings by content). Returns whether it changed.
    template <class T> bool SetField(T& field, const T& value) {
        const bool changed = StoreChanged(field, value);
        if (changed)
            Repaint();
        return changed;
    }
    void SetActiveField(bool value) { active_ = value; }

private:
    bool active_ = true;
    std::unique_ptr<TChartBrush> brush_;
    TChartHost* parentChart_ = nullptr;
    std::unique_ptr<TChartPen> pen_;
    bool showInEditor_ = true;
};

class TCustomChartSeries : public TCustomChartElement {
    Q4_CLASS(TCustomChartSeries, TCustomChartElement)

    static constexpr int StyleFlagsMask = 63;

    explicit TCustomChartSeries(TComponent* owner);
    static void DeclareProperties(TPropertyList& p);
    // "Identifier" (when not empty) and "Style" (the six flags, when any is set).
    void DefineProperties(TFiler* filer) override;
    // From another series: the legend flag, title, style flags and identifier, then the element.
    void Assign(TPersistent* source) override;

    // Changing it repaints and tells the chart's listeners.
    void SetActive(bool value) override;
    bool ShowInLegend() const { return showInLegend_; }
    void SetShowInLegend(bool value) { SetField(showInLegend_, value); }
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& value);
    const std::string& Identifier() const { return identifier_; }
    void SetIdentifier(const std::string& value) { identifier_ = value; }
    int StyleFlags() const { return styleFlags_; }
    void SetStyleFlags(int value) { styleFlags_ = value & StyleFlagsMask; }

    // Pixels the series needs beside the chart rectangle; none here.
    virtual void GetHorizMargins(int& left, int& right);
    virtual void GetVertMargins(int& top, int& bottom);
    // Called before the chart draws; nothing here.
    virtual void PrepareForChartDraw() {}
    // Called by the chart once it has added or removed the series.
    virtual void AddedToChart() {}
    virtual void RemovedFromChart();
    // Switches the chart's 3D view for the series' gallery picture.
    virtual void ApplyGallery3D(bool is3D);
    // Either series' class derives from the other's.
    bool IsSameKindAs(const TCustomChartSeries* other) const;

private:
    bool showInLegend_ = true;
    std::string title_;
    std::string identifier_;
    int styleFlags_ = 0;
};
