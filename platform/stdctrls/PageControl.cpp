#include "platform/stdctrls/PageControl.h"

#include "platform/forms/Messages.h"

#include <algorithm>

// ---- TTabSheet ----------------------------------------------------------------------------------

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner) {
    SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls});
    SetColor(clBtnFace);
}

void TTabSheet::DeclareProperties(TPropertyList& p) {
    p.Add("TabVisible", &TTabSheet::TabVisible, &TTabSheet::SetTabVisible).Default(true);
}

void TTabSheet::SetParent(TWinControl* parent) {
    TWinControl::SetParent(parent);
    SetPageControl(dynamic_cast<TPageControl*>(parent));
}

void TTabSheet::SetPageControl(TPageControl* v) {
    if (v == pageControl_)
        return;
    if (pageControl_)
        pageControl_->RemovePage(this);
    pageControl_ = v;
    if (v) {
        if (Parent() != v)
            TWinControl::SetParent(v);
        v->InsertPage(this);
    }
}

int TTabSheet::PageIndex() const {
    if (!pageControl_)
        return -1;
    for (int i = 0; i < pageControl_->PageCount(); ++i)
        if (pageControl_->Pages(i) == this)
            return i;
    return -1;
}

void TTabSheet::SetTabVisible(bool v) {
    tabVisible_ = v;
    if (pageControl_)
        pageControl_->Invalidate();
}

void TTabSheet::PaintWindow(TCanvas* canvas) {
    canvas->Brush()->SetColor(Color());
    canvas->Brush()->SetStyle(bsSolid);
    canvas->FillRect(Rect(0, 0, Width(), Height()));
    TWinControl::PaintWindow(canvas);
}

// ---- TPageControl -------------------------------------------------------------------------------

TPageControl::TPageControl(TComponent* owner) : TCustomControl(owner) {
    SetBounds(0, 0, 289, 193);
    SetTabStop(true);
    SetColor(clBtnFace);
}

void TPageControl::DeclareProperties(TPropertyList& p) {
    p.AddFn<TPageControl>(
         "ActivePageIndex", [](TPageControl* c) { return c->ActivePageIndex(); },
         [](TPageControl* c, int v) { c->SetActivePageIndex(v); })
        .Default(-1);
    p.Add("OnChange", &TPageControl::OnChange);
    p.Add("OnChanging", &TPageControl::OnChanging);
}

void TPageControl::InsertPage(TTabSheet* page) {
    if (std::find(pages_.begin(), pages_.end(), page) == pages_.end())
        pages_.push_back(page);
    if (!active_)
        active_ = page;
    PlaceSheets();
}

void TPageControl::RemovePage(TTabSheet* page) {
    pages_.erase(std::remove(pages_.begin(), pages_.end(), page), pages_.end());
    if (active_ == page)
        active_ = pages_.empty() ? nullptr : pages_.front();
    PlaceSheets();
}

void TPageControl::SetActivePage(TTabSheet* page) {
    if (page && page->pageControl_ != this)
        return;
    active_ = page;
    PlaceSheets();
}

int TPageControl::ActivePageIndex() const {
    return active_ ? active_->PageIndex() : -1;
}

void TPageControl::SetActivePageIndex(int i) {
    SetActivePage(i >= 0 && i < PageCount() ? pages_[i] : nullptr);
}

int TPageControl::TabHeight() const {
    return TabStripHeight(*Font());
}

std::vector<TTabStripItem> TPageControl::TabItems() const {
    std::vector<TTabStripItem> tabs;
    for (const TTabSheet* page : pages_)
        tabs.push_back({page->Caption(), page->TabVisible()});
    return tabs;
}

TRect TPageControl::TabRect(int i) const {
    if (i < 0 || i >= PageCount())
        return TRect{};
    return TabStripLayout(*Font(), TabItems(), Width(), firstTab_)
        .Tabs[static_cast<std::size_t>(i)];
}

TRect TPageControl::ScrollArrowRect(int direction) const {
    const TTabStripLayout layout = TabStripLayout(*Font(), TabItems(), Width(), firstTab_);
    if (!layout.Overflows)
        return TRect{};
    return direction < 0 ? layout.LeftArrow : layout.RightArrow;
}

void TPageControl::ScrollActiveIntoView() {
    firstTab_ = TabStripScrollTo(*Font(), TabItems(), Width(), firstTab_, ActivePageIndex());
}

void TPageControl::PlaceSheets() {
    ScrollActiveIntoView();
    const int top = TabHeight();
    for (TTabSheet* p : pages_) {
        p->SetBounds(2, top + 2, std::max(0, Width() - 4), std::max(0, Height() - top - 4));
        p->SetVisible(p == active_);
    }
    Invalidate();
}

void TPageControl::Loaded() {
    TCustomControl::Loaded();
    PlaceSheets();
}

void TPageControl::Resize() {
    TCustomControl::Resize();
    PlaceSheets();
}

void TPageControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseDown(button, shift, x, y);
    if (button != mbLeft)
        return;
    const TTabStripLayout layout = TabStripLayout(*Font(), TabItems(), Width(), firstTab_);
    if (const int arrow = layout.ArrowAt(x, y)) {
        if ((arrow < 0 && layout.CanScrollLeft) || (arrow > 0 && layout.CanScrollRight)) {
            firstTab_ += arrow;
            while (firstTab_ > 0 && firstTab_ < PageCount() && !pages_[firstTab_]->TabVisible())
                firstTab_ += arrow;
            Invalidate();
        }
        return;
    }
    const int i = layout.TabAt(x, y);
    if (i >= 0 && pages_[i] != active_)
        ChooseByUser(i);
}

void TPageControl::ChooseByUser(int i) {
    bool allow = true;
    if (OnChanging)
        OnChanging(this, allow);
    if (!allow)
        return;
    SetActivePage(pages_[i]);
    if (OnChange)
        OnChange(this);
}

void TPageControl::KeyDown(TKeyCode& key, TShiftState shift) {
    TCustomControl::KeyDown(key, shift);
    if (key != VK_LEFT && key != VK_RIGHT)
        return;
    const int step = key == VK_LEFT ? -1 : 1;
    for (int i = ActivePageIndex() + step; i >= 0 && i < PageCount(); i += step)
        if (pages_[i]->TabVisible()) {
            ChooseByUser(i);
            break;
        }
    key = 0;
}

void TPageControl::WndProc(TMessage& message) {
    // The arrow keys turn the pages; characters stay the dialog's mnemonics.
    if (message.Msg == WM_GETDLGCODE) {
        message.Result = DLGC_WANTARROWS;
        return;
    }
    TCustomControl::WndProc(message);
}

void TPageControl::Paint() {
    PaintTabStrip(Canvas(), *Font(), Color(), Rect(0, 0, Width(), Height()), TabItems(),
                  ActivePageIndex(), -1, firstTab_);
}
