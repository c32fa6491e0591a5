#pragma once
// Semi-transparent drawing: a blend object saves the pixels under a rectangle before the drawing
// and mixes them back over it afterwards.

#include "chart/draw/ChartTypes.h"

#include <memory>

class TBitmap;
class TPlotCanvas;

class TPlotBlend {
public:
    TPlotBlend(TPlotCanvas& canvas, const TRect& r);
    ~TPlotBlend();
    // Normalises r, clamps it to the canvas and copies what lies under it.
    void SetRectangle(const TRect& r);
    // Mixes the saved pixels over what was drawn since, transparency percent of them showing.
    void DoBlend(TPlotTransparency transparency);
    const TRect& Rectangle() const { return rect_; }
    bool ValidSize() const { return valid_; }
    // The pixels that lay under the rectangle (null when none were kept); what is done to them
    // before DoBlend shows through.
    TBitmap* Saved() const { return saved_.get(); }

private:
    TPlotCanvas& canvas_;
    TRect rect_;
    bool valid_ = false;
    std::unique_ptr<TBitmap> saved_;
};

// Mixes source into destination at (x, y): percent 0 gives the source, 100 leaves the
// destination. With the constant-alpha blend (the default) the source is blended with opacity
// 255 - round(percent * 2.55); otherwise per channel dst + (100 - round(percent)) * (src - dst) /
// 100, truncated, after pure white destination pixels get red 254.
void MixBitmaps(TBitmap& source, TBitmap& destination, int x, int y, double percent);
