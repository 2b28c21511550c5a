#include "tests/CTestPerformance.h"

#include "orvanRV1Xvti/CRV1XVTi.h"
#include "runtime/ErrorHandling.h"
#include "tests/FRV1XTestGuide.h"
#include "tests/FTimer.h"

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
  // The wave and amplitude codes (then mfCommandsSent), the run timer of
  // the configured duration (NewRunTimer with mfrmTimer_Timer) and the loop
  // until mfDone or mfStop go here.
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
