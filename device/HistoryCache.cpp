#include "device/HistoryCache.h"

#include "device/HistoryRecord.h"

#include "platform/rtl/Strings.h"

namespace {

void Append(std::vector<std::string>& List, std::vector<std::string>&& More) {
    for (auto& line : More) {
        List.push_back(std::move(line));
    }
}

} // namespace

bool THistoryCache::Find(int Index, std::string& Line) const {
    const auto it = lines_.find(Index);
    if (it == lines_.end()) {
        return false;
    }
    Line = it->second;
    return true;
}

void THistoryCache::Store(int First, int Last, const std::vector<std::string>& Lines) {
    for (const auto& line : Lines) {
        int index = 0;
        std::string_view record;
        if (THistoryRecord::ParseLine(line, index, record) && index >= First && index <= Last &&
            THistoryRecord::CheckChecksum(index, record)) {
            lines_[index] = line;
        }
    }
}

bool THistoryCache::Read(int First, int Count, std::vector<std::string>& List,
                         const TRangeReader& ReadRange) {
    List.clear();
    if (First < 0 || First > THistoryRecord::WrapIndex || Count < 0) {
        return false;
    }
    // A range past the end of the ring is read as two: up to the last index, then from 0. The
    // second part may itself wrap again when more than a whole ring is asked for.
    if (static_cast<long>(First) + Count - 1 > THistoryRecord::WrapIndex) {
        const int head = THistoryRecord::RingSize - First;
        std::vector<std::string> part;
        bool ok = ReadWithinRing(First, head, part, ReadRange);
        Append(List, std::move(part));
        if (ok) {
            part.clear();
            ok = Read(0, Count - head, part, ReadRange);
            Append(List, std::move(part));
        }
        return ok;
    }
    return ReadWithinRing(First, Count, List, ReadRange);
}

bool THistoryCache::ReadWithinRing(int First, int Count, std::vector<std::string>& List,
                                   const TRangeReader& ReadRange) {
    int run = 0; // records missing from the cache just before the current index
    std::vector<std::string> fetched;
    std::string line;
    for (int index = First; index < First + Count; ++index) {
        if (!Find(index, line)) {
            ++run;
            continue;
        }
        if (run > 0) {
            fetched.clear();
            if (!ReadRange(index - run, index - 1, fetched)) {
                return false;
            }
            Append(List, std::move(fetched));
            run = 0;
        }
        List.push_back(line);
    }
    if (run > 0) {
        fetched.clear();
        const bool ok = ReadRange(First + Count - run, First + Count - 1, fetched);
        Append(List, std::move(fetched));
        return ok;
    }
    return true;
}

std::vector<std::string> THistoryCache::ReplyLines(const std::string& Reply) {
    std::vector<std::string> lines;
    const size_t ok = Reply.find("OK");
    const size_t end = ok == std::string::npos ? Reply.size() : ok;
    size_t start = 0;
    while (start < end) {
        size_t stop = Reply.find_first_of("\r\n", start);
        if (stop == std::string::npos || stop > end) {
            stop = end;
        }
        std::string line = Trim(std::string_view(Reply).substr(start, stop - start));
        if (!line.empty()) {
            lines.push_back(std::move(line));
        }
        start = stop + 1;
    }
    return lines;
}
