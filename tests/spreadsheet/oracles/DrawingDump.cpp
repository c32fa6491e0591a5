// What the outside checks of drawings compare with.
//
//   spreadsheet_drawing_dump write FILE       writes a workbook stream of one sheet with a
//                                             drawing of every default shape (a note on B2 by
//                                             the author "Tester"), and prints the drawing's
//                                             records as "id length" (hexadecimal id)
//   spreadsheet_drawing_dump roundtrip IN OUT reads the drawing whose records IN holds (from
//                                             its first drawing record on), writes it to OUT,
//                                             and prints the shapes read

#include "platform/rtl/CodePage.h"
#include "platform/rtl/Streams.h"
#include "spreadsheet/core/XLSGlobals.h"
#include "spreadsheet/drawing/EscherDrawing.h"
#include "spreadsheet/drawing/TextObject.h"
#include "spreadsheet/formulas/InternalNames.h"
#include "tests/spreadsheet/oracles/WorkbookStream.h"

#include <cstdio>
#include <cstring>

namespace {

struct TBook {
    TBook() {
        InitializeRecordFormatUnit();
        InitializeUtilitiesUnit();
        uint32_t next = 1;
        group.NewTextId = [next]() mutable { return next++; };
    }
    TEscherGroup group;
    TInternalNames names;
    TXFonts fonts;
    TCellFormats formats{fonts, true};
};

std::vector<uint8_t> Bytes(TMemoryStream& memory) {
    std::vector<uint8_t> bytes(static_cast<size_t>(memory.Size()));
    memory.SetPosition(0);
    if (!bytes.empty())
        memory.ReadBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
    return bytes;
}

void PrintRecords(const std::vector<uint8_t>& b) {
    for (size_t at = 0; at + 4 <= b.size();) {
        const int length = b[at + 2] | b[at + 3] << 8;
        std::printf("%04x %d\n", b[at] | b[at + 1] << 8, length);
        at += 4 + static_cast<size_t>(length);
    }
}

int Write(const char* path) {
    TBook book;
    TEscherDrawing drawing(&book.group, &book.names, &book.fonts);
    static_cast<TShapeOutsideMsoBaseText&>(*drawing.NewTextShape()->Object).Text = u"Text box";
    drawing.NewLineShape();
    TShapeClientAnchor* noteShape = drawing.NewNoteShape();
    auto& note = static_cast<TShapeOutsideMsoNote&>(*noteShape->Object);
    note.Text = u"A note on B2";
    note.Author = u"Tester";
    note.CellCol = 1;
    note.CellRow = 1;
    noteShape->Anchor.SetArea(2, 0, 4, 4);
    drawing.NewAutoShape();
    drawing.NewPictureShape();
    drawing.NewListBoxShape();
    drawing.NewComboBoxShape();
    drawing.NewButtonShape();
    drawing.NewCheckBoxShape();
    drawing.NewRadioButtonShape();
    TMemoryStream memory;
    TBIFFStream records(&memory);
    drawing.SaveToStream(records);
    const std::vector<uint8_t> bytes = Bytes(memory);
    WriteTestWorkbook(path, book.formats, 2, [&](TBIFFStream& s) {
        // A number in B2, the note's cell.
        Put(s, 0x0203, TBytes().W(1).W(1).W(15).L(0).L(0x40000000));
        s.WriteRaw(bytes.data(), static_cast<int>(bytes.size()));
    });
    PrintRecords(bytes);
    return 0;
}

int RoundTrip(const char* in, const char* out) {
    TBook book;
    TEscherDrawing drawing(&book.group, &book.names, &book.fonts);
    TMemoryStream source;
    source.LoadFromFile(in);
    source.SetPosition(0);
    TBIFFStream stream(&source);
    TBIFFHeader header;
    stream.ReadHeader(header);
    drawing.LoadFromStream(stream, header.Length);
    TMemoryStream memory;
    TBIFFStream records(&memory);
    drawing.SaveToStream(records);
    memory.SaveToFile(out);
    for (int i = 0; i < drawing.ShapeCount(); ++i) {
        TShape& shape = *drawing.Shapes(i);
        std::printf("shape %u type %d object %d", shape.ShapeId, shape.ShapeType,
                    shape.ObjectType());
        if (shape.Object && shape.Object->IsText())
            std::printf(
                " text %s",
                Utf16ToUtf8(static_cast<TShapeOutsideMsoBaseText&>(*shape.Object).Text).c_str());
        std::printf("\n");
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "write") == 0)
        return Write(argv[2]);
    if (argc == 4 && std::strcmp(argv[1], "roundtrip") == 0)
        return RoundTrip(argv[2], argv[3]);
    std::fprintf(stderr, "usage: %s write FILE | roundtrip IN OUT\n", argv[0]);
    return 2;
}
