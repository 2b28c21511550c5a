#include "tests/CTestSensitivity.h"

#include "tests/FRV1XTestGuide.h"

namespace orvanRV1Xtst {

CTestSensitivity::CTestSensitivity(Made)
    : CTestClass(
          {.testID = 300,
           .source = QStringLiteral("RV1XTests.CTestSensitivity"),
           .measurements = {{"PADS", "20146::Sensitivity pads"}, {"ECG", "20147::Sensitivity ECG"}},
           .pacerWaitYields = true}) {}

QStringList CTestSensitivity::BuildInstructionSteps() {
  // The operator's six steps go here.
  return {};
}

void CTestSensitivity::StartingRun() {
  Guide().SetStatusText(QStringLiteral("20290::Test in progress, please wait..."));
  Guide().SetRunState(runstate::Running, false);
}

void CTestSensitivity::EndingRun() {
  FRV1XTestGuide& guide = Guide();
  guide.ShowResult(OwnResult());
  guide.SetStatusText(QString());
  guide.ShowResultStatus(Base().Result());
  guide.SetRunState(runstate::Idle, !mfStop);
}

void CTestSensitivity::RunMeasurement() {
  WaitForRange();
  if (mfStop) return;
  // The load code, a second's pause and the trigger code go here.
  WaitForPacer();
  if (mfStop) return;
  // "S", the sensitivity poll and storing its reply go here.
}

RV1X_TEST_ELEMENT(CTestSensitivity)

}  // namespace orvanRV1Xtst
