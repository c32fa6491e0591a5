// What the outside checks of formulas compare with. One workbook of two sheets ("Sheet1",
// "Sheet2") in the 1997 format, invariant number settings (decimal ".", list ",").
//
//   spreadsheet_formulas_dump encode    each line of standard input is a formula; prints its
//                                       tokens in hexadecimal, or "ERROR message"
//   spreadsheet_formulas_dump decode    each line is hexadecimal tokens; prints the text. Lines
//                                       "x FIRST LAST" before them give the external-sheet
//                                       entries (of the workbook's own sheets) of the tokens
//   spreadsheet_formulas_dump calc      lines "A1 n 4", "B2 s text", "C3 b 1" fill cells of
//                                       Sheet1; a line "= formula" is calculated on the cell
//                                       H<n> (n counting the formula lines from 1) and prints
//                                       "n 3", "s text", "b TRUE", "e #DIV/0!", "empty" or
//                                       "raises message"

#include "platform/rtl/CodePage.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/FloatFormat.h"
#include "spreadsheet/cells/Cell.h"
#include "spreadsheet/core/CellRef.h"
#include "spreadsheet/core/XLSGlobals.h"
#include "spreadsheet/core/XLSUtils.h"
#include "spreadsheet/formulas/FormulaHandler.h"

#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

namespace {

// The library's units start before anything of a workbook is made.
struct TUnits {
    TUnits() {
        InitializeRecordFormatUnit();
        InitializeUtilitiesUnit();
    }
};

struct TBook : TUnits {
    TBook() {
        MaxCol = MaxColClassic;
        MaxRow = MaxRowClassic;
        handler.CellValuesList().AddNew();
        handler.CellValuesList().AddNew();
        handler.OnSheetIndex = [](const std::u16string& name, int& index, int& count) {
            count = 2;
            index = UpperText(name) == u"SHEET1" ? 0 : UpperText(name) == u"SHEET2" ? 1 : -1;
        };
        handler.OnNameText = [](int kind, int index, std::u16string& text, int, int) {
            if (kind == 0)
                text = index == 0 ? u"Sheet1" : u"Sheet2";
        };
    }
    TXFonts fonts;
    TCellFormats formats{fonts, true};
    TSST2 sst{fonts};
    TFormulaHandler handler{sst, TFormatSettings::Invariant()};
};

std::string Hex(const std::vector<uint8_t>& bytes) {
    std::string s;
    char buf[4];
    for (uint8_t b : bytes) {
        std::snprintf(buf, sizeof buf, "%02x", b);
        s += buf;
    }
    return s;
}

int Encode(TBook& book) {
    for (std::string line; std::getline(std::cin, line);) {
        try {
            std::printf("%s\n", Hex(book.handler.EncodeFormula(Utf8ToUtf16(line))).c_str());
        } catch (const Exception& e) {
            std::string message = e.Message();
            for (char& c : message)
                if (c == '\r')
                    c = ' ';
            std::printf("ERROR %s\n", message.c_str());
        }
    }
    return 0;
}

int Decode(TBook& book) {
    for (std::string line; std::getline(std::cin, line);) {
        if (line.rfind("x ", 0) == 0) {
            TExternalNames& names = book.handler.ExternalNames();
            if (names.SupBooks.Count() == 0)
                names.SupBooks.AddInternalBook(2);
            unsigned first = 0, last = 0;
            std::sscanf(line.c_str() + 2, "%u %u", &first, &last);
            names.ExtSheets.push_back(
                {0, static_cast<uint16_t>(first), static_cast<uint16_t>(last)});
            continue;
        }
        std::vector<uint8_t> bytes;
        for (size_t i = 0; i + 1 < line.size(); i += 2)
            bytes.push_back(static_cast<uint8_t>(std::stoi(line.substr(i, 2), nullptr, 16)));
        std::printf("%s\n", Utf16ToUtf8(book.handler.DecodeFormula(bytes)).c_str());
    }
    return 0;
}

std::string Show(const TFormulaValue& v) {
    switch (v.Kind) {
    case fvNumber:
        return "n " + FloatToStr(v.Number, TFormatSettings::Invariant());
    case fvString:
        return "s " + Utf16ToUtf8(v.Text);
    case fvBoolean:
        return v.Small ? "b TRUE" : "b FALSE";
    case fvError:
        return "e " + Utf16ToUtf8(CellErrorText(v.Small));
    default:
        return "empty";
    }
}

void PutCell(TBook& book, const std::string& line) {
    int col, row;
    const size_t blank = line.find(' ');
    if (!ParseCellRefPlain(Utf8ToUtf16(line.substr(0, blank)), col, row))
        return;
    const char kind = line[blank + 1];
    const std::string value = line.substr(blank + 3);
    TCellValues& store = *book.handler.CellValuesList().Items(0);
    TCellFormat* format = book.formats.DefaultFormat();
    if (kind == 'n')
        store.SetCell(
            col, row,
            std::make_unique<TFloatCell>(book.formats, format, col, row,
                                         StrToFloat(value, TFormatSettings::Invariant())));
    else if (kind == 'b')
        store.SetCell(col, row,
                      std::make_unique<TBooleanCell>(book.formats, format, col, row, value == "1"));
    else
        store.SetCell(col, row,
                      std::make_unique<TStringCell>(book.formats, format, col, row, book.sst,
                                                    book.sst.AddString(Utf8ToUtf16(value))));
}

int Calc(TBook& book) {
    int row = 0;
    for (std::string line; std::getline(std::cin, line);) {
        if (line.empty())
            continue;
        if (line[0] != '=') {
            PutCell(book, line);
            continue;
        }
        try {
            TFormulaValue v;
            book.handler.CalcFormula(book.handler.EncodeFormula(Utf8ToUtf16(line.substr(1))), 7, v,
                                     0, row);
            std::printf("%s\n", Show(v).c_str());
        } catch (const Exception& e) {
            std::printf("raises %s\n", e.Message().c_str());
        }
        ++row;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    TBook book;
    if (argc == 2 && std::strcmp(argv[1], "encode") == 0)
        return Encode(book);
    if (argc == 2 && std::strcmp(argv[1], "decode") == 0)
        return Decode(book);
    if (argc == 2 && std::strcmp(argv[1], "calc") == 0)
        return Calc(book);
    std::fprintf(stderr, "usage: %s encode | decode | calc\n", argv[0]);
    return 2;
}
