// A sheet's drawing records from arbitrary bytes: read from the first drawing record on. Only
// the library's own errors may come out; a drawing that reads writes back and reads again to
// the same records.

#include "platform/rtl/Exception.h"
#include "platform/rtl/Streams.h"
#include "spreadsheet/core/XLSGlobals.h"
#include "spreadsheet/drawing/EscherDrawing.h"
#include "spreadsheet/formats/XFont.h"
#include "spreadsheet/formulas/InternalNames.h"

#include <cstdint>
#include <vector>

namespace {

void Check(bool condition) {
    if (!condition)
        __builtin_trap();
}

std::vector<uint8_t> Save(const TEscherDrawing& drawing) {
    TMemoryStream memory;
    TBIFFStream stream(&memory);
    drawing.SaveToStream(stream);
    std::vector<uint8_t> bytes(static_cast<size_t>(memory.Size()));
    memory.SetPosition(0);
    if (!bytes.empty())
        memory.ReadBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
    return bytes;
}

bool Load(TEscherDrawing& drawing, const uint8_t* data, size_t size) {
    TMemoryStream memory;
    memory.WriteBuffer(data, static_cast<int64_t>(size));
    memory.SetPosition(0);
    TBIFFStream stream(&memory);
    TBIFFHeader header;
    if (stream.ReadHeader(header) != 4)
        return false;
    try {
        drawing.LoadFromStream(stream, header.Length);
        return true;
    } catch (const Exception&) {
        return false;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool started = [] {
        InitializeRecordFormatUnit();
        InitializeUtilitiesUnit();
        return true;
    }();
    (void)started;
    TEscherGroup group;
    TInternalNames names;
    TXFonts fonts;
    TEscherDrawing drawing(&group, &names, &fonts);
    if (!Load(drawing, data, size))
        return 0;
    const std::vector<uint8_t> first = Save(drawing);
    TEscherGroup group2;
    TEscherDrawing again(&group2, &names, &fonts);
    Check(Load(again, first.data(), first.size()));
    Check(Save(again) == first);
    return 0;
}
