#pragma once
// A see-through pass over a rectangle for as long as a scope lives: what is drawn meanwhile is
// mixed with what lay under the rectangle before.

#include "chart/draw/PlotBlend.h"
#include "chart/draw/PlotCanvas.h"

#include <memory>

// A blend over r while it lives (none for a transparency of 0).
class TBlendScope {
public:
    TBlendScope(TPlotCanvas& canvas, const TRect& r, TPlotTransparency percent) : canvas_(canvas) {
        if (percent > 0)
            blend_ = canvas.BeginTransparency(r, percent);
    }
    ~TBlendScope() {
        if (blend_)
            canvas_.EndTransparency(std::move(blend_));
    }
    TBlendScope(const TBlendScope&) = delete;
    TBlendScope& operator=(const TBlendScope&) = delete;

private:
    TPlotCanvas& canvas_;
    std::unique_ptr<TPlotBlend> blend_;
};
