#include "tests/CTestPerformance.h"

#include "orvanRV1Xvti/CRV1XVTi.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorHandling.h"
#include "tests/FRV1XTestGuide.h"
#include "tests/FTimer.h"
#include "ui/MessageLoop.h"

namespace orvanRV1Xtst {

CTestPerformance::CTestPerformance(Made)
    : CTestClass({.testID = 600,
                  .source = QStringLiteral("CTestPerformance"),
                  .limitsWithoutDialog = true}) {}

CTestPerformance::~CTestPerformance() {
  ReleaseRunTimer(mfrmTimer);
}

QStringList CTestPerformance::BuildInstructionSteps() {
  // The operator's steps go here.
  return {};
}

void CTestPerformance::FillGuide(bool hasResult) {
  mfItemClicked = false;
  CTestFrame::FillGuide(hasResult);
}

void CTestPerformance::StartingRun() {
  mfCommandsSent = false;
  FRV1XTestGuide& guide = Guide();
  guide.SetRunState(runstate::Running, false);
  guide.MarkSteps({5});
  guide.SetStatusText(QStringLiteral("20290::Test in progress, please wait..."));
}

void CTestPerformance::RunMeasurement() {
  mfDone = false;
  WaitForRange();
  if (mfStop) return;
  CConfigPerformance& config = com::must(TestConfig());
  const QString wave = config.ParameterCode(0);
  const QString amplitude = config.ParameterCode(1);
  Guide().MarkSteps({3, 5});
  Send(wave);
  Send(amplitude);
  Guide().MarkSteps({4, 5});
  mfCommandsSent = true;
  if (!mfStop) {
    // A duration of 0 plays until the operator ends it.
    const rt::Long interval = rt::toLong(static_cast<double>(config.Duration()) * 1000);
    mfrmTimer =
        NewRunTimer([](CTestFrame& e) { static_cast<CTestPerformance&>(e).mfrmTimer_Timer(); });
    mfrmTimer->StartTimer(interval);
  }
  while (!mfDone && !mfStop) ui::doEvents();
}

void CTestPerformance::EndingRun() {
  FRV1XTestGuide& guide = Guide();
  guide.SetRunState(runstate::Idle, mfItemClicked && mfCommandsSent);
  guide.MarkSteps({1, 2, 3, 4});
  // Finished after every run, and once more when the window closes.
  FinishResult(guide.GetGuideMtiData());
  guide.SetStatusText(QString());
  guide.ShowResultStatus(Base().Result());
}

void CTestPerformance::EndTimedRun() {
  ReleaseRunTimer(mfrmTimer);
  mfRunning = false;
  mfDone = true;
  mfStop = true;
  rt::ignoreErrors([&] {
    orvanRV1Xvti::CRV1XVTi& link = Link();
    if (link.State() != orvanRV1Xvti::evtiIdle) return;
    Send(QStringLiteral("E01"));
    Send(QStringLiteral("W01"));
  });
}

void CTestPerformance::mfrmTestGuide_StopTest() {
  if (mfRunning) EndTimedRun();
}

void CTestPerformance::mfrmTestGuide_AbortTest() {
  if (!mfStop) EndTimedRun();
  CTestFrame::mfrmTestGuide_AbortTest();
}

void CTestPerformance::mfrmTestGuide_ItemClicked(bool) {
  mfItemClicked = true;
  if (mfRunning) {
    mfrmTestGuide_StopTest();
  } else if (mfCommandsSent) {
    const std::shared_ptr<CResultPerformance> result = TestResult();
    com::must(result).UpdateStatus(Self(), false);
    MarkResultChanged();
    Guide().ShowResultStatus(result);
    Guide().SetButton103Enabled(true);
  }
}

RV1X_TEST_ELEMENT(CTestPerformance)

}  // namespace orvanRV1Xtst
