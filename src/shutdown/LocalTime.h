// The user's clock and regional settings, read from Windows for the shutdown time.
#pragma once

#include "shutdown/ShutdownTime.h"

// The designators, separators and short-date picture of the user's locale. A setting that cannot
// be read keeps the English default; a designator the user cleared stays empty.
RegionalSettings ReadRegionalSettings();

// The current local date and time.
LocalDateTime ClockNow();

// Where ClockNow reads the time: tests put a clock of their own in place of the system's.
using ClockSource = LocalDateTime (*)();
// Puts `clock` in place (nullptr: the system clock again); returns the one it replaces.
ClockSource SetClockSource(ClockSource clock);
