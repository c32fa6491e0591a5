#include "tests/spreadsheet/drawing/DrawingTestSupport.h"

#include "platform/rtl/Streams.h"
#include "spreadsheet/core/XLSGlobals.h"

#include <gtest/gtest.h>

std::vector<TRecordInfo> SheetRecords(const std::vector<uint8_t>& b) {
    std::vector<TRecordInfo> out;
    for (size_t at = 0; at + 4 <= b.size();) {
        const uint16_t id = static_cast<uint16_t>(b[at] | b[at + 1] << 8);
        const int length = b[at + 2] | b[at + 3] << 8;
        out.push_back({id, length,
                       std::vector<uint8_t>(b.begin() + static_cast<std::ptrdiff_t>(at + 4),
                                            b.begin() + static_cast<std::ptrdiff_t>(
                                                            std::min(b.size(), at + 4 + length)))});
        at += 4 + static_cast<size_t>(length);
    }
    return out;
}

std::vector<std::pair<uint16_t, int>> RecordList(const std::vector<uint8_t>& bytes) {
    std::vector<std::pair<uint16_t, int>> list;
    for (const TRecordInfo& r : SheetRecords(bytes))
        list.emplace_back(r.Id, r.Length);
    return list;
}

namespace {

std::vector<uint8_t> Contents(TMemoryStream& memory) {
    std::vector<uint8_t> bytes(static_cast<size_t>(memory.Size()));
    memory.SetPosition(0);
    if (!bytes.empty())
        memory.ReadBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
    return bytes;
}

} // namespace

std::vector<uint8_t> Written(const TEscherDrawing& drawing) {
    TMemoryStream memory;
    TBIFFStream stream(&memory);
    drawing.SaveToStream(stream);
    return Contents(memory);
}

std::vector<uint8_t>
RecordBytes(const std::vector<std::pair<uint16_t, std::vector<uint8_t>>>& records) {
    std::vector<uint8_t> out;
    for (const auto& [id, body] : records) {
        out.insert(out.end(),
                   {static_cast<uint8_t>(id), static_cast<uint8_t>(id >> 8),
                    static_cast<uint8_t>(body.size()), static_cast<uint8_t>(body.size() >> 8)});
        out.insert(out.end(), body.begin(), body.end());
    }
    return out;
}

std::vector<uint8_t> WrittenChart(const TChartRecord& root) {
    TMemoryStream memory;
    TBIFFStream stream(&memory);
    WriteChartRecords(root, stream);
    return Contents(memory);
}

void ReadChartInto(TChartRecord& root, const std::vector<uint8_t>& bytes) {
    TMemoryStream memory;
    memory.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
    memory.SetPosition(0);
    TBIFFStream stream(&memory);
    ReadChartRecords(root, stream);
}

void ReadInto(TEscherDrawing& drawing, const std::vector<uint8_t>& bytes) {
    TMemoryStream memory;
    memory.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
    memory.SetPosition(0);
    TBIFFStream stream(&memory);
    TBIFFHeader header;
    stream.ReadHeader(header);
    drawing.LoadFromStream(stream, header.Length);
}

TDrawingBook::TDrawingBook() {
    InitializeRecordFormatUnit();
    InitializeUtilitiesUnit();
    group.NewTextId = [this] { return nextTextId++; };
}

std::unique_ptr<TEscherDrawing> TDrawingBook::NewDrawing() {
    return std::make_unique<TEscherDrawing>(&group, &names, &fonts);
}
