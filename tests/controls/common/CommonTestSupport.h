#pragma once
// A control that publishes the framing properties a frame controller pushes, counts every
// value it is given, and blinks on request.

#include "controls/common/FrBlinkingList.h"
#include "controls/common/FrFrameController.h"
#include "platform/forms/Controls.h"
#include "platform/forms/Messages.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

class TFramedProbe : public TGraphicControl {
    Q4_CLASS(TFramedProbe, TGraphicControl)
public:
    explicit TFramedProbe(TComponent* owner) : TGraphicControl(owner) {}
    static void DeclareProperties(TPropertyList& p);

    // Property name -> values received, in order.
    std::map<std::string, std::vector<std::int64_t>> Pushed;
    std::vector<std::string> Order;
    TFrFrameControllerNotifications Notifications{
        TFrFrameControllerNotifications::FromBits(AllFrameControllerNotifications)};
    bool Blinking = false;
    std::vector<int> BlinkStates;
    std::function<void()> OnBlink; // runs when the blink state arrives

    void WndProc(TMessage& m) override;

private:
    void Record(const std::string& name, std::int64_t value) {
        Pushed[name].push_back(value);
        Order.push_back(name);
    }
    std::int64_t Last(const std::string& name) const {
        auto it = Pushed.find(name);
        return it == Pushed.end() || it->second.empty() ? 0 : it->second.back();
    }
};

// A control that re-reads the controller itself.
class TNotifiedProbe : public TGraphicControl, public IFramingNotification {
    Q4_CLASS(TNotifiedProbe, TGraphicControl)
public:
    explicit TNotifiedProbe(TComponent* owner) : TGraphicControl(owner) {}
    static void DeclareProperties(TPropertyList& p);
    int Notified = 0;
    int FrameColorSets = 0;
    void FramingChanged() override { ++Notified; }
};
