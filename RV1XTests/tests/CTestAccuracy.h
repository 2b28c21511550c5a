#pragma once
// The pacer-accuracy test (test 500, "RV1XTests.CTestAccuracy"): rate,
// amplitude and width of a pacer's pulses, read once a second until the
// operator stops. Its window opens with all six steps marked; its run marks
// none until it ends, and ends idle with a result once a reading was
// stored. Its reports name the class "CTestAccuracy".

#include "results/CResultAccuracy.h"
#include "settings/CConfigAccuracy.h"
#include "tests/CTestFrame.h"

namespace orvanRV1Xtst {

class CTestAccuracy final : public CTestClass<CTestAccuracy, CConfigAccuracy, CResultAccuracy> {
 public:
  explicit CTestAccuracy(Made);

 protected:
  QStringList BuildInstructionSteps() override;
  void RunMeasurement() override;
  RangeWait RangeWanted() override { return rangewait::Pace(); }
  void FillGuide(bool hasResult) override;
  void StartingRun() override;
  void EndingRun() override;
};

}  // namespace orvanRV1Xtst
