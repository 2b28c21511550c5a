#include "FTimer.h"

namespace orvanRV1Xvti::query {

FTimer::FTimer() : tmrTimeout_(this) {
  setObjectName(QStringLiteral("FTimer"));
  tmrTimeout_.setObjectName(QStringLiteral("tmrTimeout"));
  connect(&tmrTimeout_, &ui::Timer::Tick, this, &FTimer::tmrTimeout_Timer);
}

FTimer::~FTimer() = default;

void FTimer::StartTimer(rt::Long interval) {
  tmrTimeout_.SetInterval(interval);
  tmrTimeout_.SetEnabled(true);
}

void FTimer::StopTimer() {
  tmrTimeout_.SetEnabled(false);
}

void FTimer::tmrTimeout_Timer() {
  Q_EMIT Timer();
}

}  // namespace orvanRV1Xvti::query
