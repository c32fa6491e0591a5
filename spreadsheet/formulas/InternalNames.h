#pragma once
// The workbook's defined names. A name keeps its text stored (flag byte and characters), or,
// when built in, exactly the flag byte and its code (below 14) with no text of its own; its
// option bits (bit 0 built in, bit 3 a procedure), its sheet index and its formula.
//
// Names keep their places: formulas and controls refer to names by position, so a name is
// never moved by a rename, and deleting one tells the owner the deleted position.

#include "spreadsheet/formulas/DecodeFormula.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TEncodeFormula;
class TInternalNames;

class TInternalName {
public:
    explicit TInternalName(TInternalNames* parent) : Parent(parent) {}

    // A leading "_xlnm." is dropped and marks the name built in (option bit 0). Raises "Name
    // is empty", and, unless the list is loading, "There is allready an area named X" for a
    // name another one has (ignoring case).
    void SetName(std::u16string_view text);
    // A built-in name by its code (0 to 13), without a text.
    void SetBuiltin(uint8_t code);
    void SetProcedure(bool flag);
    // Empty for a name stored by its code.
    std::u16string NameText() const;
    // The code of a name stored by its code, else -1.
    int BuiltinCode() const;

    TInternalNames* Parent;
    std::string Name;
    uint16_t Options = 0;
    uint16_t SheetIndex = 0;
    std::vector<uint8_t> NameDef;
};

class TInternalNames {
public:
    using TNameDeletedEvent = std::function<void(TInternalNames& sender, int index)>;

    explicit TInternalNames(TEncodeFormula* encoder = nullptr) : Encoder(encoder) {}

    int Count() const { return static_cast<int>(items_.size()); }
    TInternalName* Names(int index) const { return items_.at(static_cast<size_t>(index)).get(); }
    // A new name with an empty formula, at the end.
    TInternalName* AddName();
    // The first name equal to `text` ignoring case, or -1.
    int IndexOfName(std::u16string_view text) const;
    // Frees the name and tells OnNameDeleted its position.
    void DeleteName(int index);
    // Deletes the first name other than `except` with the built-in code and sheet.
    void DeleteBuiltinName(int code, int sheet, const TInternalName* except = nullptr);

    TEncodeFormula* Encoder;
    TFormulaResolver OnGetName;
    TNameDeletedEvent OnNameDeleted;
    uint8_t Loading = 1;

private:
    std::vector<std::unique_ptr<TInternalName>> items_;
};
