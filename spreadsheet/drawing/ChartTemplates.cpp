#include "spreadsheet/drawing/ChartTemplates.h"

#include "platform/rtl/Exception.h"
#include "platform/rtl/Format.h"
#include "spreadsheet/drawing/ChartRecords.h"
#include "spreadsheet/formats/XFont.h"

#include <span>
#include <string_view>
#include <vector>

namespace {

// A template record: id and body as hexadecimal digits (blanks ignored). The id 0xF001 stands
// for the text block.
struct TTemplateRecord {
    uint16_t Id;
    std::string_view Hex;
};

constexpr uint16_t kTextBlock = 0xF001;

// Bodies shared by several templates.
constexpr std::string_view kPos = "0200 0200 00000000 00000000 00000000 00000000";
constexpr std::string_view kText = "02 02 0100 00000000 00000000 00000000 00000000 00000000 "
                                   "B100 4D00 0000 0000";
constexpr std::string_view kTextAi = "00 01 0000 0000 0000";
constexpr std::string_view kTick = "02 00 03 01 00000000 00000000 00000000 00000000 00000000 "
                                   "2300 4D00 0000";
constexpr std::string_view kLegend = "00000000 00000000 00000000 00000000 03 01 1F00";
constexpr std::string_view kBorder = "00000000 0000 FFFF 0900 4D00";
constexpr std::string_view kWhiteArea = "FFFFFF00 00000000 0100 0100 4E00 4D00";

constexpr TTemplateRecord kDefaultChart[] = {
    {crBOF, "0006 2000 BB0D CC07 00000000 06000000"},
    {0x0014, ""},     // HEADER
    {0x0015, ""},     // FOOTER
    {0x0083, "0000"}, // HCENTER
    {0x0084, "0000"}, // VCENTER
    {0x00A1, "0900 6400 0100 0100 0100 4400 2C01 2C01 000000000000E03F 000000000000E03F 0100"},
    {0x0033, "0300"}, // PRINTSIZE
    {crFBI, "401D 5014 C800 0100 0500"},
    {crFBI, "401D 5014 C800 0100 0600"},
    {0x0012, "0000"}, // PROTECT
    {0x1001, "0000"}, // UNITS
    {crCHART, "00000000 00000000 0000E001 00002001"},
    {crBEGIN, ""},
    {0x00A0, "0100 0100"}, // SCL
    {crPLOTGROWTH, "00000100 00000100"},
    {crFRAME, "0000 0300"},
    {crBEGIN, ""},
    {crLINEFORMAT, kBorder},
    {crAREAFORMAT, kWhiteArea},
    {crEND, ""},
    {crSERIES, "0100 0100 0000 0000 0100 0000"},
    {crBEGIN, ""},
    {crAI, "00 01 0000 0000 0000"},
    {crAI, "01 02 0000 0000 0000"},
    {crAI, "02 02 0000 0000 0000"},
    {crAI, "03 01 0000 0000 0000"},
    {crDATAFORMAT, "FFFF 0000 0000 0000"},
    {crBEGIN, ""},
    {cr3DBARSHAPE, "0000"},
    {crEND, ""},
    {crSERTOCRT, "0000"},
    {crEND, ""},
    {crSHTPROPS, "0A00 00 00"},
    {crDEFAULTTEXT, "0200"},
    {crTEXT, kText},
    {crBEGIN, ""},
    {crPOS, kPos},
    {crFONTX, "0500"},
    {crAI, kTextAi},
    {crEND, ""},
    {crDEFAULTTEXT, "0300"},
    {crTEXT, kText},
    {crBEGIN, ""},
    {crPOS, kPos},
    {crFONTX, "0600"},
    {crAI, kTextAi},
    {crEND, ""},
    {crAXESUSED, "0100"},
    {crAXISPARENT, "0000 F4010000 F4010000 B80B0000 B80B0000"},
    {crBEGIN, ""},
    {crPOS, kPos},
    {crAXIS, "0000 00000000 00000000 00000000 00000000"},
    {crBEGIN, ""},
    {crCATSERRANGE, "0100 0100 0100 0100"},
    {crAXCEXT, "0000 0000 0100 0000 0100 0000 0000 0000 EF00"},
    {crTICK, kTick},
    {crEND, ""},
    {crAXIS, "0100 00000000 00000000 00000000 00000000"},
    {crBEGIN, ""},
    {crVALUERANGE, "0000000000000000 0000000000000000 0000000000000000 0000000000000000 "
                   "0000000000000000 1F01"},
    {crTICK, kTick},
    {crAXISLINEFORMAT, "0100"},
    {crLINEFORMAT, "80808000 0000 0000 0000 1700"},
    {crEND, ""},
    {crPLOTAREA, ""},
    {crFRAME, "0000 0300"},
    {crBEGIN, ""},
    {crLINEFORMAT, "80808000 0000 0000 0000 1700"},
    {crAREAFORMAT, "C0C0C000 00000000 0100 0000 1600 4F00"},
    {crEND, ""},
    {crCHARTFORMAT, "00000000 00000000 00000000 00000000 0000 0000"},
    {crBEGIN, ""},
    {crBAR, "0000 9600 0000"},
    {crCHARTFORMATLINK, "00000000 00000000 0000"},
    {crLEGEND, kLegend},
    {kTextBlock, ""},
    {crEND, ""},
    {crEND, ""},
    {crEND, ""},
    {crSIINDEX, "0200"},
    {crSIINDEX, "0100"},
    {crSIINDEX, "0300"},
    {crEOF, ""},
};

constexpr TTemplateRecord kTextBlockRecords[] = {
    {crBEGIN, ""}, {crPOS, kPos},   {crTEXT, kText}, {crBEGIN, ""},
    {crPOS, kPos}, {crAI, kTextAi}, {crEND, ""},     {crEND, ""},
};

constexpr TTemplateRecord kDefDataPoint[] = {
    {cr3DBARSHAPE, "0000"},
    {crLINEFORMAT, "00000000 0000 0000 0100 4F00"},
    {crAREAFORMAT, "CCFFCC00 FFFFFF00 0100 0000 2A00 0900"},
    {crPIEFORMAT, "0000"},
    {crMARKERFORMAT, "00000000 00000000 0200 0100 4D00 4D00 3C000000"},
};

// The default data point of a chart group.
#define Q4_GROUP_DATA_POINT                                                                        \
    {crDATAFORMAT, "FFFF FDFF 0000 0000"}, {crBEGIN, ""}, {cr3DBARSHAPE, "0000"},                  \
        {crLINEFORMAT, "00000000 0000 0000 0900 4D00"}, {crAREAFORMAT, kWhiteArea},                \
        {crPIEFORMAT, "0000"}, {crMARKERFORMAT, "00000000 FFFFFF00 0200 0900 4D00 4E00 3C000000"}, \
    {                                                                                              \
        crEND, ""                                                                                  \
    }

#define Q4_GROUP_TAIL                                                                              \
    {crCHARTFORMATLINK, "00000000 00000000 0000"}, {crLEGEND, kLegend}, {                          \
        kTextBlock, ""                                                                             \
    }

constexpr TTemplateRecord kAreaGroup[] = {{crAREA, "0000"}, Q4_GROUP_TAIL, Q4_GROUP_DATA_POINT};
constexpr TTemplateRecord kBarGroup[] = {{crBAR, "0000 9600 0100"}, Q4_GROUP_TAIL};
constexpr TTemplateRecord kLineGroup[] = {{crLINE, "0000"}, Q4_GROUP_TAIL};
constexpr TTemplateRecord kPieGroup[] = {{crPIE, "0000 0000 0000"}, Q4_GROUP_TAIL};
constexpr TTemplateRecord kRadarGroup[] = {
    {crRADAR, "0100 0000"}, Q4_GROUP_TAIL, Q4_GROUP_DATA_POINT};
constexpr TTemplateRecord kScatterGroup[] = {
    {crSCATTER, "6400 0100 0000"}, Q4_GROUP_TAIL, Q4_GROUP_DATA_POINT};
constexpr TTemplateRecord kSurfaceGroup[] = {
    {crSURFACE, "0000"}, Q4_GROUP_TAIL, Q4_GROUP_DATA_POINT};

#undef Q4_GROUP_DATA_POINT
#undef Q4_GROUP_TAIL

std::span<const TTemplateRecord> Template(int kind) {
    switch (kind) {
    case ctDefaultChart:
        return kDefaultChart;
    case ctTextBlock:
        return kTextBlockRecords;
    case ctSeriesOn:
        return std::span<const TTemplateRecord>(kDefaultChart).subspan(22);
    case ctDefDataPoint:
        return kDefDataPoint;
    case ctAreaGroup:
        return kAreaGroup;
    case ctBarGroup:
        return kBarGroup;
    case ctLineGroup:
        return kLineGroup;
    case ctPieGroup:
        return kPieGroup;
    case ctRadarGroup:
        return kRadarGroup;
    case ctScatterGroup:
        return kScatterGroup;
    case ctSurfaceGroup:
        return kSurfaceGroup;
    default:
        throw Exception(Format("Unknown chart template %d", {kind}));
    }
}

int HexDigit(char c) {
    return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
}

std::vector<uint8_t> Body(std::string_view hex) {
    std::vector<uint8_t> out;
    int high = -1;
    for (char c : hex) {
        if (c == ' ')
            continue;
        if (high < 0) {
            high = HexDigit(c);
        } else {
            out.push_back(static_cast<uint8_t>(high << 4 | HexDigit(c)));
            high = -1;
        }
    }
    return out;
}

class TTemplateWriter {
public:
    TTemplateWriter(std::span<const TTemplateRecord> records, TXFonts* fonts)
        : records_(records), fonts_(fonts) {}
    void Insert(TChartRecord& list);

private:
    void AttachFont(TChartRecord& record);
    std::span<const TTemplateRecord> records_;
    size_t at_ = 0;
    TXFonts* fonts_;
};

void TTemplateWriter::AttachFont(TChartRecord& record) {
    if (record.Id == crFBI) {
        if (!fonts_)
            return;
        TXFont* font = fonts_->AddFont();
        font->ChartFont = true;
        record.AttachFont(font, fonts_);
        return;
    }
    for (const auto& r : record.Root().Children)
        if (r->Id == crFBI && r->Word(8) == record.Word(0)) {
            record.AttachFont(r->Font(), fonts_);
            return;
        }
}

void TTemplateWriter::Insert(TChartRecord& list) {
    while (at_ < records_.size()) {
        const TTemplateRecord& t = records_[at_++];
        if (t.Id == crEND)
            return;
        if (t.Id == crBEGIN) {
            if (TChartRecord* last = list.Last())
                Insert(*last);
            continue;
        }
        if (t.Id == kTextBlock) {
            TTemplateWriter(kTextBlockRecords, fonts_).Insert(list);
            continue;
        }
        TChartRecord* record = list.Add(t.Id, Body(t.Hex));
        if (t.Id == crFBI || t.Id == crFONTX)
            AttachFont(*record);
    }
}

} // namespace

void InsertTemplate(TChartRecord& list, int kind, TXFonts* fonts) {
    TTemplateWriter(Template(kind), fonts).Insert(list);
}

int TemplateRecordCount(int kind) {
    return static_cast<int>(Template(kind).size());
}
