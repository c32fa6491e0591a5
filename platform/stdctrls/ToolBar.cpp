#include "platform/stdctrls/ToolBar.h"

#include "platform/graphics/ImageList.h"
#include "platform/stdctrls/BevelFrame.h"

#include <algorithm>

// ---- TToolButton --------------------------------------------------------------------------------

TToolButton::TToolButton(TComponent* owner) : TGraphicControl(owner) {
    SetBounds(0, 0, 23, 22);
}

void TToolButton::DeclareProperties(TPropertyList& p) {
    p.Add("Down", &TToolButton::Down, &TToolButton::SetDown).Default(false);
    p.Add("Grouped", &TToolButton::Grouped, &TToolButton::SetGrouped).Default(false);
    p.Add("ImageIndex", &TToolButton::ImageIndex, &TToolButton::SetImageIndex).Default(-1);
    p.Add("Style", &TToolButton::Style, &TToolButton::SetStyle).Default(tbsButton);
}

TToolBar* TToolButton::ToolBar() const {
    return dynamic_cast<TToolBar*>(Parent());
}

void TToolButton::SetParent(TWinControl* parent) {
    TToolBar* old = ToolBar();
    TGraphicControl::SetParent(parent);
    if (old && old != parent)
        old->ArrangeButtons();
    if (TToolBar* bar = ToolBar())
        bar->ArrangeButtons();
}

void TToolButton::SetImageIndex(int v) {
    imageIndex_ = v;
    Invalidate();
}

void TToolButton::SetStyle(TToolButtonStyle v) {
    style_ = v;
    if (TToolBar* bar = ToolBar())
        bar->ArrangeButtons();
    Invalidate();
}

void TToolButton::SetDown(bool v) {
    if (v == down_)
        return;
    down_ = v;
    // Grouped check buttons next to each other let one be down at a time.
    if (v && grouped_ && style_ == tbsCheck)
        if (TToolBar* bar = ToolBar()) {
            int me = -1;
            for (int i = 0; i < bar->ButtonCount(); ++i)
                if (bar->Buttons(i) == this)
                    me = i;
            for (int dir : {-1, 1})
                for (int i = me + dir; i >= 0 && i < bar->ButtonCount(); i += dir) {
                    TToolButton* b = bar->Buttons(i);
                    if (!b->grouped_ || b->style_ != tbsCheck)
                        break;
                    if (b->down_) {
                        b->down_ = false;
                        b->Invalidate();
                    }
                }
        }
    Invalidate();
}

void TToolButton::Click() {
    if (style_ == tbsCheck)
        SetDown(!down_ || grouped_);
    TGraphicControl::Click();
}

void TToolButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TGraphicControl::MouseDown(button, shift, x, y);
    press_.MouseDown(*this, button, style_ != tbsSeparator && style_ != tbsDivider);
}

void TToolButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TGraphicControl::MouseUp(button, shift, x, y);
    press_.MouseUp(*this, button);
}

void TToolButton::Paint() {
    TCanvas* c = Canvas();
    TRect r = Rect(0, 0, Width(), Height());
    if (style_ == tbsSeparator)
        return;
    if (style_ == tbsDivider) {
        TRect line = Rect(Width() / 2 - 1, 2, Width() / 2 + 1, Height() - 2);
        BevelFrame(c, line, false);
        return;
    }
    TToolBar* bar = ToolBar();
    const bool sunken = down_ || press_.Pressed();
    ButtonFrame(c, r, sunken, bar && bar->Flat());
    int textTop = 0;
    if (bar && bar->Images() && imageIndex_ >= 0) {
        const int x = (Width() - bar->Images()->Width()) / 2 + (sunken ? 1 : 0);
        const int y =
            bar->ShowCaptions() ? 3 : (Height() - bar->Images()->Height()) / 2 + (sunken ? 1 : 0);
        bar->Images()->Draw(c, x, y, imageIndex_, Enabled());
        textTop = y + bar->Images()->Height();
    }
    if (bar && bar->ShowCaptions() && !Caption().empty()) {
        c->Brush()->SetStyle(bsClear);
        c->Font()->Assign(Font());
        TRect t = Rect(0, textTop, Width(), Height());
        c->TextRect(t, Caption(), DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}

// ---- TToolBar -----------------------------------------------------------------------------------

TToolBar::TToolBar(TComponent* owner) : TCustomControl(owner) {
    SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls});
    SetBounds(0, 0, 150, 29);
    SetAlign(alTop);
    SetColor(clBtnFace);
}

void TToolBar::DeclareProperties(TPropertyList& p) {
    // A tool bar starts aligned to the top, so that is what goes unsaid in a description.
    p.Add("Align", &TControl::Align, &TControl::SetAlign).Default(alTop);
    p.Add("ButtonHeight", &TToolBar::ButtonHeight, &TToolBar::SetButtonHeight).Default(22);
    p.Add("ButtonWidth", &TToolBar::ButtonWidth, &TToolBar::SetButtonWidth).Default(23);
    p.Add("Flat", &TToolBar::Flat, &TToolBar::SetFlat).Default(false);
    p.Add("ShowCaptions", &TToolBar::ShowCaptions, &TToolBar::SetShowCaptions).Default(false);
    p.Add("Wrapable", &TToolBar::Wrapable, &TToolBar::SetWrapable).Default(true);
}

void TToolBar::SetImages(TCustomImageList* v) {
    images_ = v;
    Invalidate();
}

void TToolBar::SetButtonWidth(int v) {
    buttonWidth_ = std::max(v, 1);
    ArrangeButtons();
}

void TToolBar::SetButtonHeight(int v) {
    buttonHeight_ = std::max(v, 1);
    ArrangeButtons();
}

void TToolBar::SetFlat(bool v) {
    flat_ = v;
    Invalidate();
}

void TToolBar::SetShowCaptions(bool v) {
    showCaptions_ = v;
    ArrangeButtons();
}

void TToolBar::SetWrapable(bool v) {
    wrapable_ = v;
    ArrangeButtons();
}

int TToolBar::ButtonCount() const {
    int n = 0;
    for (int i = 0; i < ControlCount(); ++i)
        if (dynamic_cast<TToolButton*>(Controls(i)))
            ++n;
    return n;
}

TToolButton* TToolBar::Buttons(int index) const {
    int n = 0;
    for (int i = 0; i < ControlCount(); ++i)
        if (auto* b = dynamic_cast<TToolButton*>(Controls(i)); b && n++ == index)
            return b;
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

void TToolBar::ArrangeButtons() {
    if (arranging_ || InLoading())
        return;
    arranging_ = true;
    // The order is kept from one arrangement to the next; controls that joined since go last,
    // in the order of where they were put. After loading, the stored positions give the order.
    order_.erase(
        std::remove_if(order_.begin(), order_.end(),
                       [this](TControl* c) { return !ContainsControl(c) || c->Parent() != this; }),
        order_.end());
    std::vector<TControl*> added;
    for (int i = 0; i < ControlCount(); ++i)
        if (std::find(order_.begin(), order_.end(), Controls(i)) == order_.end())
            added.push_back(Controls(i));
    std::stable_sort(added.begin(), added.end(), [](TControl* a, TControl* b) {
        return a->Top() / 8 != b->Top() / 8 ? a->Top() < b->Top() : a->Left() < b->Left();
    });
    order_.insert(order_.end(), added.begin(), added.end());
    std::vector<TControl*> list;
    for (TControl* c : order_)
        if (c->Visible())
            list.push_back(c);
    int x = 0, y = 0;
    for (TControl* c : list) {
        auto* b = dynamic_cast<TToolButton*>(c);
        int w = c->Width();
        int h = buttonHeight_;
        if (b) {
            const bool sep = b->Style() == tbsSeparator || b->Style() == tbsDivider;
            w = sep ? std::max(c->Width(), 8) : buttonWidth_;
            if (sep && c->Width() == 23)
                w = 8;
        }
        if (wrapable_ && x > 0 && x + w > Width()) {
            x = 0;
            y += buttonHeight_;
        }
        c->SetBounds(x, y, w, b ? h : c->Height());
        x += w;
    }
    arranging_ = false;
    Invalidate();
}

void TToolBar::Loaded() {
    TCustomControl::Loaded();
    ArrangeButtons();
}

void TToolBar::Resize() {
    TCustomControl::Resize();
    ArrangeButtons();
}

void TToolBar::Paint() {
    TCanvas* c = Canvas();
    c->Brush()->SetColor(Color());
    c->Brush()->SetStyle(bsSolid);
    c->FillRect(Rect(0, 0, Width(), Height()));
}
