#pragma once
// The published view of one shape of a sheet's drawing: its cell anchor (offsets as fractions
// of the cell), flips and shape id. The drawing owns the shape; the view refers to it. Removing
// a view leaves its shape in the drawing (callers delete the shape themselves).

#include "platform/classes/Collection.h"
#include "platform/classes/Properties.h"

#include <cstdint>
#include <string>

class TShapeClientAnchor;
class TEscherDrawing;
class TFormulaHandler;
class TXFonts;

// The collections of drawing objects and controls: the drawing their shapes live in.
class TDrwCollection : public TCollection {
    Q4_CLASS(TDrwCollection, TCollection)
    TDrwCollection(TClass itemClass, TPersistent* owner, TEscherDrawing* drawing,
                   TFormulaHandler* handler, TXFonts* fonts = nullptr)
        : TCollection(itemClass, owner), Drawing(drawing), Handler(handler), Fonts(fonts) {}

    // An item for a shape that exists already (one read from a file).
    TCollectionItem* AddFileShape(TShapeClientAnchor* shape);

    TEscherDrawing* Drawing;
    TFormulaHandler* Handler;
    TXFonts* Fonts;
    // Set while AddFileShape adds its item: the item takes the given shape instead of making
    // one.
    uint8_t FileAdd = 0;
};

class TDrwAnchor : public TCollectionItem {
    Q4_CLASS(TDrwAnchor, TCollectionItem)
    explicit TDrwAnchor(TCollection* collection) : TCollectionItem(collection) {}

    std::string DisplayName() const override { return Name; }
    virtual void SetShape(TShapeClientAnchor* shape) { shape_ = shape; }
    TShapeClientAnchor* Shape() const { return shape_; }

    int32_t Col1() const;
    void SetCol1(int32_t v);
    int32_t Row1() const;
    void SetRow1(int32_t v);
    int32_t Col2() const;
    void SetCol2(int32_t v);
    int32_t Row2() const;
    void SetRow2(int32_t v);
    // Fractions of the cell: the anchor keeps 1/1024 of a column and 1/256 of a row; values
    // are clamped to 0..1 and rounded to the nearest, halves to even.
    double Col1Offset() const;
    void SetCol1Offset(double v);
    double Row1Offset() const;
    void SetRow1Offset(double v);
    double Col2Offset() const;
    void SetCol2Offset(double v);
    double Row2Offset() const;
    void SetRow2Offset(double v);
    bool FlipHorizontal() const;
    void SetFlipHorizontal(bool v);
    bool FlipVertical() const;
    void SetFlipVertical(bool v);
    uint32_t SpId() const;

    std::string Name;

    static void DeclareProperties(TPropertyList& p);

protected:
    TDrwCollection* Owner() const { return dynamic_cast<TDrwCollection*>(Collection()); }
    // The shape the drawing makes for a new item (`make` asks it), unless the collection adds
    // an item for a shape read from a file.
    void MakeShape(TShapeClientAnchor* (*make)(TEscherDrawing&), const std::string& name);

private:
    int32_t Get(int field) const;
    void Set(int field, int32_t v);
    TShapeClientAnchor* shape_ = nullptr;
};

class TDrwCustom : public TDrwAnchor {
    Q4_CLASS(TDrwCustom, TDrwAnchor)
    using TDrwAnchor::TDrwAnchor;

    // A new procedure name and the shape's macro subrecord naming it.
    virtual void AssignMacro(const std::u16string& name);
    // True: the shape resizes with its cells (clears anchor flag 0x0002).
    void SetSizeWithCells(bool value);
};
