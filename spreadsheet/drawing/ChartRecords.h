#pragma once
// A chart's records as a tree: every record keeps its id and body, and the records between the
// BEGIN that follows a record and the matching END are its children. Reading and writing go
// record by record, so that a chart writes back what was read. Font records refer to fonts of
// the workbook's font list instead of holding an index, so that their index follows the list;
// an embedded drawing is read into (and written from) the drawing of the tree's owner.

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

class TBIFFStream;
class TEscherDrawing;
class TXFont;
class TXFonts;

// Chart record ids.
enum : uint16_t {
    crBOF = 0x0809,
    crEOF = 0x000A,
    crMSODRAWING = 0x00EC,
    crNOTE = 0x001C,
    crCONTINUE = 0x003C,
    crCHART = 0x1002,
    crSERIES = 0x1003,
    crDATAFORMAT = 0x1006,
    crLINEFORMAT = 0x1007,
    crMARKERFORMAT = 0x1009,
    crAREAFORMAT = 0x100A,
    crPIEFORMAT = 0x100B,
    crATTACHEDLABEL = 0x100C,
    crSERIESTEXT = 0x100D,
    crCHARTFORMAT = 0x1014,
    crLEGEND = 0x1015,
    crBAR = 0x1017,
    crLINE = 0x1018,
    crPIE = 0x1019,
    crAREA = 0x101A,
    crSCATTER = 0x101B,
    crAXIS = 0x101D,
    crTICK = 0x101E,
    crVALUERANGE = 0x101F,
    crCATSERRANGE = 0x1020,
    crAXISLINEFORMAT = 0x1021,
    crCHARTFORMATLINK = 0x1022,
    crDEFAULTTEXT = 0x1024,
    crTEXT = 0x1025,
    crFONTX = 0x1026,
    crOBJECTLINK = 0x1027,
    crFRAME = 0x1032,
    crBEGIN = 0x1033,
    crEND = 0x1034,
    crPLOTAREA = 0x1035,
    crCHART3D = 0x103A,
    crRADAR = 0x103E,
    crSURFACE = 0x103F,
    crRADARAREA = 0x1040,
    crAXISPARENT = 0x1041,
    crSHTPROPS = 0x1044,
    crSERTOCRT = 0x1045,
    crAXESUSED = 0x1046,
    crPOS = 0x104F,
    crAI = 0x1051,
    cr3DBARSHAPE = 0x105F,
    crFBI = 0x1060,
    crBOPPOP = 0x1061,
    crAXCEXT = 0x1062,
    crPLOTGROWTH = 0x1064,
    crSIINDEX = 0x1065,
    crGELFRAME = 0x1066,
    // The id of a tree's root, which is no record of the file.
    crROOT = 0xFFFA,
};

// Blocks nest at most this deep in chart records that are read.
constexpr int kMaxChartRecordDepth = 64;

// What holds a chart's record tree: a chart shape's object part or the workbook's chart
// sheets. It owns the chart's embedded drawing and knows the workbook's fonts.
class TChartRecordOwner {
public:
    virtual ~TChartRecordOwner() = default;
    // A new drawing for an embedded drawing record that is read; it replaces the owner's.
    virtual TEscherDrawing& NewChartDrawing() = 0;
    // The drawing written for the embedded drawing record, or null.
    virtual const TEscherDrawing* ChartDrawing() const = 0;
    virtual TXFonts* ChartFonts() const = 0;
};

class TChartRecord {
public:
    using TRecords = std::vector<std::unique_ptr<TChartRecord>>;

    TChartRecord(uint16_t id, std::vector<uint8_t> body, TChartRecord* parent);
    ~TChartRecord();
    TChartRecord(const TChartRecord&) = delete;
    TChartRecord& operator=(const TChartRecord&) = delete;

    // A root (id 0xFFFA) belonging to `owner` (which may be null).
    static std::unique_ptr<TChartRecord> NewRoot(TChartRecordOwner* owner);

    int Count() const { return static_cast<int>(Children.size()); }
    TChartRecord& Items(int index) const { return *Children.at(static_cast<size_t>(index)); }
    TChartRecord* Add(uint16_t id, std::vector<uint8_t> body = {});
    TChartRecord* Insert(int index, uint16_t id, std::vector<uint8_t> body = {});
    TChartRecord* Last() const { return Children.empty() ? nullptr : Children.back().get(); }
    TChartRecord& Root();
    // The owner of the tree's root (null when it has none).
    TChartRecordOwner* TreeOwner();

    uint16_t Word(int offset) const;
    void SetWord(int offset, uint16_t value);

    // FONTX and FBI: the workbook font the record names. A FONTX that names a font of the
    // workbook (not one of the chart's) counts one use of it, given back when it goes.
    TXFont* Font() const { return font_; }
    void AttachFont(TXFont* font, TXFonts* fonts);

    // The body as written: a font record takes its font's present index.
    std::vector<uint8_t> WrittenBody() const;

    uint16_t Id;
    std::vector<uint8_t> Body;
    TChartRecord* Parent;
    TChartRecordOwner* Owner = nullptr;
    // Set when the children were read from a block of their own (so an empty block stays).
    bool Block = false;
    // Rebuilds the body before the record is written (gel frames): called on a copy.
    std::function<void(TChartRecord&)> Regenerate;
    // A gel frame's continuation parts as read (id and length), so that a frame nobody
    // rebuilds is written back split as it came.
    std::vector<std::pair<uint16_t, uint16_t>> Parts;
    TRecords Children;

private:
    TXFont* font_ = nullptr;
    TXFonts* fonts_ = nullptr;
    bool counted_ = false;
};

// Reads records into `list` (whose root belongs to a chart part or the chart sheets) until the
// EOF record or until fewer than 4 bytes come. NOTE records after an embedded drawing belong to
// the drawing's notes, which write their own, and are not kept. Raises "Chart record parent is not
// of excpected type" for an embedded drawing of a tree without owner, "Chart records end early" for
// a body cut short, "Chart records nest too deep" beyond kMaxChartRecordDepth blocks and "Chart
// block without record" for a block that follows no record.
void ReadChartRecords(TChartRecord& list, TBIFFStream& stream);
// Writes the children of `list` with their blocks; a record with children is followed by
// BEGIN, the children and END.
void WriteChartRecords(const TChartRecord& list, TBIFFStream& stream);

// Whether any record of the tree names the font at `index` of the workbook's list.
bool ChartTreeUsesFont(const TChartRecord& list, int index);
