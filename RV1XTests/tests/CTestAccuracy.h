#pragma once
// The pacer-accuracy test (test 500, "RV1XTests.CTestAccuracy"): rate,
// amplitude and width of a pacer's pulses. A run waits for the Pace range,
// sets the load and the noise, waits for the pacer's pulses and then reads
// "M" once a second, judging each reading at once, until the operator
// stops. Its window opens with all six steps marked; its run marks none
// until it ends, and ends idle with a result once a reading held a value.
// An analyzer that fails after a reading ends the run as a Stop would: the
// readings are kept and finished.
// Its reports name the class "CTestAccuracy".

#include "results/CResultAccuracy.h"
#include "settings/CConfigAccuracy.h"
#include "tests/CTestFrame.h"

namespace orvanRV1Xtst {

class CTestAccuracy final : public CTestClass<CTestAccuracy, CConfigAccuracy, CResultAccuracy> {
 public:
  explicit CTestAccuracy(Made);

 protected:
  QStringList BuildInstructionSteps() override;
  void PrepareRun() override;
  void RunMeasurement() override;
  RangeWait RangeWanted() override { return rangewait::Pace(); }
  void FillGuide(bool hasResult) override;
  void StartingRun() override;
  void EndingRun() override;

 private:
  void TakeReadings(CResultAccuracy& result);

  QString loadCode_;  // of the run under way
  QString noiseCode_;
};

}  // namespace orvanRV1Xtst
