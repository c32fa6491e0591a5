#pragma once
// The GPS page's commands against the simulated unit's receiver: a link to the unit, the output
// queue, and small doubles of the connection and the GPS page that record what the commands
// asked of them. Commands run on a thread of their own while the test's thread serves the
// hand-overs, as the worker thread and the user-interface thread do.

#include "app/gps/GpsHost.h"
#include "app/gps/GpsOperations.h"
#include "app/queue/OutArray.h"
#include "tests/device/HistoryGpsLink/LinkFixture.h"

#include "platform/rtl/Threads.h"
#include "platform/stdctrls/Label.h"

#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace gpstest {

// Week 2390, Sunday 00:00:10 UTC, in days since 1899-12-30.
constexpr TDateTime kSunday10s = 29226.0 + 2390 * 7 + 10.0 / 86400;

class TFakeGpsHost : public TGpsHost {
public:
    TFakeGpsHost(TDevQuorvan& dev, TOutArray& queue) : dev_(dev), queue_(queue) {}
    TDevQuorvan& Dev() override { return dev_; }
    TOutArray& Queue() override { return queue_; }
    void DisableMainControls() override { ++Disabled; }
    void EnableMainControls() override { ++Enabled; }
    TDateTime NowUtc() override { return Now; }
    void OnUserInterface(const std::function<void()>& step) override {
        TThread::Synchronize(nullptr, step);
    }

    TDateTime Now = kSunday10s;
    int Disabled = 0;
    int Enabled = 0;

private:
    TDevQuorvan& dev_;
    TOutArray& queue_;
};

class TFakeGpsView : public TGpsView {
public:
    TFakeGpsView();
    std::vector<TControl*> TransferControls() override;
    TControl* SaveMark() override { return saveMark_.get(); }
    TControl* LoadMark() override { return loadMark_.get(); }
    TGpsFileNames FileNames() override;

    TGpsFileNames Names;
    // Threads that read the file names.
    std::vector<std::thread::id> NameReaders;

private:
    std::vector<std::unique_ptr<TLabel>> controls_;
    std::unique_ptr<TLabel> saveMark_;
    std::unique_ptr<TLabel> loadMark_;
};

// What the queue received, in order, as "<who>=<text>": "controls=false", "save=clRed".
class TGpsBench : public THistoryGpsLink {
public:
    TGpsBench();
    ~TGpsBench() override;

    TGpsOperations& Ops() { return ops_; }
    TFakeGpsHost& Host() { return host_; }
    TFakeGpsView& View() { return view_; }

    // Runs a command on a thread of its own, serving its hand-overs meanwhile; an exception it
    // raises is raised again here.
    void RunCommand(const std::function<void(TGpsOperations&)>& command);
    // The queued elements since the last call, one word each (see the class comment); the four
    // transfer controls get one entry when all four got the same text in a row.
    std::vector<std::string> TakeQueued();

private:
    TOutArray queue_;
    TFakeGpsHost host_;
    TFakeGpsView view_;
    TGpsOperations ops_;
};

// A folder of its own for one test, removed afterwards.
class TTempFolder {
public:
    TTempFolder();
    ~TTempFolder();
    std::string File(const std::string& name) const;

private:
    std::string path_;
};

} // namespace gpstest
