#pragma once
// The ECG-performance test (test 600, "RV1XTests.CTestPerformance"): the
// analyzer plays the configured ECG wave into the monitor under test for
// the configured duration, or until the operator stops it, judges it in
// the result view or aborts; the operator's verdict is the result "PERF".
//
// A run waits for a range other than Pace, sends the wave and amplitude
// codes and lets the wave play. Departures from the frame: its limit set
// has no dialog, it has no measurement list, its reports name the class
// "CTestPerformance"; Stop, Abort and a verdict during the run end the
// timed run (EndTimedRun) instead of aborting the analyzer's command, and
// the analyzer's outputs are switched off then, or as soon as the command
// under way is over; the run finishes its result itself when it ends; a
// verdict given after a run whose commands went out judges the result at
// once. A verdict on a run that never sent its wave (stopped while the
// range was wrong, failed) does not count, and the view's mark of it is
// taken back.

#include "results/CResultPerformance.h"
#include "settings/CConfigPerformance.h"
#include "tests/CTestFrame.h"

namespace orvanRV1Xtst {

class CTestPerformance final
    : public CTestClass<CTestPerformance, CConfigPerformance, CResultPerformance> {
 public:
  explicit CTestPerformance(Made);
  ~CTestPerformance() override;

 protected:
  QStringList BuildInstructionSteps() override;
  void PrepareRun() override;
  void RunMeasurement() override;
  RangeWait RangeWanted() override { return rangewait::NotPace(); }
  void FillGuide(bool hasResult) override;
  void StartingRun() override;
  void EndingRun() override;
  void mfrmTestGuide_StopTest() override;
  void mfrmTestGuide_AbortTest() override;
  void mfrmTestGuide_ItemClicked(bool fCurrentItem) override;
  // A verdict counts only on a wave the analyzer was told to play.
  bool ResultMeasured() override { return mfCommandsSent && CTestFrame::ResultMeasured(); }

 private:
  void PlayWave();
  // Ends the wave: the timer goes, the run loop ends, and the analyzer's
  // outputs are switched off, at once when no command is under way.
  void EndTimedRun();
  void mfrmTimer_Timer() { EndTimedRun(); }
  void SwitchOutputsOffWhenFree();
  // The wave of a run plays (or is about to): the run has not ended it yet.
  bool Playing() const { return mfRunning && !mfStop; }

  std::shared_ptr<FTimer> mfrmTimer;
  QString waveCode_;  // of the run under way
  QString amplitudeCode_;
  bool mfDone = false;          // the timed run is over
  bool mfOutputsOwed = false;   // the wave ended while a command was under way
  bool mfItemClicked = false;   // a verdict since the window opened
  bool mfCommandsSent = false;  // this run sent its wave and amplitude
};

}  // namespace orvanRV1Xtst
