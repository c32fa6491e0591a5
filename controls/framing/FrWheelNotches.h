#pragma once
// Mouse-wheel deltas come in notches of WHEEL_DELTA (120), but touchpads and fine-grained wheels
// send parts of a notch (15 or 30 at a time). TFrWheelNotches adds the parts up and gives each
// notch once it is complete, so that such a wheel scrolls as far as a notched one.

class TFrWheelNotches {
public:
    // Adds a delta (positive: away from the user); returns the notches it completes, signed.
    // Turning the other way drops what was left of the last direction.
    int Add(int delta);

private:
    int rest_ = 0;
};
