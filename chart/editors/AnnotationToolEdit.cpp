#include "chart/editors/AnnotationToolEdit.h"

#include "chart/editors/ButtonPen.h"
#include "chart/editors/EditorRoutines.h"
#include "chart/editors/MarginsEditor.h"
#include "chart/editors/PointerEditor.h"
#include "chart/editors/ShapeEditor.h"
#include "chart/editors/StringsEditor.h"
#include "chart/tools/AnnotationTool.h"
#include "chart/util/ChartUtils.h"
#include "platform/rtl/Strings.h"
#include "platform/stdctrls/CheckBox.h"
#include "platform/stdctrls/ComboBox.h"
#include "platform/stdctrls/Edit.h"
#include "platform/stdctrls/Memo.h"
#include "platform/stdctrls/PageControl.h"
#include "platform/stdctrls/SpinEdit.h"

#include <algorithm>
#include <string>

namespace {

// The memo's lines as the tool keeps them: separated by carriage returns, no line feeds and no
// break after the last line (which would count as one more, empty, line of the box).
std::string ToolTextOf(const TStrings& lines) {
    std::string text;
    for (int i = 0; i < lines.Count(); ++i) {
        if (i > 0)
            text += '\r';
        std::string line = lines.Get(i);
        line.erase(std::remove(line.begin(), line.end(), '\n'), line.end());
        text += line;
    }
    return text;
}

int AlignmentIndex(TAlignment alignment) {
    return alignment == taLeftJustify ? 0 : alignment == taCenter ? 1 : 2;
}

} // namespace

TAnnotationToolEdit::TAnnotationToolEdit(TComponent* owner) : TForm(owner) {}

void TAnnotationToolEdit::DeclareMethods(TMethodTable& m) {
    using E = TAnnotationToolEdit;
    m.Add("FormShow", &E::FormShow);
    m.Add("MemoTextChange", &E::MemoTextChange);
    m.Add("CBTextAlignChange", &E::CBTextAlignChange);
    m.Add("CBCursorChange", &E::CBCursorChange);
    m.Add("CBVisibleClick", &E::CBVisibleClick);
    m.Add("CBClipClick", &E::CBClipClick);
    m.Add("Button1Click", &E::Button1Click);
    m.Add("CBPosChange", &E::CBPosChange);
    m.Add("CBCustPosClick", &E::CBCustPosClick);
    m.Add("ECustLeftChange", &E::ECustLeftChange);
    m.Add("ECustTopChange", &E::ECustTopChange);
    m.Add("CBUnitsChange", &E::CBUnitsChange);
    m.Add("CBAutoSizeClick", &E::CBAutoSizeClick);
    m.Add("ECustWidthChange", &E::ECustWidthChange);
    m.Add("ECustHeightChange", &E::ECustHeightChange);
    m.Add("EXChange", &E::EXChange);
    m.Add("EYChange", &E::EYChange);
    m.Add("EZChange", &E::EZChange);
    m.Add("EArrowDistChange", &E::EArrowDistChange);
    m.Add("CBHeadChange", &E::CBHeadChange);
    m.Add("Edit1Change", &E::Edit1Change);
    m.Add("BCalloutPointerClick", &E::BCalloutPointerClick);
}

void TAnnotationToolEdit::AfterConstruction() {
    updating_ = true;
    TForm::AfterConstruction();
    pages_ = FormPart<TPageControl>(this, "PageControl1");
    memo_ = FormPart<TMemo>(this, "MemoText");
    textAlign_ = FormPart<TComboBox>(this, "CBTextAlign");
    cursor_ = FormPart<TComboBox>(this, "CBCursor");
    visible_ = FormPart<TCheckBox>(this, "CBVisible");
    clip_ = FormPart<TCheckBox>(this, "CBClip");
    position_ = FormPart<TComboBox>(this, "CBPos");
    custom_ = FormPart<TCheckBox>(this, "CBCustPos");
    left_ = FormPart<TSpinEdit>(this, "ECustLeft");
    top_ = FormPart<TSpinEdit>(this, "ECustTop");
    units_ = FormPart<TComboBox>(this, "CBUnits");
    autoSize_ = FormPart<TCheckBox>(this, "CBAutoSize");
    width_ = FormPart<TSpinEdit>(this, "ECustWidth");
    height_ = FormPart<TSpinEdit>(this, "ECustHeight");
    calloutPen_ = FormPart<TButtonPen>(this, "BCalloutPen");
    x_ = FormPart<TEdit>(this, "EX");
    y_ = FormPart<TEdit>(this, "EY");
    z_ = FormPart<TEdit>(this, "EZ");
    distance_ = FormPart<TSpinEdit>(this, "EArrowDist");
    head_ = FormPart<TComboBox>(this, "CBHead");
    headSize_ = FormPart<TSpinEdit>(this, "Edit1");
    SetAlign(alClient);
    // The shape editor's pages join this page control, which then serves their first showing.
    shapeEditor_ = EmbedShapePages(pages_, nullptr);
    marginsEditor_ = TCustomForm::Create<TMarginsEditor>(this);
    EmbedFormInTab(marginsEditor_, FormPart<TTabSheet>(this, "TabMargins"));
    pages_->SetActivePage(FormPart<TTabSheet>(this, "TabText"));
}

void TAnnotationToolEdit::FormShow(TObject*) {
    if (tool_ != nullptr)
        LoadTool(tool_);
    TranslateKeepingCursorNames();
}

void TAnnotationToolEdit::TranslateKeepingCursorNames() {
    TStringList names;
    names.Assign(*cursor_->Items());
    const int chosen = cursor_->ItemIndex();
    TranslateControl(this);
    cursor_->Items()->Assign(names);
    cursor_->SetItemIndex(chosen);
}

void TAnnotationToolEdit::LoadTool(TAnnotationTool* tool) {
    tool_ = tool;
    if (tool != nullptr) {
        TUpdatingScope scope(*this);
        LoadControls();
    }
    // The editor is filled: from now on the handlers write.
    updating_ = false;
}

void TAnnotationToolEdit::LoadControls() {
    TAnnotationTool* tool = tool_;
    TTextShape* shape = tool->Shape();
    shapeEditor_->LoadShape(shape);
    marginsEditor_->LoadMargins(shape->Margins());
    memo_->SetText(tool->Text());
    position_->SetItemIndex(static_cast<int>(tool->Position()));
    units_->SetItemIndex(tool->PositionUnits() == muPixels ? 1 : 0);
    textAlign_->SetItemIndex(AlignmentIndex(tool->TextAlignment()));
    visible_->SetChecked(tool->Active());
    custom_->SetChecked(shape->CustomPosition());
    left_->SetValue(shape->Left());
    top_->SetValue(shape->Top());
    autoSize_->SetChecked(tool->AutoSize());
    width_->SetValue(tool->Width());
    height_->SetValue(tool->Height());
    clip_->SetChecked(tool->ClipText());
    LoadCallout();
    FillCursorCombo(cursor_, tool->Cursor());
    RefreshPosition();
    RefreshSize();
}

void TAnnotationToolEdit::LoadCallout() {
    TAnnotationCallout* callout = tool_->Callout();
    calloutPen_->LinkPen(callout->Arrow());
    x_->SetText(IntToStr(callout->XPosition()));
    y_->SetText(IntToStr(callout->YPosition()));
    z_->SetText(IntToStr(callout->ZPosition()));
    distance_->SetValue(callout->Distance());
    head_->SetItemIndex(static_cast<int>(callout->ArrowHead()));
    headSize_->SetValue(callout->ArrowHeadSize());
}

void TAnnotationToolEdit::RefreshPosition() {
    TUpdatingScope scope(*this);
    const bool custom = tool_->Shape()->CustomPosition();
    for (TControl* control : std::initializer_list<TControl*>{left_, top_, units_})
        control->SetEnabled(custom);
    custom_->SetChecked(custom);
    if (custom) {
        left_->SetValue(tool_->Shape()->Left());
        top_->SetValue(tool_->Shape()->Top());
    }
}

void TAnnotationToolEdit::RefreshSize() {
    TUpdatingScope scope(*this);
    const bool automatic = tool_->AutoSize();
    width_->SetEnabled(!automatic);
    height_->SetEnabled(!automatic);
    autoSize_->SetChecked(automatic);
    if (!automatic) {
        width_->SetValue(tool_->Width());
        height_->SetValue(tool_->Height());
    }
}

void TAnnotationToolEdit::MemoTextChange(TObject*) {
    if (!Guarded())
        tool_->SetText(ToolTextOf(*memo_->Lines()));
}

void TAnnotationToolEdit::CBTextAlignChange(TObject*) {
    if (Guarded())
        return;
    const int index = textAlign_->ItemIndex();
    tool_->SetTextAlignment(index == 0 ? taLeftJustify : index == 1 ? taCenter : taRightJustify);
}

void TAnnotationToolEdit::CBCursorChange(TObject*) {
    if (!Guarded())
        tool_->SetCursor(PlotCursorFromName(tool_->Cursor(), cursor_->GetText()));
}

void TAnnotationToolEdit::CBVisibleClick(TObject*) {
    if (!Guarded())
        tool_->SetActive(visible_->Checked());
}

void TAnnotationToolEdit::CBClipClick(TObject*) {
    if (!Guarded())
        tool_->SetClipText(clip_->Checked());
}

void TAnnotationToolEdit::Button1Click(TObject*) {
    // The memo's change handler takes the edited lines to the tool.
    RunTextEditor(this, memo_->Lines());
}

void TAnnotationToolEdit::CBPosChange(TObject*) {
    if (Guarded() || position_->ItemIndex() < 0)
        return;
    tool_->SetPosition(static_cast<TAnnotationPosition>(position_->ItemIndex()));
    RefreshPosition();
}

void TAnnotationToolEdit::CBCustPosClick(TObject*) {
    if (Guarded())
        return;
    tool_->Shape()->SetCustomPosition(custom_->Checked());
    RefreshPosition();
}

void TAnnotationToolEdit::ECustLeftChange(TObject*) {
    if (!Guarded() && tool_->Shape()->CustomPosition())
        tool_->SetLeft(left_->Value());
}

void TAnnotationToolEdit::ECustTopChange(TObject*) {
    if (!Guarded() && tool_->Shape()->CustomPosition())
        tool_->SetTop(top_->Value());
}

void TAnnotationToolEdit::CBUnitsChange(TObject*) {
    if (Guarded())
        return;
    if (units_->ItemIndex() == 1) {
        tool_->SetPositionUnits(muPixels);
        return;
    }
    tool_->SetPositionUnits(muPercent);
    // A percentage beyond the whole chart is brought back to its edge; the edits' change
    // handlers take the new values to a custom place.
    for (TSpinEdit* edit : {left_, top_})
        if (edit->Value() > 100)
            edit->SetValue(100);
}

void TAnnotationToolEdit::CBAutoSizeClick(TObject*) {
    if (Guarded())
        return;
    tool_->SetAutoSize(autoSize_->Checked());
    RefreshSize();
}

void TAnnotationToolEdit::ECustWidthChange(TObject*) {
    if (!Guarded() && !tool_->AutoSize())
        tool_->SetWidth(width_->Value());
}

void TAnnotationToolEdit::ECustHeightChange(TObject*) {
    if (!Guarded() && !tool_->AutoSize())
        tool_->SetHeight(height_->Value());
}

void TAnnotationToolEdit::EXChange(TObject*) {
    if (!Guarded())
        tool_->Callout()->SetXPosition(StrToIntDef(x_->GetText(), tool_->Callout()->XPosition()));
}

void TAnnotationToolEdit::EYChange(TObject*) {
    if (!Guarded())
        tool_->Callout()->SetYPosition(StrToIntDef(y_->GetText(), tool_->Callout()->YPosition()));
}

void TAnnotationToolEdit::EZChange(TObject*) {
    if (!Guarded())
        tool_->Callout()->SetZPosition(StrToIntDef(z_->GetText(), tool_->Callout()->ZPosition()));
}

void TAnnotationToolEdit::EArrowDistChange(TObject*) {
    if (!Guarded())
        tool_->Callout()->SetDistance(distance_->Value());
}

void TAnnotationToolEdit::CBHeadChange(TObject*) {
    if (!Guarded() && head_->ItemIndex() >= 0)
        tool_->Callout()->SetArrowHead(static_cast<TArrowHeadStyle>(head_->ItemIndex()));
}

void TAnnotationToolEdit::Edit1Change(TObject*) {
    if (!Guarded())
        tool_->Callout()->SetArrowHeadSize(headSize_->Value());
}

void TAnnotationToolEdit::BCalloutPointerClick(TObject*) {
    if (tool_ != nullptr)
        RunCalloutPointerEditor(this, tool_->Callout());
}
