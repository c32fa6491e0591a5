#pragma once
// What the GPS page's commands need of the connection and of the page, as two narrow
// interfaces: the controller and the page implement them, tests hand in small doubles.

#include "platform/rtl/DateTime.h"

#include <functional>
#include <string>
#include <vector>

class TControl;
class TDevQuorvan;
class TOutArray;

// The connection, used on the worker thread.
class TGpsHost {
public:
    virtual ~TGpsHost() = default;

    virtual TDevQuorvan& Dev() = 0;
    virtual TOutArray& Queue() = 0;
    virtual void DisableMainControls() = 0;
    virtual void EnableMainControls() = 0;
    // The present moment in UTC, which gives the receiver its GPS time when a file is loaded.
    virtual TDateTime NowUtc() = 0;
    // Runs `step` on the user-interface thread, after everything queued before it has been
    // applied, and waits for it.
    virtual void OnUserInterface(const std::function<void()>& step) = 0;
};

// The file names the operator chose, taken on the user-interface thread.
struct TGpsFileNames {
    std::string Save;
    std::string Load;
};

// The GPS page.
class TGpsView {
public:
    virtual ~TGpsView() = default;

    // The controls that a running transfer disables (the two transfer buttons and the two file
    // pickers) and the two outcome labels (after reading, after loading).
    virtual std::vector<TControl*> TransferControls() = 0;
    virtual TControl* SaveMark() = 0;
    virtual TControl* LoadMark() = 0;
    // User-interface thread only: the transfers hand this call over (OnUserInterface).
    virtual TGpsFileNames FileNames() = 0;
};
