#pragma once
// The range and position of a progress, track or scroll bar: Min never above Max, and the
// position kept between Min and the top of the range.

#include <algorithm>
#include <functional>

class TBarRange {
public:
    // moved is told after the position moved (by SetPosition or by a bound that passed it).
    TBarRange(int min, int max, std::function<void()> moved = nullptr)
        : min_(min), max_(max), moved_(std::move(moved)) {}

    int Min() const { return min_; }
    int Max() const { return max_; }
    int Position() const { return position_; }
    // The highest position: Max, less all but one of the page a scroll bar's thumb shows.
    int Top() const { return std::max(min_, max_ - std::max(page_ - 1, 0)); }

    // A bound that passes the other takes it along; the position is kept within.
    void SetMin(int v) {
        min_ = v;
        if (max_ < min_)
            max_ = min_;
        SetPosition(position_);
    }
    void SetMax(int v) {
        max_ = v;
        if (min_ > max_)
            min_ = max_;
        SetPosition(position_);
    }
    void SetPosition(int v) {
        v = std::clamp(v, min_, Top());
        if (v == position_)
            return;
        position_ = v;
        if (moved_)
            moved_();
    }
    // The page below the top (a scroll bar's); the position is held to it from the next setting.
    int Page() const { return page_; }
    void SetPage(int page) { page_ = page; }

private:
    int min_;
    int max_;
    int position_ = 0;
    int page_ = 0;
    std::function<void()> moved_;
};
