#pragma once
// The registry of chart tool classes: the tool units add their classes at start-up (which also
// registers them for form descriptions) and take them out at shut-down; editors list them.
//
// One process-wide list, made on first use (the chart control's start makes it) and freed by the
// chart control's last stop; it belongs to the user-interface thread.

#include "platform/classes/Object.h"

#include <initializer_list>
#include <vector>

class TPlotToolTypes {
public:
    TPlotToolTypes() = default;
    TPlotToolTypes(const TPlotToolTypes&) = delete;
    TPlotToolTypes& operator=(const TPlotToolTypes&) = delete;

    int Count() const { return static_cast<int>(classes_.size()); }
    // Raises EChartIndexError outside 0 .. Count() - 1.
    TClass Items(int index) const;
    int IndexOf(TClass toolClass) const;
    void Add(TClass toolClass) { classes_.push_back(toolClass); }
    // Takes the class out of the list (nothing when it is not in it).
    void Remove(TClass toolClass);
    void Clear() { classes_.clear(); }

private:
    std::vector<TClass> classes_;
};

// The process-wide list (made here on first use).
TPlotToolTypes& PlotToolTypes();
// Frees the list (the chart control's last stop).
void FreePlotToolTypes();

// Every class not yet in the list is registered for form descriptions and appended, in order.
void AddToolTypes(std::initializer_list<TClass> toolClasses);
// Every class found in the list leaves it; form descriptions still know it.
void RemoveToolTypes(std::initializer_list<TClass> toolClasses);
