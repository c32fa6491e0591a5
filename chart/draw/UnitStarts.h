#pragma once
// How often a unit of the chart library has been started: only the first start and the stop that
// undoes the last one do the unit's work, so a second start changes nothing.

class TUnitStarts {
public:
    // True for the first start.
    bool Start() { return count_++ == 0; }
    // True for the stop that undoes the last start; a stop with none running does nothing.
    bool Stop() { return count_ > 0 && --count_ == 0; }

private:
    int count_ = 0;
};
