#pragma once
// What a chart panel tells the objects that listen to it (tools, editors): mouse presses, moves
// and releases, changes of the 3D view, and the series events of the axis panel. A listener
// implements IChartEventListener and is added to the panel's listener list; it must leave the
// list (TCustomPlotPanel::RemoveListener) before it is freed.

#include "platform/forms/Controls.h"

#include <cstdint>
#include <vector>

class TCustomPlotPanel;

enum TPanelMouseEventKind : std::uint8_t { pmkDown, pmkUp, pmkMove };

class TPlotEvent {
public:
    virtual ~TPlotEvent() = default;
    // The panel that sends the event (set by the panel when it sends it).
    TCustomPlotPanel* Sender = nullptr;
};

class TPlotMouseEvent : public TPlotEvent {
public:
    TPlotMouseEvent(TPanelMouseEventKind kind, TMouseButton button, TShiftState shift, int x, int y)
        : Kind(kind), Button(button), Shift(shift), X(x), Y(y) {}
    TPanelMouseEventKind Kind;
    TMouseButton Button;
    TShiftState Shift;
    // Client pixels.
    int X;
    int Y;
};

// The 3D view was switched on or off.
class TPlotView3DEvent : public TPlotEvent {};

class IChartEventListener {
public:
    virtual ~IChartEventListener() = default;
    virtual void ChartEvent(TPlotEvent& event) = 0;
};

// The listeners of a panel in the order they joined. Sending goes over a copy of the list and
// passes over a listener that left meanwhile, so a listener may remove itself or another one
// while it is being told.
class TPlotEventListeners {
public:
    // The listener's index; one already present keeps its place.
    int Add(IChartEventListener* listener);
    // The former index, or -1 when it was not in the list.
    int Remove(IChartEventListener* listener);
    void Clear() { items_.clear(); }
    int Count() const { return static_cast<int>(items_.size()); }
    IChartEventListener* Items(int index) const {
        return items_.at(static_cast<std::size_t>(index));
    }
    bool Contains(const IChartEventListener* listener) const;
    // Tells each listener in order until stop answers true after one of them.
    template <class Stop> void Send(TPlotEvent& event, Stop stop) const {
        const std::vector<IChartEventListener*> snapshot = items_;
        for (IChartEventListener* listener : snapshot) {
            if (!Contains(listener))
                continue;
            listener->ChartEvent(event);
            if (stop())
                return;
        }
    }

private:
    std::vector<IChartEventListener*> items_;
};
