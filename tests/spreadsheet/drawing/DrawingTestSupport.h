#pragma once
// Helpers of the drawing tests: a workbook's drawing group, names and fonts with a drawing,
// the records a drawing or a chart writes listed as (id, length), and reading them back.

#include "spreadsheet/drawing/ChartRecords.h"
#include "spreadsheet/drawing/EscherDrawing.h"
#include "spreadsheet/formats/XFont.h"
#include "spreadsheet/formulas/InternalNames.h"

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

struct TRecordInfo {
    uint16_t Id;
    int Length;
    std::vector<uint8_t> Body;
};

// The sheet records of a byte stream.
std::vector<TRecordInfo> SheetRecords(const std::vector<uint8_t>& bytes);
// (id, length) of each record.
std::vector<std::pair<uint16_t, int>> RecordList(const std::vector<uint8_t>& bytes);
// What the drawing writes.
std::vector<uint8_t> Written(const TEscherDrawing& drawing);
// A drawing read from the records `bytes` (which begin with its first drawing record).
void ReadInto(TEscherDrawing& drawing, const std::vector<uint8_t>& bytes);

// Sheet records from (id, body) pairs.
std::vector<uint8_t>
RecordBytes(const std::vector<std::pair<uint16_t, std::vector<uint8_t>>>& records);
// What a chart's record tree writes, and a tree read from bytes.
std::vector<uint8_t> WrittenChart(const TChartRecord& root);
void ReadChartInto(TChartRecord& root, const std::vector<uint8_t>& bytes);

struct TDrawingBook {
    TDrawingBook();
    TEscherGroup group;
    TInternalNames names;
    TXFonts fonts;
    uint32_t nextTextId = 100;
    std::unique_ptr<TEscherDrawing> NewDrawing();
};
