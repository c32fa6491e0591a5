#pragma once
// How the framed controls place and style their captions: the vertical placement of a caption in
// its rectangle, and a plain, raised, recessed or shadowed look.

#include "platform/classes/TypeInfo.h"

Q4_ENUM(TAlignmentVertical, avTop, avCenter, avBottom);
Q4_ENUM(TTextStyle, tsNormal, tsRaised, tsRecessed, tsShadow);
