#pragma once
// Popup panels: TFrPopupPanel holds controls that drop down under another control like a menu.
// Popup moves them into a temporary popup window (TFrPopup) placed under the control, inside the
// work area of its monitor (opening upwards when there is no room below), runs the popup's own
// loop, and moves them back when it closes: on a press outside it, on Escape, when the
// application loses the activation, or when the panel closes it (ClosePopup).

#include "controls/containers/FrPanel.h"

#include <memory>

class TFrCustomPopup : public TFrCustomPanel {
    Q4_CLASS(TFrCustomPopup, TFrCustomPanel)
public:
    explicit TFrCustomPopup(TComponent* owner);
};

class TFrPopupPanel;

// The popup window itself: a borderless top-level window, never activated.
class TFrPopup : public TFrCustomPopup {
    Q4_CLASS(TFrPopup, TFrCustomPopup)
public:
    explicit TFrPopup(TComponent* owner) : TFrCustomPopup(owner) {}

protected:
    QWidget* CreateWidget() override;
};

class TFrPopupPanel : public TFrCustomPopup {
    Q4_CLASS(TFrPopupPanel, TFrCustomPopup)
public:
    explicit TFrPopupPanel(TComponent* owner);
    ~TFrPopupPanel() override;
    static void DeclareProperties(TPropertyList& p);

    // Shows the panel's controls under `control` until the popup closes. Returns true when the
    // panel closed it (ClosePopup), false when the user dismissed it, and false at once, changing
    // nothing, while a popup of this panel is open.
    bool Popup(TControl* control);
    // Closes the open popup (from a handler of one of its controls); Popup then returns true.
    void ClosePopup();
    bool PopupOpen() const { return popup_ != nullptr; }
    // The open popup window (null outside Popup).
    TFrPopup* PopupWindow() const { return popup_.get(); }
    // The control the open popup drops from.
    TControl* PopupControl() const { return popupControl_; }

    TNotifyEvent OnPopup;
    TNotifyEvent OnClose;

private:
    TPoint PlaceUnder(const TRect& anchor) const;

    std::unique_ptr<TFrPopup> popup_;
    TControl* popupControl_ = nullptr;
    bool closedByPanel_ = false;
};
