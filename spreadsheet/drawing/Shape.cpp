#include "spreadsheet/drawing/Shape.h"

#include "platform/rtl/Exception.h"

void BeginSheetRecord(TBIFFStream& stream, uint16_t id) {
    stream.HeaderPos = stream.Position();
    stream.WriteHeader(id, 0);
    stream.PartWritten = 0;
    stream.PartLimit = kRecordPartSize;
}

void EndSheetRecord(TBIFFStream& stream) {
    stream.FinishRecord();
    stream.PartLimit = 0;
    stream.PartWritten = 0;
}

void WriteBodyWord(TBIFFStream& stream, uint16_t value) {
    const uint8_t b[2] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8)};
    stream.WriteData(b, 2);
}

void WriteBodyLong(TBIFFStream& stream, uint32_t value) {
    WriteBodyWord(stream, static_cast<uint16_t>(value));
    WriteBodyWord(stream, static_cast<uint16_t>(value >> 16));
}

void WriteBodyByte(TBIFFStream& stream, uint8_t value) {
    stream.WriteData(&value, 1);
}

std::unique_ptr<TShapeOutsideMso> TShapeOutsideMso::AssignObject() const {
    throw Exception("Can not assign this interface");
}

TShape::~TShape() = default;

TRawRecord* TShape::CommonSubrecord() const {
    const int at = ObjRecords.IndexOfId(0x0015);
    return at < 0 ? nullptr : ObjRecords.Items(at);
}

int TShape::ObjectType() const {
    const TRawRecord* common = CommonSubrecord();
    return common ? common->WordAt(0) : -1;
}

void TShape::SetObjectType(int type) {
    if (TRawRecord* common = CommonSubrecord())
        common->SetWordAt(0, static_cast<uint16_t>(type));
}

int TShape::OwnRecordsSize() const {
    return Opt.GetSize() + (IsTextObject() ? 48 : 40) + (Other ? Other->Size() : 0) + AnchorSize();
}

int TShape::GetSize() const {
    return OwnRecordsSize();
}

void TShape::WriteBody(TBIFFStream& stream) const {
    WriteMSOHeader(stream, {2, ShapeType, msoSp, 8});
    uint8_t sp[8];
    for (int i = 0; i < 4; ++i) {
        sp[i] = static_cast<uint8_t>(ShapeId >> (8 * i));
        sp[4 + i] = static_cast<uint8_t>(Flags >> (8 * i));
    }
    stream.WriteData(sp, 8);
    Opt.WriteToStream(stream);
    if (Other)
        Other->Write(stream);
    WriteAnchor(stream);
    WriteMSOHeader(stream, {0, 0, msoClientData, 0});
}

void TShape::WriteObjectRecords(TBIFFStream& stream) const {
    if (Object && Object->OwnsObjectData) {
        Object->WriteObject(stream);
        return;
    }
    BeginSheetRecord(stream, recOBJ);
    for (int i = 0; i < ObjRecords.Count(); ++i)
        if (ObjRecords.Items(i))
            ObjRecords.WriteRecord(i, stream);
    EndSheetRecord(stream);
    if (Object)
        Object->WriteObject(stream);
}

void TShape::WriteShape(TBIFFStream& stream, bool drawingHeader) const {
    if (drawingHeader)
        BeginSheetRecord(stream, recMSODRAWING);
    // The client text box of a text object goes into a drawing record of its own, but counts
    // in the container.
    WriteMSOHeader(stream, {0x0F, 0, msoSpContainer, static_cast<uint32_t>(GetSize() - 8)});
    WriteBody(stream);
    EndSheetRecord(stream);
    WriteObjectRecords(stream);
}

namespace {

void WriteChildAnchor(TBIFFStream& stream, const TChildAnchor& a) {
    WriteMSOHeader(stream, {0, 0, msoChildAnchor, 16});
    uint8_t b[16];
    for (int i = 0; i < 16; ++i)
        b[i] = static_cast<uint8_t>(a[static_cast<size_t>(i / 4)] >> (8 * (i % 4)));
    stream.WriteData(b, 16);
}

void WriteClientAnchor(TBIFFStream& stream, const TMSOObjCLIENTANCHOR& a) {
    WriteMSOHeader(stream, {0, 0, msoClientAnchor, 18});
    a.Write(stream);
}

} // namespace

void TShapeClientAnchor::WriteAnchor(TBIFFStream& stream) const {
    WriteClientAnchor(stream, Anchor);
}

void TShapeChildAnchor::WriteAnchor(TBIFFStream& stream) const {
    WriteChildAnchor(stream, Anchor);
}

void TShapeGroupClientAnchor::WriteAnchor(TBIFFStream& stream) const {
    WriteClientAnchor(stream, Anchor);
}

void TShapeGroupChildAnchor::WriteAnchor(TBIFFStream& stream) const {
    WriteChildAnchor(stream, Anchor);
}

int TShapeGroup::GetOwnSize() const {
    // The group container's header 8 and SPGR 24 besides the shape's own records.
    return OwnRecordsSize() + 32;
}

int TShapeGroup::GetSize() const {
    int size = GetOwnSize();
    for (const auto& child : Children)
        size += child->GetSize();
    return size;
}

void TShapeGroup::WriteShape(TBIFFStream& stream, bool drawingHeader) const {
    if (drawingHeader)
        BeginSheetRecord(stream, recMSODRAWING);
    WriteMSOHeader(stream, {0x0F, 0, msoSpgrContainer, static_cast<uint32_t>(GetSize() - 8)});
    WriteMSOHeader(stream, {0x0F, 0, msoSpContainer, static_cast<uint32_t>(GetOwnSize() - 16)});
    WriteMSOHeader(stream, {1, 0, msoSpgr, 16});
    uint8_t r[16];
    for (int i = 0; i < 16; ++i)
        r[i] = static_cast<uint8_t>(Rect[static_cast<size_t>(i / 4)] >> (8 * (i % 4)));
    stream.WriteData(r, 16);
    WriteBody(stream);
    EndSheetRecord(stream);
    WriteObjectRecords(stream);
    for (const auto& child : Children)
        child->WriteShape(stream, true);
}
