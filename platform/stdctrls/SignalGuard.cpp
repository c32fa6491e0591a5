#include "platform/stdctrls/SignalGuard_p.h"

TSignalGuard::TSignalGuard() : context_(std::make_unique<Context>()) {}

TSignalGuard::~TSignalGuard() = default;
