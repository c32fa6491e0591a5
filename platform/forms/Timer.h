#pragma once
// TTimer: runs OnTimer every Interval milliseconds on the user-interface thread while Enabled.
// A timer without a handler, or with Interval 0, does not run.

#include "platform/classes/Component.h"
#include "platform/rtl/Events.h"

#include <memory>

class QTimer;

class TTimer : public TComponent {
    Q4_CLASS(TTimer, TComponent)
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;
    static void DeclareProperties(TPropertyList& p);

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    unsigned Interval() const { return interval_; }
    void SetInterval(unsigned ms);
    TNotifyEvent OnTimer() const { return onTimer_; }
    void SetOnTimer(TNotifyEvent handler);
    // Whether the timer is counting now.
    bool Active() const;

    void Loaded() override;

protected:
    // Runs OnTimer; an exception from it goes to Application->HandleException.
    virtual void Timer();

private:
    void UpdateTimer();

    bool enabled_ = true;
    unsigned interval_ = 1000;
    TNotifyEvent onTimer_;
    std::unique_ptr<QTimer> timer_;
};
