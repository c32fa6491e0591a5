#pragma once
// The GPS page's commands on a connection: the controller serves as the transfers' host.

#include "app/gps/GpsHost.h"

class TController;

class TGpsConnection : public TGpsHost {
public:
    explicit TGpsConnection(TController& controller) : controller_(controller) {}

    TDevQuorvan& Dev() override;
    TOutArray& Queue() override;
    void DisableMainControls() override;
    void EnableMainControls() override;
    TDateTime NowUtc() override;
    void OnUserInterface(const std::function<void()>& step) override;

private:
    TController& controller_;
};

// Registers the operations of the page's two commands (save and load the receiver's data) with
// the controller; calling it again changes nothing. A connection without a GPS page runs nothing.
void RegisterGpsCommands();
