#pragma once
// The controller's history commands, run on the worker thread: reading the page (the 32 records
// before the unit's write pointer), paging back and forward, erasing the history and reading or
// writing the unsent-record pointer. Rows reach the list through the output queue, newest
// record on top. A command starts with one hand-over to the user-interface thread, after what
// was queued before has been applied: it clears the list (so that no row of an earlier command
// can land in the new block) and takes what the page shows and what the operator set on it.

#include "app/history/DevHistorySource.h"
#include "app/history/HistoryHost.h"
#include "app/history/HistoryPaging.h"

#include <string>
#include <vector>

class THistoryOperations {
public:
    // Records come from the host's command object through its record cache.
    THistoryOperations(THistoryHost& host, THistoryView& view);
    // Records come from Source (not owned), which must outlive the operations.
    THistoryOperations(THistoryHost& host, THistoryView& view, THistorySource& source);

    // The page's reader: the write pointer, then the block before it. A failed pointer read,
    // a pointer outside the ring or a failed block read shows nothing and marks the page's
    // read label red. Run inside the controller's page read (which disables the main controls).
    void ReadHistoryPage();
    // Each disables the main controls while it runs.
    void HistoryBack();
    void HistoryForward();
    // Clears the list and erases the unit's history; when the unit confirms, nothing counts as
    // shown any more.
    void EraseHistory();
    // Writes the pointer the operator typed, or reads the unit's into the edit when none was.
    void HistoryPointer();

    const THistoryPaging& Paging() const { return paging_; }

    // The log line of a pointer that could not be written.
    static const char* const PointerWriteError;

private:
    // On the user-interface thread: clears the list when asked, and takes the page's state.
    THistoryViewState Begin(bool clearList);
    // Shows a step's lines and marks the read label by its outcome.
    void Show(const THistoryPaging::TStep& step, const THistoryViewState& state);
    void AddRows(const std::vector<std::string>& lines, const THistoryViewState& state);

    THistoryHost& host_;
    THistoryView& view_;
    TDevHistorySource devSource_;
    THistoryPaging paging_;
};
