#pragma once
// The sensitivity test (test 300, "RV1XTests.CTestSensitivity"): the
// sensitivity of a pacer in demand mode, kept as "PADS" and "ECG". Its run
// shows its status text before the run state and marks no steps; its
// pacer wait lets window messages run in every pass.

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
  void RunMeasurement() override;
  RangeWait RangeWanted() override { return rangewait::Pace(); }
  void StartingRun() override;
  void EndingRun() override;
};

}  // namespace orvanRV1Xtst
