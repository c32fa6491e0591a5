#include "platform/forms/Timer.h"

#include "platform/forms/Controls.h"

#include <QTimer>

TTimer::TTimer(TComponent* owner) : TComponent(owner) {}

TTimer::~TTimer() {
    if (timer_)
        timer_->stop();
}

void TTimer::DeclareProperties(TPropertyList& p) {
    p.Add("Enabled", &TTimer::Enabled, &TTimer::SetEnabled).Default(true);
    p.Add("Interval", &TTimer::Interval, &TTimer::SetInterval).Default(1000);
    p.Add("OnTimer", &TTimer::OnTimer, &TTimer::SetOnTimer);
}

void TTimer::SetEnabled(bool value) {
    if (value == enabled_)
        return;
    enabled_ = value;
    UpdateTimer();
}

void TTimer::SetInterval(unsigned ms) {
    if (ms == interval_)
        return;
    interval_ = ms;
    UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent handler) {
    onTimer_ = std::move(handler);
    UpdateTimer();
}

bool TTimer::Active() const {
    return timer_ && timer_->isActive();
}

void TTimer::Loaded() {
    TComponent::Loaded();
    UpdateTimer();
}

void TTimer::UpdateTimer() {
    if (timer_)
        timer_->stop();
    if (!enabled_ || interval_ == 0 || !onTimer_ || ComponentState().Contains(csLoading) ||
        ComponentState().Contains(csDestroying))
        return;
    if (!timer_) {
        timer_ = std::make_unique<QTimer>();
        timer_->setTimerType(Qt::PreciseTimer);
        QObject::connect(timer_.get(), &QTimer::timeout,
                         [this] { SafeCall(this, [this] { Timer(); }); });
    }
    // Changing Interval or Enabled restarts the count, as a new timer would.
    timer_->start(static_cast<int>(std::min<unsigned>(interval_, 0x7FFFFFFF)));
}

void TTimer::Timer() {
    if (onTimer_)
        onTimer_(this);
}
