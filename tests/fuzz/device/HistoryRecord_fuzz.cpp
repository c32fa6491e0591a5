// Arbitrary bytes as history records and as the unit's reply to a range read: checking and
// decoding never fail hard, and only sound records of the asked range are kept.

#include "device/HistoryCache.h"
#include "device/HistoryRecord.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const int index = size >= 2 ? (data[0] << 8 | data[1]) % THistoryRecord::RingSize : 0;

    // The text as one record, in both layouts.
    THistoryFields fields;
    THistoryRecord::Decode(text, 503, 69, 2026, fields);
    THistoryRecord::Decode(text, 503, 90, 2026, fields);
    if (THistoryRecord::CheckChecksum(index, text) && !THistoryRecord::IsWellFormed(text)) {
        std::abort();
    }

    // The text as a range reply.
    const int first = index;
    const int last = std::min(THistoryRecord::WrapIndex, first + (size > 2 ? data[2] % 40 : 0));
    THistoryCache cache;
    const std::vector<std::string> lines = THistoryCache::ReplyLines(text);
    cache.Store(first, last, lines);
    for (const auto& line : lines) {
        int at = 0;
        std::string_view record;
        if (THistoryRecord::ParseLine(line, at, record)) {
            THistoryRecord::Decode(record, 503, 90, 2026, fields);
            const bool keep =
                at >= first && at <= last && THistoryRecord::CheckChecksum(at, record);
            if (cache.Contains(at) != keep && keep) {
                std::abort(); // a sound line of the range must be kept
            }
        }
    }
    for (int i = first; i <= last; ++i) {
        std::string line;
        int at = 0;
        std::string_view record;
        if (cache.Find(i, line) && (!THistoryRecord::ParseLine(line, at, record) || at != i ||
                                    !THistoryRecord::CheckChecksum(at, record))) {
            std::abort(); // an unsound line was kept
        }
    }

    // A walk over the range, the unit answering every request with the same reply.
    std::vector<std::string> list;
    cache.Read(first, last - first + 1, list, [&](int f, int l, std::vector<std::string>& got) {
        got = lines;
        cache.Store(f, l, got);
        return !lines.empty();
    });
    return 0;
}
