#include "controls/common/FrFrameController.h"

#include "controls/common/FrSystem.h"
#include "controls/storage/FrRegIniFile.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Properties.h"
#include "platform/classes/Reader.h"
#include "platform/forms/Controls.h"
#include "platform/graphics/Graphics.h"

#include <algorithm>

namespace {

const char* const kPropertyNames[16] = {"Color",
                                        "FocusColor",
                                        "DisabledColor",
                                        "ReadOnlyColor",
                                        "ReadOnlyColorOnFocus",
                                        "ParentColor",
                                        "FlatButtonColor",
                                        "FlatButtons",
                                        "FrameColor",
                                        "FrameHotColor",
                                        "FrameHotTrack",
                                        "FrameHotStyle",
                                        "FrameSides",
                                        "FrameStyle",
                                        "FrameVisible",
                                        "FramingPreference"};

// The order of a push of everything: ParentColor first, so that a control that follows its
// parent's colour does not take the controller's.
constexpr int kAllOrder[16] = {
    fcpParentColor,          fcpColor,         fcpDisabledColor,   fcpReadOnlyColor,
    fcpReadOnlyColorOnFocus, fcpFocusColor,    fcpFlatButtonColor, fcpFlatButtons,
    fcpFrameColor,           fcpFrameHotColor, fcpFrameHotTrack,   fcpFrameHotStyle,
    fcpFrameSides,           fcpFrameStyle,    fcpFrameVisible,    fcpFramingPreference};

} // namespace

TFrFrameController::TFrFrameController(TComponent* owner)
    : TComponent(owner), color_(clWindow), focusColor_(clWindow), disabledColor_(clBtnFace),
      readOnlyColor_(clInfoBk), flatButtonColor_(clBtnFace), frameColor_(clBtnShadow),
      frameHotColor_(clBtnShadow) {}

TFrFrameController::~TFrFrameController() {
    for (TControl* c : controls_)
        c->RemoveFreeNotification(this);
    if (regIniFile_ != nullptr)
        regIniFile_->RemoveFreeNotification(this);
}

void TFrFrameController::DeclareProperties(TPropertyList& p) {
    using C = TFrFrameController;
    p.Add("Color", &C::Color, &C::SetColor, TColorTypeInfo()).Stored(&C::StoreColor);
    p.Add("FocusColor", &C::FocusColor, &C::SetFocusColor, TColorTypeInfo()).Default(clWindow);
    p.Add("DisabledColor", &C::DisabledColor, &C::SetDisabledColor, TColorTypeInfo())
        .Default(clBtnFace);
    p.Add("ReadOnlyColor", &C::ReadOnlyColor, &C::SetReadOnlyColor, TColorTypeInfo())
        .Default(clInfoBk);
    p.Add("ReadOnlyColorOnFocus", &C::ReadOnlyColorOnFocus, &C::SetReadOnlyColorOnFocus)
        .Default(false);
    p.Add("ParentColor", &C::ParentColor, &C::SetParentColor).Default(false);
    p.Add("FlatButtonColor", &C::FlatButtonColor, &C::SetFlatButtonColor, TColorTypeInfo())
        .Default(clBtnFace);
    p.Add("FlatButtons", &C::FlatButtons, &C::SetFlatButtons).Default(true);
    p.Add("FrameColor", &C::FrameColor, &C::SetFrameColor, TColorTypeInfo()).Default(clBtnShadow);
    p.Add("FrameHotColor", &C::FrameHotColor, &C::SetFrameHotColor, TColorTypeInfo())
        .Default(clBtnShadow);
    p.Add("FrameHotTrack", &C::FrameHotTrack, &C::SetFrameHotTrack).Default(false);
    p.Add("FrameHotStyle", &C::FrameHotStyle, &C::SetFrameHotStyle).Default(fsFlatBold);
    p.Add("FrameSides", &C::FrameSides, &C::SetFrameSides).Default(AllSides);
    p.Add("FrameStyle", &C::FrameStyle, &C::SetFrameStyle).Default(fsFlat);
    p.Add("FrameVisible", &C::FrameVisible, &C::SetFrameVisible).Default(false);
    p.Add("FramingPreference", &C::FramingPreference, &C::SetFramingPreference).Default(fpXPThemes);
    p.Add("RegIniFile", &C::RegIniFile, &C::SetRegIniFile);
}

void TFrFrameController::DefineProperties(TFiler* filer) {
    TComponent::DefineProperties(filer);
    DefineLegacyFramingProperties(
        filer, [this](bool v) { SetFrameHotTrack(v); }, [this](TFrameStyle v) { SetFrameStyle(v); },
        [this](TFrameStyle v) { SetFrameHotStyle(v); });
}

void DefineLegacyFramingProperties(TFiler* filer, const std::function<void(bool)>& setHotTrack,
                                   const std::function<void(TFrameStyle)>& setStyle,
                                   const std::function<void(TFrameStyle)>& setHotStyle) {
    filer->DefineProperty(
        "FrameFlat",
        [=](TReader* reader) {
            const bool flat = reader->ReadBoolean();
            setHotTrack(flat);
            if (flat) {
                setStyle(fsStatus);
                setHotStyle(fsLowered);
            }
        },
        nullptr, false);
    filer->DefineProperty(
        "FrameFocusStyle",
        [=](TReader* reader) {
            const int style =
                GetEnumValue(Q4TypeInfo(static_cast<TFrameStyleEx*>(nullptr)), reader->ReadIdent());
            if (style >= 0)
                setHotStyle(static_cast<TFrameStyle>(style));
        },
        nullptr, false);
    filer->DefineProperty(
        "FrameFlatStyle", [](TReader* reader) { SkipIdentProperty(*reader); }, nullptr, false);
}

void TFrFrameController::AddControl(TControl* control) {
    if (control == nullptr ||
        std::find(controls_.begin(), controls_.end(), control) != controls_.end())
        return;
    controls_.push_back(control);
    control->FreeNotification(this);
    UpdateControl(control, fcpAll);
}

void TFrFrameController::RemoveControl(TControl* control) {
    auto it = std::find(controls_.begin(), controls_.end(), control);
    if (it == controls_.end())
        return;
    controls_.erase(it);
    control->RemoveFreeNotification(this);
}

void TFrFrameController::BeginUpdate() {
    ++updateCount_;
}

void TFrFrameController::EndUpdate() {
    if (--updateCount_ <= 0) {
        updateCount_ = 0;
        UpdateControls(fcpAll);
    }
}

void TFrFrameController::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TFrFrameController*>(source);
    if (other == nullptr) {
        TComponent::Assign(source);
        return;
    }
    BeginUpdate();
    SetColor(other->color_); // clears ParentColor, which is copied after it
    SetFocusColor(other->focusColor_);
    SetDisabledColor(other->disabledColor_);
    SetReadOnlyColor(other->readOnlyColor_);
    SetReadOnlyColorOnFocus(other->readOnlyColorOnFocus_);
    SetParentColor(other->parentColor_);
    SetFlatButtonColor(other->flatButtonColor_);
    SetFlatButtons(other->flatButtons_);
    SetFrameColor(other->frameColor_);
    SetFrameHotColor(other->frameHotColor_);
    SetFrameHotTrack(other->frameHotTrack_);
    SetFrameHotStyle(other->frameHotStyle_);
    SetFrameSides(other->frameSides_);
    SetFrameStyle(other->frameStyle_);
    SetFrameVisible(other->frameVisible_);
    SetFramingPreference(other->framingPreference_);
    EndUpdate();
}

void TFrFrameController::Loaded() {
    TComponent::Loaded();
    UpdateControls(fcpAll);
}

void TFrFrameController::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != opRemove)
        return;
    if (component == regIniFile_)
        regIniFile_ = nullptr;
    controls_.erase(std::remove(controls_.begin(), controls_.end(), component), controls_.end());
}

void TFrFrameController::PushOne(TControl* control, int index) {
    const char* name = kPropertyNames[index];
    const TPropInfo* info = GetPropInfo(control, name);
    if (info == nullptr || !info->IsWritable())
        return;
    std::int64_t value = 0;
    switch (index) {
    case fcpColor:
        value = color_;
        break;
    case fcpFocusColor:
        value = focusColor_;
        break;
    case fcpDisabledColor:
        value = disabledColor_;
        break;
    case fcpReadOnlyColor:
        value = readOnlyColor_;
        break;
    case fcpReadOnlyColorOnFocus:
        value = readOnlyColorOnFocus_;
        break;
    case fcpParentColor:
        value = parentColor_;
        break;
    case fcpFlatButtonColor:
        value = flatButtonColor_;
        break;
    case fcpFlatButtons:
        value = flatButtons_;
        break;
    case fcpFrameColor:
        value = frameColor_;
        break;
    case fcpFrameHotColor:
        value = frameHotColor_;
        break;
    case fcpFrameHotTrack:
        value = frameHotTrack_;
        break;
    case fcpFrameHotStyle:
        value = frameHotStyle_;
        break;
    case fcpFrameSides:
        value = static_cast<std::int64_t>(frameSides_.Bits());
        break;
    case fcpFrameStyle:
        value = frameStyle_;
        break;
    case fcpFrameVisible:
        value = frameVisible_;
        break;
    default:
        value = framingPreference_;
        break;
    }
    SetOrdProp(control, name, value);
}

void TFrFrameController::UpdateControl(TControl* control, int index) {
    if (control == nullptr)
        return;
    if (auto* notified = dynamic_cast<IFramingNotification*>(control)) {
        notified->FramingChanged();
        return;
    }
    std::uint64_t mask = AllFrameControllerNotifications;
    if (GetPropInfo(control, "FrameControllerNotifications") != nullptr)
        mask = static_cast<std::uint64_t>(GetOrdProp(control, "FrameControllerNotifications"));
    auto enabled = [mask](int i) { return (mask >> i) & 1u; };
    if (index < fcpAll) {
        if (enabled(index))
            PushOne(control, index);
        return;
    }
    for (int i : kAllOrder)
        if (enabled(i) && (i != fcpColor || !parentColor_))
            PushOne(control, i);
}

void TFrFrameController::UpdateControls(int index) {
    if (updateCount_ > 0)
        return;
    // A push may make a control leave: walk a copy.
    const std::vector<TControl*> controls = controls_;
    for (TControl* c : controls)
        UpdateControl(c, index);
}

template <class T> bool TFrFrameController::Store(T& field, const T& value, int index) {
    if (field == value)
        return false;
    field = value;
    UpdateControls(index);
    return true;
}

void TFrFrameController::SetColor(TColor value) {
    if (value == color_)
        return;
    if (focusColor_ == color_)
        focusColor_ = value; // the focus colour follows while it was the same
    color_ = value;
    parentColor_ = false;
    UpdateControls(fcpColor);
}

void TFrFrameController::SetParentColor(bool value) {
    if (Store(parentColor_, value, fcpParentColor) && !value)
        UpdateControls(fcpColor);
}

void TFrFrameController::SetFrameHotTrack(bool value) {
    if (value == frameHotTrack_)
        return;
    frameHotTrack_ = value;
    if (value) {
        frameVisible_ = true;
        if (!ComponentState().Contains(csLoading))
            frameSides_ = AllSides;
    }
    UpdateControls(fcpFrameHotTrack);
}

void TFrFrameController::SetFocusColor(TColor v) {
    Store(focusColor_, v, fcpFocusColor);
}
void TFrFrameController::SetDisabledColor(TColor v) {
    Store(disabledColor_, v, fcpDisabledColor);
}
void TFrFrameController::SetReadOnlyColor(TColor v) {
    Store(readOnlyColor_, v, fcpReadOnlyColor);
}
void TFrFrameController::SetReadOnlyColorOnFocus(bool v) {
    Store(readOnlyColorOnFocus_, v, fcpReadOnlyColorOnFocus);
}
void TFrFrameController::SetFlatButtonColor(TColor v) {
    Store(flatButtonColor_, v, fcpFlatButtonColor);
}
void TFrFrameController::SetFlatButtons(bool v) {
    Store(flatButtons_, v, fcpFlatButtons);
}
void TFrFrameController::SetFrameColor(TColor v) {
    Store(frameColor_, v, fcpFrameColor);
}
void TFrFrameController::SetFrameHotColor(TColor v) {
    Store(frameHotColor_, v, fcpFrameHotColor);
}
void TFrFrameController::SetFrameHotStyle(TFrameStyle v) {
    Store(frameHotStyle_, v, fcpFrameHotStyle);
}
void TFrFrameController::SetFrameSides(TSides v) {
    Store(frameSides_, v, fcpFrameSides);
}
void TFrFrameController::SetFrameStyle(TFrameStyle v) {
    Store(frameStyle_, v, fcpFrameStyle);
}
void TFrFrameController::SetFrameVisible(bool v) {
    Store(frameVisible_, v, fcpFrameVisible);
}
void TFrFrameController::SetFramingPreference(TFramingPreference v) {
    Store(framingPreference_, v, fcpFramingPreference);
}

void TFrFrameController::SetRegIniFile(TFrRegIniFile* value) {
    SetRegIniFileReference(this, regIniFile_, value);
}

void ChangeFrameController(TControl* control, TFrFrameController*& field,
                           TFrFrameController* value) {
    if (value == field)
        return;
    if (field != nullptr)
        field->RemoveControl(control);
    field = value;
    if (value != nullptr) {
        value->FreeNotification(control);
        value->AddControl(control);
    }
}
