#pragma once
// Letting window messages run, waiting for the next event, and the plain
// pause, all on the thread's clock (ui/Clock.h).

#include <QtGlobal>
#include <functional>

namespace ui {

// Lets the pending events run (posted events, the window's, the timers and
// devices that are due) and returns at once: a run's "let the window
// messages run". On virtual time a long loop of calls that find nothing to
// run lets time move to the next alarm, as real time would pass meanwhile.
void doEvents();

// The wait of a poll loop: lets the pending events run and, when there was
// none, waits for the next one: a byte received, a timer or alarm falling
// due, a click. It never spins and never wakes on its own; a loop whose
// condition no event can change must set an alarm (or a timer) to end it.
void waitForEvents();

// Lets events run for that many milliseconds on the thread's clock.
void runEventsFor(qint64 milliseconds);

// Lets events run until the condition holds or that many milliseconds have
// passed on the thread's clock; whether it holds.
bool waitUntil(const std::function<bool()>& condition, qint64 milliseconds);

// Blocks the thread for the given milliseconds; no events run meanwhile.
void Sleep(int milliseconds);

}  // namespace ui
