#include "tests/CTestAccuracy.h"

#include "tests/FRV1XTestGuide.h"

namespace orvanRV1Xtst {

namespace {
const QList<rt::Integer> kSixSteps{1, 2, 3, 4, 5, 6};
}

CTestAccuracy::CTestAccuracy(Made)
    : CTestClass({.testID = 500,
                  .source = QStringLiteral("CTestAccuracy"),
                  .measurements = {{"RATE", "20072::Rate"},
                                   {"AMPL", "20070::Amplitude"},
                                   {"PWID", "20073::Pulse width"}},
                  .pacerWaitYields = true}) {}

QStringList CTestAccuracy::BuildInstructionSteps() {
  // The operator's six steps (by load and noise) go here.
  return {};
}

void CTestAccuracy::FillGuide(bool hasResult) {
  CTestFrame::FillGuide(hasResult);
  Guide().MarkSteps(kSixSteps);
}

void CTestAccuracy::StartingRun() {
  Guide().SetRunState(runstate::Running, false);
  Guide().SetStatusText(QStringLiteral("20290::Test in progress, please wait..."));
}

void CTestAccuracy::EndingRun() {
  FRV1XTestGuide& guide = Guide();
  const std::shared_ptr<CResultAccuracy> result = TestResult();
  guide.SetRunState(runstate::Idle, result && result->ResultStored());
  guide.SetStatusText(QString());
  guide.ShowResultStatus(Base().Result());
  guide.MarkSteps(kSixSteps);
}

void CTestAccuracy::RunMeasurement() {
  WaitForRange();
  if (mfStop) return;
  // The load and noise codes go here.
  WaitForPacer();
  // The readings, one a second until Stop, go here.
}

RV1X_TEST_ELEMENT(CTestAccuracy)

}  // namespace orvanRV1Xtst
