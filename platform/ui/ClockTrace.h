#pragma once
// A trace of what took time, for the benchmark: with the environment's
// RV1X_TRACE naming a file, each interval is written there as a line
// "<kind> <start ms> <end ms> <what>" on the thread's clock (the times mean
// nothing alone; only their differences do). Window timers write the time
// each was on ("timer", what: "<parent's object name>/<its own>"); the
// scripted operator and the simulated analyzer write theirs. Without the
// variable nothing is written and nothing is spent.

#include <QString>

namespace ui {

bool tracing();
// Nanoseconds on the thread's clock.
void traceInterval(const char* kind, qint64 from, qint64 to, const QString& what = QString());

}  // namespace ui
