#include "spreadsheet/records/RecordStorage.h"

#include "platform/rtl/Exception.h"
#include "platform/rtl/Strings.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>

namespace {

// Builds a little-endian body from fields of the given byte widths.
class TBody {
public:
    TBody& Byte(uint8_t v) { return Put(v, 1); }
    TBody& Word(uint16_t v) { return Put(v, 2); }
    TBody& Long(uint32_t v) { return Put(v, 4); }
    TBody& Double(double v) {
        uint64_t bits;
        std::memcpy(&bits, &v, 8);
        return Put(bits, 8);
    }
    TBody& Fill(int count, uint8_t v) {
        bytes.insert(bytes.end(), static_cast<size_t>(count), v);
        return *this;
    }
    std::vector<uint8_t> bytes;

private:
    TBody& Put(uint64_t v, int width) {
        for (int k = 0; k < width; ++k)
            bytes.push_back(static_cast<uint8_t>(v >> (8 * k)));
        return *this;
    }
};

TDefaultRecord W(uint16_t id, uint16_t value) {
    return {id, TBody().Word(value).bytes};
}

TDefaultRecord Empty(uint16_t id) {
    return {id, {}};
}

TDefaultRecord Internal(uint16_t id) {
    return {id, {}, true};
}

TDefaultRecord Bof(uint16_t type, uint16_t build) {
    return {recBOF,
            TBody().Word(0x0600).Word(type).Word(build).Word(1997).Long(0x80C9).Long(0x0106).bytes};
}

std::string Hex4(uint16_t id) {
    return IntToHex(static_cast<uint32_t>(id), 4);
}

} // namespace

const std::vector<TDefaultRecord>& TRecordStorageGlobals::Table() {
    static const std::vector<TDefaultRecord> table = {
        Bof(0x0005, 0x1002),
        {recWRITEACCESS, TBody().Byte(0).Word(0).Fill(109, 0x20).bytes},
        W(recCODEPAGE, 1200),
        W(recDSF, 0),
        Empty(recTABID),
        W(recFNGROUPCOUNT, 14),
        W(recWINDOWPROTECT, 0),
        W(recPROTECT, 0),
        W(recPASSWORD, 0),
        W(recPROT4REV, 0),
        {recWINDOW1, TBody()
                         .Word(100)
                         .Word(100)
                         .Word(10000)
                         .Word(7000)
                         .Word(0x0038)
                         .Word(0)
                         .Word(0)
                         .Word(1)
                         .Word(600)
                         .bytes},
        W(recBACKUP, 0),
        W(recHIDEOBJ, 0),
        W(rec1904, 0),
        W(recPRECISION, 1),
        W(recREFRESHALL, 0),
        W(recBOOKBOOL, 0),
        Internal(0x8001),
        Internal(0x8002),
        {recCOUNTRY, TBody().Word(1).Word(46).bytes},
        {recRECALCID, TBody().Word(recRECALCID).Word(0).Long(0xFFFFFF).bytes},
        Internal(0x8003),
        Internal(0x8004),
        Internal(0x8005),
        Empty(recEOF),
    };
    return table;
}

const std::vector<TDefaultRecord>& TRecordStorageSheet::Table() {
    static const std::vector<TDefaultRecord> table = {
        Bof(0x0010, 6319),
        W(recCALCMODE, 1),
        W(recCALCCOUNT, 100),
        W(recREFMODE, 1),
        W(recITERATION, 0),
        {recDELTA, TBody().Double(0.001).bytes},
        W(recSAVERECALC, 1),
        W(recPRINTGRIDLINES, 0),
        W(recPRINTHEADERS, 0),
        W(recGRIDSET, 1),
        {recGUTS, TBody().Word(0).Word(0).Word(0).Word(0).bytes},
        {recDEFAULTROWHEIGHT, TBody().Word(0).Word(255).bytes},
        W(recWSBOOL, 0x04C1),
        Internal(0x8101),
        Internal(0x8102),
        Internal(0x8103),
        W(recHCENTER, 0),
        W(recVCENTER, 0),
        {recSETUP, TBody()
                       .Word(0)
                       .Word(100)
                       .Word(1)
                       .Word(1)
                       .Word(1)
                       .Word(0x06B6)
                       .Word(600)
                       .Word(600)
                       .Double(0.5)
                       .Double(0.5)
                       .Word(0)
                       .bytes},
        W(recPROTECT, 0),
        W(recDEFCOLWIDTH, 8),
        {recDIMENSIONS, TBody().Long(0).Long(0).Word(0).Word(0).Word(0).bytes},
        Internal(0x8104),
        Internal(0x8105),
        {recWINDOW2, TBody().Word(0x04B6).Word(0).Word(0).Long(64).Word(0).Word(0).Long(0).bytes},
        Internal(0x8106),
        {recSELECTION,
         TBody().Byte(3).Word(1).Word(1).Word(0).Word(1).Word(1).Word(1).Byte(1).Byte(1).bytes},
        Empty(recEOF),
    };
    return table;
}

TRecordStorageDefault::TRecordStorageDefault(const std::vector<TDefaultRecord>& table)
    : table_(table), current_(table.size(), nullptr) {}

TRecordStorageDefault::~TRecordStorageDefault() = default;

int TRecordStorageDefault::Slot(uint16_t id) const {
    for (size_t i = 0; i < table_.size(); ++i)
        if (table_[i].Id == id)
            return static_cast<int>(i);
    return -1;
}

void TRecordStorageDefault::Clear() {
    TBaseRecordStorage::Clear();
    defaults_.Clear();
    std::fill(current_.begin(), current_.end(), nullptr);
}

TRawRecord* TRecordStorageDefault::NewDefault(uint16_t id, uint16_t length) {
    return defaults_.AddRecord(IdAndLength(id, length), nullptr);
}

TRawRecord* TRecordStorageDefault::NewWordDefault(uint16_t id, uint16_t value) {
    const uint8_t body[2] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8)};
    return defaults_.AddRecord(IdAndLength(id, 2), body);
}

void TRecordStorageDefault::SetDefaults() {
    Clear();
    for (const TDefaultRecord& row : table_) {
        TRawRecord* record = NewDefault(row.Id, static_cast<uint16_t>(row.Body.size()));
        if (!row.Body.empty())
            std::memcpy(record->Body(), row.Body.data(), row.Body.size());
        MoveDefault(record);
    }
}

void TRecordStorageDefault::StoreRecord(uint32_t idAndLength, const void* data) {
    const auto id = static_cast<uint16_t>(idAndLength);
    const auto length = static_cast<uint16_t>(idAndLength >> 16);
    const int placed = IndexOfId(id);
    if (placed >= 0) {
        TRawRecord* record = Items(placed);
        if (record->Length() != length)
            throw Exception("Size missmatch on default record");
        if (data && length > 0)
            std::memcpy(record->Body(), data, length);
        return;
    }
    const int found = defaults_.IndexOfId(id);
    if (found < 0)
        throw Exception("Excpected default record " + Hex4(id) + " not found.");
    for (int i = 0; i <= found; ++i) {
        std::unique_ptr<TRawRecord> old = defaults_.Release(i);
        if (!old)
            continue;
        auto block = i == found ? std::make_unique<TRawRecord>(id, length, data)
                                : std::make_unique<TRawRecord>(*old);
        TRawRecord* raw = block.get();
        Add(std::move(block));
        MoveDefault(raw);
    }
}

void TRecordStorageDefault::MoveDefault(TRawRecord* record) {
    const int slot = Slot(record->Id());
    if (slot < 0)
        throw Exception("[int] Unknown move default record " + Hex4(record->Id()));
    current_[static_cast<size_t>(slot)] = record;
}

void TRecordStorageDefault::SetDefaultRecord(uint32_t idAndLength, const void* data) {
    uint16_t id = static_cast<uint16_t>(idAndLength);
    if ((id & 0xFF) == 0x09)
        id = recBOF; // the beginning-of-file family is kept as one record
    const int slot = Slot(id);
    if (slot < 0 || table_[static_cast<size_t>(slot)].Internal)
        throw Exception("[int] Unknown default record " + Hex4(static_cast<uint16_t>(idAndLength)));
    StoreRecord(IdAndLength(id, static_cast<uint16_t>(idAndLength >> 16)), data);
}

void TRecordStorageDefault::AddInternal(uint16_t id) {
    const int slot = Slot(id);
    if (slot < 0 || !table_[static_cast<size_t>(slot)].Internal)
        throw Exception("[int] Unknown int. default record " + Hex4(id));
    StoreRecord(IdAndLength(id, 0), nullptr);
}

TRawRecord& TRecordStorageDefault::Record(uint16_t id) const {
    const int slot = Slot(id);
    TRawRecord* record = slot < 0 ? nullptr : current_[static_cast<size_t>(slot)];
    if (!record)
        throw Exception("Excpected default record " + Hex4(id) + " not found.");
    return *record;
}

bool TRecordStorageDefault::Flag(uint16_t id) const {
    return Record(id).WordAt(0) == 1;
}

void TRecordStorageDefault::SetFlag(uint16_t id, bool value) {
    Record(id).SetWordAt(0, static_cast<uint16_t>((value ? 1 : 0) & 0x7F));
}

uint16_t TRecordStorageDefault::Word(uint16_t id) const {
    return Record(id).WordAt(0);
}

void TRecordStorageDefault::SetWord(uint16_t id, uint16_t value) {
    Record(id).SetWordAt(0, value);
}

TRecordStorageGlobals::TRecordStorageGlobals() : TRecordStorageDefault(Table()) {
    SetDefaults();
}

TRecordStorageSheet::TRecordStorageSheet() : TRecordStorageDefault(Table()) {
    SetDefaults();
}
