#pragma once
// Paging through the unit's history ring, 32 records at a time, newest block first.
//
// The unit writes its records into a ring of 65,504 slots and reports the index it will write
// next (the pointer P). Reading the page shows the 32 records before P; Back shows the 32 before
// the first shown record, Forward the 32 after the last shown one. Blocks that reach below index
// 0 continue at the end of the ring, but only once the ring has wrapped: the unit writes the last
// slot (65503) only after going round once, so an empty last slot means the records below 0 do
// not exist.
//
// THistoryPaging is only the arithmetic and the shown block; it asks a THistorySource for the
// records and for the state of the last slot, so that it can be driven without a unit.

#include <string>
#include <vector>

class THistorySource {
public:
    virtual ~THistorySource() = default;
    // The ring lines ("IIII>record") of records First..First+Count-1 in ring order, wrapping
    // past the last slot to 0. False when a read failed.
    virtual bool ReadRecords(int First, int Count, std::vector<std::string>& Lines) = 0;
    // Reads the last slot alone. False when the read failed; otherwise Wrapped tells whether the
    // slot holds a record (it is empty until the ring has wrapped).
    virtual bool ReadWrapState(bool& Wrapped) = 0;
};

class THistoryPaging {
public:
    static constexpr int PageSize = 32;
    static constexpr int RingSize = 65504;
    static constexpr int LastIndex = RingSize - 1;

    // What a step gives: the lines to show in ring order (oldest first), empty when there is
    // nothing to show; Ok false when a read failed (then nothing is shown and the shown block
    // stays as it was).
    struct TStep {
        bool Ok = true;
        std::vector<std::string> Lines;
    };

    explicit THistoryPaging(THistorySource& source) : source_(source) {}

    // The indexes of the first and last shown records, -1 when nothing has been shown.
    int FirstShown() const { return first_; }
    int LastShown() const { return last_; }
    // Nothing shown (after the history was erased).
    void Reset() { first_ = last_ = -1; }

    // The block before the unit's pointer. A pointer outside the ring is a failed read.
    TStep ReadPage(int Pointer);
    // The block before the first shown record; nothing when nothing is shown.
    TStep Back();
    // The block after the last shown record; nothing when nothing is shown.
    TStep Forward();

private:
    // The block that ends just before index End (0 <= End < RingSize): [End - 32, End - 1]
    // when it lies within the ring, else the 32 records from End + 65472 when the ring has
    // wrapped, else nothing.
    TStep BlockBefore(int End);
    // Reads Count records from First; on success they become the shown block.
    TStep Show(int First, int Count);

    THistorySource& source_;
    int first_ = -1;
    int last_ = -1;
};
