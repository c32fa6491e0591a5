#pragma once
// The drawing of one sheet (or chart): a root group whose children are the shapes, written as
// the sheet's drawing records interleaved with the object records of each shape, and read back
// in the same layout. New shapes come from the default-shape constructors; shapes move, copy
// and go with the cells they are anchored to.

#include "spreadsheet/drawing/EscherGroup.h"
#include "spreadsheet/drawing/Shape.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class TInternalNames;
class TExternalNames;
class TXFonts;

class TEscherDrawing;
// The object part of a form control (buttons, check boxes, radio buttons, scroll bars, list
// and combo boxes) by its object type; null for any other type.
std::unique_ptr<TShapeOutsideMso> MakeControlPart(int objectType, TEscherDrawing& drawing);

// Groups nest at most this deep in a drawing that is read.
constexpr int kMaxShapeGroupDepth = 32;

struct TShapeArea {
    int Col1, Row1, Col2, Row2;
};

class TEscherDrawing {
public:
    using TShapeAddedEvent = std::function<void(TEscherDrawing& drawing, TShape& shape)>;

    TEscherDrawing(TEscherGroup* group, TInternalNames* names, TXFonts* fonts);
    ~TEscherDrawing();
    TEscherDrawing(const TEscherDrawing&) = delete;
    TEscherDrawing& operator=(const TEscherDrawing&) = delete;

    int ShapeCount() const { return static_cast<int>(Root->Children.size()); }
    TShape* Shapes(int index) const { return Root->Children.at(static_cast<size_t>(index)).get(); }
    int IndexOfShape(uint32_t shapeId) const;

    // The stream stands at the start of the body (partLength bytes) of the first drawing record.
    void LoadFromStream(TBIFFStream& stream, int partLength);
    void SaveToStream(TBIFFStream& stream) const;

    uint32_t NewShapeId() { return CurrentShapeId++; }
    int NewObjectId() { return ++HighestObjectId; }
    // Registers the drawing before its first shape; later flags it changed.
    void EnsureRoot();

    TShapeClientAnchor* NewTextShape();
    TShapeClientAnchor* NewLineShape();
    TShapeClientAnchor* NewNoteShape();
    TShapeClientAnchor* NewAutoShape();
    TShapeClientAnchor* NewPictureShape();
    TShapeClientAnchor* NewListBoxShape();
    TShapeClientAnchor* NewComboBoxShape();
    TShapeClientAnchor* NewAutoFilterComboShape();
    TShapeClientAnchor* NewButtonShape();
    TShapeClientAnchor* NewRadioButtonShape();
    TShapeClientAnchor* NewCheckBoxShape();
    // A chart shape whose object part holds the default chart.
    TShapeClientAnchor* NewChartShape();
    // Sets the shape type; the common subrecord's object type follows for lines, rectangles and
    // ellipses.
    static void SetShapeType(TShape& shape, uint16_t type);

    // Copies a shape into `target` (same class): records, anchors, object part, children.
    void AssignShape(const TShape& source, TShape& target);
    void DeleteShape(uint32_t shapeId);
    void MoveShape(int index, int col, int row);
    void CopyShape(int index, int col, int row);
    void CopyShapesInArea(const TShapeArea& area, int destCol, int destRow);
    void MoveShapesInArea(const TShapeArea& area, int destCol, int destRow);
    void CollectShapesInArea(std::vector<TShape*>& list, const TShapeArea& area) const;
    // Copies of shapes (of this or another drawing) with new shape and object ids.
    void InsertShapes(const std::vector<TShape*>& list);
    void DeleteShapes(const std::vector<TShape*>& list);
    // Does nothing: clearing cells leaves the shapes over them.
    void DeleteShapesInArea(const TShapeArea&) {}

    TEscherGroup* Group;
    std::unique_ptr<TShapeGroupClientAnchor> Root;
    uint16_t DrawingId = 0;
    uint32_t DGShapeCount = 0;
    uint32_t CurrentShapeId = 0;
    std::vector<uint32_t> RegroupItems;
    std::unique_ptr<TMSORecords> Solver;
    TShapeAddedEvent OnShapeAdded;
    TXFonts* Fonts;
    TInternalNames* Names;
    int32_t HighestObjectId = 0;

private:
    friend class TDrawingLoader;
    TShapeClientAnchor* AddDefaultShape(uint16_t type, int col1, int row1, int col2, int row2);
    // The common subrecord (type, a new object id, options) and the end subrecord.
    void AddCommonSubrecords(TShape& shape, uint16_t objectType, uint16_t options);
    uint32_t NewTextId();
    // A shape's position for area operations: its first cell, or a note's cell.
    bool InArea(TShape& shape, const TShapeArea& area) const;
    void MoveClientShape(TShape& shape, int col, int row);
    std::unique_ptr<TShape> CopyOf(const TShape& source);
};
