#pragma once
// The history page's commands on a connection: the controller serves as the history operations'
// host, and the operations live as long as the connection, so that the shown block (and with it
// "back" and "forward") carries from one command to the next. A new connection starts with
// nothing shown.

#include "app/history/HistoryHost.h"
#include "app/history/HistoryOperations.h"

class TController;

class THistoryConnection : public THistoryHost {
public:
    THistoryConnection(TController& controller, THistoryView& view);

    THistoryOperations& Operations() { return operations_; }

    // THistoryHost.
    TDevQuorvan& Dev() override;
    TOutArray& Queue() override;
    void DisableMainControls() override;
    void EnableMainControls() override;
    int Shell() override;
    int Build() override;
    void Log(const std::string& text) override;
    void OnUserInterface(const std::function<void()>& step) override;

private:
    TController& controller_;
    THistoryOperations operations_;
};

// The history operations of the controller's connection, made on first use for its history page;
// null when the connection has no history page.
THistoryOperations* HistoryOperationsOf(TController& controller);

// Registers the page's reader (read page, read all) and the operations of its commands (back,
// forward, erase, unsent pointer) with the controller; calling it again changes nothing.
void RegisterHistoryCommands();
