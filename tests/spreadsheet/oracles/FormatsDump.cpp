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
#include "tests/spreadsheet/oracles/WorkbookStream.h"

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

    const uint16_t count = static_cast<uint16_t>(formats.Count());
    WriteTestWorkbook(path, formats, count, [&](TBIFFStream& s) {
        for (uint16_t i = 0; i < count; ++i) { // one cell per format, row i
            TBytes number;
            number.W(i).W(0).W(i).L(0).L(0x3FF00000);
            Put(s, 0x0203, number);
        }
    });
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
