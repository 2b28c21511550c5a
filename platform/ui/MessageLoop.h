#pragma once
// Letting window messages run, and the plain pause.

namespace ui {

// Processes the pending events, then waits for new ones until about a
// millisecond has passed since the call, so a poll loop reacts within a
// millisecond to a click, a timer or received bytes yet never spins a core,
// even while something keeps waking the loop.
void doEvents();

// Blocks the thread for the given milliseconds; no events run meanwhile.
void Sleep(int milliseconds);

}  // namespace ui
