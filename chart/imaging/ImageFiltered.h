#pragma once
// An image control that draws its picture through a list of image filters: the picture is
// resampled to the place the control gives it (stretched, proportional or centred), filtered and
// drawn there. The filters are stored with the control as "FilterItems", when there are any.

#include "chart/imaging/PlotFilter.h"
#include "platform/stdctrls/Image.h"

#include <memory>

class TImageFiltered : public TImage {
    Q4_CLASS(TImageFiltered, TImage)
public:
    explicit TImageFiltered(TComponent* owner);
    ~TImageFiltered() override;
    // Owned by the control; a change of the list is seen at the next repaint.
    TFilterItems* Filters() const { return filters_.get(); }
    void SetFilters(TFilterItems* filters);
    void DefineProperties(TFiler* filer) override;
    // The picture as the control draws it: resampled to its place and filtered; null without a
    // picture or a place.
    std::unique_ptr<TBitmap> FilteredPicture();

protected:
    void Paint() override;

private:
    std::unique_ptr<TFilterItems> filters_;
};
