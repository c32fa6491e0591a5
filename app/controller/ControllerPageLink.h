#pragma once
// A settings page's link to the connection its controller stands for: the controller's command
// object and firmware gates, and the output queue, with the page's controls found by name. A
// name the page does not hold queues nothing.

#include "app/pages/PageLink.h"

class TController;
class TControl;
class TformIncl;

class TControllerPageLink : public TPageLink {
public:
    TControllerPageLink(TController& controller, TformIncl& page)
        : controller_(controller), page_(page) {}

    TDevQuorvan& Device() override;
    bool NewerThan(int build) const override;
    void Show(const std::string& name, const std::string& text) override;
    void Mark(const std::string& name, bool ok) override;
    void ShowCell(const std::string& name, int col, int row, const std::string& text) override;
    void OnUserInterface(const std::function<void()>& step) override;
    bool ReadSleepMode() override;
    bool ReadAntiTheft() override;

private:
    TControl* Part(const std::string& name) const;

    TController& controller_;
    TformIncl& page_;
};

// The first page of the controller's view of class `pageClass`, or null.
TformIncl* FindViewPage(const TController& controller, const char* pageClass);
