#pragma once
// Small doubles of the connection and the History page for the history operations: they record
// what the operations asked of them. The page's list is a real list view.

#include "app/history/HistoryHost.h"
#include "app/queue/Appliers.h"

#include "platform/rtl/Threads.h"
#include "platform/stdctrls/Label.h"
#include "platform/stdctrls/ListView.h"

#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace histtest {

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
    // As the controller does it: what was queued before is applied first.
    void OnUserInterface(const std::function<void()>& step) override {
        TThread::Synchronize(nullptr, [&] {
            ++HandOvers;
            DrainOutArray(queue_);
            step();
        });
    }

    int ShellNumber = 503;
    int BuildNumber = 90;
    int Disabled = 0;
    int Enabled = 0;
    int HandOvers = 0;
    std::vector<std::string> LogLines;

private:
    TDevQuorvan& dev_;
    TOutArray& queue_;
};

class TFakeHistoryView : public THistoryView {
public:
    TFakeHistoryView()
        : list_(std::make_unique<TListView>(nullptr)),
          pointerEdit_(std::make_unique<TLabel>(nullptr)),
          mark_(std::make_unique<TLabel>(nullptr)) {}

    TCustomListView* List() override { return list_.get(); }
    TControl* PointerEdit() override { return pointerEdit_.get(); }
    TControl* ReadMark() override { return mark_.get(); }
    THistoryViewState State() override {
        ++StateReads;
        return ViewState;
    }
    void ClearList() override {
        ++Clears;
        ClearThread = std::this_thread::get_id();
        list_->Clear();
    }

    THistoryViewState ViewState;
    int StateReads = 0;
    int Clears = 0;
    std::thread::id ClearThread;

private:
    std::unique_ptr<TListView> list_;
    std::unique_ptr<TLabel> pointerEdit_;
    std::unique_ptr<TLabel> mark_;
};

} // namespace histtest
