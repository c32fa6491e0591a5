#pragma once
// The history operations against the simulated unit: a link to a unit with its history ring,
// the output queue, and small doubles of the connection and the History page that record what
// the operations asked of them.

#include "app/history/HistoryHost.h"
#include "app/history/HistoryOperations.h"
#include "app/queue/OutArray.h"
#include "tests/device/HistoryGpsLink/LinkFixture.h"

#include "platform/stdctrls/Label.h"
#include "platform/stdctrls/ListView.h"

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

class TFakeHistoryHost : public THistoryHost {
public:
    TFakeHistoryHost(TDevQuorvan& dev, TOutArray& queue) : dev_(dev), queue_(queue) {}

    TDevQuorvan& Dev() override { return dev_; }
    TOutArray& Queue() override { return queue_; }
    void DisableMainControls() override { ++Disabled; }
    void EnableMainControls() override { ++Enabled; }
    int Shell() override { return ShellNumber; }
    int Build() override { return BuildNumber; }
    void Log(const std::string& text) override { LogLines.push_back(text); }

    int ShellNumber = 503;
    int BuildNumber = 90;
    int Disabled = 0;
    int Enabled = 0;
    std::vector<std::string> LogLines;

private:
    TDevQuorvan& dev_;
    TOutArray& queue_;
};

class TFakeHistoryView : public THistoryView {
public:
    TFakeHistoryView();
    ~TFakeHistoryView() override;

    TCustomListView* List() override { return list_.get(); }
    TControl* PointerEdit() override { return pointerEdit_.get(); }
    TControl* ReadMark() override { return mark_.get(); }
    THistoryViewState State() override {
        ++StateReads;
        return ViewState;
    }
    void ClearList() override { ++Clears; }

    THistoryViewState ViewState;
    int StateReads = 0;
    int Clears = 0;

private:
    std::unique_ptr<TListView> list_;
    std::unique_ptr<TLabel> pointerEdit_;
    std::unique_ptr<TLabel> mark_;
};

// A unit with a history ring on a pseudo-terminal, and the history operations over it.
class THistoryBench : public THistoryGpsLink {
public:
    THistoryBench();
    ~THistoryBench() override;

    THistoryOperations& Ops() { return *ops_; }
    TFakeHistoryHost& Host() { return host_; }
    TFakeHistoryView& View() { return view_; }

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
