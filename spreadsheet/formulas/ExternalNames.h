#pragma once
// The tables behind the sheet and name indexes of formulas that reach beyond their own sheet:
// the supporting books (the workbook itself, or another file with its sheet names, cached
// cell values and external names) and the external-sheet entries (a book and a sheet range)
// whose positions ptgRef3d, ptgArea3d and ptgNameX carry.
//
// Texts are kept as stored: a flag byte (1: UTF-16 follows, 0: single bytes in the system
// code page) and the characters. A book's file name is encoded: code 1 and a letter is a
// drive, 1 and "@" a server, 2 or 3 a directory step, 4 the parent directory.

#include "spreadsheet/cells/SST.h"
#include "spreadsheet/core/FormulaValue.h"
#include "spreadsheet/core/XLSGlobals.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// A stored text: flag byte and characters.
std::string StoredText(std::u16string_view text);
std::u16string StoredTextValue(std::string_view stored);

struct TExtSheet {
    int32_t Book = 0;
    uint16_t FirstSheet = 0;
    uint16_t LastSheet = 0;
};

// Cached values of a row of cells of another workbook.
struct TCRN {
    uint8_t FirstCol = 0;
    uint8_t LastCol = 0;
    uint16_t Row = 0;
    // Typed values: 1 and a double, 2 and a 16-bit length, a flag byte and the characters,
    // 4 and a Boolean byte, 16 and an error code.
    std::vector<uint8_t> Values;
};

struct TSupBookSheet {
    std::string Name; // stored text
    std::vector<TCRN> CRNs;
};

class TExtName {
public:
    virtual ~TExtName() = default;
    // 0 ordinary, 1 a DDE link, 2 an OLE link.
    virtual int Kind() const { return 0; }
    std::string Name; // stored text
    std::vector<uint8_t> Tokens;
};

class TExtNameDDE : public TExtName {
public:
    int Kind() const override { return 1; }
};

class TExtNameOLE : public TExtName {
public:
    int Kind() const override { return 2; }
};

class TSupBook {
public:
    static constexpr uint16_t kInternal = 0x0401;

    uint16_t Encoded = 0;
    int TabCount = 0;
    std::string Filename; // stored text, encoded
    std::vector<TSupBookSheet> Sheets;
    std::vector<std::unique_ptr<TExtName>> ExtNames;

    bool IsInternal() const { return Encoded == kInternal; }
    // The decoded file name ("C:\dir\book.xls").
    std::u16string FileName() const;
    // The form texts are built from: the directory steps before the file read "\[" (and "]"
    // closes the name) when the book has sheets, "|" (and "!" closes it) when it has none.
    std::u16string FileNameText() const;
};

class TSupBookList {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    TSupBook* Items(int index) const { return items_.at(static_cast<size_t>(index)).get(); }
    // A book of another file with one sheet; its name is the directory without a trailing
    // "\", a directory step and the file.
    TSupBook* AddSupBook(std::u16string_view dir, std::u16string_view file,
                         std::u16string_view sheetName);
    TSupBook* AddInternalBook(int sheetCount);

private:
    std::vector<std::unique_ptr<TSupBook>> items_;
};

// What external references need to look values up; the tables own one.
class TExternalSeek {
public:
    TExternalSeek();
    TExcelVersion Version = xvExcel97;
    TXFonts Fonts;
    TSST2 SST;
};

class TExternalNames {
public:
    TExternalNames();
    ~TExternalNames();

    // The external-sheet entry whose book is the file and which holds an external name equal
    // to `name` (ignoring case): the entry's position and the name's position.
    bool FindExternName(std::u16string_view fileDir, std::u16string_view fileName, int& nameIndex,
                        int& extSheetIndex, std::u16string_view name) const;
    // The same with the book's sheet names.
    bool FindExternSheet(std::u16string_view fileDir, std::u16string_view fileName, int& sheetIndex,
                         int& extSheetIndex, std::u16string_view sheetName) const;
    // An entry for the file's sheet: an existing one, or a new book and entry.
    void AddExternSheet(std::u16string_view fileDir, std::u16string_view fileName, int& bookIndex,
                        int& extSheetIndex, std::u16string_view sheetName);
    // The entry of the workbook's own sheet, made (with the workbook's book) when missing.
    int GetInternalExtSheet(int sheet, int sheetCount);
    // The entry's first sheet when its book is the workbook itself, else -1.
    int ExtSheetToSheet(int extSheetIndex) const;
    // "'C:\dir\[book.xls]Sheet1'!" for nameIndex < 0, else the file name and the external
    // name nameIndex - 1.
    std::u16string ExternText(int extSheetIndex, int nameIndex) const;
    // The value of external name nameIndex (one-based) through the entry: a cell's cached value
    // or the name's text. Raises for a bad index, a sheet reference and DDE or OLE links.
    void ExternNameValue(int extSheetIndex, int nameIndex, TFormulaValue& value) const;

    uint8_t ExternalLookup = 1;
    std::vector<TExtSheet> ExtSheets;
    TSupBookList SupBooks;
    std::unique_ptr<TExternalSeek> ExtSeek;

private:
    const TSupBook* BookOf(int extSheetIndex) const;
};
