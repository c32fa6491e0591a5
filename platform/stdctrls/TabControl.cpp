#include "platform/stdctrls/TabControl.h"

#include "platform/forms/Messages.h"
#include "platform/rtl/Classes.h"
#include "platform/stdctrls/StringsProperty.h"

#include <algorithm>

TTabControl::TTabControl(TComponent* owner)
    : TCustomControl(owner), tabs_(std::make_unique<TStringList>()) {
    SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls});
    SetBounds(0, 0, 289, 193);
    SetTabStop(true);
    SetColor(clBtnFace);
    tabs_->OnChange = [this](TObject*) { TabsChanged(); };
}

TTabControl::~TTabControl() = default;

void TTabControl::DeclareProperties(TPropertyList& p) {
    p.Add("HotTrack", &TTabControl::HotTrack, &TTabControl::SetHotTrack).Default(false);
    p.Add("Tabs", &TTabControl::Tabs, &TTabControl::SetTabs);
    p.Add("TabIndex", &TTabControl::TabIndex, &TTabControl::SetTabIndex).Default(-1);
    p.Add("OnChange", &TTabControl::OnChange);
    p.Add("OnChanging", &TTabControl::OnChanging);
}

TStrings* TTabControl::Tabs() const {
    return tabs_.get();
}

void TTabControl::SetTabs(TStrings* tabs) {
    AssignStrings(*tabs_, tabs);
}

void TTabControl::TabsChanged() {
    if (tabIndex_ >= tabs_->Count())
        tabIndex_ = tabs_->Count() - 1;
    hot_ = -1;
    firstTab_ = TabStripScrollTo(*Font(), TabItems(), Width(), 0, tabIndex_);
    Invalidate();
}

void TTabControl::SetTabIndex(int index) {
    tabIndex_ = index >= 0 && index < tabs_->Count() ? index : -1;
    firstTab_ = TabStripScrollTo(*Font(), TabItems(), Width(), firstTab_, tabIndex_);
    Invalidate();
}

int TTabControl::TabHeight() const {
    return TabStripHeight(*Font());
}

std::vector<TTabStripItem> TTabControl::TabItems() const {
    std::vector<TTabStripItem> items;
    for (int i = 0; i < tabs_->Count(); ++i)
        items.push_back({tabs_->Strings(i), true});
    return items;
}

TRect TTabControl::TabRect(int index) const {
    if (index < 0 || index >= tabs_->Count())
        return TRect{};
    return Layout().Tabs[static_cast<std::size_t>(index)];
}

TTabStripLayout TTabControl::Layout() const {
    return TabStripLayout(*Font(), TabItems(), Width(), firstTab_);
}

int TTabControl::TabAt(int x, int y) const {
    return Layout().TabAt(x, y);
}

void TTabControl::AlignControls(TControl* changed, TRect& rect) {
    // The body below the row of tabs, inside its frame.
    rect.Top = std::max(rect.Top, TabHeight() + 2);
    rect.Left += 2;
    rect.Right -= 2;
    rect.Bottom -= 2;
    TCustomControl::AlignControls(changed, rect);
}

void TTabControl::Paint() {
    PaintTabStrip(Canvas(), *Font(), Color(), Rect(0, 0, Width(), Height()), TabItems(), tabIndex_,
                  hotTrack_ ? hot_ : -1, firstTab_);
}

void TTabControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseDown(button, shift, x, y);
    if (button != mbLeft)
        return;
    const TTabStripLayout layout = Layout();
    if (const int arrow = layout.ArrowAt(x, y)) {
        if ((arrow < 0 && layout.CanScrollLeft) || (arrow > 0 && layout.CanScrollRight)) {
            firstTab_ += arrow;
            Invalidate();
        }
        return;
    }
    const int index = layout.TabAt(x, y);
    if (index < 0 || index == tabIndex_)
        return;
    bool allow = true;
    if (OnChanging)
        OnChanging(this, allow);
    if (!allow)
        return;
    SetTabIndex(index);
    if (OnChange)
        OnChange(this);
}

void TTabControl::MouseMove(TShiftState shift, int x, int y) {
    TCustomControl::MouseMove(shift, x, y);
    const int hot = hotTrack_ ? TabAt(x, y) : -1;
    if (hot != hot_) {
        hot_ = hot;
        Invalidate();
    }
}

void TTabControl::WndProc(TMessage& message) {
    TCustomControl::WndProc(message);
    if (message.Msg == CM_MOUSELEAVE && hot_ >= 0) {
        hot_ = -1;
        Invalidate();
    }
}
