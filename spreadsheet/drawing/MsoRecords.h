#pragma once
// The Office drawing records inside a sheet's drawing records: their 8-byte header, the record
// types the drawing layer builds or reads, raw record lists, and a reader that follows drawing
// data across the sheet records it is split into.

#include "spreadsheet/records/BIFFStream.h"

#include <cstdint>
#include <vector>

// Sheet records around drawings.
enum : uint16_t {
    recMSODRAWING = 0x00EC,
    recOBJ = 0x005D,
    recTXO = 0x01B6,
    recNOTE = 0x001C,
    recIMDATA = 0x007F,
};

// Drawing record types.
enum : uint16_t {
    msoDgContainer = 0xF002,
    msoSpgrContainer = 0xF003,
    msoSpContainer = 0xF004,
    msoSolverContainer = 0xF005,
    msoDg = 0xF008,
    msoSpgr = 0xF009,
    msoSp = 0xF00A,
    msoOpt = 0xF00B,
    msoClientTextbox = 0xF00D,
    msoChildAnchor = 0xF00F,
    msoClientAnchor = 0xF010,
    msoClientData = 0xF011,
    msoRegroupItems = 0xF118,
};

struct TMSOHeader {
    uint16_t Version = 0;
    uint16_t Instance = 0;
    uint16_t Type = 0;
    uint32_t Length = 0;
    bool IsContainer() const { return Version == 0x0F; }
};

void WriteMSOHeader(TBIFFStream& stream, const TMSOHeader& h);

// Records kept as read: a container's header alone, an atom's header and body.
class TMSORecords {
public:
    struct TRecord {
        TMSOHeader Header;
        std::vector<uint8_t> Body;
    };
    void Add(const TMSOHeader& header, std::vector<uint8_t> body = {});
    int Count() const { return static_cast<int>(records_.size()); }
    const TRecord& Items(int index) const { return records_.at(static_cast<size_t>(index)); }
    // 8 per header plus the atoms' bodies.
    int Size() const;
    void Write(TBIFFStream& stream) const;

private:
    std::vector<TRecord> records_;
};

// Reads drawing data that continues over several sheet records: at the end of one part the
// next must be a drawing record or a continuation (picture data records on the way are
// skipped). Whole sheet records after the drawing data (OBJ, TXO, ...) are read apart.
class TDrawingReader {
public:
    // The stream stands at the start of a drawing record's body of `partLength` bytes.
    TDrawingReader(TBIFFStream& stream, int partLength);

    void Read(void* buffer, int count);
    std::vector<uint8_t> ReadBytes(int count);
    TMSOHeader ReadHeader();
    // The header of the next sheet record; the drawing part must be used up.
    TBIFFHeader NextRecord();
    // The id of the next sheet record (0 at the end); the drawing part must be used up.
    uint16_t PeekRecord();
    // The body of a sheet record whose header was just read.
    std::vector<uint8_t> RecordBody(int length);
    // Starts reading drawing data in the body of a drawing record whose header was read.
    void EnterPart(int length);

    int PartLeft() const { return partLeft_; }
    // Counts the drawing record headers passed while reading (a new record, not a
    // continuation, since the count was last reset).
    int DrawingHeadersSkipped = 0;
    TBIFFStream& Stream() { return stream_; }

private:
    void NextPart();
    void ReadRaw(void* buffer, int count);

    TBIFFStream& stream_;
    int partLeft_;
};
