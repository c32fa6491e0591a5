#pragma once
// The records of the unit's history ring fetched during a connection, and the walk that reads a
// range of records through them.
//
// Paging back and forth through the history must not fetch a record twice: every sound record is
// kept, keyed by its index, until the history is erased or the connection ends. A range read
// walks the wanted indexes, serves the kept records and fetches each run of missing records with
// one request; a range that runs past the end of the ring continues at index 0.

#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

class THistoryCache {
public:
    // Fetches records First..Last (inclusive, never across the end of the ring) from the unit
    // into Lines, one ring line per record; false when the unit did not answer.
    using TRangeReader = std::function<bool(int First, int Last, std::vector<std::string>& Lines)>;

    // The kept line of a record ("IIII>record"), or false.
    bool Find(int Index, std::string& Line) const;
    bool Contains(int Index) const { return lines_.count(Index) != 0; }
    void Forget(int Index) { lines_.erase(Index); }
    void Clear() { lines_.clear(); }
    size_t Count() const { return lines_.size(); }

    // Keeps the lines of the reply to a request for First..Last that are sound: a ring line whose
    // index lies in that range and whose record passes its checksum. Anything else (line noise,
    // an index that was not asked for) is left out, so that the record is fetched again.
    void Store(int First, int Last, const std::vector<std::string>& Lines);

    // Fills List with the lines of records First..First+Count-1 in ring order, wrapping past the
    // last index to 0. Kept records cost nothing; each run of missing ones is one ReadRange call.
    // A failed fetch stops the walk with false; what was read before it stays in List. False,
    // with nothing read, for a start outside the ring or a negative count.
    bool Read(int First, int Count, std::vector<std::string>& List, const TRangeReader& ReadRange);

    // The record lines of a range reply: the text before the first "OK", trimmed, split at CR,
    // LF or CR LF; blank lines are dropped and each line is trimmed.
    static std::vector<std::string> ReplyLines(const std::string& Reply);

private:
    bool ReadWithinRing(int First, int Count, std::vector<std::string>& List,
                        const TRangeReader& ReadRange);

    std::unordered_map<int, std::string> lines_;
};
