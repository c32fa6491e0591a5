#pragma once
// The shapes of a drawing: client-anchored (to cells) and child-anchored (inside a group), and
// groups of either kind with their children. A shape holds its id, type, flags, property table,
// the records it does not interpret, its worksheet object's subrecords and, for text boxes,
// notes, controls and charts, an object part that writes and reads the worksheet records of
// its object.

#include "spreadsheet/drawing/ClientAnchor.h"
#include "spreadsheet/drawing/MsoRecords.h"
#include "spreadsheet/drawing/OPT.h"
#include "spreadsheet/records/BaseRecordStorage.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class TEscherDrawing;

// Shape flags.
enum : uint32_t {
    spfGroup = 0x0001,
    spfChild = 0x0002,
    spfRoot = 0x0004,
    spfFlipH = 0x0040,
    spfFlipV = 0x0080,
    spfHaveAnchor = 0x0200,
    spfHaveShapeType = 0x0800,
};

// Object kinds of object parts.
enum : uint8_t {
    okOtherText = 0,
    okLabel = 1,
    okButton = 2,
    okListBox = 3,
    okCheckBox = 4,
    okComboBox = 5,
    okRadioButton = 6,
    okGroupBox = 7,
    okScrollBar = 8,
    okTextBox = 9,
    okDrawnText = 10,
    okNote = 11,
    okChart = 12,
};

// The part of a shape that lives outside the drawing records: the worksheet object's records.
class TShapeOutsideMso {
public:
    virtual ~TShapeOutsideMso() = default;
    // A copy for another shape; raises "Can not assign this interface" where copying is not
    // possible.
    virtual std::unique_ptr<TShapeOutsideMso> AssignObject() const;
    // Reads the records after the shape's OBJ record; returns the drawing bytes it took from
    // the shape's container (its client text box).
    virtual int ReadObject(TDrawingReader& reader) {
        (void)reader;
        return 0;
    }
    virtual void WriteObject(TBIFFStream& stream) const { (void)stream; }
    // Takes the OBJ subrecords over; true when the part owns them now.
    virtual bool TakeObjData(const TBaseRecordStorage& subrecords) {
        (void)subrecords;
        return false;
    }
    // A text object, whose client text box record goes into a drawing record of its own.
    virtual bool IsText() const { return false; }
    virtual bool IsNote() const { return false; }

    bool OwnsObjectData = false;
    uint16_t ObjectId = 0;
    uint16_t ObjectOptions = 0;
    uint8_t ObjectKind = okOtherText;
};

// Left, top, right, bottom in a group's space.
using TChildAnchor = std::array<int32_t, 4>;

// A shape of a drawing. It lives in a namespace of its own because the form library has a
// shape control of the same name; both may be in one program.
namespace xlsdrawing {
class TShape {
public:
    virtual ~TShape();

    // Bytes of all its records with their headers.
    virtual int GetSize() const;
    virtual void WriteShape(TBIFFStream& stream, bool drawingHeader) const;
    virtual TMSOObjCLIENTANCHOR* ClientAnchor() { return nullptr; }
    virtual TChildAnchor* ChildAnchor() { return nullptr; }
    virtual bool IsGroup() const { return false; }

    // The common subrecord (0x0015) of the OBJ subrecords, or null.
    TRawRecord* CommonSubrecord() const;
    int ObjectType() const;
    void SetObjectType(int type);
    bool IsTextObject() const { return Object && Object->IsText(); }
    // A new shape of the same class (no records).
    virtual std::unique_ptr<TShape> NewOfSameClass(TEscherDrawing* drawing) const = 0;

    uint32_t ShapeId = 0;
    uint16_t ShapeType = 0;
    uint32_t Flags = 0;
    TOPT Opt;
    std::unique_ptr<TMSORecords> Other;
    TBaseRecordStorage ObjRecords;
    std::unique_ptr<TShapeOutsideMso> Object;

protected:
    // Size rule of a shape's own records: the property table, 40 (48 with a text object), other
    // records and the anchor.
    int OwnRecordsSize() const;
    virtual int AnchorSize() const { return 0; }
    virtual void WriteAnchor(TBIFFStream& stream) const { (void)stream; }
    // SP, property table, other records, anchor, CLIENTDATA.
    void WriteBody(TBIFFStream& stream) const;
    // The OBJ record and the object part's records.
    void WriteObjectRecords(TBIFFStream& stream) const;
};
} // namespace xlsdrawing
using xlsdrawing::TShape;

class TShapeClientAnchor : public TShape {
public:
    TMSOObjCLIENTANCHOR* ClientAnchor() override { return &Anchor; }
    std::unique_ptr<TShape> NewOfSameClass(TEscherDrawing*) const override {
        return std::make_unique<TShapeClientAnchor>();
    }
    TMSOObjCLIENTANCHOR Anchor;

protected:
    int AnchorSize() const override { return 26; }
    void WriteAnchor(TBIFFStream& stream) const override;
};

class TShapeChildAnchor : public TShape {
public:
    TChildAnchor* ChildAnchor() override { return &Anchor; }
    std::unique_ptr<TShape> NewOfSameClass(TEscherDrawing*) const override {
        return std::make_unique<TShapeChildAnchor>();
    }
    TChildAnchor Anchor{};

protected:
    int AnchorSize() const override { return 24; }
    void WriteAnchor(TBIFFStream& stream) const override;
};

class TShapeGroup : public TShape {
public:
    explicit TShapeGroup(TEscherDrawing* drawing) : Drawing(drawing) {}
    bool IsGroup() const override { return true; }
    // The group's own records, children excluded.
    virtual int GetOwnSize() const;
    int GetSize() const override;
    void WriteShape(TBIFFStream& stream, bool drawingHeader) const override;

    TEscherDrawing* Drawing;
    std::vector<std::unique_ptr<TShape>> Children;
    std::array<uint32_t, 4> Rect{};
};

class TShapeGroupClientAnchor : public TShapeGroup {
public:
    using TShapeGroup::TShapeGroup;
    TMSOObjCLIENTANCHOR* ClientAnchor() override { return &Anchor; }
    std::unique_ptr<TShape> NewOfSameClass(TEscherDrawing* drawing) const override {
        return std::make_unique<TShapeGroupClientAnchor>(drawing);
    }
    TMSOObjCLIENTANCHOR Anchor;

protected:
    int AnchorSize() const override { return 26; }
    void WriteAnchor(TBIFFStream& stream) const override;
};

class TShapeGroupChildAnchor : public TShapeGroup {
public:
    using TShapeGroup::TShapeGroup;
    TChildAnchor* ChildAnchor() override { return &Anchor; }
    std::unique_ptr<TShape> NewOfSameClass(TEscherDrawing* drawing) const override {
        return std::make_unique<TShapeGroupChildAnchor>(drawing);
    }
    TChildAnchor Anchor{};

protected:
    int AnchorSize() const override { return 24; }
    void WriteAnchor(TBIFFStream& stream) const override;
};

// A sheet record written part by part: Begin writes its header, the body goes through
// WriteData (split into continuation records above 8224 bytes), End writes the length of the
// last part. A drawing record the caller began is ended by the shape that fills it.
void BeginSheetRecord(TBIFFStream& stream, uint16_t id);
void EndSheetRecord(TBIFFStream& stream);
// Body values through WriteData, so that they count in the record's length.
void WriteBodyWord(TBIFFStream& stream, uint16_t value);
void WriteBodyLong(TBIFFStream& stream, uint32_t value);
void WriteBodyByte(TBIFFStream& stream, uint8_t value);
