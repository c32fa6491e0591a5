#include "app/history/HistoryPaging.h"

THistoryPaging::TStep THistoryPaging::ReadPage(int Pointer) {
    if (Pointer < 0 || Pointer >= RingSize) {
        return TStep{false, {}};
    }
    if (Pointer >= PageSize) {
        return Show(Pointer - PageSize, PageSize);
    }
    bool wrapped = false;
    if (!source_.ReadWrapState(wrapped)) {
        return TStep{false, {}};
    }
    if (wrapped) {
        return Show(Pointer + RingSize - PageSize, PageSize);
    }
    // Not wrapped: only the records written so far, from the start of the ring.
    return Pointer > 0 ? Show(0, Pointer) : TStep{};
}

THistoryPaging::TStep THistoryPaging::Back() {
    return first_ < 0 ? TStep{} : BlockBefore(first_);
}

THistoryPaging::TStep THistoryPaging::Forward() {
    if (last_ < 0) {
        return TStep{};
    }
    // The block after the last shown record ends 32 records past it.
    return BlockBefore((last_ + PageSize + 1) % RingSize);
}

THistoryPaging::TStep THistoryPaging::BlockBefore(int End) {
    if (End >= PageSize) {
        return Show(End - PageSize, PageSize);
    }
    bool wrapped = false;
    if (!source_.ReadWrapState(wrapped)) {
        return TStep{false, {}};
    }
    return wrapped ? Show(End + RingSize - PageSize, PageSize) : TStep{};
}

THistoryPaging::TStep THistoryPaging::Show(int First, int Count) {
    TStep step;
    step.Ok = source_.ReadRecords(First, Count, step.Lines);
    if (!step.Ok) {
        step.Lines.clear();
        return step;
    }
    if (!step.Lines.empty()) {
        // The block asked for, not the indexes the lines name: a line damaged on the wire must
        // not move the paging.
        first_ = First;
        last_ = (First + Count - 1) % RingSize;
    }
    return step;
}
