#pragma once
// The filters editor's preview: shows one bitmap at its top-left corner over the control's
// colour (the editor scales the bitmap to the control when asked).

#include "platform/forms/Controls.h"

class TBitmap;

class TFilterPreview : public TCustomControl {
    Q4_CLASS(TFilterPreview, TCustomControl)
public:
    explicit TFilterPreview(TComponent* owner);
    // Not owned; null shows nothing.
    void SetBitmap(const TBitmap* bitmap);
    const TBitmap* Bitmap() const { return bitmap_; }
    TNotifyEvent OnResize;

protected:
    void Paint() override;
    void BoundsChanged() override;

private:
    const TBitmap* bitmap_ = nullptr;
};
