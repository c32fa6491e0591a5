#pragma once
// The history pages' records from the unit's command object: reads go through its record cache,
// so records already fetched during the connection cost no request.

#include "app/history/HistoryPaging.h"

class TDevQuorvan;

class TDevHistorySource : public THistorySource {
public:
    explicit TDevHistorySource(TDevQuorvan& dev) : dev_(dev) {}

    bool ReadRecords(int First, int Count, std::vector<std::string>& Lines) override;
    // A reply line that is not the last slot's record is a failed read. An empty last slot is
    // dropped from the cache, so that it is asked again next time (the ring may have wrapped
    // meanwhile).
    bool ReadWrapState(bool& Wrapped) override;

private:
    TDevQuorvan& dev_;
};
