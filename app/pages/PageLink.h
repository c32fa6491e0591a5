#pragma once
// What a settings page's reader and writer need of the connection, on the worker thread: the
// unit's command object, the firmware gates, and the output queue addressed by the page's own
// control names. The controller implements it for a page; tests hand in a recording double.
//
// Readers queue a value only when its request succeeded and mark the setting's label blue or red;
// writers take the page's values first, on the user-interface thread (OnUserInterface), and never
// touch a control themselves.

#include <cstdint>
#include <functional>
#include <string>

class TDevQuorvan;

class TPageLink {
public:
    virtual ~TPageLink() = default;

    virtual TDevQuorvan& Device() = 0;
    // The unit's firmware is newer than 503.build.
    virtual bool NewerThan(int build) const = 0;

    // Queues a value for the page's control `name` (as the output queue's value element applies
    // it: an edit's text, a check box's or speed button's state, a combo box's item index, a
    // shape's colour name).
    virtual void Show(const std::string& name, const std::string& text) = 0;
    // Queues the outcome colour of the label `name`: blue when the unit accepted or returned the
    // value, red when the request failed.
    virtual void Mark(const std::string& name, bool ok) = 0;
    // Queues the text of cell (col, row) of the page's grid `name`.
    virtual void ShowCell(const std::string& name, int col, int row, const std::string& text) = 0;

    // Runs `step` on the user-interface thread, after everything queued before it has been
    // applied, and waits for it.
    virtual void OnUserInterface(const std::function<void()>& step) = 0;

    // The unit's mode and anti-theft switch, read as at connect (the common page shows them).
    virtual bool ReadSleepMode() = 0;
    virtual bool ReadAntiTheft() = 0;
};
