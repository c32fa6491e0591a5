#pragma once
// Default record stores: the workbook-global and per-sheet records whose bodies the library
// keeps as raw bytes. Each record is created with its default body and waits in Defaults; a
// record read from a file is placed with StoreRecord, which first places every default that
// precedes it, so the file order is kept. Record(id) always gives the current block of a
// record, placed or not.

#include "spreadsheet/records/BaseRecordStorage.h"

#include <cstdint>
#include <memory>
#include <vector>

class TRecordStorage : public TBaseRecordStorage {
public:
    virtual void SetDefaults() = 0;
    virtual int StoreKind() const = 0;
    virtual void SetDefaultRecord(uint32_t idAndLength, const void* data) = 0;
    virtual void AddInternal(uint16_t id) = 0;
};

// One default record: its id and default body.
struct TDefaultRecord {
    uint16_t Id;
    std::vector<uint8_t> Body;
    bool Internal = false;
};

class TRecordStorageDefault : public TRecordStorage {
public:
    ~TRecordStorageDefault() override;

    void Clear() override;
    TRawRecord* NewDefault(uint16_t id, uint16_t length);
    TRawRecord* NewWordDefault(uint16_t id, uint16_t value);
    void StoreRecord(uint32_t idAndLength, const void* data);
    virtual void MoveDefault(TRawRecord* record);

    void SetDefaults() override;
    void SetDefaultRecord(uint32_t idAndLength, const void* data) override;
    void AddInternal(uint16_t id) override;

    TBaseRecordStorage& Defaults() { return defaults_; }
    // The current block of a record of the table.
    TRawRecord& Record(uint16_t id) const;
    // Flag records read true for 1; a write stores 1 or 0.
    bool Flag(uint16_t id) const;
    void SetFlag(uint16_t id, bool value);
    uint16_t Word(uint16_t id) const;
    void SetWord(uint16_t id, uint16_t value);

protected:
    explicit TRecordStorageDefault(const std::vector<TDefaultRecord>& table);

private:
    int Slot(uint16_t id) const;

    const std::vector<TDefaultRecord>& table_;
    std::vector<TRawRecord*> current_; // one per table row
    TBaseRecordStorage defaults_;
};

// Record ids of the stores.
enum : uint16_t {
    recBOF = 0x0809,
    recEOF = 0x000A,
    recWRITEACCESS = 0x005C,
    recCODEPAGE = 0x0042,
    recDSF = 0x0161,
    recTABID = 0x013D,
    recFNGROUPCOUNT = 0x009C,
    recWINDOWPROTECT = 0x0019,
    recPROTECT = 0x0012,
    recPASSWORD = 0x0013,
    recPROT4REV = 0x01AF,
    recWINDOW1 = 0x003D,
    recBACKUP = 0x0040,
    recHIDEOBJ = 0x008D,
    rec1904 = 0x0022,
    recPRECISION = 0x000E,
    recREFRESHALL = 0x01B7,
    recBOOKBOOL = 0x00DA,
    recCOUNTRY = 0x008C,
    recRECALCID = 0x01C1,
    recCALCMODE = 0x000D,
    recCALCCOUNT = 0x000C,
    recREFMODE = 0x000F,
    recITERATION = 0x0011,
    recDELTA = 0x0010,
    recSAVERECALC = 0x005F,
    recPRINTGRIDLINES = 0x002B,
    recPRINTHEADERS = 0x002A,
    recGRIDSET = 0x0082,
    recGUTS = 0x0080,
    recDEFAULTROWHEIGHT = 0x0225,
    recWSBOOL = 0x0081,
    recHCENTER = 0x0083,
    recVCENTER = 0x0084,
    recSETUP = 0x00A1,
    recDEFCOLWIDTH = 0x0055,
    recDIMENSIONS = 0x0200,
    recWINDOW2 = 0x023E,
    recSELECTION = 0x001D,
};

class TRecordStorageGlobals : public TRecordStorageDefault {
public:
    TRecordStorageGlobals();
    int StoreKind() const override { return 0; }

    TRawRecord& BOF() const { return Record(recBOF); }
    TRawRecord& WINDOW1() const { return Record(recWINDOW1); }
    TRawRecord& WRITEACCESS() const { return Record(recWRITEACCESS); }
    TRawRecord& COUNTRY() const { return Record(recCOUNTRY); }
    TRawRecord& RECALCID() const { return Record(recRECALCID); }

    static const std::vector<TDefaultRecord>& Table();
};

class TRecordStorageSheet : public TRecordStorageDefault {
public:
    TRecordStorageSheet();
    int StoreKind() const override { return -1; }

    TRawRecord& BOF() const { return Record(recBOF); }
    TRawRecord& SETUP() const { return Record(recSETUP); }
    TRawRecord& GUTS() const { return Record(recGUTS); }
    TRawRecord& DEFAULTROWHEIGHT() const { return Record(recDEFAULTROWHEIGHT); }
    TRawRecord& DIMENSIONS() const { return Record(recDIMENSIONS); }
    TRawRecord& WINDOW2() const { return Record(recWINDOW2); }
    TRawRecord& SELECTION() const { return Record(recSELECTION); }

    static const std::vector<TDefaultRecord>& Table();
};

// Raw records of the newer format, kept to be written back in the order they came.
class TRecordStorageEx2007Unknown : public TBaseRecordStorage {};

// Raw blocks of a macro project.
class TRecordStorageVBA {
public:
    int Count() const { return static_cast<int>(blocks_.size()); }
    void Add(std::vector<uint8_t> block) {
        blocks_.push_back(std::make_unique<std::vector<uint8_t>>(std::move(block)));
    }
    const std::vector<uint8_t>* Items(int index) const {
        return blocks_.at(static_cast<size_t>(index)).get();
    }
    void Clear() { blocks_.clear(); }

private:
    std::vector<std::unique_ptr<std::vector<uint8_t>>> blocks_;
};
