#include "FTestVTI.h"

#include "runtime/ErrorHandling.h"

namespace orvanRV1Xvti {

FTestVTI::FTestVTI(std::function<void()> timedOut)
    : comm_(serial::newTransport()),
      timedOut_(std::move(timedOut)),
      timRVXX_(this),
      tmrSleep_(this) {
  setObjectName(QStringLiteral("FTestVTI"));
  timRVXX_.setObjectName(QStringLiteral("timRVXX"));
  tmrSleep_.setObjectName(QStringLiteral("tmrSleep"));
  connect(&timRVXX_, &ui::Timer::Tick, this, &FTestVTI::timRVXX_Timer);
  connect(&tmrSleep_, &ui::Timer::Tick, this, &FTestVTI::tmrSleep_Timer);
}

FTestVTI::~FTestVTI() = default;

void FTestVTI::StartTimer(rt::Long iTimeOut) {
  rt::ignoreErrorsEach([&] { timRVXX_.SetEnabled(false); }, [&] { timRVXX_.SetInterval(iTimeOut); },
                       [&] { timRVXX_.SetEnabled(true); });
}

void FTestVTI::StopTimer() {
  timRVXX_.SetEnabled(false);
}

void FTestVTI::StartSleepTimer(rt::Long iTimeOut) {
  tmrSleep_.SetInterval(iTimeOut);
  tmrSleep_.SetEnabled(true);
}

// A pause of 0 ms would never tick and so never end: it counts as over.
bool FTestVTI::IsSleeping() const {
  return tmrSleep_.Enabled() && tmrSleep_.Interval() > 0;
}

void FTestVTI::timRVXX_Timer() {
  if (timedOut_) timedOut_();
}

void FTestVTI::tmrSleep_Timer() {
  tmrSleep_.SetEnabled(false);
}

}  // namespace orvanRV1Xvti
