// The device state the canvas's handle stands for: text and background settings, raster
// operation, origins, the clip region and the stack of saved states.

#include "platform/graphics/Canvas_p.h"
#include "platform/graphics/Region_p.h"

#include <algorithm>

namespace {

int RegionKind(const QRegion& r) {
    if (r.isEmpty())
        return NULLREGION;
    return r.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

} // namespace

// ---- device state -------------------------------------------------------------------------------

unsigned TCanvas::SetTextAlign(unsigned align) {
    unsigned old = textAlign_;
    textAlign_ = align;
    return old;
}

int TCanvas::BkMode() const {
    return d_->bkMode;
}

int TCanvas::SetBkMode(int mode) {
    int old = d_->bkMode;
    if (mode == TRANSPARENT || mode == OPAQUE) {
        d_->bkMode = mode;
        d_->qpenValid = d_->qbrushValid = false;
    }
    return old;
}

TColor TCanvas::BkColor() const {
    return d_->bkColor;
}

TColor TCanvas::SetBkColor(TColor color) {
    TColor old = d_->bkColor;
    d_->bkColor = ColorToRGB(color);
    d_->qpenValid = d_->qbrushValid = false;
    return old;
}

TColor TCanvas::TextColor() const {
    return d_->textColor;
}

TColor TCanvas::SetTextColor(TColor color) {
    TColor old = d_->textColor;
    d_->textColor = ColorToRGB(color);
    d_->qbrushValid = false;
    return old;
}

int TCanvas::ROP2() const {
    return d_->rop2;
}

int TCanvas::SetROP2(int rop) {
    int old = d_->rop2;
    if (rop >= R2_BLACK && rop <= R2_WHITE) {
        d_->rop2 = rop;
        d_->qpenValid = false;
    }
    return old;
}

int TCanvas::SetTextCharacterExtra(int extra) {
    int old = charExtra_;
    if (extra != charExtra_) {
        charExtra_ = extra;
        d_->qfontValid = false;
    }
    return old;
}

TPolyFillMode TCanvas::SetPolyFillMode(TPolyFillMode mode) {
    TPolyFillMode old = polyFillMode_;
    polyFillMode_ = mode;
    return old;
}

int TCanvas::SetArcDirection(int direction) {
    int old = arcDirection_;
    if (direction == AD_CLOCKWISE || direction == AD_COUNTERCLOCKWISE)
        arcDirection_ = direction;
    return old;
}

TPoint TCanvas::SetViewportOrigin(TPoint origin) {
    TPoint old = viewportOrg_;
    if (!(origin == viewportOrg_)) {
        SettleTextAdvance();
        viewportOrg_ = origin;
        d_->transformValid = false;
    }
    return old;
}

TPoint TCanvas::SetBrushOrigin(TPoint origin) {
    TPoint old = brushOrg_;
    brushOrg_ = origin;
    d_->brushOriginValid = false;
    return old;
}

TRect TCanvas::ClipRect() const {
    TRect box;
    if (d_->clip) {
        QRect r = d_->clip->boundingRect();
        box = d_->clip->isEmpty() ? TRect{} : Bounds(r.left(), r.top(), r.width(), r.height());
    } else if (d_->image) {
        box = Rect(0, 0, d_->image->width(), d_->image->height());
    }
    OffsetRect(box, -viewportOrg_.X, -viewportOrg_.Y);
    return box;
}

int TCanvas::IntersectClipRect(const TRect& r) {
    QRegion add(QRect(r.Left + viewportOrg_.X, r.Top + viewportOrg_.Y, std::max(0, r.Width()),
                      std::max(0, r.Height())));
    QRegion current = d_->clip ? *d_->clip : WholeSurface(d_->image);
    d_->clip = current.intersected(add);
    d_->clipValid = false;
    return RegionKind(*d_->clip);
}

int TCanvas::ExcludeClipRect(const TRect& r) {
    QRegion cut(QRect(r.Left + viewportOrg_.X, r.Top + viewportOrg_.Y, std::max(0, r.Width()),
                      std::max(0, r.Height())));
    QRegion current = d_->clip ? *d_->clip : WholeSurface(d_->image);
    d_->clip = current.subtracted(cut);
    d_->clipValid = false;
    return RegionKind(*d_->clip);
}

int TCanvas::SelectClipRegion(const TRegion* region) {
    return ExtSelectClipRegion(region, RGN_COPY);
}

int TCanvas::ExtSelectClipRegion(const TRegion* region, TRegionCombine mode) {
    d_->clipValid = false;
    if (!region) {
        if (mode != RGN_COPY)
            return ERROR_REGION;
        d_->clip.reset();
        return SIMPLEREGION;
    }
    if (mode == RGN_COPY || !d_->clip) {
        QRegion base = d_->clip ? *d_->clip : WholeSurface(d_->image);
        if (mode == RGN_COPY || mode == RGN_AND) {
            d_->clip = mode == RGN_COPY ? TRegionQt::Of(*region)
                                        : base.intersected(TRegionQt::Of(*region));
            return RegionKind(*d_->clip);
        }
        d_->clip = base;
    }
    TRegion current = TRegionQt::From(*d_->clip);
    current.Combine(*region, mode);
    d_->clip = TRegionQt::Of(current);
    return RegionKind(*d_->clip);
}

bool TCanvas::GetClipRegion(TRegion& region) const {
    if (!d_->clip)
        return false;
    region = TRegionQt::From(*d_->clip);
    return true;
}

bool TCanvas::HasClipRegion() const {
    return d_->clip.has_value();
}

bool TCanvas::PtVisible(int x, int y) const {
    int dx = x + viewportOrg_.X;
    int dy = y + viewportOrg_.Y;
    if (!d_->image || dx < 0 || dy < 0 || dx >= d_->image->width() || dy >= d_->image->height())
        return false;
    return !d_->clip || d_->clip->contains(QPoint(dx, dy));
}

int TCanvas::SaveDC() {
    SettleTextAdvance();
    d_->saved.push_back(SavedState{textAlign_, d_->bkMode, d_->bkColor, d_->textColor, d_->rop2,
                                   charExtra_, polyFillMode_, arcDirection_, viewportOrg_,
                                   brushOrg_, penPos_, d_->clip});
    return static_cast<int>(d_->saved.size());
}

bool TCanvas::RestoreDC(int saved) {
    auto& stack = d_->saved;
    int count = static_cast<int>(stack.size());
    int index = saved < 0 ? count + saved : saved - 1;
    if (index < 0 || index >= count)
        return false;
    SettleTextAdvance();
    SavedState s = stack[static_cast<std::size_t>(index)];
    stack.resize(static_cast<std::size_t>(index));
    textAlign_ = s.textAlign;
    d_->bkMode = s.bkMode;
    d_->bkColor = s.bkColor;
    d_->textColor = s.textColor;
    d_->rop2 = s.rop2;
    charExtra_ = s.charExtra;
    polyFillMode_ = s.polyFillMode;
    arcDirection_ = s.arcDirection;
    viewportOrg_ = s.viewportOrg;
    brushOrg_ = s.brushOrg;
    penPos_ = s.penPos;
    d_->clip = s.clip;
    d_->qpenValid = d_->qbrushValid = d_->qfontValid = false;
    d_->clipValid = d_->transformValid = d_->brushOriginValid = false;
    return true;
}
