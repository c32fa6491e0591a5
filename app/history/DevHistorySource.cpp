#include "app/history/DevHistorySource.h"

#include "device/DevQuorvan.h"
#include "platform/rtl/Classes.h"

bool TDevHistorySource::ReadRecords(int First, int Count, std::vector<std::string>& Lines) {
    TStringList list;
    const bool ok = dev_.ReadHistory(First, Count, list);
    Lines.clear();
    Lines.reserve(list.Count());
    for (int i = 0; i < list.Count(); ++i) {
        Lines.push_back(list[i]);
    }
    return ok;
}

bool TDevHistorySource::ReadWrapState(bool& Wrapped) {
    const int index = TDevQuorvan::HistoryWrapIndex;
    TStringList list;
    if (!dev_.ReadHistory(index, 1, list) || list.Count() == 0) {
        return false;
    }
    // A line damaged on the wire says nothing about the slot: the read failed.
    const std::string line = list[0];
    int lineIndex = 0;
    std::string_view record;
    if (!THistoryRecord::ParseLine(line, lineIndex, record) || lineIndex != index) {
        return false;
    }
    Wrapped = !THistoryRecord::IsEmpty(record);
    if (!Wrapped) {
        dev_.ForgetHistoryRecord(index);
    }
    return true;
}
