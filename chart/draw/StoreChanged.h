#pragma once
// Setter helpers of the chart's properties: a value is stored only when it differs from the one
// held, and whoever listens hears of it only then.

#include "platform/rtl/Events.h"

// Stores value in field when it differs from it; returns whether it did. The chart's setters
// repaint only when this says so.
template <class T> bool StoreChanged(T& field, const T& value) {
    if (field == value)
        return false;
    field = value;
    return true;
}

// Stores value in field when it differs from it and then calls onChange (when set) with sender.
// Returns whether the value changed.
template <class T>
bool StoreAndNotify(T& field, const T& value, const TNotifyEvent& onChange, TObject* sender) {
    if (!StoreChanged(field, value))
        return false;
    if (onChange)
        onChange(sender);
    return true;
}
