#include "controls/framing/FrWheelNotches.h"

#include "platform/forms/SystemMetrics.h"

int TFrWheelNotches::Add(int delta) {
    if ((delta > 0 && rest_ < 0) || (delta < 0 && rest_ > 0))
        rest_ = 0;
    rest_ += delta;
    const int notches = rest_ / WHEEL_DELTA;
    rest_ -= notches * WHEEL_DELTA;
    return notches;
}
