#include "tests/CTestAccuracy.h"

#include "orvanRV1Xvti/CRV1XVTi.h"
#include "runtime/ErrorHandling.h"
#include "tests/AnalyzerCommands.h"
#include "tests/FRV1XTestGuide.h"
#include "tests/InstructionSteps.h"
#include "tests/RunMessages.h"
#include "ui/MessageLoop.h"

namespace orvanRV1Xtst {

namespace {
const QList<rt::Integer> kSixSteps{1, 2, 3, 4, 5, 6};
// One past the six steps: the readings go on until Stop.
const QList<rt::Integer> kReadingStep{7};
constexpr rt::Long kReadingIntervalMs = 1000;
}  // namespace

CTestAccuracy::CTestAccuracy(Made)
    : CTestClass({.testID = 500,
                  .source = QStringLiteral("CTestAccuracy"),
                  .measurements = {{"RATE", "20072::Rate"},
                                   {"AMPL", "20070::Amplitude"},
                                   {"PWID", "20073::Pulse width"}},
                  .pacerWaitYields = true}) {}

QStringList CTestAccuracy::BuildInstructionSteps() {
  const CConfigAccuracy& config = com::must(TestConfig());
  const bool fixedLoad = config.LoadIndex() == 0;
  const bool noise = config.NoiseIndex() != 0;
  // Without noise the ECG is set to its maximum; with noise the pacer's
  // mode follows the load.
  const QString third = !noise      ? QStringLiteral("20085::3. Set ECG to maximum")
                        : fixedLoad ? QStringLiteral("20087::3. Set defib. pacer to Demand mode")
                                    : QStringLiteral("20086::3. Set defib. pacer to Fixed mode");
  return translatedSteps({
      {fixedLoad ? QStringLiteral("20081::1. Connect pacer to Input Fixed Load")
                 : QStringLiteral("20082::1. Connect pacer to Input Variable Load")},
      {noise ? QStringLiteral("20084::2. Connect ECG leads, set ECG to maximum")
             : QStringLiteral("20083::2. Connect ECG leads")},
      {third},
      {QStringLiteral("20088::4. Set pacer to %%1, %%2"), {config.RateText(), config.AmpText()}},
      {QStringLiteral("20089::5. Start pacer and press Play to start the test")},
      {QStringLiteral("20090::6. Press Stop to complete the test")},
  });
}

void CTestAccuracy::PrepareRun() {
  const CConfigAccuracy& config = com::must(TestConfig());
  loadCode_ = loadCommand(config);
  noiseCode_ = listCommand(config.NoiseCode(config.NoiseIndex()), QStringLiteral("Noise"),
                           config.NoiseText(), config.NoiseIndex());
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
  // A reading cut short by Stop may have brought nothing: only a value
  // counts as a result.
  const std::shared_ptr<CResultAccuracy> result = TestResult();
  guide.SetRunState(runstate::Idle, result && result->HasMeasuredValue());
  guide.SetStatusText(QString());
  guide.ShowResultStatus(Base().Result());
  guide.MarkSteps(kSixSteps);
}

void CTestAccuracy::RunMeasurement() {
  WaitForRange();
  if (mfStop) return;
  Send(loadCode_);
  Send(noiseCode_);
  WaitForPacer();
  CResultAccuracy& result = com::must(TestResult());
  // The readings taken before the analyzer failed are whole measurements:
  // they are kept and the result is finished with them, as after a Stop;
  // the link has told the operator of the failure.
  rt::onError([&] { TakeReadings(result); },
              [&](const rt::RuntimeError& error) {
                if (!result.HasMeasuredValue()) rt::passOn();
                mfStop = true;
                if (error.Number() != orvanRV1Xvti::eeVTI_Error) showRunError(error);
              });
}

void CTestAccuracy::TakeReadings(CResultAccuracy& result) {
  // Stop is looked at before each reading only: a Stop during the pause
  // still takes that reading.
  while (!mfStop) {
    Link().Wait(kReadingIntervalMs);
    const bool stoppedBefore = mfStop;
    const QString reply = Send(QStringLiteral("M"));
    // A Stop while the reply arrives cuts it off: what came is no reading,
    // and the one before stands.
    if (mfStop && !stoppedBefore) break;
    result.StoreResult(reply);
    UpdateResultStatus(result, false);
    Guide().ShowResult(OwnResult());
    Guide().MarkSteps(kReadingStep);
    Guide().SetStatusText(QStringLiteral("20292::Press 'Stop' to finish test"));
    ui::doEvents();
  }
}

RV1X_TEST_ELEMENT(CTestAccuracy)

}  // namespace orvanRV1Xtst
