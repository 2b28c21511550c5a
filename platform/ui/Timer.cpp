#include "ui/Timer.h"

#include <QPointer>

#include "runtime/RuntimeError.h"
#include "ui/ClockTrace.h"

namespace ui {

namespace {
constexpr rt::Long kInvalidPropertyValue = 380;
constexpr qint64 kNanosecondsPerMillisecond = 1'000'000;
}  // namespace

Timer::Timer(QObject* parent) : QObject(parent), alarm_([this] { due(); }) {}

Timer::~Timer() {
  traceOn(false);
}

void Timer::SetInterval(rt::Long milliseconds) {
  if (milliseconds < 0 || milliseconds > 65535)
    rt::raise(kInvalidPropertyValue, QStringLiteral("Timer"),
              QStringLiteral("Invalid property value"));
  interval_ = milliseconds;
  restart();
}

void Timer::SetEnabled(bool enabled) {
  enabled_ = enabled;
  restart();
}

void Timer::restart() {
  if (enabled_ && interval_ > 0)
    alarm_.setAfterMilliseconds(interval_);
  else
    alarm_.cancel();
  traceOn(alarm_.armed());
}

// The time it was on, from when it was switched on to when it went off
// (a new interval meanwhile goes on counting), for the benchmark's trace.
void Timer::traceOn(bool on) {
  if (!tracing()) return;
  if (on && onSince_ < 0) {
    onSince_ = clockNow();
  } else if (!on && onSince_ >= 0) {
    const QString owner = parent() ? parent()->objectName() : QString();
    traceInterval("timer", onSince_, clockNow(), owner + u'/' + objectName());
    onSince_ = -1;
  }
}

void Timer::due() {
  // The next tick counts from when this one was due; one that is already
  // past (the loop did not run meanwhile) is not made up for.
  const qint64 interval = interval_ * kNanosecondsPerMillisecond;
  const qint64 next = alarm_.due() + interval;
  alarm_.setAt(next > clockNow() ? next : clockNow() + interval);
  if (ticking_) return;
  ticking_ = true;
  // The handler may destroy the timer.
  QPointer<Timer> alive(this);
  Q_EMIT Tick();
  if (alive) ticking_ = false;
}

}  // namespace ui
