#pragma once
// The shock-advisory test (test 700, "RV1XTests.CTestShock"): for each
// step of its configuration the analyzer plays one ECG wave for the step's
// duration, or until the operator answers on its row, and the operator
// records whether the defibrillator advised a shock; each step passes when
// the answer is the advice it expects.
//
// Departures from the frame: its limit set has no dialog, it has no
// measurement list, its reports name the class "CTestShock" and Perform's
// own failures go to the error service; the window opens with steps 1 and
// 2 marked; Stop and Abort only ask the sequence to end (no command is cut
// short); an answer on the row being played moves on to the next step, and
// an answer given while no run goes on judges the result at once. After the
// steps, or a Stop, the analyzer's outputs are switched off. The result is
// finished once, when the window closes.

#include "results/CResultShock.h"
#include "settings/CConfigShock.h"
#include "tests/CTestFrame.h"

namespace orvanRV1Xtst {

class CTestShock final : public CTestClass<CTestShock, CConfigShock, CResultShock> {
 public:
  explicit CTestShock(Made);
  ~CTestShock() override;

 protected:
  QStringList BuildInstructionSteps() override;
  // Every step's rhythm has a command before the analyzer is touched.
  void PrepareRun() override;
  void StartOfRun() override;
  void RunMeasurement() override;
  RangeWait RangeWanted() override { return rangewait::NotPace(); }
  bool HasResultForGuide() override;
  void FillGuide(bool hasResult) override;
  void StartingRun() override;
  void EndingRun() override;
  void RunFailed() override { ReleaseRunTimer(mfrmTimer); }
  void mfrmTestGuide_StopTest() override { mfStop = true; }
  void mfrmTestGuide_ItemClicked(bool fCurrentItem) override;

 private:
  void mfrmTimer_Timer();

  std::shared_ptr<FTimer> mfrmTimer;  // lives for one run
  bool mfWaveformDone = false;        // the step's duration has passed
  bool mfNextWaveform = false;        // the operator answered the step being played
};

}  // namespace orvanRV1Xtst
