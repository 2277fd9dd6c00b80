// The user's clock and regional settings, read from Windows for the shutdown time.
#pragma once

#include "shutdown/ShutdownTime.h"

// The designators, separators and short-date picture of the user's locale. A setting that cannot
// be read keeps the English default; a designator the user cleared stays empty.
RegionalSettings ReadRegionalSettings();

// The current local time of day.
ClockTime ClockNow();
