#pragma once
// What the chart's editor windows share: creating and placing a dialog, embedding a small editor
// form in a tab sheet of a bigger one, the Yes/No confirmation, the arrow glyphs of the move
// buttons and the cursor names (with the library's own hand cursor).

#include "chart/util/ChartUtils.h"
#include "platform/forms/Forms.h"
#include "platform/graphics/Cursors.h"

#include <initializer_list>
#include <string>

class TBitmap;
class TComboBox;
class TControl;

// Centred on the owner's form when the form has an owner, else on the screen.
void PositionDialog(TCustomForm* form);
// The form that holds the control, or the control itself when it has none or is no control.
TComponent* ParentFormOf(TComponent* control);
// The first form on the parent chain, or null.
TCustomForm* ParentFormOfControl(TControl* control);
// Scales form to its parent form's pixels per inch (one density here: nothing to do).
void ScaleToParentForm(TCustomForm* form);

// An editor form owned by the form of control, placed as a dialog.
template <class T> T* CreateEditorDialog(TComponent* control) {
    T* form = TCustomForm::Create<T>(ParentFormOf(control));
    form->SetAlign(alNone);
    PositionDialog(form);
    form->SetBorderStyle(bsDialog);
    return form;
}

void ShowControls(bool visible, std::initializer_list<TControl*> controls);

// Asks message with Yes and No (the default cursor back first); with a list box the dialog's
// top-left corner is 20 pixels right of and 30 below the list box's client origin. True on Yes.
bool ConfirmDialog(const std::string& message, TControl* listBox = nullptr);
// "Delete <name> ?"
bool ConfirmDelete(const std::string& name, TControl* listBox = nullptr);

// Makes form a borderless child of sheet: 4 pixels from the left, at most 4 from the top (less
// when the form is nearly as high as the sheet), shown.
void EmbedFormInTab(TCustomForm* form, TWinControl* sheet);

// The glyphs of the move buttons: two 12-pixel cells (normal, disabled) side by side.
void LoadArrowGlyphs(TBitmap& up, TBitmap& down);

// "crPlotHand" and the platform's cursor names, both ways.
bool PlotIdentToCursor(const std::string& ident, TCursor& cursor);
bool PlotCursorToIdent(TCursor cursor, std::string& ident);
// The cursor named "cr" + name, else def.
TCursor PlotCursorFromName(TCursor def, const std::string& name);
std::string RemoveCursorPrefix(const std::string& ident);
// Every cursor name without its "cr", the library's hand last; selects cursor's entry (or none).
void FillCursorCombo(TComboBox* combo, TCursor cursor);

[[noreturn]] void ThrowMissingPart(const TComponent* form, const char* name);
// The component of form named name, of class T; raises EComponentError when it has none.
template <class T> T* FormPart(const TComponent* form, const char* name) {
    T* part = dynamic_cast<T*>(form->FindComponent(name));
    if (part == nullptr)
        ThrowMissingPart(form, name);
    return part;
}
