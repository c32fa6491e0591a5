#pragma once
// Writes small workbook streams for the outside readers: the workbook's global records (with
// our fonts, number formats and format bodies) and one sheet whose records a caller adds.

#include "spreadsheet/formats/CellFormats.h"
#include "spreadsheet/records/BIFFStream.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

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

void Put(TBIFFStream& out, uint16_t id, const TBytes& body);

// A workbook stream of one sheet "Sheet1": the globals, then the sheet's BOF and DIMENSIONS
// (rows 0 to `rows`), what `sheet` writes, WINDOW2 and EOF.
void WriteTestWorkbook(const char* path, TCellFormats& formats, uint32_t rows,
                       const std::function<void(TBIFFStream&)>& sheet);
