// Prints what the outside checkers of formats compare with.
//
//   spreadsheet_formats_dump masks     reads lines "value<TAB>mask" and prints each value
//                                      rendered with its mask (fixed English settings)
//   spreadsheet_formats_dump xf FILE   writes a workbook stream whose format records are the
//                                      format bodies of a list changed through formatted
//                                      objects, and prints per format what our getters say

#include "platform/rtl/CodePage.h"
#include "platform/rtl/Streams.h"
#include "spreadsheet/formats/ExcelMask.h"
#include "spreadsheet/formats/FormattedObject.h"
#include "spreadsheet/records/BIFFStream.h"

#include <cstdio>
#include <cstring>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

namespace {

int RenderMasks() {
    std::string line;
    while (std::getline(std::cin, line)) {
        const size_t tab = line.find('\t');
        if (tab == std::string::npos)
            continue;
        TExcelMask mask(TFormatSettings::Invariant());
        mask.SetMask(line.substr(tab + 1));
        std::printf("%s\n", mask.FormatNumber(std::stod(line.substr(0, tab))).c_str());
    }
    return 0;
}

// Little-endian record bodies.
struct TBytes {
    std::vector<uint8_t> b;
    TBytes& W(uint16_t v) {
        b.push_back(static_cast<uint8_t>(v));
        b.push_back(static_cast<uint8_t>(v >> 8));
        return *this;
    }
    TBytes& L(uint32_t v) { return W(static_cast<uint16_t>(v)).W(static_cast<uint16_t>(v >> 16)); }
    TBytes& B(uint8_t v) {
        b.push_back(v);
        return *this;
    }
    TBytes& Text8(const std::u16string& s, bool wordLength) {
        if (wordLength)
            W(static_cast<uint16_t>(s.size()));
        else
            B(static_cast<uint8_t>(s.size()));
        B(1); // 16-bit characters
        for (char16_t c : s)
            W(c);
        return *this;
    }
};

void Put(TBIFFStream& out, uint16_t id, const TBytes& body) {
    out.WriteRecord(id, body.b.data(), static_cast<int>(body.b.size()));
}

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

// Formats made through formatted objects, so that the sharing steps build the entries.
void ChangeFormats(TCellFormats& formats, std::vector<std::unique_ptr<TFormattedObject>>& objects) {
    auto add = [&] {
        objects.push_back(std::make_unique<TFormattedObject>(formats, formats.DefaultFormat()));
        return objects.back().get();
    };
    TFormattedObject* o = add();
    o->SetHorizAlignment(3);
    o->SetVertAlignment(1);
    o->SetFormatOptions(foWrapText);
    o->SetRotation(-45);
    o = add();
    o->SetBorderLeftStyle(cbsThin);
    o->SetBorderRightStyle(cbsDouble);
    o->SetBorderTopStyle(cbsDashed);
    o->SetBorderBottomStyle(cbsMediumDashDotDot);
    o->SetBorderLeftColor(10);
    o->SetBorderRightColor(12);
    o->SetBorderTopColor(17);
    o->SetBorderBottomColor(63);
    o = add();
    o->SetBorderDiagStyle(cbsHair);
    o->SetBorderDiagLines(cdlDown | cdlUp);
    o->SetBorderDiagColor(20);
    o->SetIndent(3);
    o->SetFormatOptions(foShrinkToFit);
    o = add();
    o->SetFillPatternForeColor(13);
    o->SetNumberFormat(u"0.000;[Red]-0.000");
    o->SetProtection(cpHidden);
    o = add();
    o->SetFillPattern(efpLightTrellis);
    o->SetFillPatternBackColor(22);
    o->SetRotation(255);
    o->SetFontStyle((1 << xfsBold) | (1 << xfsItalic));
    o->SetFontSize(14);
    o = add();
    o->SetFontName(u"Courier New");
    o->SetFontUnderline(xulDouble);
    o->SetFontStyle(1 << xfsStrikeOut);
    o->SetFontColorRGB(0x00FF00);
    o->SetRotation(90);
    o->SetNumberFormat(u"#,##0.0 \"pcs\"");
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

void PrintFormat(int i, const TCellFormat& f) {
    std::printf("%d %d %d %d %d %d %d %d %d %d %d", i, f.FontIndex(), f.GetNumberFormatIndex(),
                f.GetProtection() & cpLocked ? 1 : 0, f.GetProtection() & cpHidden ? 1 : 0,
                f.GetHorizAlignment(), f.GetVertAlignment(),
                f.GetFormatOptions() & foWrapText ? 1 : 0, f.GetRotation(), f.GetIndent(),
                f.GetFormatOptions() & foShrinkToFit ? 1 : 0);
    std::printf(" %d %d %d %d %d %d %d %d %d %d %d %d", f.GetBorderLeftStyle(),
                f.GetBorderRightStyle(), f.GetBorderTopStyle(), f.GetBorderBottomStyle(),
                f.GetBorderDiagStyle(), f.GetBorderLeftColor(), f.GetBorderRightColor(),
                f.GetBorderTopColor(), f.GetBorderBottomColor(), f.GetBorderDiagColor(),
                f.GetBorderDiagLines() & cdlDown ? 1 : 0, f.GetBorderDiagLines() & cdlUp ? 1 : 0);
    std::printf(" %d %d %d\n", f.GetFillPattern(), f.GetFillPatternForeColor(),
                f.GetFillPatternBackColor());
}

void PrintFont(int i, const TXFont& f) {
    std::printf("font %d %d %d %d %d %d %d %s\n", i, f.Size20(), f.Color(), f.Style() & 1,
                (f.Style() >> 1) & 1, (f.Style() >> 2) & 1, f.Underline(),
                Utf16ToUtf8(f.Name).c_str());
}

int WriteFormats(const char* path) {
    TXFonts fonts;
    TCellFormats formats(fonts, true);
    std::vector<std::unique_ptr<TFormattedObject>> objects;
    ChangeFormats(formats, objects);

    TMemoryStream globals;
    TBIFFStream g(&globals);
    WriteGlobals(g, formats, 0);
    const uint32_t sheetAt = static_cast<uint32_t>(globals.Size());
    globals.SetSize(0);
    globals.Seek(0, soBeginning);
    WriteGlobals(g, formats, sheetAt); // now with the sheet's place
    TBIFFStream s(&globals);
    Put(s, 0x0809, TBytes().W(0x0600).W(0x0010).W(0x18AF).W(1997).L(0x80C9).L(0x0106));
    const uint16_t count = static_cast<uint16_t>(formats.Count());
    Put(s, 0x0200, TBytes().L(0).L(count).W(0).W(1).W(0));
    for (uint16_t i = 0; i < count; ++i) { // one cell per format, row i
        TBytes number;
        number.W(i).W(0).W(i).L(0).L(0x3FF00000);
        Put(s, 0x0203, number);
    }
    Put(s, 0x023E, TBytes().W(0x06B6).W(0).W(0).L(64).W(0).W(0).L(0));
    Put(s, 0x000A, TBytes());
    globals.SaveToFile(path);

    for (int i = 0; i < formats.Count(); ++i)
        PrintFormat(i, *formats.Formats(i));
    for (int i = 0; i < fonts.Count(); ++i)
        if (i != 4)
            PrintFont(i, *fonts.Fonts(i));
    for (int i = 0; i < formats.NumberFormats().Count(); ++i) {
        const TNumberFormat& n = *formats.NumberFormats().Items(i);
        if (n.Id >= kBuiltinNumberFormats)
            std::printf("format %d %s\n", n.Id, Utf16ToUtf8(n.Value).c_str());
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "masks") == 0)
        return RenderMasks();
    if (argc == 3 && std::strcmp(argv[1], "xf") == 0)
        return WriteFormats(argv[2]);
    std::fprintf(stderr, "usage: %s masks | xf FILE\n", argv[0]);
    return 2;
}
