#pragma once
// A tab control: a row of tabs over one body that holds the controls placed on it; the tabs only
// name choices (the body stays the same). Setting TabIndex or the tabs fires nothing; a click on a
// tab asks OnChanging, selects it and fires OnChange. With HotTrack the tab under the mouse shows
// its caption in the hot colour. Tabs that do not fit scroll with two arrows at the right end of
// the row; the selected tab is scrolled into view when it is set.

#include "platform/forms/Controls.h"
#include "platform/stdctrls/TabStrip.h"

#include <functional>
#include <memory>

class TStringList;
class TStrings;

class TTabControl : public TCustomControl {
    Q4_CLASS(TTabControl, TCustomControl)
public:
    explicit TTabControl(TComponent* owner);
    ~TTabControl() override;
    static void DeclareProperties(TPropertyList& p);

    // The captions; any change repaints and keeps TabIndex inside the list (-1 when empty).
    TStrings* Tabs() const;
    void SetTabs(TStrings* tabs);
    int TabIndex() const { return tabIndex_; }
    // An index outside the tabs selects none (-1).
    void SetTabIndex(int index);
    bool HotTrack() const { return hotTrack_; }
    void SetHotTrack(bool on) { hotTrack_ = on; }
    // The tab under the mouse while HotTrack is on (-1: none).
    int HotIndex() const { return hot_; }
    TRect TabRect(int index) const;
    int TabHeight() const;
    void AlignControls(TControl* changed, TRect& rect) override;

    TNotifyEvent OnChange;
    std::function<void(TObject* Sender, bool& AllowChange)> OnChanging;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void WndProc(TMessage& message) override;

private:
    std::vector<TTabStripItem> TabItems() const;
    TTabStripLayout Layout() const;
    int TabAt(int x, int y) const;
    void TabsChanged();

    std::unique_ptr<TStringList> tabs_;
    int tabIndex_ = -1;
    bool hotTrack_ = false;
    int hot_ = -1;
    int firstTab_ = 0;
};
