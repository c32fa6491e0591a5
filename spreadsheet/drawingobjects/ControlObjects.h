#pragma once
// A sheet's form controls, published in five collections (list boxes, combo boxes, buttons,
// check boxes, radio buttons). Each item is a view of a control shape of the sheet's drawing;
// the control's state lives in the shape's object part.

#include "spreadsheet/drawingobjects/DrawingObjects.h"
#include "spreadsheet/overlays/AutoFilters.h"

#include <memory>
#include <string>

class TShapeControlListBox;
class TShapeOutsideMsoBaseTextMacro;

class TControlObjList : public TDrwCollection {
    Q4_CLASS(TControlObjList, TDrwCollection)
    using TDrwCollection::TDrwCollection;

    // Removes the item's shape from the drawing, then the item.
    void DeleteControl(int index);
    // The same for the item with that collection id.
    void DeleteControlById(int id);
};

template <class TItem> class TControlItems : public TControlObjList {
public:
    TControlItems(TPersistent* owner, TEscherDrawing* drawing, TFormulaHandler* handler)
        : TControlObjList(TItem::StaticClass(), owner, drawing, handler) {}
    TItem* Add() { return static_cast<TItem*>(TCollection::Add()); }
    TItem* Items(int index) const { return static_cast<TItem*>(TCollection::Items(index)); }
};

class TControlListBox : public TDrwAnchor {
    Q4_CLASS(TControlListBox, TDrwAnchor)
    explicit TControlListBox(TCollection* collection);
    std::u16string SourceArea() const;
    void SetSourceArea(const std::u16string& v);
    std::u16string DestCell() const;
    void SetDestCell(const std::u16string& v);
    static void DeclareProperties(TPropertyList& p);

protected:
    TShapeControlListBox& Part() const;
};

class TControlComboBox : public TControlListBox {
    Q4_CLASS(TControlComboBox, TControlListBox)
    explicit TControlComboBox(TCollection* collection);
};

class TControlText : public TDrwAnchor {
    Q4_CLASS(TControlText, TDrwAnchor)
    using TDrwAnchor::TDrwAnchor;
    std::u16string Text() const;
    void SetText(const std::u16string& v);
    static void DeclareProperties(TPropertyList& p);

protected:
    TShapeOutsideMsoBaseTextMacro* Part() const;
};

class TControlTextMacro : public TControlText {
    Q4_CLASS(TControlTextMacro, TControlText)
    using TControlText::TControlText;
    std::u16string MacroName() const;
    // Adds a procedure name and makes the control's macro name it.
    void SetMacroName(const std::u16string& v);
    static void DeclareProperties(TPropertyList& p);
};

class TControlButton : public TControlTextMacro {
    Q4_CLASS(TControlButton, TControlTextMacro)
    explicit TControlButton(TCollection* collection);
};

class TControlCheckBox : public TControlTextMacro {
    Q4_CLASS(TControlCheckBox, TControlTextMacro)
    explicit TControlCheckBox(TCollection* collection);
};

class TControlRadioButton : public TControlTextMacro {
    Q4_CLASS(TControlRadioButton, TControlTextMacro)
    explicit TControlRadioButton(TCollection* collection);
};

// Combo boxes; while AutoFilter is set, new ones are filter drop-downs. The sheet's autofilters
// remove their drop-downs through it.
class TControlComboBoxes : public TControlItems<TControlComboBox>, public TAutoFilterDropDowns {
public:
    using TControlItems<TControlComboBox>::TControlItems;
    void DeleteControlById(int id) override { TControlObjList::DeleteControlById(id); }
    uint8_t AutoFilter = 0;
};

class TControlObjects : public TPersistent {
    Q4_CLASS(TControlObjects, TPersistent)
    TControlObjects(TPersistent* sheet, TEscherDrawing* drawing, TFormulaHandler* handler);
    ~TControlObjects() override;
    TPersistent* GetOwner() override { return sheet_; }

    TControlItems<TControlListBox>& ListBoxes() { return *listBoxes_; }
    TControlComboBoxes& ComboBoxes() { return *comboBoxes_; }
    TControlItems<TControlButton>& Buttons() { return *buttons_; }
    TControlItems<TControlCheckBox>& CheckBoxes() { return *checkBoxes_; }
    TControlItems<TControlRadioButton>& RadioButtons() { return *radioButtons_; }

    // The defined name at `index` went: the macros of the drawing's buttons and list and combo
    // boxes that name a later name move down by one; one that names it is removed.
    void NameDeleted(int index);

    static void DeclareProperties(TPropertyList& p);

private:
    TPersistent* sheet_;
    TEscherDrawing* drawing_;
    std::unique_ptr<TControlItems<TControlListBox>> listBoxes_;
    std::unique_ptr<TControlComboBoxes> comboBoxes_;
    std::unique_ptr<TControlItems<TControlButton>> buttons_;
    std::unique_ptr<TControlItems<TControlCheckBox>> checkBoxes_;
    std::unique_ptr<TControlItems<TControlRadioButton>> radioButtons_;
};
