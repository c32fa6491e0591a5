#include "spreadsheet/drawingobjects/ControlObjects.h"

#include "platform/rtl/Exception.h"
#include "spreadsheet/drawing/ControlParts.h"
#include "spreadsheet/drawing/EscherDrawing.h"
#include "spreadsheet/formulas/FormulaHandler.h"

void TControlObjList::DeleteControl(int index) {
    auto* item = static_cast<TDrwAnchor*>(Items(index));
    if (Drawing && item->Shape())
        Drawing->DeleteShape(item->Shape()->ShapeId);
    delete item;
}

void TControlObjList::DeleteControlById(int id) {
    if (TCollectionItem* item = FindItemID(id))
        DeleteControl(item->Index());
}

TControlListBox::TControlListBox(TCollection* collection) : TDrwAnchor(collection) {
    if (!dynamic_cast<TControlComboBoxes*>(collection))
        MakeShape([](TEscherDrawing& d) { return d.NewListBoxShape(); }, "ListBox ");
}

TShapeControlListBox& TControlListBox::Part() const {
    auto* part = Shape() ? dynamic_cast<TShapeControlListBox*>(Shape()->Object.get()) : nullptr;
    if (!part)
        throw Exception("Unknown LBS formula.");
    return *part;
}

std::u16string TControlListBox::SourceArea() const {
    return Part().SourceArea();
}
void TControlListBox::SetSourceArea(const std::u16string& v) {
    Part().SetSourceArea(v);
}
std::u16string TControlListBox::DestCell() const {
    return Part().DestCell();
}
void TControlListBox::SetDestCell(const std::u16string& v) {
    Part().SetDestCell(v);
}

void TControlListBox::DeclareProperties(TPropertyList& p) {
    using T = TControlListBox;
    p.AddFn<T>(
        "SourceArea", [](T* t) { return t->SourceArea(); },
        [](T* t, std::u16string v) { t->SetSourceArea(v); });
    p.AddFn<T>(
        "DestCell", [](T* t) { return t->DestCell(); },
        [](T* t, std::u16string v) { t->SetDestCell(v); });
}

TControlComboBox::TControlComboBox(TCollection* collection) : TControlListBox(collection) {
    auto* combos = dynamic_cast<TControlComboBoxes*>(collection);
    if (combos && combos->AutoFilter) {
        // A drop-down read from a file keeps its own shape (no second one is made for it).
        if (combos->Drawing && !combos->FileAdd)
            SetShape(combos->Drawing->NewAutoFilterComboShape());
        Name = "ComboBox Autofilter " + std::to_string(ID());
        return;
    }
    MakeShape([](TEscherDrawing& d) { return d.NewComboBoxShape(); }, "ComboBox ");
}

TShapeOutsideMsoBaseTextMacro* TControlText::Part() const {
    return Shape() ? dynamic_cast<TShapeOutsideMsoBaseTextMacro*>(Shape()->Object.get()) : nullptr;
}

std::u16string TControlText::Text() const {
    return Part() ? Part()->Text : std::u16string();
}

void TControlText::SetText(const std::u16string& v) {
    if (Part())
        Part()->Text = v;
}

void TControlText::DeclareProperties(TPropertyList& p) {
    p.AddFn<TControlText>(
        "Text", [](TControlText* t) { return t->Text(); },
        [](TControlText* t, std::u16string v) { t->SetText(v); });
}

std::u16string TControlTextMacro::MacroName() const {
    TDrwCollection* owner = Owner();
    return Part() && owner && owner->Handler
               ? MacroNameOf(Part()->Macro, &owner->Handler->InternalNames())
               : std::u16string();
}

void TControlTextMacro::SetMacroName(const std::u16string& v) {
    TDrwCollection* owner = Owner();
    if (!Part() || !owner || !owner->Handler)
        return;
    Part()->Macro =
        AddMacroName(v, owner->Handler->InternalNames(), &owner->Handler->ExternalNames());
}

void TControlTextMacro::DeclareProperties(TPropertyList& p) {
    p.AddFn<TControlTextMacro>(
        "MacroName", [](TControlTextMacro* t) { return t->MacroName(); },
        [](TControlTextMacro* t, std::u16string v) { t->SetMacroName(v); });
}

TControlButton::TControlButton(TCollection* collection) : TControlTextMacro(collection) {
    MakeShape([](TEscherDrawing& d) { return d.NewButtonShape(); }, "Button ");
}

TControlCheckBox::TControlCheckBox(TCollection* collection) : TControlTextMacro(collection) {
    MakeShape([](TEscherDrawing& d) { return d.NewCheckBoxShape(); }, "CheckBox ");
}

TControlRadioButton::TControlRadioButton(TCollection* collection) : TControlTextMacro(collection) {
    MakeShape([](TEscherDrawing& d) { return d.NewRadioButtonShape(); }, "RadioButton ");
}

TControlObjects::TControlObjects(TPersistent* sheet, TEscherDrawing* drawing,
                                 TFormulaHandler* handler)
    : sheet_(sheet), drawing_(drawing),
      listBoxes_(std::make_unique<TControlItems<TControlListBox>>(this, drawing, handler)),
      comboBoxes_(std::make_unique<TControlComboBoxes>(this, drawing, handler)),
      buttons_(std::make_unique<TControlItems<TControlButton>>(this, drawing, handler)),
      checkBoxes_(std::make_unique<TControlItems<TControlCheckBox>>(this, drawing, handler)),
      radioButtons_(std::make_unique<TControlItems<TControlRadioButton>>(this, drawing, handler)) {}

TControlObjects::~TControlObjects() {
    radioButtons_.reset();
    checkBoxes_.reset();
    buttons_.reset();
    comboBoxes_.reset();
    listBoxes_.reset();
}

void TControlObjects::NameDeleted(int index) {
    if (!drawing_)
        return;
    for (int i = 0; i < drawing_->ShapeCount(); ++i) {
        TShapeOutsideMso* part = drawing_->Shapes(i)->Object.get();
        if (auto* box = dynamic_cast<TShapeControlListBox*>(part))
            NameDeletedFromMacro(box->Macro, index);
        else if (auto* button = dynamic_cast<TShapeControlButton*>(part))
            NameDeletedFromMacro(button->Macro, index);
    }
}

void TControlObjects::DeclareProperties(TPropertyList& p) {
    using T = TControlObjects;
    p.AddFn<T>("ListBoxes", [](T* t) { return static_cast<TCollection*>(&t->ListBoxes()); });
    p.AddFn<T>("ComboBoxes", [](T* t) { return static_cast<TCollection*>(&t->ComboBoxes()); });
    p.AddFn<T>("Buttons", [](T* t) { return static_cast<TCollection*>(&t->Buttons()); });
    p.AddFn<T>("CheckBoxes", [](T* t) { return static_cast<TCollection*>(&t->CheckBoxes()); });
    p.AddFn<T>("RadioButtons", [](T* t) { return static_cast<TCollection*>(&t->RadioButtons()); });
}
