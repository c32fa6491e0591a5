#pragma once
// Widget signals are connected with a guard held by the control as their context, so that they
// are cut when the control goes, before its widget is destroyed: a widget that signals while it
// is torn down can never call into a control that is already gone.

#include <QObject>

#include <memory>

class TSignalGuard {
public:
    TSignalGuard() : object_(std::make_unique<QObject>()) {}
    QObject* get() const { return object_.get(); }

private:
    std::unique_ptr<QObject> object_;
};
