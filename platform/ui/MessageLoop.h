#pragma once
// Letting window messages run, and the plain pause.

namespace ui {

// Processes the pending events, then waits at most about a millisecond for
// new ones, so a poll loop reacts at once to a click, a timer or received
// bytes yet never spins a core.
void doEvents();

// Blocks the thread for the given milliseconds; no events run meanwhile.
void Sleep(int milliseconds);

}  // namespace ui
