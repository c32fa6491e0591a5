#pragma once
// The unit's history through its command object: reading ranges of records (with the record
// cache, so that paging back and forth fetches no record twice), erasing, and checking and
// decoding a record for the firmware generation of the unit.
//
// These are the command object's history operations; they take it as their first argument and
// use only its requests and its cache.

#include "device/HistoryRecord.h"

#include <string>

class TDevQuorvan;
class TStrings;

// The last index of the ring (65503).
constexpr int HistoryWrapIndex = THistoryRecord::WrapIndex;

// Fills List with the lines ("IIII>record") of records First to First + Count - 1 in ring
// order, wrapping past the last index to 0. Cached records cost nothing; each run of missing
// records is one range request. A failed request ends the read with false, keeping in List what
// was read before it. List's name-value separator becomes ">".
bool ReadHistory(TDevQuorvan& Dev, int First, int Count, TStrings& List);

// One "+read" request for records First to Last (never across the end of the ring), limit
// (Last - First + 1) seconds but at least 2.5 s, 3 tries. List receives the reply's record lines
// as they came; only sound ones (index asked for, checksum right) are cached.
bool ReadHistoryRange(TDevQuorvan& Dev, int First, int Last, TStrings& List);

// The cached line of a record, or false.
bool FindCachedRecord(TDevQuorvan& Dev, int Index, std::string& Line);
// Drops a record from the cache so that the next read fetches it again.
void ForgetHistoryRecord(TDevQuorvan& Dev, int Index);

// "+erase" (25 s, 3 tries); the cache is cleared only when the unit confirms.
bool EraseHistory(TDevQuorvan& Dev);

bool CheckHistoryChecksum(int Index, const std::string& Record);

// Decodes a record for the layout of firmware Shell.Build; the two-digit year is taken in the
// century of the current date. See THistoryRecord::Decode.
bool DecodeHistoryRecord(const std::string& Record, int Shell, int Build, THistoryFields& Fields);
