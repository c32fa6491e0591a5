#include "platform/stdctrls/PageControl.h"

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
    return TabStripRects(*Font(), TabItems())[static_cast<std::size_t>(i)];
}

void TPageControl::PlaceSheets() {
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
    for (int i = 0; i < PageCount(); ++i) {
        const TRect r = TabRect(i);
        if (PtInRect(r, TPoint{x, y}) && pages_[i] != active_) {
            bool allow = true;
            if (OnChanging)
                OnChanging(this, allow);
            if (!allow)
                return;
            SetActivePage(pages_[i]);
            if (OnChange)
                OnChange(this);
            return;
        }
    }
}

void TPageControl::Paint() {
    PaintTabStrip(Canvas(), *Font(), Color(), Rect(0, 0, Width(), Height()), TabItems(),
                  ActivePageIndex());
}
