#pragma once
// Widget signals are connected with a guard held by the control as their context, so that they
// are cut when the control goes, before its widget is destroyed: a widget that signals while it
// is torn down can never call into a control that is already gone.

#include <memory>

class TSignalGuard {
public:
    // The object the signals are connected with (SignalGuard_p.h).
    class Context;

    TSignalGuard();
    ~TSignalGuard();
    TSignalGuard(const TSignalGuard&) = delete;
    TSignalGuard& operator=(const TSignalGuard&) = delete;

    Context* get() const { return context_.get(); }

private:
    std::unique_ptr<Context> context_;
};
