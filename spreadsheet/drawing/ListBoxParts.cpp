// List and combo boxes: their list data, linked cell, source range and OBJ record.

#include "spreadsheet/drawing/ControlParts.h"

#include "platform/rtl/Exception.h"
#include "platform/rtl/Format.h"
#include "spreadsheet/core/CellRef.h"

#include <algorithm>

namespace {

uint16_t Word(const uint8_t* b, int at) {
    return static_cast<uint16_t>(b[at] | b[at + 1] << 8);
}

void Need(int at, int size, int length) {
    if (at + size > length)
        throw Exception("Error while reading Shape. Length <> 0");
}

void WriteWords(TBIFFStream& stream, std::initializer_list<uint16_t> words) {
    for (uint16_t w : words)
        WriteBodyWord(stream, w);
}

} // namespace

int TObjLBS::Size(bool asRead) const {
    if (asRead)
        return static_cast<int>(BodyAsRead.size());
    return 10 + (Formula.empty() ? 0 : static_cast<int>(Formula.size()) + 7) + TailSize();
}

int TObjLBS::Read(const uint8_t* bytes, int length) {
    Need(0, 2, length);
    int at = 2;
    Formula.clear();
    if (Word(bytes, 0) != 0) {
        Need(at, 6, length);
        const int n = Word(bytes, at);
        Reserved = static_cast<uint32_t>(Word(bytes, at + 2) | Word(bytes, at + 4) << 16);
        at += 6;
        Need(at, n + 1, length);
        Formula.assign(bytes + at, bytes + at + n);
        Trailing = bytes[at + n];
        at += n + 1;
    }
    Need(at, 8, length);
    Entries = Word(bytes, at);
    Selected = Word(bytes, at + 2);
    Flags = Word(bytes, at + 4);
    EditId = Word(bytes, at + 6);
    at = ReadTail(bytes, at + 8, length);
    BodyAsRead.assign(bytes, bytes + length);
    return at;
}

void TObjLBS::Write(TBIFFStream& stream, bool asRead) const {
    if (asRead) {
        if (!BodyAsRead.empty())
            stream.WriteData(BodyAsRead.data(), static_cast<int>(BodyAsRead.size()));
        return;
    }
    WriteBodyWord(stream, static_cast<uint16_t>(Formula.empty() ? 0 : Formula.size() + 7));
    if (!Formula.empty()) {
        WriteBodyWord(stream, static_cast<uint16_t>(Formula.size()));
        WriteBodyLong(stream, Reserved);
        stream.WriteData(Formula.data(), static_cast<int>(Formula.size()));
        WriteBodyByte(stream, Trailing);
    }
    WriteWords(stream, {Entries, Selected, Flags, EditId});
    WriteTail(stream);
}

int TObjLBSListBox::TailSize() const {
    return HasSelection() ? Entries : 0;
}

int TObjLBSListBox::ReadTail(const uint8_t* bytes, int at, int length) {
    Selection.clear();
    if (!HasSelection())
        return at;
    Need(at, Entries, length);
    Selection.assign(bytes + at, bytes + at + Entries);
    return at + Entries;
}

void TObjLBSListBox::WriteTail(TBIFFStream& stream) const {
    if (!HasSelection())
        return;
    TBytes selection = Selection;
    selection.resize(Entries);
    if (!selection.empty())
        stream.WriteData(selection.data(), static_cast<int>(selection.size()));
}

int TObjLBSComboBox::ReadTail(const uint8_t* bytes, int at, int length) {
    Need(at, 6, length);
    DropFlags = Word(bytes, at);
    DropLines = Word(bytes, at + 2);
    MinWidth = Word(bytes, at + 4);
    return at + 6;
}

void TObjLBSComboBox::WriteTail(TBIFFStream& stream) const {
    WriteWords(stream, {DropFlags, DropLines, MinWidth});
}

TShapeControlListBox::TShapeControlListBox(bool combo) : Combo(combo) {
    OwnsObjectData = true;
    ObjectOptions = 0x2011;
    ObjectKind = combo ? okComboBox : okListBox;
    const uint16_t scroll[] = {0, 0, 4, 1, 5, 0, 16, 1};
    for (int i = 0; i < 8; ++i) {
        ScrollBar[static_cast<size_t>(4 + 2 * i)] = static_cast<uint8_t>(scroll[i]);
        ScrollBar[static_cast<size_t>(5 + 2 * i)] = static_cast<uint8_t>(scroll[i] >> 8);
    }
    LinkedCell = {0x24, 1, 0, 1, 0, 0};
    if (combo) {
        auto list = std::make_unique<TObjLBSComboBox>();
        list->DropLines = 10;
        List = std::move(list);
    } else {
        List = std::make_unique<TObjLBSListBox>();
        List->Entries = 10;
        List->Selected = 1;
        List->Flags = 0x0008;
    }
}

std::unique_ptr<TShapeOutsideMso> TShapeControlListBox::AssignObject() const {
    throw Exception("TShapeControlListBox: Assign not implemented");
}

bool TShapeControlListBox::TakeObjData(const TBaseRecordStorage& subrecords) {
    int objectType = Combo ? 20 : 18;
    bool listData = false;
    for (int i = 0; i < subrecords.Count(); ++i) {
        const TRawRecord* r = subrecords.Items(i);
        if (!r || r->Id() == ftEnd)
            continue;
        const TBytes body(r->Body(), r->Body() + r->Length());
        switch (r->Id()) {
        case ftMacro:
            Macro = body;
            break;
        case ftSbs:
            std::copy_n(body.begin(), std::min<size_t>(body.size(), 20), ScrollBar.begin());
            break;
        case ftSbsFmla:
            LinkedCellAsRead = body;
            LinkedCell.clear();
            if (r->WordAt(0) == 5 && r->Length() >= 12)
                LinkedCell.assign(body.begin() + 6, body.begin() + 12);
            break;
        case ftCmo:
            objectType = r->WordAt(0);
            ObjectId = r->WordAt(2);
            ObjectOptions = r->WordAt(4);
            if (ObjectOptions & 0x0100)
                LinkedCell.clear();
            break;
        case ftLbsData:
            List->Read(body.data(), static_cast<int>(body.size()));
            listData = true;
            if (objectType == 18)
                i = subrecords.Count();
            break;
        default:
            throw Exception(Format("Unknown record %.4X in OBJ LBS", {int(r->Id())}));
        }
    }
    // Without list data there is nothing to write back as read: the control writes its own.
    Changed = !listData;
    return true;
}

void TShapeControlListBox::WriteObject(TBIFFStream& stream) const {
    BeginSheetRecord(stream, recOBJ);
    WriteWords(stream,
               {ftCmo, 18, static_cast<uint16_t>(Combo ? 20 : 18), ObjectId, ObjectOptions});
    const uint8_t zero[12] = {};
    stream.WriteData(zero, 12);
    WriteWords(stream, {ftSbs, 20});
    stream.WriteData(ScrollBar.data(), 20);
    if (!Macro.empty()) {
        WriteWords(stream, {ftMacro, static_cast<uint16_t>(Macro.size())});
        stream.WriteData(Macro.data(), static_cast<int>(Macro.size()));
    }
    if (Changed && !LinkedCell.empty()) {
        WriteWords(stream, {ftSbsFmla, static_cast<uint16_t>(LinkedCell.size() + 6),
                            static_cast<uint16_t>(LinkedCell.size() - 1), 0, 0});
        stream.WriteData(LinkedCell.data(), static_cast<int>(LinkedCell.size()));
    } else if (!Changed && !LinkedCellAsRead.empty()) {
        WriteWords(stream, {ftSbsFmla, static_cast<uint16_t>(LinkedCellAsRead.size())});
        stream.WriteData(LinkedCellAsRead.data(), static_cast<int>(LinkedCellAsRead.size()));
    }
    // The list data's length word is fixed, whatever its size; readers take the rest of the
    // record.
    WriteWords(stream, {ftLbsData, 0x1FDE});
    List->Write(stream, !Changed);
    if (Combo)
        stream.WriteData(zero, 4);
    EndSheetRecord(stream);
}

std::u16string TShapeControlListBox::DestCell() const {
    if (LinkedCell.size() < 5 || (LinkedCell[0] & 0x1F) != 0x04)
        throw Exception("Unknown SBS formula.");
    return CellRefText(Word(LinkedCell.data(), 3) & 0xFF, Word(LinkedCell.data(), 1), true, true);
}

void TShapeControlListBox::SetDestCell(const std::u16string& text) {
    int col, row;
    bool absCol, absRow;
    if (!ParseCellRef(text, col, row, absCol, absRow))
        throw Exception("Invalid cell reference");
    if (LinkedCell.size() < 6 || (LinkedCell[0] & 0x1F) != 0x04)
        LinkedCell = {0x24, 0xFF, 0xFF, 0xFF, 0xFF, 0};
    if (Word(LinkedCell.data(), 1) == row && Word(LinkedCell.data(), 3) == col)
        return;
    LinkedCell[1] = static_cast<uint8_t>(row);
    LinkedCell[2] = static_cast<uint8_t>(row >> 8);
    LinkedCell[3] = static_cast<uint8_t>(col);
    LinkedCell[4] = static_cast<uint8_t>(col >> 8);
    Changed = true;
}

std::u16string TShapeControlListBox::SourceArea() const {
    const TBytes& f = List->Formula;
    if (f.empty())
        throw Exception("No source area assigned");
    // A plain area, or one on a sheet (a file may hold either).
    int at;
    if (f.size() == 9 && (f[0] & 0x1F) == 0x05)
        at = 1;
    else if (f.size() == 11 && (f[0] & 0x1F) == 0x1B)
        at = 3;
    else
        throw Exception("Unknown LBS formula.");
    return AreaRefText(Word(f.data(), at + 4) & 0xFF, Word(f.data(), at),
                       Word(f.data(), at + 6) & 0xFF, Word(f.data(), at + 2), true, true, true,
                       true);
}

void TShapeControlListBox::SetSourceArea(const std::u16string& text) {
    int c1, r1, c2, r2;
    if (!ParseAreaRef(text, c1, r1, c2, r2))
        throw Exception("Invalid area reference");
    TBytes& f = List->Formula;
    if (f.size() != 9 || (f[0] & 0x1F) != 0x05)
        f = {0x25, 0, 0, 0, 0, 0, 0, 0, 0};
    const uint16_t values[] = {static_cast<uint16_t>(r1), static_cast<uint16_t>(r2),
                               static_cast<uint16_t>(c1), static_cast<uint16_t>(c2)};
    for (int i = 0; i < 4; ++i) {
        f[static_cast<size_t>(1 + 2 * i)] = static_cast<uint8_t>(values[i]);
        f[static_cast<size_t>(2 + 2 * i)] = static_cast<uint8_t>(values[i] >> 8);
    }
    Changed = true;
}

void TShapeControlListBox::SetAutoFilter(bool value) {
    if (!value) {
        if (autoFilter_)
            throw Exception("An autofilter combo box can not be changed to a normal.");
        return;
    }
    autoFilter_ = true;
    ObjectOptions = 0x2101;
    List->Flags = 0x0301;
    if (auto* combo = dynamic_cast<TObjLBSComboBox*>(List.get())) {
        combo->DropFlags = 10;
        combo->DropLines = 8;
    }
    LinkedCell.clear();
    Changed = true;
}
