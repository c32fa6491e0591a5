#pragma once
// Chart brushes: the platform brush plus the colour shown between hatch lines and a picture fill.
// A new chart brush has the colour clDefault: the element's own colour.

#include "chart/draw/ChartTypes.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/Picture.h"

#include <memory>

class TChartBrush : public TBrush {
    Q4_CLASS(TChartBrush, TBrush)
public:
    explicit TChartBrush(TNotifyEvent onChange = {});
    ~TChartBrush() override;
    static void DeclareProperties(TPropertyList& p);

    using TBrush::Assign;
    void Assign(TPersistent* source) override;

    // Between hatch lines; clNone leaves them transparent.
    TColor BackColor() const { return backColor_; }
    void SetBackColor(TColor color);
    // Created on first read; setting null frees it.
    TPicture* Image();
    void SetImage(TPicture* picture);
    // Whether a picture with a graphic is set (without creating one).
    bool HasImage() const { return image_ && image_->Graphic() != nullptr; }

private:
    bool ImageStored() const { return HasImage(); }

    TColor backColor_ = clNone;
    std::unique_ptr<TPicture> image_;
};
