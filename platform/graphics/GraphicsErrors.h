#pragma once
// Errors of the drawing layer.

#include "platform/rtl/Exception.h"

Q4_EXCEPTION(EInvalidGraphic, Exception);          // unknown picture format, unreadable data
Q4_EXCEPTION(EInvalidGraphicOperation, Exception); // an operation the picture cannot do
