#pragma once
// The charge-time test (test 100, "RV1XTests.CTestChargeTime"): how long
// the defibrillator takes to charge to its preset energy, and the energy
// of the shock, kept as "CHTI" and "ENGY".
//
// Its run shows "Please wait..." from the start, waits for the High range
// before its command sequence (the range prompt stays until the next
// pop-up replaces it) and hides the pop-up when it ends, also on failure.
// A loaded result goes into a fresh result of the base object only; the
// element takes it as its own at the next Perform.

#include "results/CResultChargeTime.h"
#include "settings/CConfigChargeTime.h"
#include "tests/CTestFrame.h"

namespace orvanRV1Xtst {

class CTestChargeTime final
    : public CTestClass<CTestChargeTime, CConfigChargeTime, CResultChargeTime> {
 public:
  explicit CTestChargeTime(Made);

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
};

}  // namespace orvanRV1Xtst
