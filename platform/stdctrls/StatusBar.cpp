#include "platform/stdctrls/StatusBar.h"

#include "platform/stdctrls/BevelFrame.h"

#include <algorithm>

// ---- TStatusPanel -------------------------------------------------------------------------------

void TStatusPanel::DeclareProperties(TPropertyList& p) {
    p.Add("Alignment", &TStatusPanel::Alignment, &TStatusPanel::SetAlignment)
        .Default(taLeftJustify);
    p.Add("Bevel", &TStatusPanel::Bevel, &TStatusPanel::SetBevel).Default(pbLowered);
    p.Add("Text", &TStatusPanel::Text, &TStatusPanel::SetText);
    p.Add("Width", &TStatusPanel::Width, &TStatusPanel::SetWidth).Default(50);
}

void TStatusPanel::SetText(const std::string& v) {
    text_ = v;
    Changed(false);
}

void TStatusPanel::SetWidth(int v) {
    width_ = std::max(v, 0);
    Changed(false);
}

void TStatusPanel::SetAlignment(TAlignment v) {
    alignment_ = v;
    Changed(false);
}

void TStatusPanel::SetBevel(TStatusPanelBevel v) {
    bevel_ = v;
    Changed(false);
}

// ---- TStatusBar ---------------------------------------------------------------------------------

TStatusBar::TStatusBar(TComponent* owner)
    : TCustomControl(owner), panels_(std::make_unique<TStatusPanels>(this)) {
    SetBounds(0, 0, 200, 19);
    SetColor(clBtnFace);
    SetAlign(alBottom);
    panels_->OnUpdate = [this] { Invalidate(); };
}

TStatusBar::~TStatusBar() {
    panels_->OnUpdate = nullptr;
}

void TStatusBar::DeclareProperties(TPropertyList& p) {
    // A status bar starts aligned to the bottom, so that is what goes unsaid in a description.
    p.Add("Align", &TControl::Align, &TControl::SetAlign).Default(alBottom);
    p.Add("Panels", &TStatusBar::Panels, &TStatusBar::SetPanels);
    p.Add("SimplePanel", &TStatusBar::SimplePanel, &TStatusBar::SetSimplePanel).Default(false);
    p.Add("SimpleText", &TStatusBar::SimpleText, &TStatusBar::SetSimpleText);
}

void TStatusBar::SetSimplePanel(bool v) {
    simplePanel_ = v;
    Invalidate();
}

void TStatusBar::SetSimpleText(const std::string& v) {
    simpleText_ = v;
    Invalidate();
}

TRect TStatusBar::PanelRect(int index) const {
    int x = 0;
    for (int i = 0; i < index; ++i)
        x += panels_->Items(i)->Width() + 2;
    const bool last = index == panels_->Count() - 1;
    const int w = last ? std::max(0, Width() - x) : panels_->Items(index)->Width();
    return Rect(x, 2, x + w, Height());
}

void TStatusBar::Paint() {
    TCanvas* c = Canvas();
    c->Brush()->SetColor(Color());
    c->Brush()->SetStyle(bsSolid);
    c->FillRect(Rect(0, 0, Width(), Height()));
    c->Font()->Assign(Font());
    auto draw = [&](TRect r, const std::string& text, TAlignment a, TStatusPanelBevel bevel) {
        if (bevel != pbNone)
            BevelFrame(c, r, bevel == pbRaised);
        c->Brush()->SetStyle(bsClear);
        unsigned flags = DT_SINGLELINE | DT_VCENTER;
        if (a == taCenter)
            flags |= DT_CENTER;
        else if (a == taRightJustify)
            flags |= DT_RIGHT;
        r.Left += 2;
        r.Right -= 2;
        c->TextRect(r, text, flags);
        c->Brush()->SetStyle(bsSolid);
    };
    if (simplePanel_) {
        draw(Rect(0, 2, Width(), Height()), simpleText_, taLeftJustify, pbNone);
        return;
    }
    for (int i = 0; i < panels_->Count(); ++i) {
        TStatusPanel* p = panels_->Items(i);
        draw(PanelRect(i), p->Text(), p->Alignment(), p->Bevel());
    }
}
