#include "chart/editors/EditorRoutines.h"

#include "platform/classes/Resources.h"
#include "platform/forms/Dialogs.h"
#include "platform/graphics/Bitmap.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/Strings.h"
#include "platform/stdctrls/ComboBox.h"

#include <algorithm>
#include <cstdlib>

namespace {

const char* const PlotHandName = "crPlotHand";

bool StartsWithCr(const std::string& text) {
    return text.size() > 2 && text.compare(0, 2, "cr") == 0;
}

void LoadGlyph(TBitmap& glyph, const char* name) {
    TResourceStream stream(name, RT_BITMAP);
    glyph.LoadFromStream(stream);
}

} // namespace

void ThrowMissingPart(const TComponent* form, const char* name) {
    throw EComponentError(form->ClassName() + " has no " + name);
}

void PositionDialog(TCustomForm* form) {
    form->SetPosition(form->Owner() != nullptr ? poOwnerFormCenter : poScreenCenter);
}

TComponent* ParentFormOf(TComponent* control) {
    auto* c = dynamic_cast<TControl*>(control);
    if (c == nullptr)
        return control;
    TCustomForm* form = GetParentForm(c);
    return form != nullptr ? form : control;
}

TCustomForm* ParentFormOfControl(TControl* control) {
    for (TWinControl* p = control != nullptr ? control->Parent() : nullptr; p != nullptr;
         p = p->Parent())
        if (auto* form = dynamic_cast<TCustomForm*>(p))
            return form;
    return nullptr;
}

void ScaleToParentForm(TCustomForm* form) {
    TCustomForm* parent = ParentFormOfControl(form);
    if (parent != nullptr && parent->PixelsPerInch() != form->PixelsPerInch())
        form->SetPixelsPerInch(parent->PixelsPerInch());
}

void ShowControls(bool visible, std::initializer_list<TControl*> controls) {
    for (TControl* c : controls)
        if (c != nullptr)
            c->SetVisible(visible);
}

bool ConfirmDialog(const std::string& message, TControl* listBox) {
    if (Screen != nullptr)
        Screen->SetCursor(crDefault);
    const TMsgDlgButtons buttons{mbYes, mbNo};
    if (listBox == nullptr)
        return MessageDlg(message, mtConfirmation, buttons) == mrYes;
    const TPoint at = listBox->ClientOrigin();
    return MessageDlgPos(message, mtConfirmation, buttons, 0, at.X + 20, at.Y + 30) == mrYes;
}

bool ConfirmDelete(const std::string& name, TControl* listBox) {
    return ConfirmDialog("Delete " + name + " ?", listBox);
}

void EmbedFormInTab(TCustomForm* form, TWinControl* sheet) {
    form->SetParentColor(true);
    form->SetPosition(poDesigned);
    form->SetBorderStyle(bsNone);
    form->SetBorderIcons({});
    form->SetParent(sheet);
    const bool wasVisible = sheet->Visible();
    sheet->SetVisible(true);
    form->SetLeft(4);
    form->SetTop(std::min(4, std::abs(sheet->ClientHeight() - form->ClientHeight()) / 2));
    ScaleToParentForm(form);
    form->Show();
    sheet->SetVisible(wasVisible);
}

void LoadArrowGlyphs(TBitmap& up, TBitmap& down) {
    LoadGlyph(up, "PlotArrowUp");
    LoadGlyph(down, "PlotArrowDown");
}

bool PlotIdentToCursor(const std::string& ident, TCursor& cursor) {
    if (SameText(ident, PlotHandName)) {
        cursor = crPlotHand;
        return true;
    }
    if (!StartsWithCr(ident))
        return false;
    try {
        cursor = StringToCursor(ident);
        return true;
    } catch (const EConvertError&) {
        return false;
    }
}

bool PlotCursorToIdent(TCursor cursor, std::string& ident) {
    if (cursor == crPlotHand) {
        ident = PlotHandName;
        return true;
    }
    const std::string name = CursorToString(cursor);
    if (!StartsWithCr(name))
        return false;
    ident = name;
    return true;
}

TCursor PlotCursorFromName(TCursor def, const std::string& name) {
    TCursor cursor = def;
    return PlotIdentToCursor("cr" + name, cursor) ? cursor : def;
}

std::string RemoveCursorPrefix(const std::string& ident) {
    return StartsWithCr(ident) ? ident.substr(2) : ident;
}

void FillCursorCombo(TComboBox* combo, TCursor cursor) {
    combo->Clear();
    GetCursorValues(
        [combo](const std::string& name) { combo->Items()->Add(RemoveCursorPrefix(name)); });
    combo->Items()->Add(RemoveCursorPrefix(PlotHandName));
    std::string ident;
    combo->SetItemIndex(
        PlotCursorToIdent(cursor, ident) ? combo->Items()->IndexOf(RemoveCursorPrefix(ident)) : -1);
}
