#pragma once
// The guard's context is a plain QObject: connecting a signal with it as the context cuts the
// connection when the guard goes.

#include "platform/stdctrls/SignalGuard.h"

#include <QObject>

class TSignalGuard::Context : public QObject {};
