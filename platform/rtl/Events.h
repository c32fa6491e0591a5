#pragma once
// Event types shared by the runtime and the component model. TObject is the root class of the
// component model; the runtime only passes pointers to it along.

#include <functional>

class TObject;

// An event that tells its handler who raised it.
using TNotifyEvent = std::function<void(TObject* Sender)>;
