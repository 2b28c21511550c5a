#include "tests/CTestRefractory.h"

#include "orvanRV1Xvti/CRV1XVTi.h"
#include "tests/AnalyzerCommands.h"
#include "tests/InstructionSteps.h"
#include "tests/RunMessages.h"
#include "ui/MessageLoop.h"

namespace orvanRV1Xtst {

namespace {
constexpr rt::Long kCompletionPollMs = 300;
}

CTestRefractory::CTestRefractory(Made)
    : CTestClass({.testID = 400,
                  .source = QStringLiteral("RV1XTests.CTestRefractory"),
                  .measurements = {{"PACE", "20144::Paced Rp"}, {"SENS", "20145::Sensed Rp"}}}) {}

QStringList CTestRefractory::BuildInstructionSteps() {
  const CConfigRefractory& config = com::must(TestConfig());
  return translatedSteps({
      {config.LoadIndex() == 0 ? QStringLiteral("20054::1. Connect pacer to Input Fixed Load")
                               : QStringLiteral("20055::1. Connect pacer to Input Variable Load")},
      {QStringLiteral("20056::2. Connect ECG leads")},
      {QStringLiteral("20057::3. Set ECG to maximum")},
      {QStringLiteral("20058::4. Set pacer rate to %%1"), {config.RateText()}},
      {QStringLiteral("20059::5. Start pacer")},
      {QStringLiteral("20060::6. Press Play to start test, Stop to end test")},
  });
}

void CTestRefractory::PrepareRun() {
  const CConfigRefractory& config = com::must(TestConfig());
  loadCode_ = loadCommand(config);
}

void CTestRefractory::StartOfRun() {
  Send(QStringLiteral("R"));
}

void CTestRefractory::RunMeasurement() {
  WaitForRange();
  if (mfStop) return;
  Send(loadCode_);
  WaitForPacer();
  if (mfStop) return;
  Send(QStringLiteral("C"));
  Send(QStringLiteral("D"));
  // The analyzer reports the measurement complete with a digit other than
  // 0; a reply that starts with no digit ends the run.
  for (;;) {
    ui::doEvents();
    Link().Wait(kCompletionPollMs);
    const QString reply = Send(QStringLiteral("D"));
    if (mfStop) return;
    if (replyInteger(reply, 1, 1) != 0) break;
  }
  const QString reply = Send(QStringLiteral("M"));
  // A Stop while the reply arrives cuts it off: what came is no reading.
  if (mfStop) return;
  // Kept only when a period of either kind was measured.
  if (!CResultRefractory::HoldsAPeriod(reply)) return;
  CResultRefractory& result = com::must(TestResult());
  result.StoreResult(reply);
  UpdateResultStatus(result, false);
}

RV1X_TEST_ELEMENT(CTestRefractory)

}  // namespace orvanRV1Xtst
