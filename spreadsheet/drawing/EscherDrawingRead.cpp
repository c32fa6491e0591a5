// Reading a drawing from the sheet's records: the drawing's fixed records, then each shape
// with its OBJ record and its object part's records, then the solver records.

#include "spreadsheet/drawing/EscherDrawing.h"

#include "platform/rtl/Exception.h"
#include "platform/rtl/Format.h"
#include "spreadsheet/drawing/ChartPart.h"
#include "spreadsheet/drawing/TextObject.h"

namespace {

uint32_t Long(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

[[noreturn]] void Fail(const char* message) {
    throw Exception(message);
}

} // namespace

class TDrawingLoader {
public:
    TDrawingLoader(TEscherDrawing& drawing, TDrawingReader& reader) : d_(drawing), r_(reader) {}

    void Load();

private:
    TMSOHeader Expect(uint16_t type, const char* message);
    // One shape (or group) and its records; `left` is what its parent container has left.
    void ReadShape(TShapeGroup& parent, int64_t& left, int depth);
    // The records of one SPCONTAINER of `length` bytes; a group's children are read apart.
    std::unique_ptr<TShape> ReadContainer(int64_t length);
    // The OBJ record and the object part's records; returns the drawing bytes the part took.
    // `left` is what the shape's container has left after its client data.
    int ReadObj(TShape& shape, int64_t left);
    std::unique_ptr<TShapeOutsideMso> MakeObjectPart(TShape& shape, bool textFollows);

    TEscherDrawing& d_;
    TDrawingReader& r_;
    int shapeCounter_ = 0;
};

TMSOHeader TDrawingLoader::Expect(uint16_t type, const char* message) {
    const TMSOHeader h = r_.ReadHeader();
    if (h.Type != type)
        Fail(message);
    return h;
}

void TDrawingLoader::Load() {
    Expect(msoDgContainer, "Expected record missing: DGCONTAINER");
    d_.HighestObjectId = 0;
    try {
        TMSOHeader h = Expect(msoDg, "Expected record missing: DG");
        if (h.Length != 8)
            Fail("Error while reading Shape. Length <> 0");
        const std::vector<uint8_t> dg = r_.ReadBytes(8);
        d_.DGShapeCount = Long(dg, 0);
        d_.CurrentShapeId = Long(dg, 4);
        d_.DrawingId = h.Instance;
        if (d_.Group)
            d_.Group->RegisterDrawing(d_);
        h = r_.ReadHeader();
        if (h.Type == msoRegroupItems) {
            if (h.Length != 4u * h.Instance)
                Fail("Error while reading Shape. Length <> 0");
            const std::vector<uint8_t> items = r_.ReadBytes(static_cast<int>(h.Length));
            d_.RegroupItems.clear();
            for (size_t at = 0; at < items.size(); at += 4)
                d_.RegroupItems.push_back(Long(items, at));
            h = r_.ReadHeader();
        }
        if (h.Type != msoSpgrContainer)
            Fail("Expected record missing: SPGRCONTAINER");
        int64_t left = h.Length;
        const TMSOHeader root = Expect(msoSpContainer, "Expected record missing: SPCONTAINER");
        if (root.Length < 40 || root.Length + 8 > left)
            Fail("Error while reading Shape. Length <> 0");
        left -= 8 + root.Length;
        if (Expect(msoSpgr, "Expected record missing: SPGR").Length != 16)
            Fail("Error while reading Shape. Length <> 0");
        const std::vector<uint8_t> rect = r_.ReadBytes(16);
        for (size_t i = 0; i < 4; ++i)
            d_.Root->Rect[i] = Long(rect, 4 * i);
        const TMSOHeader sp = Expect(msoSp, "Expected record missing: SP");
        if (sp.Length != 8)
            Fail("Error while reading Shape. Length <> 0");
        const std::vector<uint8_t> spBody = r_.ReadBytes(8);
        d_.Root->ShapeId = Long(spBody, 0);
        d_.Root->Flags = Long(spBody, 4);
        if (!(d_.Root->Flags & spfRoot))
            Fail("SP is not root");
        // Whatever else the root's container holds is kept as it is.
        for (int64_t rest = root.Length - 40; rest > 0;) {
            const TMSOHeader other = r_.ReadHeader();
            rest -= 8;
            if (!other.IsContainer() && other.Length > rest)
                Fail("Error while reading Shape. Length <> 0");
            std::vector<uint8_t> body;
            if (!other.IsContainer()) {
                body = r_.ReadBytes(static_cast<int>(other.Length));
                rest -= other.Length;
            }
            if (!d_.Root->Other)
                d_.Root->Other = std::make_unique<TMSORecords>();
            d_.Root->Other->Add(other, std::move(body));
        }
        while (left > 0)
            ReadShape(*d_.Root, left, 0);
        if (r_.PeekRecord() == recMSODRAWING) {
            const TBIFFHeader h2 = r_.NextRecord();
            d_.Solver = std::make_unique<TMSORecords>();
            const std::vector<uint8_t> body = r_.RecordBody(h2.Length);
            for (size_t at = 0; at + 8 <= body.size();) {
                TMSOHeader s{static_cast<uint16_t>(body[at] & 0x0F),
                             static_cast<uint16_t>((body[at] | body[at + 1] << 8) >> 4),
                             static_cast<uint16_t>(body[at + 2] | body[at + 3] << 8),
                             Long(body, at + 4)};
                at += 8;
                std::vector<uint8_t> atom;
                if (!s.IsContainer()) {
                    if (s.Length > body.size() - at)
                        Fail("Error while reading Shape. Length <> 0");
                    atom.assign(body.begin() + static_cast<std::ptrdiff_t>(at),
                                body.begin() + static_cast<std::ptrdiff_t>(at + s.Length));
                    at += s.Length;
                }
                d_.Solver->Add(s, std::move(atom));
            }
        }
    } catch (const Exception& e) {
        throw Exception(Format("Error on reading shape #%d\r", {shapeCounter_}) + e.Message());
    }
}

void TDrawingLoader::ReadShape(TShapeGroup& parent, int64_t& left, int depth) {
    if (depth >= kMaxShapeGroupDepth)
        Fail("Drawing groups nest too deep");
    ++shapeCounter_;
    r_.DrawingHeadersSkipped = 0;
    const TMSOHeader h = r_.ReadHeader();
    left -= 8;
    if (h.Length > left)
        Fail("Error while reading Shape. Length <> 0");
    left -= h.Length;
    std::unique_ptr<TShape> shape;
    if (h.Type == msoSpgrContainer) {
        int64_t groupLeft = h.Length;
        const TMSOHeader own = Expect(msoSpContainer, "Expected record missing: SPCONTAINER");
        groupLeft -= 8;
        if (own.Length > groupLeft)
            Fail("Error while reading Shape. Group Length <> 0");
        groupLeft -= own.Length;
        shape = ReadContainer(own.Length);
        auto* group = dynamic_cast<TShapeGroup*>(shape.get());
        if (!group)
            Fail("Error while reading Shape. Group Length <> 0");
        while (groupLeft > 0)
            ReadShape(*group, groupLeft, depth + 1);
        if (groupLeft != 0)
            Fail("Error while reading Shape. Group Length <> 0");
    } else if (h.Type == msoSpContainer) {
        shape = ReadContainer(h.Length);
    } else {
        Fail("Expected record missing: SPCONTAINER");
    }
    TShape& added = *shape;
    parent.Children.push_back(std::move(shape));
    if (d_.OnShapeAdded)
        d_.OnShapeAdded(d_, added);
}

std::unique_ptr<TShape> TDrawingLoader::ReadContainer(int64_t length) {
    std::unique_ptr<TShape> shape;
    std::array<uint32_t, 4> rect{};
    TMSORecords pending;
    bool clientData = false;
    int64_t left = length;
    const auto need = [&](uint32_t size, const TMSOHeader& h) {
        if (h.Length != size)
            Fail("Error while reading Shape. Length <> 0");
    };
    while (left > 0) {
        const TMSOHeader h = r_.ReadHeader();
        left -= 8;
        if (!h.IsContainer() && h.Length > left)
            Fail("Error while reading Shape. Length <> 0");
        left -= h.IsContainer() ? 0 : h.Length;
        switch (h.Type) {
        case msoSpgr: {
            need(16, h);
            const std::vector<uint8_t> b = r_.ReadBytes(16);
            for (size_t i = 0; i < 4; ++i)
                rect[i] = Long(b, 4 * i);
            break;
        }
        case msoSp: {
            need(8, h);
            if (shape)
                Fail("Error while reading Shape. Length <> 0");
            const std::vector<uint8_t> b = r_.ReadBytes(8);
            const uint32_t flags = Long(b, 4);
            if (flags & spfGroup) {
                std::unique_ptr<TShapeGroup> group;
                if (flags & spfChild)
                    group = std::make_unique<TShapeGroupChildAnchor>(&d_);
                else
                    group = std::make_unique<TShapeGroupClientAnchor>(&d_);
                group->Rect = rect;
                shape = std::move(group);
            } else if (flags & spfChild) {
                shape = std::make_unique<TShapeChildAnchor>();
            } else {
                shape = std::make_unique<TShapeClientAnchor>();
            }
            shape->ShapeId = Long(b, 0);
            shape->Flags = flags;
            shape->ShapeType = h.Instance;
            break;
        }
        case msoOpt:
            if (!shape)
                Fail("Expected record missing: SP");
            shape->Opt.ReadFromStream(r_, static_cast<int>(h.Length), h.Instance);
            break;
        case msoChildAnchor: {
            if (!shape || !shape->ChildAnchor())
                Fail("CHILDANCHOR when shape not is ChildAnchor");
            need(16, h);
            const std::vector<uint8_t> b = r_.ReadBytes(16);
            for (size_t i = 0; i < 4; ++i)
                (*shape->ChildAnchor())[i] = static_cast<int32_t>(Long(b, 4 * i));
            break;
        }
        case msoClientAnchor:
            if (!shape || !shape->ClientAnchor())
                Fail("CLIENTANCHOR when shape not is ClientAnchor");
            need(18, h);
            shape->ClientAnchor()->Read(r_);
            break;
        case msoClientData:
            if (h.Length > 0)
                Fail("Size of CLIENTDATA > 0");
            if (!shape)
                Fail("Expected record missing: SP");
            if (clientData)
                Fail("Error while reading Shape. Length <> 0");
            clientData = true;
            left -= ReadObj(*shape, left);
            break;
        default: {
            std::vector<uint8_t> body;
            if (!h.IsContainer())
                body = r_.ReadBytes(static_cast<int>(h.Length));
            pending.Add(h, std::move(body));
        }
        }
    }
    if (left != 0)
        Fail("Error while reading Shape. Length <> 0");
    if (!shape)
        Fail("Expected record missing: SP");
    // Every shape of a sheet's drawing has its worksheet object.
    if (!clientData)
        Fail("Expected record missing: CLIENTDATA");
    if (pending.Count() > 0) {
        shape->Other = std::make_unique<TMSORecords>();
        for (int i = 0; i < pending.Count(); ++i)
            shape->Other->Add(pending.Items(i).Header, pending.Items(i).Body);
    }
    return shape;
}

int TDrawingLoader::ReadObj(TShape& shape, int64_t left) {
    const TBIFFHeader h = r_.NextRecord();
    if (h.RecId != recOBJ)
        Fail("Expected record missing: OBJ");
    const std::vector<uint8_t> body = r_.RecordBody(h.Length);
    const int length = static_cast<int>(body.size());
    const auto word = [&](int at) {
        return at + 1 < length ? static_cast<uint16_t>(body[static_cast<size_t>(at)] |
                                                       body[static_cast<size_t>(at) + 1] << 8)
                               : uint16_t(0);
    };
    int objectType = -1, options = 0, objectId = 0;
    for (int at = 0; at + 4 <= length;) {
        const uint16_t id = word(at);
        int size = word(at + 2);
        if (id != 0 && (id < 4 || id > 21))
            throw Exception(Format("Unknown OBJ record %.2X", {int(id)}));
        // The list data runs to the record's end (for a list box) or to its last 4 bytes.
        if (id == 0x0013)
            size = length - at - (objectType == 18 ? 4 : 8);
        if (size < 0 || at + 4 + size > length)
            Fail("Error while reading Shape. Length <> 0");
        shape.ObjRecords.AddRecord(static_cast<uint32_t>(id | size << 16), body.data() + at + 4);
        if (id == 0x0015 && size >= 6) {
            objectType = word(at + 4);
            objectId = word(at + 6);
            options = word(at + 8);
            d_.HighestObjectId = std::max(d_.HighestObjectId, objectId);
        }
        at += 4 + size;
        if (id == 0)
            break;
        if (id == 0x0013 && objectType == 18) {
            shape.ObjRecords.AddRecord(0, nullptr);
            break;
        }
    }
    if (objectType < 0)
        Fail("OBJ record without common data");
    // A container with the 8 bytes of a client text box left holds a text.
    std::unique_ptr<TShapeOutsideMso> part = MakeObjectPart(shape, left == 8);
    if (!part)
        return 0;
    part->ObjectId = static_cast<uint16_t>(objectId);
    part->ObjectOptions = static_cast<uint16_t>(options);
    if (part->TakeObjData(shape.ObjRecords)) {
        part->OwnsObjectData = true;
        shape.ObjRecords.Clear();
    }
    TShapeOutsideMso& placed = *part;
    shape.Object = std::move(part);
    return placed.ReadObject(r_);
}

std::unique_ptr<TShapeOutsideMso> TDrawingLoader::MakeObjectPart(TShape& shape, bool textFollows) {
    const int type = shape.ObjectType();
    switch (type) {
    case 5:
        return std::make_unique<TShapeOutsideMsoChart>(d_.Group, d_.Fonts);
    case 6:
        return std::make_unique<TShapeOutsideMsoBaseText>(okTextBox);
    case 25:
        return std::make_unique<TShapeOutsideMsoNote>();
    default:
        if (std::unique_ptr<TShapeOutsideMso> control = MakeControlPart(type, d_))
            return control;
        if (shape.Opt.TextId() == 0 && !textFollows)
            return nullptr;
        return std::make_unique<TShapeOutsideMsoBaseText>(type == 14   ? okLabel
                                                          : type == 19 ? okGroupBox
                                                          : type == 30 ? okDrawnText
                                                                       : okOtherText);
    }
}

void TEscherDrawing::LoadFromStream(TBIFFStream& stream, int partLength) {
    TDrawingReader reader(stream, partLength);
    TDrawingLoader(*this, reader).Load();
}
