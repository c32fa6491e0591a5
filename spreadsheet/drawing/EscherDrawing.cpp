#include "spreadsheet/drawing/EscherDrawing.h"

#include "platform/rtl/Exception.h"
#include "spreadsheet/drawing/TextObject.h"

TEscherDrawing::TEscherDrawing(TEscherGroup* group, TInternalNames* names, TXFonts* fonts)
    : Group(group), Root(std::make_unique<TShapeGroupClientAnchor>(this)), Fonts(fonts),
      Names(names) {}

TEscherDrawing::~TEscherDrawing() {
    if (DrawingId != 0 && Group) {
        try {
            Group->RemoveDrawing(DrawingId);
        } catch (const Exception&) {
        }
    }
}

int TEscherDrawing::IndexOfShape(uint32_t shapeId) const {
    for (int i = 0; i < ShapeCount(); ++i)
        if (Shapes(i)->ShapeId == shapeId)
            return i;
    return -1;
}

void TEscherDrawing::EnsureRoot() {
    if (Group && DrawingId != 0) {
        Group->FlagDrawingChanged(DrawingId);
        return;
    }
    if (!Group && Root->Flags != 0)
        return;
    if (Group)
        Group->AddDrawing(*this);
    Root->Flags = spfGroup | spfRoot;
    Root->ShapeId = NewShapeId();
}

namespace {

void PutLong(uint8_t* b, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[i] = static_cast<uint8_t>(v >> (8 * i));
}

} // namespace

void TEscherDrawing::SaveToStream(TBIFFStream& stream) const {
    int fixed = 80;
    if (!RegroupItems.empty())
        fixed += 8 + 4 * static_cast<int>(RegroupItems.size());
    int children = 0;
    for (const auto& child : Root->Children)
        children += child->GetSize();
    const int solver = Solver ? Solver->Size() : 0;

    BeginSheetRecord(stream, recMSODRAWING);
    WriteMSOHeader(stream,
                   {0x0F, 0, msoDgContainer, static_cast<uint32_t>(fixed + children - 8 + solver)});
    WriteMSOHeader(stream, {0, DrawingId, msoDg, 8});
    uint8_t dg[8];
    PutLong(dg, static_cast<uint32_t>(ShapeCount() + 1));
    PutLong(dg + 4, CurrentShapeId);
    stream.WriteData(dg, 8);
    if (!RegroupItems.empty()) {
        WriteMSOHeader(stream, {0, static_cast<uint16_t>(RegroupItems.size()), msoRegroupItems,
                                static_cast<uint32_t>(4 * RegroupItems.size())});
        for (uint32_t item : RegroupItems) {
            uint8_t b[4];
            PutLong(b, item);
            stream.WriteData(b, 4);
        }
    }
    WriteMSOHeader(stream, {0x0F, 0, msoSpgrContainer, static_cast<uint32_t>(48 + children)});
    WriteMSOHeader(stream, {0x0F, 0, msoSpContainer, 40});
    WriteMSOHeader(stream, {1, 0, msoSpgr, 16});
    uint8_t rect[16];
    for (int i = 0; i < 4; ++i)
        PutLong(rect + 4 * i, Root->Rect[static_cast<size_t>(i)]);
    stream.WriteData(rect, 16);
    WriteMSOHeader(stream, {2, 0, msoSp, 8});
    uint8_t sp[8];
    PutLong(sp, Root->ShapeId);
    PutLong(sp + 4, Root->Flags);
    stream.WriteData(sp, 8);
    if (Root->Children.empty())
        EndSheetRecord(stream);
    // The first child fills the first drawing record; every later one writes its own.
    for (size_t i = 0; i < Root->Children.size(); ++i)
        Root->Children[i]->WriteShape(stream, i > 0);
    if (Solver) {
        BeginSheetRecord(stream, recMSODRAWING);
        Solver->Write(stream);
        EndSheetRecord(stream);
    }
    for (const auto& child : Root->Children)
        if (child->Object && child->Object->IsNote()) {
            const TRawRecord* common = child->CommonSubrecord();
            static_cast<const TShapeOutsideMsoNote&>(*child->Object)
                .WriteNote(stream, common ? common->WordAt(2) : child->Object->ObjectId);
        }
}
