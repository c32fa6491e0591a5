#include "device/DevQuorvan.h"

#include "platform/rtl/Classes.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/Strings.h"

#include <algorithm>
#include <vector>

namespace {

constexpr int kRangeMinimumMs = 2500;
constexpr int kRangeMsPerRecord = 1000;
constexpr int kEraseTimeoutMs = 25000;
constexpr int kEraseTries = 3;

void Fill(TStrings& List, const std::vector<std::string>& Lines) {
    List.Clear();
    List.SetNameValueSeparator('>');
    List.AddStrings(Lines);
}

} // namespace

bool TDevQuorvan::ReadRangeLines(int First, int Last, std::vector<std::string>& Lines) {
    Lines.clear();
    if (First < 0 || Last < First || Last > HistoryWrapIndex) {
        return false;
    }
    const int timeout = std::max(kRangeMinimumMs, (Last - First + 1) * kRangeMsPerRecord);
    std::string reply;
    if (!QueryParamTimeout("read" + IntToHex(First, 4) + IntToHex(Last, 4), reply, timeout,
                           false)) {
        return false;
    }
    Lines = THistoryCache::ReplyLines(reply);
    cache_.Store(First, Last, Lines);
    return true;
}

bool TDevQuorvan::ReadHistoryRange(int First, int Last, TStrings& List) {
    std::vector<std::string> lines;
    const bool ok = ReadRangeLines(First, Last, lines);
    Fill(List, lines);
    return ok;
}

bool TDevQuorvan::ReadHistory(int First, int Count, TStrings& List) {
    std::vector<std::string> lines;
    const bool ok = cache_.Read(First, Count, lines,
                                [this](int first, int last, std::vector<std::string>& got) {
                                    return ReadRangeLines(first, last, got);
                                });
    Fill(List, lines);
    return ok;
}

bool TDevQuorvan::FindCachedRecord(int Index, std::string& Line) {
    return cache_.Find(Index, Line);
}

void TDevQuorvan::ForgetHistoryRecord(int Index) {
    cache_.Forget(Index);
}

bool TDevQuorvan::EraseHistory() {
    if (!Command("erase", "erase", kEraseTries, kEraseTimeoutMs, kEraseTimeoutMs)) {
        return false;
    }
    cache_.Clear();
    return true;
}

bool TDevQuorvan::CheckHistoryChecksum(int Index, const std::string& Record) {
    return THistoryRecord::CheckChecksum(Index, Record);
}

bool TDevQuorvan::DecodeHistoryRecord(const std::string& Record, int Shell, int Build,
                                      THistoryFields& Fields) {
    return THistoryRecord::Decode(Record, Shell, Build, CurrentYear(), Fields);
}
