// Letting the window process its pending messages in the middle of a long handler.
#pragma once

// Handles every pending message of the user-interface thread, then returns. It holds the busy
// guard meanwhile: user commands are ignored, close requests and timer ticks deferred until the
// outermost guard ends (see ui::BusyScope).
void DoEvents();
