#include "tests/FTimer.h"

#include <algorithm>

#include "runtime/ErrorHandling.h"

namespace orvanRV1Xtst {

std::shared_ptr<FTimer> FTimer::New() {
  return std::shared_ptr<FTimer>(new FTimer, [](FTimer* timer) { timer->deleteLater(); });
}

FTimer::FTimer(rt::Long longestLap)
    : longestLap_(std::clamp<rt::Long>(longestLap, 1, kWindowTimerLimit)) {
  setObjectName(QStringLiteral("FTimer"));
  tmrTimer_.setObjectName(QStringLiteral("tmrTimer"));
  SetCaption(QStringLiteral("Form"));
  connect(&tmrTimer_, &ui::Timer::Tick, this, &FTimer::tmrTimer_Timer);
}

FTimer::~FTimer() = default;

void FTimer::StartTimer(rt::Long iTimeOut) {
  if (iTimeOut >= 0) interval_ = iTimeOut;
  remaining_ = interval_;
  rt::ignoreErrorsEach([&] { StartLap(); }, [&] { tmrTimer_.SetEnabled(true); });
}

void FTimer::StopTimer() {
  rt::ignoreErrors([&] { tmrTimer_.SetEnabled(false); });
}

void FTimer::StartLap() {
  const rt::Long lap = std::min(remaining_, longestLap_);
  remaining_ -= lap;
  tmrTimer_.SetInterval(lap);
}

void FTimer::tmrTimer_Timer() {
  rt::ignoreErrors([&] {
    if (remaining_ > 0) {
      StartLap();
      return;
    }
    // The whole interval has passed; a long one is counted out again.
    if (interval_ > longestLap_) {
      remaining_ = interval_;
      StartLap();
    }
    Q_EMIT Timer();
  });
}

}  // namespace orvanRV1Xtst
