#include "spreadsheet/drawing/ControlParts.h"

#include "platform/rtl/CodePage.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/Format.h"
#include "spreadsheet/drawing/EscherDrawing.h"
#include "spreadsheet/formulas/ExternalNames.h"
#include "spreadsheet/formulas/InternalNames.h"

TBytes MacroFormula(int nameIndex) {
    return {7,
            0,
            0,
            0,
            0,
            0,
            0x39,
            0,
            0,
            static_cast<uint8_t>(nameIndex),
            static_cast<uint8_t>(nameIndex >> 8),
            0,
            0,
            0};
}

std::u16string MacroNameOf(const TBytes& formula, const TInternalNames* names) {
    if (formula.size() < 11 || formula[6] != 0x39 || !names)
        return {};
    const int index = formula[9] | formula[10] << 8;
    return index >= 1 && index <= names->Count() ? names->Names(index - 1)->NameText()
                                                 : std::u16string();
}

TBytes AddMacroName(const std::u16string& name, TInternalNames& names, TExternalNames* externals) {
    TInternalName* added = names.AddName();
    added->SetName(name);
    added->SetProcedure(true);
    if (externals)
        externals->GetInternalExtSheet(0xFFFE, 1);
    const int index = names.IndexOfName(name);
    if (index < 0)
        throw Exception("Can not find Name " + Utf16ToUtf8(name));
    return MacroFormula(index + 1);
}

void NameDeletedFromMacro(TBytes& formula, int deleted) {
    if (formula.size() <= 10)
        return;
    const int index = formula[9] | formula[10] << 8;
    if (index == deleted + 1) {
        formula.clear();
    } else if (index > deleted + 1) {
        formula[9] = static_cast<uint8_t>(index - 1);
        formula[10] = static_cast<uint8_t>((index - 1) >> 8);
    }
}

void WriteObjRecord(TBIFFStream& stream, uint16_t objectType, uint16_t id, uint16_t options,
                    const std::vector<std::pair<uint16_t, const TBytes*>>& subrecords, bool end) {
    BeginSheetRecord(stream, recOBJ);
    const uint8_t common[22] = {0x15,
                                0,
                                18,
                                0,
                                static_cast<uint8_t>(objectType),
                                static_cast<uint8_t>(objectType >> 8),
                                static_cast<uint8_t>(id),
                                static_cast<uint8_t>(id >> 8),
                                static_cast<uint8_t>(options),
                                static_cast<uint8_t>(options >> 8)};
    stream.WriteData(common, 22);
    for (const auto& [sub, body] : subrecords)
        if (body && !body->empty()) {
            WriteBodyWord(stream, sub);
            WriteBodyWord(stream, static_cast<uint16_t>(body->size()));
            stream.WriteData(body->data(), static_cast<int>(body->size()));
        }
    if (end) {
        const uint8_t zero[4] = {};
        stream.WriteData(zero, 4);
    }
    EndSheetRecord(stream);
}

std::unique_ptr<TShapeOutsideMso> TShapeControl::AssignObject() const {
    throw Exception("Can not assign this interface");
}

std::unique_ptr<TShapeOutsideMso> TShapeOutsideMsoBaseTextMacro::AssignObject() const {
    throw Exception("Can not assign this interface");
}

std::vector<std::pair<uint16_t, const TBytes*>> TShapeOutsideMsoBaseTextMacro::Subrecords() const {
    return {{ftMacro, &Macro}};
}

void TShapeOutsideMsoBaseTextMacro::WriteObject(TBIFFStream& stream) const {
    WriteObjRecord(stream, ObjectType, ObjectId, ObjectOptions, Subrecords(), true);
    WriteText(stream);
}

namespace {

TBytes Body(const TRawRecord& r) {
    return TBytes(r.Body(), r.Body() + r.Length());
}

[[noreturn]] void Unknown(uint16_t id, const char* where) {
    throw Exception(Format("Unknown record %.4X in OBJ ", {int(id)}) + where);
}

void TakeCommon(TShapeOutsideMso& part, const TRawRecord& r) {
    part.ObjectId = r.WordAt(2);
    part.ObjectOptions = r.WordAt(4);
}

// Linked-cell subrecords: kept as read; a cell formula (first word 5) is taken from offset 6.
void TakeLinkedCell(const TRawRecord& r, TBytes& asRead, TBytes& formula) {
    asRead = Body(r);
    if (r.WordAt(0) == 5 && r.Length() >= 12)
        formula = TBytes(r.Body() + 6, r.Body() + 12);
}

} // namespace

namespace {

// Keeps the bodies of the listed subrecords and takes the common data; the end subrecord is
// skipped and any other raises "Unknown record %.4X in OBJ " + where.
void TakeBodies(TShapeOutsideMso& part, const TBaseRecordStorage& subrecords,
                std::initializer_list<std::pair<uint16_t, TBytes*>> bodies, const char* where) {
    for (int i = 0; i < subrecords.Count(); ++i) {
        const TRawRecord* r = subrecords.Items(i);
        if (!r || r->Id() == ftEnd)
            continue;
        if (r->Id() == ftCmo) {
            TakeCommon(part, *r);
            continue;
        }
        TBytes* body = nullptr;
        for (const auto& [id, into] : bodies)
            if (id == r->Id())
                body = into;
        if (!body)
            Unknown(r->Id(), where);
        *body = Body(*r);
    }
}

} // namespace

bool TShapeControlButton::TakeObjData(const TBaseRecordStorage& subrecords) {
    TakeBodies(*this, subrecords, {{ftMacro, &Macro}}, "LBS");
    return true;
}

bool TShapeControlCheckBox::TakeObjData(const TBaseRecordStorage& subrecords) {
    TakeBodies(*this, subrecords,
               {{ftMacro, &Macro}, {ftCbLink, &CbLink}, {ftCblsFmla, &CblsFmla}, {ftCbls, &Cbls}},
               "CBLS");
    return true;
}

std::vector<std::pair<uint16_t, const TBytes*>> TShapeControlCheckBox::Subrecords() const {
    return {{ftCbLink, &CbLink}, {ftMacro, &Macro}, {ftCblsFmla, &CblsFmla}, {ftCbls, &Cbls}};
}

bool TShapeControlRadioButton::TakeObjData(const TBaseRecordStorage& subrecords) {
    TakeBodies(*this, subrecords,
               {{ftMacro, &Macro},
                {ftCbLink, &CbLink},
                {ftRboData, &RboData},
                {ftRbo, &Rbo},
                {ftCbls, &Cbls},
                {ftCblsFmla, &CblsFmla}},
               "RBO");
    return true;
}

std::vector<std::pair<uint16_t, const TBytes*>> TShapeControlRadioButton::Subrecords() const {
    return {{ftCbLink, &CbLink},     {ftRboData, &RboData}, {ftMacro, &Macro},
            {ftCblsFmla, &CblsFmla}, {ftCbls, &Cbls},       {ftRbo, &Rbo}};
}

TShapeControlScrollBar::TShapeControlScrollBar() : ScrollBar(20, 0) {
    OwnsObjectData = true;
    ObjectOptions = 0x6011;
    ObjectKind = okScrollBar;
}

bool TShapeControlScrollBar::TakeObjData(const TBaseRecordStorage& subrecords) {
    // What was read replaces the defaults of a new scroll bar: a subrecord the record lacks
    // is not written back either.
    ScrollBar.clear();
    Macro.clear();
    LinkedCell.clear();
    LinkedCellAsRead.clear();
    for (int i = 0; i < subrecords.Count(); ++i) {
        const TRawRecord* r = subrecords.Items(i);
        if (!r || r->Id() == ftEnd)
            continue;
        switch (r->Id()) {
        case ftMacro:
            Macro = Body(*r);
            break;
        case ftSbs:
            ScrollBar = Body(*r);
            break;
        case ftSbsFmla:
            TakeLinkedCell(*r, LinkedCellAsRead, LinkedCell);
            break;
        case ftCmo:
            TakeCommon(*this, *r);
            break;
        default:
            Unknown(r->Id(), "CBLS");
        }
    }
    return true;
}

void TShapeControlScrollBar::WriteObject(TBIFFStream& stream) const {
    WriteObjRecord(stream, 17, ObjectId, ObjectOptions,
                   {{ftSbs, &ScrollBar}, {ftMacro, &Macro}, {ftSbsFmla, &LinkedCellAsRead}}, true);
}

std::unique_ptr<TShapeOutsideMso> MakeControlPart(int objectType, TEscherDrawing& drawing) {
    std::unique_ptr<TShapeOutsideMsoBaseTextMacro> text;
    switch (objectType) {
    case 7:
        text = std::make_unique<TShapeControlButton>();
        break;
    case 11:
        text = std::make_unique<TShapeControlCheckBox>();
        break;
    case 12:
        text = std::make_unique<TShapeControlRadioButton>();
        break;
    case 17:
        return std::make_unique<TShapeControlScrollBar>();
    case 18:
        return std::make_unique<TShapeControlListBox>(false);
    case 20:
        return std::make_unique<TShapeControlComboBox>();
    default:
        return nullptr;
    }
    text->Names = drawing.Names;
    return text;
}
