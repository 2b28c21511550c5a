#include "tests/CTestChargeTime.h"

#include "tests/FRV1XTestGuide.h"

namespace orvanRV1Xtst {

namespace {
const QString kWaitPicture = QStringLiteral("TI:WAIT");
const QString kPleaseWait = QStringLiteral("20293::Please wait...");
}  // namespace

CTestChargeTime::CTestChargeTime(Made)
    : CTestClass({.testID = 100,
                  .source = QStringLiteral("RV1XTests.CTestChargeTime"),
                  .measurements = {{"ENGY", "20012::Energy"}, {"CHTI", "20011::Charge time"}}}) {}

QStringList CTestChargeTime::BuildInstructionSteps() {
  // The operator's steps (the preset energy, the High range, Play) go here.
  return {};
}

bool CTestChargeTime::HasResultForGuide() {
  const std::shared_ptr<CResultChargeTime> result = TestResult();
  return result && result->Status() != 0;
}

void CTestChargeTime::FreshResultForLoad() {
  auto result = std::make_shared<CResultChargeTime>();
  result->Initialize(Configuration());
  Base().SetResult(result);
}

void CTestChargeTime::StartingRun() {
  FRV1XTestGuide& guide = Guide();
  guide.SetStatusText(QStringLiteral("20291::Test in progress"));
  guide.SetRunState(runstate::Running, false);
  guide.ShowInstruction(kWaitPicture, kPleaseWait, false);
}

void CTestChargeTime::RunMeasurement() {
  // The range is High by now. The playback mode, the countdown with its
  // reset, "F3" and the polls for the measurement go here.
}

void CTestChargeTime::EndingRun() {
  FRV1XTestGuide& guide = Guide();
  guide.HideInstruction();
  guide.ShowResult(OwnResult());
  guide.SetStatusText(QString());
  guide.ShowResultStatus(OwnResult());
  guide.SetRunState(runstate::Idle, !mfStop);
}

void CTestChargeTime::RunFailed() {
  Guide().HideInstruction();
}

RV1X_TEST_ELEMENT(CTestChargeTime)

}  // namespace orvanRV1Xtst
