#include "controls/popup/FrPopupPanel.h"

#include "controls/common/FrSystem.h"
#include "platform/forms/Forms.h"
#include "platform/forms/PopupWindow.h"

#include <vector>

TFrCustomPopup::TFrCustomPopup(TComponent* owner) : TFrCustomPanel(owner) {
    SetBorderWidth(2);
    SetBorderOuter(fsPopup);
    SetFlatColorAdjustment(0);
    SetVisible(false);
}

QWidget* TFrPopup::CreateWidget() {
    return CreatePopupWidget(this);
}

TFrPopupPanel::TFrPopupPanel(TComponent* owner) : TFrCustomPopup(owner) {
    SetAlignment(taRightJustify);
    SetBounds(Left(), Top(), 100, 100);
    SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls});
    SetColor(clBtnFace);
    SetParentColor(false);
}

TFrPopupPanel::~TFrPopupPanel() {
    if (popup_ != nullptr)
        EndPopupLoop(popup_.get());
}

void TFrPopupPanel::DeclareProperties(TPropertyList& p) {
    using C = TFrPopupPanel;
    p.Add("Alignment", &C::Alignment, &C::SetAlignment).Default(taRightJustify);
    p.Add("OnPopup", &C::OnPopup);
    p.Add("OnClose", &C::OnClose);
}

TPoint TFrPopupPanel::PlaceUnder(const TRect& anchor) const {
    const int w = Width(), h = Height();
    int x = anchor.Left;
    if (Alignment() == taRightJustify)
        x = anchor.Right - w;
    else if (Alignment() == taCenter)
        x = (anchor.Left + anchor.Right - w) / 2;
    int y = anchor.Bottom;
    const std::optional<TMonitorInfo> monitor = MonitorAtPoint(TPoint{x, y});
    const TRect work = monitor ? monitor->WorkareaRect : Screen->WorkAreaRect();
    if (x + w > work.Right)
        x = work.Right - w;
    if (y + h > work.Bottom)
        y = anchor.Top - h; // no room below: open upwards
    if (x < work.Left)
        x = work.Left;
    if (y < work.Top)
        y = work.Top;
    return TPoint{x, y};
}

bool TFrPopupPanel::Popup(TControl* control) {
    if (popup_ != nullptr || control == nullptr)
        return false;
    popupControl_ = control;
    closedByPanel_ = false;
    TCustomForm* form = GetParentForm();
    TWinControl* active = form != nullptr ? form->ActiveControl() : nullptr;
    if (OnPopup)
        OnPopup(this);

    popup_ = std::make_unique<TFrPopup>(nullptr);
    popup_->SetBorderOuter(BorderOuter());
    popup_->SetFlatColor(FlatColor());
    popup_->SetColor(Color());
    popup_->SetFont(Font());
    popup_->SetHint(Hint());
    popup_->SetShowHint(ShowHint());

    const TPoint origin = control->Parent() != nullptr
                              ? control->Parent()->ClientToScreen({control->Left(), control->Top()})
                              : TPoint{control->Left(), control->Top()};
    const TRect anchor = Bounds(origin.X, origin.Y, control->Width(), control->Height());

    // The controls move into the popup for as long as it is open, and back afterwards.
    struct Moved {
        TControl* control;
        TRect bounds;
    };
    std::vector<Moved> moved;
    for (int i = 0; i < ControlCount(); ++i)
        moved.push_back({Controls(i), Controls(i)->BoundsRect()});
    TWinControl* target = nullptr;
    for (const Moved& m : moved) {
        m.control->SetParent(popup_.get());
        auto* wc = dynamic_cast<TWinControl*>(m.control);
        if (target == nullptr && wc != nullptr && wc->Enabled() && wc->Visible())
            target = wc;
    }
    const TPoint at = PlaceUnder(anchor);
    popup_->SetBounds(at.X, at.Y, Width(), Height());
    popup_->SetVisible(true);

    struct Restore {
        TFrPopupPanel* panel;
        std::vector<Moved>& moved;
        ~Restore() {
            for (const Moved& m : moved) {
                m.control->SetParent(panel);
                m.control->SetBoundsRect(m.bounds);
            }
            panel->popup_.reset();
        }
    };
    {
        Restore restore{this, moved};
        RunPopupLoop(popup_.get(), target);
    }
    if (OnClose)
        OnClose(this);
    if (active != nullptr && form != nullptr && form->Active() && active->CanFocus())
        active->SetFocus();
    popupControl_ = nullptr;
    return closedByPanel_;
}

void TFrPopupPanel::ClosePopup() {
    if (popup_ == nullptr)
        return;
    closedByPanel_ = true;
    EndPopupLoop(popup_.get());
}
