#pragma once
// The history operations against the simulated unit: a link to a unit with its history ring,
// the output queue, and small doubles of the connection and the History page that record what
// the operations asked of them.

#include "app/history/HistoryOperations.h"
#include "app/queue/OutArray.h"
#include "tests/app/history/HistoryFakes.h"
#include "tests/device/HistoryGpsLink/LinkFixture.h"

#include <memory>
#include <string>
#include <vector>

namespace histtest {

// One list row as the operations queued it.
struct TRow {
    std::string Caption;
    std::vector<std::string> SubItems;
};

// "+read" with the two indexes as 4 hex digits, as the unit receives a range request.
std::string ReadLine(int first, int last);

// A unit with a history ring on a pseudo-terminal, and the history operations over it.
class THistoryBench : public THistoryGpsLink {
public:
    THistoryBench();
    ~THistoryBench() override;

    THistoryOperations& Ops() { return *ops_; }
    TFakeHistoryHost& Host() { return host_; }
    TFakeHistoryView& View() { return view_; }
    TOutArray& Queue() { return queue_; }

    // The rows queued since the last call, in queue order (the list's order top to bottom).
    std::vector<TRow> TakeRows();
    // The colours queued for the page's read label since the last call ("clBlue", "clRed").
    std::vector<std::string> TakeMarks();
    // The texts queued for the pointer edit since the last call.
    std::vector<std::string> TakePointerTexts();
    // The record indexes of rows, top to bottom.
    static std::vector<int> Indexes(const std::vector<TRow>& rows);

private:
    void Drain();

    TOutArray queue_;
    TFakeHistoryHost host_;
    TFakeHistoryView view_;
    std::unique_ptr<THistoryOperations> ops_;
    std::vector<TRow> rows_;
    std::vector<std::string> marks_;
    std::vector<std::string> pointerTexts_;
};

} // namespace histtest
