#pragma once
// The refractory-period test (test 400, "RV1XTests.CTestRefractory"): the
// sensed and the paced refractory period of a transcutaneous pacer, kept
// as "SENS" and "PACE". The frame as it stands; a run starts with "R",
// waits for the Pace range, puts the pacer on its load, waits for its
// pulses, has the analyzer measure ("C", then "D" until it is complete)
// and reads the two periods.

#include "results/CResultRefractory.h"
#include "settings/CConfigRefractory.h"
#include "tests/CTestFrame.h"

namespace orvanRV1Xtst {

class CTestRefractory final
    : public CTestClass<CTestRefractory, CConfigRefractory, CResultRefractory> {
 public:
  explicit CTestRefractory(Made);

 protected:
  QStringList BuildInstructionSteps() override;
  void PrepareRun() override;
  void StartOfRun() override;
  void RunMeasurement() override;
  RangeWait RangeWanted() override { return rangewait::Pace(); }

 private:
  QString loadCode_;  // of the run under way
};

}  // namespace orvanRV1Xtst
