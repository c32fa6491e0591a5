#pragma once
// Page controls and their tab sheets.

#include "platform/forms/Controls.h"
#include "platform/stdctrls/TabStrip.h"

#include <functional>
#include <vector>

class TPageControl;

class TTabSheet : public TWinControl {
    Q4_CLASS(TTabSheet, TWinControl)
public:
    explicit TTabSheet(TComponent* owner);
    static void DeclareProperties(TPropertyList& p);
    TPageControl* PageControl() const { return pageControl_; }
    void SetPageControl(TPageControl* v);
    int PageIndex() const;
    bool TabVisible() const { return tabVisible_; }
    void SetTabVisible(bool v);
    void SetParent(TWinControl* parent) override;

protected:
    void PaintWindow(TCanvas* canvas) override;

private:
    friend class TPageControl;
    TPageControl* pageControl_ = nullptr;
    bool tabVisible_ = true;
};

// Tabs across the top, one sheet shown below them. Setting ActivePage fires nothing; a click on
// a tab, or the Left and Right keys while the control has the focus, ask OnChanging, switch and
// fire OnChange. Tabs that do not fit scroll with two arrows at the right end of the row; the
// active tab is always scrolled into view.
class TPageControl : public TCustomControl {
    Q4_CLASS(TPageControl, TCustomControl)
public:
    explicit TPageControl(TComponent* owner);
    static void DeclareProperties(TPropertyList& p);
    int PageCount() const { return static_cast<int>(pages_.size()); }
    TTabSheet* Pages(int i) const { return pages_.at(i); }
    TTabSheet* ActivePage() const { return active_; }
    void SetActivePage(TTabSheet* page);
    int ActivePageIndex() const;
    void SetActivePageIndex(int i);
    // The tab of page i, in the control's coordinates (empty for a hidden tab and for one
    // scrolled out of view on the left).
    TRect TabRect(int i) const;
    // The first tab shown, when the tabs are scrolled.
    int FirstTab() const { return firstTab_; }
    // The arrow that scrolls the tabs left (direction < 0) or right; empty while every tab fits.
    TRect ScrollArrowRect(int direction) const;
    int TabHeight() const;
    void Loaded() override;

    TNotifyEvent OnChange;
    std::function<void(TObject* Sender, bool& AllowChange)> OnChanging;

protected:
    friend class TTabSheet;
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(TKeyCode& key, TShiftState shift) override;
    void WndProc(TMessage& message) override;
    void Resize() override;
    void InsertPage(TTabSheet* page);
    void RemovePage(TTabSheet* page);
    void PlaceSheets();
    std::vector<TTabStripItem> TabItems() const;

private:
    // Switches to page i as a user's choice does: OnChanging may refuse, OnChange follows.
    void ChooseByUser(int i);
    void ScrollActiveIntoView();

    std::vector<TTabSheet*> pages_;
    TTabSheet* active_ = nullptr;
    int firstTab_ = 0;
};
