#include "tests/spreadsheet/oracles/WorkbookStream.h"

#include "platform/rtl/Streams.h"
#include "spreadsheet/formats/NumberFormats.h"

void Put(TBIFFStream& out, uint16_t id, const TBytes& body) {
    out.WriteRecord(id, body.b.data(), static_cast<int>(body.b.size()));
}

namespace {

TBytes FontBody(const TXFont& f) {
    TBytes body;
    body.W(static_cast<uint16_t>(f.Size20()))
        .W(static_cast<uint16_t>(((f.Style() & 2) ? 0x02 : 0) | ((f.Style() & 4) ? 0x08 : 0)))
        .W(f.Color())
        .W((f.Style() & 1) ? 700 : 400)
        .W(f.SubSuperscript())
        .B(f.Underline() == xulNone     ? 0
           : f.Underline() == xulSingle ? 1
                                        : 2)
        .B(f.Family())
        .B(f.Charset())
        .B(0)
        .Text8(f.Name, false);
    return body;
}

void WriteGlobals(TBIFFStream& out, TCellFormats& formats, uint32_t sheetAt) {
    Put(out, 0x0809, TBytes().W(0x0600).W(0x0005).W(0x1002).W(1997).L(0x80C9).L(0x0106));
    Put(out, 0x0042, TBytes().W(1200));
    Put(out, 0x003D, TBytes().W(100).W(100).W(10000).W(7000).W(0x38).W(0).W(0).W(1).W(600));
    TXFonts& fonts = formats.Fonts();
    for (int i = 0; i < fonts.Count(); ++i)
        if (i != 4) // the record format has no font 4: the fifth record is font 5
            Put(out, 0x0031, FontBody(*fonts.Fonts(i)));
    TNumberFormats& numbers = formats.NumberFormats();
    for (int i = 0; i < numbers.Count(); ++i)
        if (numbers.Items(i)->Id >= kBuiltinNumberFormats)
            Put(out, 0x041E,
                TBytes()
                    .W(static_cast<uint16_t>(numbers.Items(i)->Id))
                    .Text8(numbers.Items(i)->Value, true));
    for (int i = 0; i < formats.Count(); ++i) {
        const TCellFormat::TData& d = formats.Formats(i)->Data();
        out.WriteRecord(0x00E0, d.data(), static_cast<int>(d.size()));
    }
    Put(out, 0x0293, TBytes().W(0x8000).B(0).B(0xFF));
    Put(out, 0x0085, TBytes().L(sheetAt).B(0).B(0).Text8(u"Sheet1", false));
    Put(out, 0x000A, TBytes());
}

} // namespace

void WriteTestWorkbook(const char* path, TCellFormats& formats, uint32_t rows,
                       const std::function<void(TBIFFStream&)>& sheet) {
    TMemoryStream stream;
    TBIFFStream g(&stream);
    WriteGlobals(g, formats, 0);
    const uint32_t sheetAt = static_cast<uint32_t>(stream.Size());
    stream.SetSize(0);
    stream.Seek(0, soBeginning);
    WriteGlobals(g, formats, sheetAt); // now with the sheet's place
    TBIFFStream s(&stream);
    Put(s, 0x0809, TBytes().W(0x0600).W(0x0010).W(0x18AF).W(1997).L(0x80C9).L(0x0106));
    Put(s, 0x0200, TBytes().L(0).L(rows).W(0).W(1).W(0));
    sheet(s);
    Put(s, 0x023E, TBytes().W(0x06B6).W(0).W(0).L(64).W(0).W(0).L(0));
    Put(s, 0x000A, TBytes());
    stream.SaveToFile(path);
}
