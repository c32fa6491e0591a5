#include "controls/framing/FrFraming.h"

#include "controls/paint/FrColors.h"
#include "platform/graphics/Themes.h"

#include <cstdint>

namespace {

bool IsSystemColor(TColor color) {
    return (static_cast<std::uint32_t>(color) & 0xFF000000u) == 0xFF000000u;
}

} // namespace

TFrFraming::TFrFraming(TWinControl* control) : control_(control) {}

TFrFraming::~TFrFraming() {
    if (frameController_ != nullptr)
        frameController_->RemoveControl(control_);
}

bool TFrFraming::Loading() const {
    return control_->ComponentState().Contains(csLoading);
}

// ---- properties ---------------------------------------------------------------------------------

void TFrFraming::SetDisabledColor(TColor v) {
    disabledColor_ = v;
    if (!control_->Enabled())
        UpdateColors();
}

void TFrFraming::SetFocusColor(TColor v) {
    focusColor_ = v;
    if (control_->Focused())
        UpdateColors();
}

void TFrFraming::SetFrameColor(TColor v) {
    if (v != frameColor_) {
        frameColor_ = v;
        RepaintFrame();
    }
}

void TFrFraming::SetFrameController(TFrFrameController* v) {
    ChangeFrameController(control_, frameController_, v);
}

void TFrFraming::SetFrameHotColor(TColor v) {
    if (v != frameHotColor_) {
        frameHotColor_ = v;
        RepaintFrame();
    }
}

void TFrFraming::SetFrameHotTrack(bool v) {
    if (v == frameHotTrack_)
        return;
    frameHotTrack_ = v;
    if (v) {
        SetFrameVisible(true);
        if (!Loading())
            frameSides_ = AllSides;
    }
    RepaintFrame();
    control_->Invalidate();
}

void TFrFraming::SetFrameHotStyle(TFrameStyle v) {
    if (v != frameHotStyle_) {
        frameHotStyle_ = v;
        RepaintFrame();
    }
}

void TFrFraming::SetFrameSides(TSides v) {
    if (v != frameSides_) {
        frameSides_ = v;
        RepaintFrame();
    }
}

void TFrFraming::SetFrameStyle(TFrameStyle v) {
    if (v != frameStyle_) {
        frameStyle_ = v;
        RepaintFrame();
    }
}

void TFrFraming::SetFrameVisible(bool v) {
    if (v != frameVisible_) {
        frameVisible_ = v;
        FrameVisibleChanged();
    }
}

void TFrFraming::SetFramingPreference(TFramingPreference v) {
    if (v == framingPreference_)
        return;
    framingPreference_ = v;
    if (v == fpCustomFraming)
        RepaintFrame();
}

void TFrFraming::FrameVisibleChanged() {
    control_->Invalidate();
}

// ---- state --------------------------------------------------------------------------------------

bool TFrFraming::UseThemes() const {
    return framingPreference_ == fpXPThemes && ThemeServicesEnabled();
}

bool TFrFraming::FrameHot() const {
    return frameHotTrack_ && (control_->Focused() || mouseOver_);
}

bool TFrFraming::Controlled(TFrFrameControllerProperty kind) const {
    return frameController_ != nullptr && notifications_.Contains(kind);
}

bool TFrFraming::IsFramedColorStored() const {
    return !control_->ParentColor() && !Controlled(fcpColor) && control_->Enabled();
}

bool TFrFraming::IsFocusColorStored() const {
    return !Controlled(fcpFocusColor) && ColorToRGB(focusColor_) != ColorToRGB(control_->Color());
}

TColor TFrFraming::StateColor() const {
    if (!control_->Enabled())
        return disabledColor_;
    if (control_->Focused())
        return focusColor_;
    return normalColor_;
}

void TFrFraming::UpdateColors() {
    if (Loading())
        return;
    updatingColor_ = true;
    try {
        control_->SetColor(StateColor());
    } catch (...) {
        updatingColor_ = false;
        throw;
    }
    updatingColor_ = false;
}

void TFrFraming::UpdateFrameState(bool setOver, bool over) {
    if (setOver)
        mouseOver_ = over;
    if (frameHotTrack_)
        RepaintFrame();
    UpdateColors();
}

void TFrFraming::RepaintFrame() {
    RedrawNonClientFrame(control_);
}

void TFrFraming::AdoptColor() {
    if (updatingColor_)
        return;
    if (focusColor_ == normalColor_)
        focusColor_ = control_->Color();
    normalColor_ = control_->Color();
}

// ---- messages -----------------------------------------------------------------------------------

void TFrFraming::FramingMessage(TMessage& message, const std::function<void()>& inherited) {
    switch (message.Msg) {
    case WM_NCPAINT:
        inherited();
        if (auto* canvas = reinterpret_cast<TCanvas*>(message.WParam))
            PaintFrame(canvas);
        message.Result = 0;
        return;
    case CM_ENTER: // the form's active control now, so Focused() holds
        UpdateFrameState(false, true);
        inherited();
        return;
    case CM_EXIT:
        inherited();
        UpdateFrameState(false, false);
        return;
    case CM_MOUSEENTER:
        inherited();
        UpdateFrameState(true, true);
        return;
    case CM_MOUSELEAVE:
        inherited();
        UpdateFrameState(true, false);
        return;
    case CM_ENABLEDCHANGED:
        inherited();
        UpdateColors();
        return;
    case CM_COLORCHANGED:
        inherited();
        AdoptColor();
        if (frameVisible_ && !UseThemes())
            RepaintFrame();
        return;
    case CM_SYSCOLORCHANGE:
        inherited();
        if (IsSystemColor(control_->Color())) // it may look different now
            control_->Perform(CM_COLORCHANGED);
        return;
    case WM_SIZE:
        inherited();
        if (frameVisible_ && !UseThemes())
            RepaintFrame();
        return;
    default:
        inherited();
    }
}

void TFrFraming::PaintFrame(TCanvas* canvas) {
    const int w = control_->Width(), h = control_->Height();
    if (!frameVisible_ || UseThemes()) {
        PaintPlatformBorder(canvas, w, h, control_->Color());
        return;
    }
    const bool hot = FrameHot();
    PaintNonClientFrame(canvas, w, h, false, frameSides_, hot ? frameHotColor_ : frameColor_,
                        control_->Color(), hot ? frameHotStyle_ : frameStyle_);
}

bool IsContextMenuKey(TKeyCode key, TShiftState shift) {
    return (key == VK_APPS && shift.Empty()) || (key == VK_F1 + 9 && shift == TShiftState{ssShift});
}

void PaintPlatformBorder(TCanvas* canvas, int width, int height, TColor face) {
    const TRect r = Rect(0, 0, width, height);
    if (!ThemeServicesEnabled()) {
        PaintCtl3DSides(canvas, r, AllSides, true);
        return;
    }
    const TRect inner = PaintBox(canvas, r, ThemedElementColor(0));
    PaintBox(canvas, inner, face);
}

void TFrFraming::FramingLoaded() {
    UpdateColors();
    UpdateFrameState(false, false);
}

void TFrFraming::FramingNotification(TComponent* component, TOperation operation) {
    if (operation == opRemove && component == frameController_)
        frameController_ = nullptr;
}

void TFrFraming::DefineLegacyFramingProperties(TFiler* filer) {
    ::DefineLegacyFramingProperties(
        filer, [this](bool v) { SetFrameHotTrack(v); }, [this](TFrameStyle v) { SetFrameStyle(v); },
        [this](TFrameStyle v) { SetFrameHotStyle(v); });
}
