#include "ui/Timer.h"

#include "runtime/RuntimeError.h"

namespace ui {

namespace {
constexpr rt::Long kInvalidPropertyValue = 380;
}

Timer::Timer(QObject* parent) : QObject(parent) {
  timer_.setTimerType(Qt::PreciseTimer);
  connect(&timer_, &QTimer::timeout, this, &Timer::Tick);
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
  timer_.stop();
  if (enabled_ && interval_ > 0) timer_.start(interval_);
}

}  // namespace ui
