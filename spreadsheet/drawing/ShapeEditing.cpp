// Copying, moving and deleting shapes, alone and with the cells they are anchored to.

#include "spreadsheet/drawing/EscherDrawing.h"

#include "platform/rtl/Exception.h"
#include "spreadsheet/drawing/TextObject.h"

void TEscherDrawing::AssignShape(const TShape& source, TShape& target) {
    target.ShapeType = source.ShapeType;
    target.Flags = source.Flags;
    source.Opt.AssignTo(target.Opt);
    target.Other.reset();
    if (source.Other)
        target.Other = std::make_unique<TMSORecords>(*source.Other);
    target.ObjRecords.Clear();
    source.ObjRecords.CopyTo(target.ObjRecords);
    target.Object.reset();
    if (source.Object) {
        // Notes copy into notes, other text objects into text boxes; nothing else copies.
        target.Object = source.Object->AssignObject();
        target.Object->OwnsObjectData = source.Object->OwnsObjectData;
        target.Object->ObjectId = source.Object->ObjectId;
        target.Object->ObjectOptions = source.Object->ObjectOptions;
        if (target.Opt.IndexOf(0x0080) >= 0)
            target.Opt.SetValue(0x0080, NewTextId());
    }
    if (auto* anchor = const_cast<TShape&>(source).ClientAnchor(); anchor && target.ClientAnchor())
        *target.ClientAnchor() = *anchor;
    if (auto* anchor = const_cast<TShape&>(source).ChildAnchor(); anchor && target.ChildAnchor())
        *target.ChildAnchor() = *anchor;
    if (!source.IsGroup())
        return;
    const auto& from = static_cast<const TShapeGroup&>(source);
    auto& to = static_cast<TShapeGroup&>(target);
    to.Rect = from.Rect;
    to.Children.clear();
    for (const auto& child : from.Children) {
        TShape& c = *child;
        if (!c.IsGroup() && c.ClientAnchor())
            throw Exception("ClientAnchor in ShapeGroup");
        if (!c.IsGroup() && !c.ChildAnchor())
            throw Exception("Dont know how to Copy this shape");
        std::unique_ptr<TShape> copy = c.NewOfSameClass(this);
        AssignShape(c, *copy);
        copy->ShapeId = NewShapeId();
        to.Children.push_back(std::move(copy));
    }
}

std::unique_ptr<TShape> TEscherDrawing::CopyOf(const TShape& source) {
    std::unique_ptr<TShape> copy = source.NewOfSameClass(this);
    AssignShape(source, *copy);
    copy->ShapeId = NewShapeId();
    const int objectId = NewObjectId();
    if (TRawRecord* common = copy->CommonSubrecord())
        common->SetWordAt(2, static_cast<uint16_t>(objectId));
    if (copy->Object)
        copy->Object->ObjectId = static_cast<uint16_t>(objectId);
    return copy;
}

void TEscherDrawing::DeleteShape(uint32_t shapeId) {
    const int index = IndexOfShape(shapeId);
    if (index < 0)
        return;
    Root->Children.erase(Root->Children.begin() + index);
    if (!Group)
        return;
    if (ShapeCount() > 0) {
        Group->FlagDrawingChanged(DrawingId);
    } else if (DrawingId != 0) {
        Group->RemoveDrawing(DrawingId);
        DrawingId = 0;
    }
}

void TEscherDrawing::MoveClientShape(TShape& shape, int col, int row) {
    TMSOObjCLIENTANCHOR* anchor = shape.ClientAnchor();
    if (!anchor) {
        if (shape.ChildAnchor())
            throw Exception("Not implemented: Move shape child anchor");
        throw Exception("Dont know how to Move this shape");
    }
    TMSOObjCLIENTANCHOR& a = *anchor;
    const int dCol = col - a[TMSOObjCLIENTANCHOR::Col1];
    const int dRow = row - a[TMSOObjCLIENTANCHOR::Row1];
    a[TMSOObjCLIENTANCHOR::Col1] = col;
    a[TMSOObjCLIENTANCHOR::Row1] = row;
    a[TMSOObjCLIENTANCHOR::Col2] += dCol;
    a[TMSOObjCLIENTANCHOR::Row2] += dRow;
    if (shape.Object && shape.Object->IsNote()) {
        auto& note = static_cast<TShapeOutsideMsoNote&>(*shape.Object);
        note.CellCol += dCol;
        note.CellRow += dRow;
    }
}

void TEscherDrawing::MoveShape(int index, int col, int row) {
    MoveClientShape(*Shapes(index), col, row);
}

void TEscherDrawing::CopyShape(int index, int col, int row) {
    std::unique_ptr<TShape> copy = CopyOf(*Shapes(index));
    TShape& placed = *copy;
    Root->Children.push_back(std::move(copy));
    if (!placed.ChildAnchor())
        MoveClientShape(placed, col, row);
}

bool TEscherDrawing::InArea(TShape& shape, const TShapeArea& area) const {
    const TMSOObjCLIENTANCHOR* anchor = shape.ClientAnchor();
    if (!anchor)
        return false;
    int col = (*anchor)[TMSOObjCLIENTANCHOR::Col1], row = (*anchor)[TMSOObjCLIENTANCHOR::Row1];
    if (shape.Object && shape.Object->IsNote()) {
        const auto& note = static_cast<const TShapeOutsideMsoNote&>(*shape.Object);
        col = note.CellCol;
        row = note.CellRow;
    }
    return col >= area.Col1 && col <= area.Col2 && row >= area.Row1 && row <= area.Row2;
}

void TEscherDrawing::CollectShapesInArea(std::vector<TShape*>& list, const TShapeArea& area) const {
    for (const auto& child : Root->Children)
        if (InArea(*child, area))
            list.push_back(child.get());
}

void TEscherDrawing::CopyShapesInArea(const TShapeArea& area, int destCol, int destRow) {
    std::vector<TShape*> list;
    CollectShapesInArea(list, area);
    for (TShape* shape : list) {
        const TMSOObjCLIENTANCHOR& a = *shape->ClientAnchor();
        CopyShape(IndexOfShape(shape->ShapeId), destCol + a[TMSOObjCLIENTANCHOR::Col1] - area.Col1,
                  destRow + a[TMSOObjCLIENTANCHOR::Row1] - area.Row1);
    }
}

void TEscherDrawing::MoveShapesInArea(const TShapeArea& area, int destCol, int destRow) {
    std::vector<TShape*> list;
    CollectShapesInArea(list, area);
    for (TShape* shape : list) {
        const TMSOObjCLIENTANCHOR& a = *shape->ClientAnchor();
        MoveClientShape(*shape, destCol + a[TMSOObjCLIENTANCHOR::Col1] - area.Col1,
                        destRow + a[TMSOObjCLIENTANCHOR::Row1] - area.Row1);
    }
}

void TEscherDrawing::InsertShapes(const std::vector<TShape*>& list) {
    for (TShape* source : list) {
        if (ShapeCount() == 0 || DrawingId == 0)
            EnsureRoot();
        std::unique_ptr<TShape> copy = CopyOf(*source);
        TShape& placed = *copy;
        Root->Children.push_back(std::move(copy));
        if (OnShapeAdded)
            OnShapeAdded(*this, placed);
    }
}

void TEscherDrawing::DeleteShapes(const std::vector<TShape*>& list) {
    std::vector<uint32_t> ids;
    for (TShape* shape : list)
        ids.push_back(shape->ShapeId);
    for (uint32_t id : ids)
        DeleteShape(id);
}
