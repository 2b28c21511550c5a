#pragma once
// The sensitivity test (test 300, "RV1XTests.CTestSensitivity"): the
// sensitivity of a pacer in demand mode, kept as "PADS" and "ECG". A run
// waits for the Pace range, sets the load and, a second later, the trigger
// wave, waits for the pacer's pulses, starts the measurement ("S") and
// polls "M" until the sensitivity is there. It shows its status text
// before the run state and marks no steps; its pacer wait lets window
// messages run in every pass.

#include "results/CResultSensitivity.h"
#include "settings/CConfigSensitivity.h"
#include "tests/CTestFrame.h"

namespace orvanRV1Xtst {

class CTestSensitivity final
    : public CTestClass<CTestSensitivity, CConfigSensitivity, CResultSensitivity> {
 public:
  explicit CTestSensitivity(Made);

 protected:
  QStringList BuildInstructionSteps() override;
  void PrepareRun() override;
  void RunMeasurement() override;
  RangeWait RangeWanted() override { return rangewait::Pace(); }
  void StartingRun() override;
  void EndingRun() override;

 private:
  // "M" every 300 ms until the sensitivity column holds a value, or Stop;
  // the last reply.
  QString PollSensitivity();

  QString loadCode_;  // of the run under way
  QString triggerCode_;
};

}  // namespace orvanRV1Xtst
