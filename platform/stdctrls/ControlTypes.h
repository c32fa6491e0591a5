#pragma once
// Small value types the standard controls share.

#include "platform/classes/TypeInfo.h"

Q4_ENUM(TAlignment, taLeftJustify, taRightJustify, taCenter);
// Which scroll bars a memo or a grid has.
Q4_ENUM(TScrollStyle, ssNone, ssHorizontal, ssVertical, ssBoth);
