// Letting the window process its pending messages in the middle of a long handler.
#pragma once

// Handles every pending message of the user-interface thread, then returns. While a handler runs
// this, the window toolkit ignores user commands and defers close requests (see ui::BusyScope).
void DoEvents();
