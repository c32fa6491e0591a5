#pragma once
// Classes the registry tests register, make and replace: small series types and tools.

#include "chart/axispanel/ChartTool.h"
#include "chart/core/PlotFunction.h"
#include "chart/series/LineSeries.h"

#include <memory>

// Test objects without an owner, freed the way owners do (Free).
template <class T> using TOwned = TFreeingPtr<T>;

// A line series type of its own (it has no class bitmap and shows its parent's).
class TRegistryProbeSeries : public TLineSeries {
    Q4_CLASS(TRegistryProbeSeries, TLineSeries)
public:
    explicit TRegistryProbeSeries(TComponent* owner) : TLineSeries(owner) {}
};

// A function whose value is the sum of the source points' mandatory values.
class TRegistrySumFunction : public TPlotFunction {
    Q4_CLASS(TRegistrySumFunction, TPlotFunction)
public:
    explicit TRegistrySumFunction(TComponent* owner) : TPlotFunction(owner) {}
    double ComputeValue(TChartSeries* source, int first, int last) override {
        if (first < 0) {
            first = 0;
            last = source->Count() - 1;
        }
        double sum = 0;
        for (int i = first; i <= last; ++i)
            sum += source->MandatoryValueAt(i);
        return sum;
    }
};

// A tool bound to one series.
class TRegistryProbeSeriesTool : public TPlotCustomToolSeries {
    Q4_CLASS(TRegistryProbeSeriesTool, TPlotCustomToolSeries)
public:
    explicit TRegistryProbeSeriesTool(TComponent* owner) : TPlotCustomToolSeries(owner) {}
};

// Two tool classes for the tool-type list.
class TRegistryProbeToolA : public TPlotCustomTool {
    Q4_CLASS(TRegistryProbeToolA, TPlotCustomTool)
public:
    explicit TRegistryProbeToolA(TComponent* owner) : TPlotCustomTool(owner) {}
};

class TRegistryProbeToolB : public TPlotCustomTool {
    Q4_CLASS(TRegistryProbeToolB, TPlotCustomTool)
public:
    explicit TRegistryProbeToolB(TComponent* owner) : TPlotCustomTool(owner) {}
};

// Notes when a watched component is freed.
class TFreeWatch : public TComponent {
    Q4_CLASS(TFreeWatch, TComponent)
public:
    explicit TFreeWatch(TComponent* owner) : TComponent(owner) {}
    void Watch(TComponent* component) {
        watched_ = component;
        component->FreeNotification(this);
    }
    bool Freed() const { return freed_; }
    void Notification(TComponent* component, TOperation operation) override {
        TComponent::Notification(component, operation);
        if (component == watched_ && operation == opRemove)
            freed_ = true;
    }

private:
    TComponent* watched_ = nullptr;
    bool freed_ = false;
};
