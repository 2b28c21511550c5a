#pragma once
// The run timer of the test library: a form that is loaded but never
// shown, carrying one window timer, whose every tick is the event Timer for
// the test element that owns it (the charge-time countdown, the duration
// of a performance run, of a shock-advisory step).
//
// A window timer counts at most 65535 ms. The durations a technician may
// configure are longer (a shock-advisory step of 120 s): an interval above
// that is counted out in laps of the window timer, so Timer comes after
// the whole interval. A negative interval keeps the one before; interval 0
// never ticks.

#include <memory>

#include "ui/Form.h"
#include "ui/Timer.h"

namespace orvanRV1Xtst {

class FTimer final : public ui::Form {
  Q_OBJECT
 public:
  // Its owner may let go of it from inside its own Timer event, so the
  // form goes once that event is over.
  static std::shared_ptr<FTimer> New();
  // longestLap: the longest interval the window timer counts in one go
  // (its limit; a test makes it short).
  explicit FTimer(rt::Long longestLap = kWindowTimerLimit);
  ~FTimer() override;

  static constexpr rt::Long kWindowTimerLimit = 65535;

  // Starts ticking every iTimeOut milliseconds (the count starts anew).
  void StartTimer(rt::Long iTimeOut);
  void StopTimer();
  bool Enabled() const { return tmrTimer_.Enabled(); }
  rt::Long Interval() const { return interval_; }

 Q_SIGNALS:
  void Timer();

 private:
  void tmrTimer_Timer();
  void StartLap();

  ui::Timer tmrTimer_;
  rt::Long longestLap_;
  rt::Long interval_ = 0;   // the whole interval
  rt::Long remaining_ = 0;  // of the interval, after the running lap
};

}  // namespace orvanRV1Xtst
