#pragma once
// The object parts of form controls, which own their OBJ record: they take its subrecords over
// when a drawing is read and write the whole record themselves (followed, for controls with a
// caption, by the text object).
//
// Formulas held by controls: the linked cell (6 bytes: 0x24, row, column, a zero byte), the
// source range (9 bytes: 0x25, first row, last row, first column, last column; 11 bytes with
// 0x3B and a sheet reference when read from a file), and the macro (14 bytes, 0x39 at byte 6,
// the one-based defined-name index at bytes 9-10).

#include "spreadsheet/drawing/TextObject.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TInternalNames;
class TExternalNames;

using TBytes = std::vector<uint8_t>;

// Subrecords of the OBJ record.
enum : uint16_t {
    ftEnd = 0x0000,
    ftMacro = 0x0004,
    ftCbLink = 0x000A,
    ftRboData = 0x000B,
    ftSbs = 0x000C,
    ftSbsFmla = 0x000E,
    ftRbo = 0x0011,
    ftCbls = 0x0012,
    ftLbsData = 0x0013,
    ftCblsFmla = 0x0014,
    ftCmo = 0x0015,
};

// The macro formula of a defined name (one-based index).
TBytes MacroFormula(int nameIndex);
// The defined name a macro formula names, or the empty text.
std::u16string MacroNameOf(const TBytes& formula, const TInternalNames* names);
// Adds a procedure name and returns the macro formula that names it. Raises "Can not find Name
// X" when the name cannot be found afterwards.
TBytes AddMacroName(const std::u16string& name, TInternalNames& names, TExternalNames* externals);
// The defined name `deleted` (zero-based) went: a later index moves down, a formula naming the
// deleted one is cleared.
void NameDeletedFromMacro(TBytes& formula, int deleted);

// List data of list and combo boxes.
class TObjLBS {
public:
    virtual ~TObjLBS() = default;
    // The body size: as read, or as written now.
    virtual int Size(bool asRead) const;
    // Returns the bytes consumed.
    virtual int Read(const uint8_t* bytes, int length);
    virtual void Write(TBIFFStream& stream, bool asRead) const;

    TBytes BodyAsRead;
    uint32_t Reserved = 0;
    uint8_t Trailing = 0;
    TBytes Formula; // the source range's tokens
    uint16_t Entries = 0, Selected = 0, Flags = 0, EditId = 0;

protected:
    virtual int TailSize() const { return 0; }
    virtual int ReadTail(const uint8_t* bytes, int at, int length) {
        (void)bytes, (void)length;
        return at;
    }
    virtual void WriteTail(TBIFFStream& stream) const { (void)stream; }
};

class TObjLBSListBox : public TObjLBS {
public:
    bool HasSelection() const { return (Flags & 0x30) != 0; }
    TBytes Selection;

protected:
    int TailSize() const override;
    int ReadTail(const uint8_t* bytes, int at, int length) override;
    void WriteTail(TBIFFStream& stream) const override;
};

class TObjLBSComboBox : public TObjLBS {
public:
    uint16_t DropFlags = 0, DropLines = 0, MinWidth = 0;

protected:
    int TailSize() const override { return 6; }
    int ReadTail(const uint8_t* bytes, int at, int length) override;
    void WriteTail(TBIFFStream& stream) const override;
};

class TShapeControl : public TShapeOutsideMso {
public:
    std::unique_ptr<TShapeOutsideMso> AssignObject() const override;
};

class TShapeControlListBox : public TShapeControl {
public:
    explicit TShapeControlListBox(bool combo = false);
    std::unique_ptr<TShapeOutsideMso> AssignObject() const override;
    bool TakeObjData(const TBaseRecordStorage& subrecords) override;
    void WriteObject(TBIFFStream& stream) const override;

    // "$B$2"; raises "Unknown SBS formula." without a linked cell.
    std::u16string DestCell() const;
    // Raises "Invalid cell reference" for a text that is no cell.
    void SetDestCell(const std::u16string& text);
    // "$A$1:$A$10"; raises "No source area assigned" or "Unknown LBS formula.".
    std::u16string SourceArea() const;
    // Raises "Invalid area reference" for a text that is not two cells joined by ":".
    void SetSourceArea(const std::u16string& text);
    // Makes the combo box a filter drop-down; back is refused with "An autofilter combo box
    // can not be changed to a normal.".
    void SetAutoFilter(bool value);
    bool AutoFilter() const { return autoFilter_; }

    bool Combo;
    std::array<uint8_t, 20> ScrollBar{};
    TBytes LinkedCell;
    TBytes LinkedCellAsRead;
    std::unique_ptr<TObjLBS> List;
    TBytes Macro;
    bool Changed = true;

private:
    bool autoFilter_ = false;
};

class TShapeControlComboBox : public TShapeControlListBox {
public:
    TShapeControlComboBox() : TShapeControlListBox(true) {}
};

class TShapeOutsideMsoBaseTextMacro : public TShapeOutsideMsoBaseText {
public:
    TShapeOutsideMsoBaseTextMacro(uint8_t kind, uint16_t objectType)
        : TShapeOutsideMsoBaseText(kind), ObjectType(objectType) {}
    std::unique_ptr<TShapeOutsideMso> AssignObject() const override;
    void WriteObject(TBIFFStream& stream) const override;

    TInternalNames* Names = nullptr;
    TBytes Macro;
    uint16_t ObjectType;

protected:
    // The subrecords between the common and the end subrecord, in their order.
    virtual std::vector<std::pair<uint16_t, const TBytes*>> Subrecords() const;
};

class TShapeControlButton : public TShapeOutsideMsoBaseTextMacro {
public:
    TShapeControlButton() : TShapeOutsideMsoBaseTextMacro(okButton, 7) {}
    bool TakeObjData(const TBaseRecordStorage& subrecords) override;
};

class TShapeControlCheckBox : public TShapeOutsideMsoBaseTextMacro {
public:
    TShapeControlCheckBox() : TShapeOutsideMsoBaseTextMacro(okCheckBox, 11) {}
    bool TakeObjData(const TBaseRecordStorage& subrecords) override;
    TBytes CbLink, CblsFmla, Cbls;

protected:
    std::vector<std::pair<uint16_t, const TBytes*>> Subrecords() const override;
};

class TShapeControlRadioButton : public TShapeOutsideMsoBaseTextMacro {
public:
    TShapeControlRadioButton() : TShapeOutsideMsoBaseTextMacro(okRadioButton, 12) {}
    bool TakeObjData(const TBaseRecordStorage& subrecords) override;
    TBytes CbLink, RboData, Cbls, CblsFmla, Rbo;

protected:
    std::vector<std::pair<uint16_t, const TBytes*>> Subrecords() const override;
};

class TShapeControlScrollBar : public TShapeControl {
public:
    TShapeControlScrollBar();
    bool TakeObjData(const TBaseRecordStorage& subrecords) override;
    void WriteObject(TBIFFStream& stream) const override;
    TBytes ScrollBar, LinkedCell, LinkedCellAsRead, Macro;
};

// Writes an OBJ record: the common subrecord (type, id, options, 12 zero bytes), the
// subrecords with a body (in order), and the end subrecord when `end`.
void WriteObjRecord(TBIFFStream& stream, uint16_t objectType, uint16_t id, uint16_t options,
                    const std::vector<std::pair<uint16_t, const TBytes*>>& subrecords, bool end);
