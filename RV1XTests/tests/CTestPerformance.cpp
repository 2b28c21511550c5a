#include "tests/CTestPerformance.h"

#include "orvanRV1Xvti/CRV1XVTi.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorHandling.h"
#include "tests/AnalyzerCommands.h"
#include "tests/FRV1XTestGuide.h"
#include "tests/FTimer.h"
#include "tests/InstructionSteps.h"
#include "ui/MessageLoop.h"

namespace orvanRV1Xtst {

CTestPerformance::CTestPerformance(Made)
    : CTestClass({.testID = 600,
                  .source = QStringLiteral("CTestPerformance"),
                  .limitsWithoutDialog = true,
                  .resultView = QStringLiteral("RV1XTests.XPerformanceResult")}) {}

CTestPerformance::~CTestPerformance() {
  ReleaseRunTimer(mfrmTimer);
}

QStringList CTestPerformance::BuildInstructionSteps() {
  return translatedSteps({
      {QStringLiteral("20100::1. Set the Range to Low or High")},
      {QStringLiteral("20101::2. Press 'Play' to start the performance test")},
      {QStringLiteral("20102::3. Sending commands to MTI....")},
      {QStringLiteral("20103::4. Simulating wave on defib. monitor")},
      {QStringLiteral("20104::5. Press 'Stop' to cancel test ")},
      {},
  });
}

void CTestPerformance::PrepareRun() {
  const CConfigPerformance& config = com::must(TestConfig());
  waveCode_ =
      settingCommand(config.ParameterCode(CConfigPerformance::WaveParameter),
                     QStringLiteral("Wave"), QStringLiteral("wave code %1").arg(config.Wavetype()));
  amplitudeCode_ = settingCommand(config.ParameterCode(CConfigPerformance::AmplitudeParameter),
                                  QStringLiteral("Amplitude"),
                                  QStringLiteral("%1 mV").arg(rt::cstr(config.Amplitude())));
}

void CTestPerformance::FillGuide(bool hasResult) {
  mfItemClicked = false;
  CTestFrame::FillGuide(hasResult);
}

void CTestPerformance::StartingRun() {
  mfCommandsSent = false;
  mfOutputsOwed = false;
  FRV1XTestGuide& guide = Guide();
  guide.SetRunState(runstate::Running, false);
  guide.MarkSteps({5});
  guide.SetStatusText(QStringLiteral("20290::Test in progress, please wait..."));
}

void CTestPerformance::RunMeasurement() {
  PlayWave();
  // The end of the wave may have come while a command was under way.
  SwitchOutputsOffWhenFree();
}

void CTestPerformance::PlayWave() {
  mfDone = false;
  WaitForRange();
  if (mfStop) return;
  const CConfigPerformance& config = com::must(TestConfig());
  Guide().MarkSteps({3, 5});
  Send(waveCode_);
  Send(amplitudeCode_);
  Guide().MarkSteps({4, 5});
  mfCommandsSent = true;
  if (!mfStop) {
    // A duration of 0 plays until the operator ends it.
    const rt::Long interval = rt::toLong(static_cast<double>(config.Duration()) * 1000);
    mfrmTimer =
        NewRunTimer([](CTestFrame& e) { static_cast<CTestPerformance&>(e).mfrmTimer_Timer(); });
    mfrmTimer->StartTimer(interval);
  }
  while (!mfDone && !mfStop) ui::waitForEvents();
}

void CTestPerformance::EndingRun() {
  FRV1XTestGuide& guide = Guide();
  guide.SetRunState(runstate::Idle, mfItemClicked && mfCommandsSent);
  guide.MarkSteps({1, 2, 3, 4});
  // Finished after every run; finishing it again when the window closes
  // changes nothing unless the verdict changed.
  FinishResult(guide.GetGuideMtiData());
  guide.SetStatusText(QString());
  guide.ShowResultStatus(Base().Result());
}

void CTestPerformance::EndTimedRun() {
  ReleaseRunTimer(mfrmTimer);
  // The run itself goes on until the link is closed: it stays running, so
  // that a Play meanwhile cannot start another run on the closing link.
  mfDone = true;
  mfStop = true;
  mfOutputsOwed = true;
  SwitchOutputsOffWhenFree();
}

void CTestPerformance::SwitchOutputsOffWhenFree() {
  rt::ignoreErrors([&] {
    if (!mfOutputsOwed || Link().State() != orvanRV1Xvti::evtiIdle) return;
    mfOutputsOwed = false;
    switchOutputsOff([this](const QString& command) { return Send(command); });
  });
}

void CTestPerformance::mfrmTestGuide_StopTest() {
  if (Playing()) EndTimedRun();
}

void CTestPerformance::mfrmTestGuide_AbortTest() {
  if (!mfStop) EndTimedRun();
  CTestFrame::mfrmTestGuide_AbortTest();
}

void CTestPerformance::mfrmTestGuide_ItemClicked(bool) {
  mfItemClicked = true;
  if (Playing()) {
    mfrmTestGuide_StopTest();
  } else if (!mfRunning && mfCommandsSent) {
    // (While the link closes, the end of the run takes the verdict.)
    const std::shared_ptr<CResultPerformance> result = TestResult();
    com::must(result).UpdateStatus(Self(), false);
    MarkResultChanged();
    Guide().ShowResultStatus(result);
    Guide().SetButton103Enabled(true);
  }
  // No wave was sent to be judged (the range was wrong, or no run came
  // yet): the view's mark is taken back, so that no measurement reads
  // "passed" in a result nobody judged.
  if (!mfCommandsSent) {
    if (const std::shared_ptr<CResultPerformance> result = TestResult()) {
      result->WithdrawMarks();
      Guide().ShowResult(result);
    }
  }
}

RV1X_TEST_ELEMENT(CTestPerformance)

}  // namespace orvanRV1Xtst
