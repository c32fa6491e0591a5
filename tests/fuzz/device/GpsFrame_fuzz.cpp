// Arbitrary bytes as the receiver's output (both raw and as the hex text the workers collect) and
// as aiding-file lines: the parsers never fail hard, and whatever they accept is a whole,
// checksummed frame.

#include "device/GpsAidingFile.h"
#include "device/GpsFrame.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

void CheckFrameText(const std::string& line) {
    TGpsBytes payload;
    if (!TGpsFrame::ParseFrameText(line, payload) ||
        TGpsFrame::HexText(TGpsFrame::Build(payload)) != line) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const TGpsBytes stream(data, data + size);

    // Raw bytes as a stream: every frame found is whole and checksummed.
    std::vector<size_t> broken;
    for (const auto& span : TGpsFrame::Split(stream, &broken)) {
        size_t frameSize = 0;
        if (!TGpsFrame::FrameAt(stream, span.Offset, frameSize) || frameSize != span.Size) {
            std::abort();
        }
    }

    // The same bytes as collected hex text, through every reply parser.
    const std::string hex = TGpsFrame::HexText(stream);
    TGpsBytes back;
    if (!TGpsFrame::ParseHexText(hex, back) || back != stream) {
        std::abort();
    }
    std::string week, drift;
    if (TGpsFrame::ParseClockStatus(hex, week, drift) &&
        (week.size() != 17 || drift.size() != 11)) {
        std::abort();
    }
    std::vector<std::string> lines;
    TGpsFrame::ParseAlmanac(hex, lines);
    TGpsFrame::ParseEphemeris(hex, lines);
    for (const auto& line : lines) {
        CheckFrameText(line);
    }

    // The bytes as text: hex replies and aiding-file lines as an operator might have edited them.
    const std::string text(reinterpret_cast<const char*>(data), size);
    TGpsFrame::ParseHexText(text, back);
    TGpsFrame::ParseClockStatus(text, week, drift);
    lines.clear();
    TGpsFrame::ParseAlmanac(text, lines);
    std::vector<std::string> file(34, text);
    TGpsBytes out;
    if (TGpsAidingFile::AlmanacData(file, out) && out.size() != 32 * 28) {
        std::abort();
    }
    if (TGpsAidingFile::EphemerisData(text, out) && out.size() != 90) {
        std::abort();
    }
    TGpsAidingFile::TimeLineText(text);
    return 0;
}
