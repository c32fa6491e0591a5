#include "device/DevQuorvan.h"
#include "device/HistoryRequests.h"

#include "platform/rtl/Classes.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/Strings.h"

#include <algorithm>
#include <vector>

namespace {

constexpr int kRangeMinimumMs = 2500;
constexpr int kRangeMsPerRecord = 1000;
constexpr int kEraseTimeoutMs = 25000;

bool ReadRangeLines(TDevQuorvan& Dev, int First, int Last, std::vector<std::string>& Lines) {
    Lines.clear();
    if (First < 0 || Last < First || Last > HistoryWrapIndex) {
        return false;
    }
    const int timeout = std::max(kRangeMinimumMs, (Last - First + 1) * kRangeMsPerRecord);
    std::string reply;
    if (!Dev.QueryParamTimeout("read" + IntToHex(First, 4) + IntToHex(Last, 4), reply, timeout,
                               false)) {
        return false;
    }
    Lines = THistoryCache::ReplyLines(reply);
    Dev.Cache().Store(First, Last, Lines);
    return true;
}

void Fill(TStrings& List, const std::vector<std::string>& Lines) {
    List.Clear();
    List.SetNameValueSeparator('>');
    List.AddStrings(Lines);
}

} // namespace

bool ReadHistoryRange(TDevQuorvan& Dev, int First, int Last, TStrings& List) {
    std::vector<std::string> lines;
    const bool ok = ReadRangeLines(Dev, First, Last, lines);
    Fill(List, lines);
    return ok;
}

bool ReadHistory(TDevQuorvan& Dev, int First, int Count, TStrings& List) {
    std::vector<std::string> lines;
    const bool ok = Dev.Cache().Read(First, Count, lines,
                                     [&Dev](int first, int last, std::vector<std::string>& got) {
                                         return ReadRangeLines(Dev, first, last, got);
                                     });
    Fill(List, lines);
    return ok;
}

bool FindCachedRecord(TDevQuorvan& Dev, int Index, std::string& Line) {
    return Dev.Cache().Find(Index, Line);
}

void ForgetHistoryRecord(TDevQuorvan& Dev, int Index) {
    Dev.Cache().Forget(Index);
}

bool EraseHistory(TDevQuorvan& Dev) {
    std::string reply;
    if (!Dev.QueryParamTimeout("erase", reply, kEraseTimeoutMs, false)) {
        return false;
    }
    Dev.Cache().Clear();
    return true;
}

bool CheckHistoryChecksum(int Index, const std::string& Record) {
    return THistoryRecord::CheckChecksum(Index, Record);
}

bool DecodeHistoryRecord(const std::string& Record, int Shell, int Build, THistoryFields& Fields) {
    return THistoryRecord::Decode(Record, Shell, Build, CurrentYear(), Fields);
}
