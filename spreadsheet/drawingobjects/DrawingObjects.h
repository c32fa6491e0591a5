#pragma once
// A sheet's drawing objects, published in five collections (text boxes, notes, basic shapes,
// auto shapes, pictures). Each item is a view of one shape of the sheet's drawing: a new item
// asks the drawing for a default shape; an item for a shape read from a file takes that shape.

#include "spreadsheet/drawingobjects/DrwAnchor.h"

#include <memory>
#include <string>

class TShapeOutsideMsoBaseText;
class TShapeOutsideMsoNote;

class TCustomDrwText : public TDrwCustom {
    Q4_CLASS(TCustomDrwText, TDrwCustom)
    using TDrwCustom::TDrwCustom;

    std::u16string Text() const;
    // Keeps at most 32767 characters.
    void SetText(const std::u16string& value);
    // Centimetres, in the properties 0x0081-0x0084 (1/360000 cm); a shape without the property
    // reads -1/360000 and keeps it unchanged.
    double Margin(int side) const;
    void SetMargin(int side, double cm);

    static void DeclareProperties(TPropertyList& p);

protected:
    TShapeOutsideMsoBaseText* TextPart() const;
};

class TDrwText : public TCustomDrwText {
    Q4_CLASS(TDrwText, TCustomDrwText)
    explicit TDrwText(TCollection* collection);
};

class TDrwNote : public TCustomDrwText {
    Q4_CLASS(TDrwNote, TCustomDrwText)
    explicit TDrwNote(TCollection* collection);

    int32_t CellCol() const;
    void SetCellCol(int32_t v);
    int32_t CellRow() const;
    void SetCellRow(int32_t v);
    std::u16string Author() const;
    void SetAuthor(const std::u16string& v);
    bool AlwaysVisible() const;
    void SetAlwaysVisible(bool v);

    static void DeclareProperties(TPropertyList& p);

private:
    TShapeOutsideMsoNote* Note() const;
};

enum TBasicShapeType : uint8_t { bstLine, bstArrow, bstEllipse, bstRectangle };

class TDrwBasic : public TDrwCustom {
    Q4_CLASS(TDrwBasic, TDrwCustom)
    explicit TDrwBasic(TCollection* collection);
    TBasicShapeType ShapeType() const;
    // Sets the shape type and its properties anew.
    void SetShapeType(TBasicShapeType value);
    static void DeclareProperties(TPropertyList& p);
};

enum TAutoShapeType : uint8_t {
    astSun,
    astMoon,
    astLeftArrow,
    astDownArrow,
    astUpArrow,
    astLeftRightArrow,
    astUpDownArrow,
    astQuadArrow,
    astLeftArrowCallout,
    astRightArrowCallout,
    astUpArrowCallout,
    astDownArrowCallout,
    astLeftRightArrowCallout,
    astUpDownArrowCallout,
    astQuadArrowCallout
};

class TDrwAutoShape : public TDrwCustom {
    Q4_CLASS(TDrwAutoShape, TDrwCustom)
    explicit TDrwAutoShape(TCollection* collection);
    TAutoShapeType ShapeType() const;
    void SetShapeType(TAutoShapeType value);
    // Properties 0x01C0 and 0x0181: -1 when the shape lacks them; set only when it has them.
    int64_t LineColor() const;
    void SetLineColor(uint32_t value);
    int64_t FillColor() const;
    void SetFillColor(uint32_t value);
    static void DeclareProperties(TPropertyList& p);
};

class TDrwPicture : public TDrwCustom {
    Q4_CLASS(TDrwPicture, TDrwCustom)
    explicit TDrwPicture(TCollection* collection);
    int32_t PictureId() const;
    // Raises "Picture Id out of range." for an id outside the store (when it has pictures).
    void SetPictureId(int32_t value);
    std::u16string PictureName() const;
    // Raises "Can not find picture: " + the name.
    void SetPictureName(const std::u16string& value);
    static void DeclareProperties(TPropertyList& p);
};

// Collections of one kind of item each.
template <class TItem> class TDrwItems : public TDrwCollection {
public:
    TDrwItems(TPersistent* owner, TEscherDrawing* drawing, TFormulaHandler* handler, TXFonts* fonts)
        : TDrwCollection(TItem::StaticClass(), owner, drawing, handler, fonts) {}
    TItem* Add() { return static_cast<TItem*>(TCollection::Add()); }
    TItem* Items(int index) const { return static_cast<TItem*>(TCollection::Items(index)); }
};

class TDrawingObjects : public TPersistent {
    Q4_CLASS(TDrawingObjects, TPersistent)
    TDrawingObjects(TPersistent* sheet, TEscherDrawing* drawing, TFormulaHandler* handler,
                    TXFonts* fonts);
    ~TDrawingObjects() override;
    TPersistent* GetOwner() override { return sheet_; }

    TDrwItems<TDrwText>& Texts() { return *texts_; }
    TDrwItems<TDrwNote>& Notes() { return *notes_; }
    TDrwItems<TDrwBasic>& Basics() { return *basics_; }
    TDrwItems<TDrwAutoShape>& AutoShapes() { return *autoShapes_; }
    TDrwItems<TDrwPicture>& Pictures() { return *pictures_; }

    static void DeclareProperties(TPropertyList& p);

private:
    TPersistent* sheet_;
    std::unique_ptr<TDrwItems<TDrwText>> texts_;
    std::unique_ptr<TDrwItems<TDrwNote>> notes_;
    std::unique_ptr<TDrwItems<TDrwBasic>> basics_;
    std::unique_ptr<TDrwItems<TDrwAutoShape>> autoShapes_;
    std::unique_ptr<TDrwItems<TDrwPicture>> pictures_;
};
