#include "spreadsheet/drawing/ClientAnchor.h"

#include "platform/rtl/Exception.h"
#include "spreadsheet/drawing/MsoRecords.h"

namespace {

void CheckVersion(const TBIFFStream& stream) {
    if (stream.Version != xvExcel97)
        throw Exception("Unhandled excel version");
}

} // namespace

void TMSOObjCLIENTANCHOR::Read(TDrawingReader& reader) {
    CheckVersion(reader.Stream());
    uint8_t b[18];
    reader.Read(b, 18);
    for (int i = 0; i < 9; ++i)
        Values[static_cast<size_t>(i)] = static_cast<uint16_t>(b[2 * i] | b[2 * i + 1] << 8);
}

void TMSOObjCLIENTANCHOR::Write(TBIFFStream& stream) const {
    CheckVersion(stream);
    uint8_t b[18];
    for (int i = 0; i < 9; ++i) {
        b[2 * i] = static_cast<uint8_t>(Values[static_cast<size_t>(i)]);
        b[2 * i + 1] = static_cast<uint8_t>(Values[static_cast<size_t>(i)] >> 8);
    }
    stream.WriteData(b, 18);
}

void TMSOObjCLIENTANCHOR::SetArea(int col1, int row1, int col2, int row2) {
    Values = {Values[Flags], col1, 0, row1, 0, col2, 0, row2, 0};
}
