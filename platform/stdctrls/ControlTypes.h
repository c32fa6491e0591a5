#pragma once
// Small value types the standard controls share.

#include "platform/classes/TypeInfo.h"

Q4_ENUM(TAlignment, taLeftJustify, taRightJustify, taCenter);
