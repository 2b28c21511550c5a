#pragma once
// The charge-time test (test 100, "RV1XTests.CTestChargeTime"): how long
// the defibrillator takes to charge to its preset energy, and the energy
// of the shock, kept as "CHTI" and "ENGY".
//
// Its run shows "Please wait..." from the start and waits for the High
// range before its command sequence (the range prompt stays until the next
// pop-up replaces it). The sequence: the playback mode (newer analyzers),
// a countdown of five seconds with the reset one second before its end,
// the charge-time mode ("F3") with "CHARGE AND SHOCK NOW", then "D" and
// "M" in turns until the shock is measured. A failure inside the sequence
// ends the run normally, measuring nothing; the pop-up goes when the run
// ends, also on failure. A loaded result goes into a fresh result of the
// base object only; the element takes it as its own at the next Perform.

#include "results/CResultChargeTime.h"
#include "settings/CConfigChargeTime.h"
#include "tests/CTestFrame.h"

namespace orvanRV1Xtst {

class CTestChargeTime final
    : public CTestClass<CTestChargeTime, CConfigChargeTime, CResultChargeTime> {
 public:
  explicit CTestChargeTime(Made);
  ~CTestChargeTime() override;

 protected:
  QStringList BuildInstructionSteps() override;
  void StartOfRun() override { WaitForRange(); }
  void RunMeasurement() override;
  RangeWait RangeWanted() override { return rangewait::High(false); }
  bool HasResultForGuide() override;
  void StartingRun() override;
  void EndingRun() override;
  void RunFailed() override;
  void FreshResultForLoad() override;

 private:
  void MeasureChargeTime();
  // Five seconds counted down on the pop-up; "R" goes out once the count
  // shows 1. Ends early on Stop.
  void ChargeCountdown();
  void ShowCountdown();
  void mfrmWaitTimer_Timer();

  rt::Integer miCountDown = 0;            // seconds still to count
  bool mfCountDownDone = false;           // the countdown has run out
  std::shared_ptr<FTimer> mfrmWaitTimer;  // only while a countdown runs
};

}  // namespace orvanRV1Xtst
