#pragma once
// TFrFrameController: one set of colour and frame settings pushed to every framed control that
// names it in its FrameController property, so that a form's edit-like controls look alike and
// change together. A setting reaches a control through the control's published property of the
// same name, unless the control's FrameControllerNotifications leave it out, or the control takes
// the framing notification and reads the controller itself.

#include "controls/paint/FrFrames.h"
#include "platform/classes/Component.h"

#include <functional>
#include <vector>

class TControl;
class TFiler;
class TFrRegIniFile;

Q4_ENUM(TFramingPreference, fpCustomFraming, fpXPThemes);
Q4_ENUM(TFrFrameControllerProperty, fcpColor, fcpFocusColor, fcpDisabledColor, fcpReadOnlyColor,
        fcpReadOnlyColorOnFocus, fcpParentColor, fcpFlatButtonColor, fcpFlatButtons, fcpFrameColor,
        fcpFrameHotColor, fcpFrameHotTrack, fcpFrameHotStyle, fcpFrameSides, fcpFrameStyle,
        fcpFrameVisible, fcpFramingPreference, fcpAll);
using TFrFrameControllerNotifications = TSet<TFrFrameControllerProperty>;
constexpr std::uint64_t AllFrameControllerNotifications = 0xFFFF;

// A control that re-reads its controller when told, instead of having properties pushed.
class IFramingNotification {
public:
    virtual ~IFramingNotification() = default;
    virtual void FramingChanged() = 0;
};

class TFrFrameController : public TComponent {
    Q4_CLASS(TFrFrameController, TComponent)
public:
    explicit TFrFrameController(TComponent* owner);
    ~TFrFrameController() override;
    static void DeclareProperties(TPropertyList& p);

    void AddControl(TControl* control);
    void RemoveControl(TControl* control);
    int ControlCount() const { return static_cast<int>(controls_.size()); }
    void BeginUpdate();
    void EndUpdate();
    void Assign(TPersistent* source) override;

    TColor Color() const { return color_; }
    virtual void SetColor(TColor value);
    TColor FocusColor() const { return focusColor_; }
    virtual void SetFocusColor(TColor value);
    TColor DisabledColor() const { return disabledColor_; }
    virtual void SetDisabledColor(TColor value);
    TColor ReadOnlyColor() const { return readOnlyColor_; }
    virtual void SetReadOnlyColor(TColor value);
    bool ReadOnlyColorOnFocus() const { return readOnlyColorOnFocus_; }
    virtual void SetReadOnlyColorOnFocus(bool value);
    bool ParentColor() const { return parentColor_; }
    virtual void SetParentColor(bool value);
    TColor FlatButtonColor() const { return flatButtonColor_; }
    virtual void SetFlatButtonColor(TColor value);
    bool FlatButtons() const { return flatButtons_; }
    virtual void SetFlatButtons(bool value);
    TColor FrameColor() const { return frameColor_; }
    virtual void SetFrameColor(TColor value);
    TColor FrameHotColor() const { return frameHotColor_; }
    virtual void SetFrameHotColor(TColor value);
    bool FrameHotTrack() const { return frameHotTrack_; }
    virtual void SetFrameHotTrack(bool value);
    TFrameStyle FrameHotStyle() const { return frameHotStyle_; }
    virtual void SetFrameHotStyle(TFrameStyle value);
    TSides FrameSides() const { return frameSides_; }
    virtual void SetFrameSides(TSides value);
    TFrameStyle FrameStyle() const { return frameStyle_; }
    virtual void SetFrameStyle(TFrameStyle value);
    bool FrameVisible() const { return frameVisible_; }
    virtual void SetFrameVisible(bool value);
    TFramingPreference FramingPreference() const { return framingPreference_; }
    virtual void SetFramingPreference(TFramingPreference value);
    TFrRegIniFile* RegIniFile() const { return regIniFile_; }
    virtual void SetRegIniFile(TFrRegIniFile* value);

    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;
    void DefineProperties(TFiler* filer) override;

protected:
    // Pushes property `index` (0..15, or fcpAll) to one control, or to every registered one.
    virtual void UpdateControl(TControl* control, int index);
    virtual void UpdateControls(int index);

private:
    template <class T> bool Store(T& field, const T& value, int index);
    void PushOne(TControl* control, int index);
    bool StoreColor() const { return !parentColor_; }

    TColor color_;
    TColor focusColor_;
    TColor disabledColor_;
    TColor readOnlyColor_;
    bool readOnlyColorOnFocus_ = false;
    bool parentColor_ = false;
    TColor flatButtonColor_;
    bool flatButtons_ = true;
    TColor frameColor_;
    TColor frameHotColor_;
    bool frameHotTrack_ = false;
    TFrameStyle frameHotStyle_ = fsFlatBold;
    TSides frameSides_ = AllSides;
    TFrameStyle frameStyle_ = fsFlat;
    bool frameVisible_ = false;
    TFramingPreference framingPreference_ = fpXPThemes;
    TFrRegIniFile* regIniFile_ = nullptr;
    int updateCount_ = 0;
    std::vector<TControl*> controls_;
};

// Reads the framing settings of older descriptions: "FrameFlat" (hot tracking; when set, with
// the status style and the lowered hot style), "FrameFocusStyle" (the hot style) and
// "FrameFlatStyle" (dropped).
void DefineLegacyFramingProperties(TFiler* filer, const std::function<void(bool)>& setHotTrack,
                                   const std::function<void(TFrameStyle)>& setStyle,
                                   const std::function<void(TFrameStyle)>& setHotStyle);

// Moves a control from the controller in `field` to `value`: it leaves the old one, joins the new
// one (which pushes its settings at once) and hears of the new one's removal.
void ChangeFrameController(TControl* control, TFrFrameController*& field,
                           TFrFrameController* value);
