// Repainting part of a window, and a window's shape.

#include "platform/forms/Controls.h"

#include "platform/graphics/Region_p.h"

#include <QWidget>

void TWinControl::InvalidateRect(const TRect& r) {
    if (widget_ == nullptr || r.IsEmpty())
        return;
    const TRect client = ClientRect();
    widget_->update(r.Left + client.Left, r.Top + client.Top, r.Width(), r.Height());
}

void TWinControl::SetWindowRegion(const TRegion* region) {
    if (region == nullptr)
        windowRegion_.reset();
    else if (region != windowRegion_.get())
        windowRegion_ = std::make_unique<TRegion>(*region);
    if (widget_ == nullptr)
        return;
    if (windowRegion_)
        widget_->setMask(TRegionQt::Of(*windowRegion_));
    else
        widget_->clearMask();
    widget_->update();
}

bool TWinControl::GetWindowRegion(TRegion& region) const {
    if (!windowRegion_)
        return false;
    region = *windowRegion_;
    return true;
}
