#pragma once
// A bare worksheet record stream of the binary spreadsheet format: a beginning-of-file record,
// a code-page record, one text-cell record per cell, an end-of-file record. No container, no
// string table, no formats: spreadsheet programs open it as a one-sheet workbook.
//
// Texts are given in UTF-8 and stored in Windows-1251 (characters it lacks become "?"); the
// code-page record names it, so that programs show the Cyrillic as written. A cell holds at
// most 255 bytes; longer texts are cut.

#include <cstdint>
#include <string>
#include <string_view>

class TBiffStream {
public:
    static constexpr size_t MaxTextBytes = 255;
    static constexpr int MaxIndex = 0xFFFF; // the largest row or column number

    // Starts the stream: the beginning-of-file record of a worksheet, then the code page.
    TBiffStream();

    // One text cell (0-based row and column); an index outside 0..65535 raises EArgumentException.
    void Label(int Row, int Column, std::string_view Text);
    // Ends the stream and hands over its bytes; the object is then empty.
    std::string Finish();

private:
    std::string bytes_;
};

// Appends one text-cell record to Stream.
void WriteBiffLabel(std::string& Stream, int Column, int Row, std::string_view Text);
