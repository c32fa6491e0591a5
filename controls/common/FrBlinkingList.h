#pragma once
// TFrBlinkingControlsList: the one list of controls that blink (labels, status panes) and the
// one timer that drives them, so that every blinking control of the program blinks in step.
// Each tick flips the blink state and asks every member (the blink query message); those that
// answer 1 get the blink state message with the new state. The state shows the blink colour for
// BlinkIntervalOn and the normal colour for BlinkIntervalOff.
//
// The intervals belong to the program, not to the list: they survive the list being freed with
// its last member and made again, and a change takes effect on the running phase at once.

#include "platform/rtl/Events.h"

#include <memory>
#include <vector>

class TControl;
class TTimer;

constexpr unsigned CM_BLINKQUERY = 0xB3E8;
constexpr unsigned CM_BLINKSTATE = 0xB3E9;

class TFrBlinkingControlsList {
public:
    TFrBlinkingControlsList();
    ~TFrBlinkingControlsList();
    TFrBlinkingControlsList(const TFrBlinkingControlsList&) = delete;
    TFrBlinkingControlsList& operator=(const TFrBlinkingControlsList&) = delete;

    void Add(TControl* control);
    void Remove(TControl* control);
    int Count() const { return static_cast<int>(controls_.size()); }
    int BlinkState() const { return state_; }
    // One step of the timer (also called by tests instead of waiting).
    void Tick();
    unsigned TimerInterval() const;

    // The process-wide list: a blinking-capable control joins when it is made and leaves when it
    // is destroyed; the list exists while it has members.
    static TFrBlinkingControlsList* Instance();
    static void Join(TControl* control);
    static void Leave(TControl* control);

    // The shared intervals in milliseconds (500 each at start; 0 is taken as 1).
    static unsigned IntervalOn();
    static void SetIntervalOn(unsigned ms);
    static unsigned IntervalOff();
    static void SetIntervalOff(unsigned ms);

private:
    void ApplyInterval();

    int state_ = 1;
    // Whether the running phase shows the blink colour; the first phase, before any tick, shows
    // the normal colour and runs for the off interval.
    bool onPhase_ = false;
    std::unique_ptr<TTimer> timer_;
    std::vector<TControl*> controls_;
};
