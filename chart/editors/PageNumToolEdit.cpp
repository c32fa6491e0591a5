#include "chart/editors/PageNumToolEdit.h"

#include "chart/editors/ButtonPen.h"
#include "chart/editors/EditorRoutines.h"
#include "chart/editors/GradientEditor.h"
#include "chart/tools/PageNumTool.h"
#include "platform/forms/Timer.h"
#include "platform/stdctrls/CheckBox.h"
#include "platform/stdctrls/PageControl.h"
#include "platform/stdctrls/SpinEdit.h"

TPageNumToolEdit::TPageNumToolEdit(TComponent* owner) : TAnnotationToolEdit(owner) {}

void TPageNumToolEdit::DeclareMethods(TMethodTable& m) {
    using E = TPageNumToolEdit;
    m.Add("FormShow", &E::FormShow);
    m.Add("Timer1Timer", &E::Timer1Timer);
    m.Add("CBButtonsClick", &E::CBButtonsClick);
    m.Add("EWidthChange", &E::EWidthChange);
}

void TPageNumToolEdit::AfterConstruction() {
    TAnnotationToolEdit::AfterConstruction();
    buttons_ = FormPart<TCheckBox>(this, "CBButtons");
    buttonWidth_ = FormPart<TSpinEdit>(this, "EWidth");
    enabled_ = FormPart<TButtonGradient>(this, "BEnabled");
    disabled_ = FormPart<TButtonGradient>(this, "BDisabled");
    border_ = FormPart<TButtonPen>(this, "BBorder");
    timer_ = FormPart<TTimer>(this, "Timer1");
    paging_ = FormPart<TTabSheet>(this, "TabPaging");
}

TPageNumTool* TPageNumToolEdit::PageTool() const {
    return dynamic_cast<TPageNumTool*>(Tool());
}

void TPageNumToolEdit::FormShow(TObject* sender) {
    TAnnotationToolEdit::FormShow(sender);
    if (TPageNumTool* tool = PageTool()) {
        TUpdatingScope scope(*this);
        buttons_->SetChecked(tool->ShowButtons());
        buttonWidth_->SetValue(tool->ButtonWidth());
        border_->LinkPen(tool->ButtonPen());
        enabled_->LinkGradient(tool->EnabledButton());
        disabled_->LinkGradient(tool->DisabledButton());
    }
    timer_->SetEnabled(true);
}

void TPageNumToolEdit::Timer1Timer(TObject*) {
    timer_->SetEnabled(false);
    PageControl1()->SetActivePage(paging_);
}

void TPageNumToolEdit::CBButtonsClick(TObject*) {
    if (!Guarded() && PageTool() != nullptr)
        PageTool()->SetShowButtons(buttons_->Checked());
}

void TPageNumToolEdit::EWidthChange(TObject*) {
    if (!Guarded() && PageTool() != nullptr)
        PageTool()->SetButtonWidth(buttonWidth_->Value());
}
