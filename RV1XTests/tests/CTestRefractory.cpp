#include "tests/CTestRefractory.h"

namespace orvanRV1Xtst {

CTestRefractory::CTestRefractory(Made)
    : CTestClass({.testID = 400,
                  .source = QStringLiteral("RV1XTests.CTestRefractory"),
                  .measurements = {{"PACE", "20144::Paced Rp"}, {"SENS", "20145::Sensed Rp"}}}) {}

QStringList CTestRefractory::BuildInstructionSteps() {
  // The operator's six steps (connecting the pacer to its load, the ECG
  // leads, the pacer's rate) go here.
  return {};
}

void CTestRefractory::StartOfRun() {
  Send(QStringLiteral("R"));
}

void CTestRefractory::RunMeasurement() {
  WaitForRange();
  if (mfStop) return;
  // The load command goes here, before the pacer wait.
  WaitForPacer();
  if (mfStop) return;
  // The refractory measurement ("C", "D" polled until it is complete) and
  // the read-out of "M" into the result go here.
}

RV1X_TEST_ELEMENT(CTestRefractory)

}  // namespace orvanRV1Xtst
