#pragma once
// Errors of the localiser.

#include "platform/rtl/Exception.h"

// Language and identifier errors.
Q4_EXCEPTION(ELanguageError, Exception);
