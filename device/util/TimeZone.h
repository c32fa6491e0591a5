#pragma once
// Converting the unit's UTC times (history records, the GPS clock) to the desktop's local time
// and back. The offset in force now is applied to every date, also to dates of the other
// season, so that the times of one session shift alike.

#include "platform/rtl/DateTime.h"

TDateTime UtcToLocal(TDateTime Utc);
TDateTime LocalToUtc(TDateTime Local);
