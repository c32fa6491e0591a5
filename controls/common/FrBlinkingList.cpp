#include "controls/common/FrBlinkingList.h"

#include "platform/forms/Controls.h"
#include "platform/forms/Timer.h"

#include <algorithm>

namespace {

unsigned intervalOn = 500;
unsigned intervalOff = 500;
std::unique_ptr<TFrBlinkingControlsList>& TheList() {
    static std::unique_ptr<TFrBlinkingControlsList> list;
    return list;
}

} // namespace

TFrBlinkingControlsList::TFrBlinkingControlsList() : timer_(std::make_unique<TTimer>(nullptr)) {
    timer_->SetInterval(intervalOff);
    timer_->SetOnTimer([this](TObject*) { Tick(); });
    timer_->SetEnabled(true);
}

TFrBlinkingControlsList::~TFrBlinkingControlsList() = default;

void TFrBlinkingControlsList::Add(TControl* control) {
    if (std::find(controls_.begin(), controls_.end(), control) == controls_.end())
        controls_.push_back(control);
}

void TFrBlinkingControlsList::Remove(TControl* control) {
    controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
}

void TFrBlinkingControlsList::ApplyInterval() {
    timer_->SetInterval(onPhase_ ? intervalOn : intervalOff);
}

unsigned TFrBlinkingControlsList::TimerInterval() const {
    return timer_->Interval();
}

void TFrBlinkingControlsList::Tick() {
    state_ = state_ == 1 ? 0 : 1;
    onPhase_ = state_ == 1;
    ApplyInterval();
    // A member may leave while it is told: walk a copy and skip those that left.
    const std::vector<TControl*> members = controls_;
    for (TControl* c : members) {
        if (std::find(controls_.begin(), controls_.end(), c) == controls_.end())
            continue;
        if (c->Perform(CM_BLINKQUERY, 0, 0) == 1)
            c->Perform(CM_BLINKSTATE, static_cast<WPARAM>(state_), 0);
    }
}

TFrBlinkingControlsList* TFrBlinkingControlsList::Instance() {
    return TheList().get();
}

void TFrBlinkingControlsList::Join(TControl* control) {
    if (!TheList())
        TheList() = std::make_unique<TFrBlinkingControlsList>();
    TheList()->Add(control);
}

void TFrBlinkingControlsList::Leave(TControl* control) {
    if (!TheList())
        return;
    TheList()->Remove(control);
    if (TheList()->Count() == 0)
        TheList().reset();
}

unsigned TFrBlinkingControlsList::IntervalOn() {
    return intervalOn;
}

void TFrBlinkingControlsList::SetIntervalOn(unsigned ms) {
    intervalOn = std::max(ms, 1u);
    if (TheList())
        TheList()->ApplyInterval();
}

unsigned TFrBlinkingControlsList::IntervalOff() {
    return intervalOff;
}

void TFrBlinkingControlsList::SetIntervalOff(unsigned ms) {
    intervalOff = std::max(ms, 1u);
    if (TheList())
        TheList()->ApplyInterval();
}
