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
// a tab asks OnChanging, switches and fires OnChange.
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
    // The tab of page i, in the control's coordinates (empty for a hidden tab).
    TRect TabRect(int i) const;
    int TabHeight() const;
    void Loaded() override;

    TNotifyEvent OnChange;
    std::function<void(TObject* Sender, bool& AllowChange)> OnChanging;

protected:
    friend class TTabSheet;
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void Resize() override;
    void InsertPage(TTabSheet* page);
    void RemovePage(TTabSheet* page);
    void PlaceSheets();
    std::vector<TTabStripItem> TabItems() const;

private:
    std::vector<TTabSheet*> pages_;
    TTabSheet* active_ = nullptr;
};
