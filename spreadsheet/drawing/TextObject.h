#pragma once
// The object part of text boxes, notes and captioned controls: the text-object record (18
// bytes: options, rotation, text length, run length, extra bytes), the text and its
// formatting runs, written as a drawing record holding the client text box, the text-object
// record, the text in continuation records and the runs in one more. A note adds its cell,
// options and author, written in a NOTE record after the drawing.

#include "spreadsheet/drawing/Shape.h"

#include <cstdint>
#include <string>
#include <vector>

struct TTXORun {
    uint16_t FirstChar = 0;
    uint16_t Font = 0;
    uint32_t Reserved = 0;
};

class TShapeOutsideMsoBaseText : public TShapeOutsideMso {
public:
    explicit TShapeOutsideMsoBaseText(uint8_t kind = okTextBox);

    // Empty text, options 0x0212, two zero runs.
    void SetDefaultFormat();
    std::unique_ptr<TShapeOutsideMso> AssignObject() const override;
    // Reads the client text box, the text-object record, the text and the runs, following the
    // lengths the text-object record gives. Raises "Excpected record missing: MSODRAWING",
    // "Excpected record missing: TXO" and "Unicode error in TXO".
    int ReadObject(TDrawingReader& reader) override;
    void WriteObject(TBIFFStream& stream) const override;
    bool IsText() const override { return true; }

    std::vector<uint8_t> TXO;
    std::u16string Text;
    std::vector<TTXORun> Runs;

protected:
    void CopyTextTo(TShapeOutsideMsoBaseText& target) const;
    // Writes the records of the text object itself (after the OBJ record).
    void WriteText(TBIFFStream& stream) const;
};

class TShapeOutsideMsoNote : public TShapeOutsideMsoBaseText {
public:
    TShapeOutsideMsoNote() : TShapeOutsideMsoBaseText(okNote) {}
    std::unique_ptr<TShapeOutsideMso> AssignObject() const override;
    bool IsNote() const override { return true; }
    // The NOTE record: row, column, options, object id, author (2 x length + 11 bytes).
    void WriteNote(TBIFFStream& stream, uint16_t objectId) const;

    int32_t CellCol = 0;
    int32_t CellRow = 0;
    uint16_t Options = 0;
    std::u16string Author;
};
