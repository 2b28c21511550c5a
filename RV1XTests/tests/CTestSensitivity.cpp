#include "tests/CTestSensitivity.h"

#include "orvanRV1Xvti/CRV1XVTi.h"
#include "tests/AnalyzerCommands.h"
#include "tests/FRV1XTestGuide.h"
#include "tests/InstructionSteps.h"
#include "ui/MessageLoop.h"

namespace orvanRV1Xtst {

namespace {
// The trigger wave follows the load a full second later.
constexpr rt::Long kLoadSettlesMs = 1000;
constexpr rt::Long kSensitivityPollMs = 300;
}  // namespace

CTestSensitivity::CTestSensitivity(Made)
    : CTestClass(
          {.testID = 300,
           .source = QStringLiteral("RV1XTests.CTestSensitivity"),
           .measurements = {{"PADS", "20146::Sensitivity pads"}, {"ECG", "20147::Sensitivity ECG"}},
           .pacerWaitYields = true}) {}

QStringList CTestSensitivity::BuildInstructionSteps() {
  const CConfigSensitivity& config = com::must(TestConfig());
  return translatedSteps({
      {config.LoadIndex() == 0 ? QStringLiteral("20031::1. Connect pacer to Input Fixed Load")
                               : QStringLiteral("20032::1. Connect pacer to Input Variable Load")},
      {QStringLiteral("20033::2. Connect ECG leads")},
      {QStringLiteral("20034::3. Set ECG to maximum")},
      {QStringLiteral("20035::4. Set pacer to demand mode")},
      {QStringLiteral("20036::5. Start pacer")},
      {QStringLiteral("20037::6. Press Play to start test")},
  });
}

void CTestSensitivity::PrepareRun() {
  const CConfigSensitivity& config = com::must(TestConfig());
  loadCode_ = settingCommand(
      config.LoadCode(config.LoadIndex()), QStringLiteral("Load"),
      QStringLiteral("\"%1\", position %2").arg(config.LoadText()).arg(config.LoadIndex()));
  triggerCode_ =
      settingCommand(config.TriggerCode(config.TriggerIndex()), QStringLiteral("Trigger wave"),
                     QStringLiteral("\"%1\", position %2")
                         .arg(config.TriggerWaveText())
                         .arg(config.TriggerIndex()));
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
  Send(loadCode_);
  Link().Wait(kLoadSettlesMs);
  Send(triggerCode_);
  WaitForPacer();
  if (mfStop) return;
  Send(QStringLiteral("S"));
  if (mfStop) return;
  const QString reply = PollSensitivity();
  if (mfStop) return;
  CResultSensitivity& result = com::must(TestResult());
  result.StoreResult(reply, com::must(TestConfig()).LoadIndex());
  UpdateResultStatus(result, false);
}

QString CTestSensitivity::PollSensitivity() {
  QString reply;
  do {
    ui::doEvents();
    Link().Wait(kSensitivityPollMs);
    reply.clear();
    reply = Send(QStringLiteral("M"));
    // A reply too short to reach the column reads 0: the poll goes on.
  } while (replyNumber(reply, 35, 6) == 0 && !mfStop);
  return reply;
}

RV1X_TEST_ELEMENT(CTestSensitivity)

}  // namespace orvanRV1Xtst
