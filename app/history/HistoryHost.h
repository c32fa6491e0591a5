#pragma once
// What the history operations need of the connection and of the History page, as two narrow
// interfaces: the controller and the page implement them, tests hand in small doubles.

#include <functional>
#include <string>

class TControl;
class TCustomListView;
class TDevQuorvan;
class TOutArray;

// The connection, used on the worker thread.
class THistoryHost {
public:
    virtual ~THistoryHost() = default;

    virtual TDevQuorvan& Dev() = 0;
    virtual TOutArray& Queue() = 0;
    virtual void DisableMainControls() = 0;
    virtual void EnableMainControls() = 0;
    // The unit's firmware shell and build, which decide the record layout.
    virtual int Shell() = 0;
    virtual int Build() = 0;
    // Adds a time-stamped line to the log.
    virtual void Log(const std::string& text) = 0;
    // Runs `step` on the user-interface thread, after everything queued before it has been
    // applied, and waits for it.
    virtual void OnUserInterface(const std::function<void()>& step) = 0;
};

// What the page shows and what the operator set on it, taken on the user-interface thread.
struct THistoryViewState {
    int Columns = 9;            // of the list: 9, or 13 for firmware that records more
    bool DegreesFormat = false; // coordinates as degrees, minutes, seconds
    std::string PointerText;    // the unsent-record pointer typed by the operator (hex)
};

// The History page.
class THistoryView {
public:
    virtual ~THistoryView() = default;

    // Controls that queued elements name (their pointers are stable; any thread may take them).
    virtual TCustomListView* List() = 0;
    virtual TControl* PointerEdit() = 0;
    // The label that shows the outcome of the last history read, or null.
    virtual TControl* ReadMark() = 0;
    // User-interface thread only: the operations hand these calls over (OnUserInterface).
    virtual THistoryViewState State() = 0;
    virtual void ClearList() = 0;
};
