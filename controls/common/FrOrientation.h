#pragma once
// Which way a framed control runs: across (panes side by side, a row of buttons, a bar filling
// to the right) or down.

#include "platform/classes/TypeInfo.h"

Q4_ENUM(TOrientation, orHorizontal, orVertical);
