#pragma once
// The discharge test (test 200, "RV1XTests.CTestDischarge"): one discharge
// of the defibrillator into the analyzer (energy, delay, peak current and
// voltage as "ENGY", "DELY", "PEKI", "PEKU") and, when the configuration
// asks for it, the discharge curve.
//
// The range it needs depends on the energy the operator is told to set
// (the preset energy, rounded to whole joules) and the threshold the
// plug-in keeps in the registry ("RangeThreshold", read once for every
// Perform while the steps are built): High above the threshold, else Low.
// The step the operator reads and the range the run waits for are the same.
//
// A run waits for that range, resets the analyzer ("R", also after a
// Stop), sets the ECG wave and amplitude and the playback mode (newer
// analyzers), asks for the shock and polls "D" and "M" until it is
// measured, then reads the curve ("P") when the configuration asks for it.
// A curve that cannot be read is reported; the measurement stays and is
// finished like any other.
//
// Its window shows a stored curve as soon as it opens; its run shows
// "Please wait..." from the start and hides the pop-up when it ends, also
// on failure; Abort clears the waveform panel.

#include "results/CResultDischarge.h"
#include "settings/CConfigDischarge.h"
#include "tests/CTestFrame.h"

namespace orvanRV1Xtst {

class CTestDischarge final : public CTestClass<CTestDischarge, CConfigDischarge, CResultDischarge> {
 public:
  explicit CTestDischarge(Made);

  // The threshold as last read (0 until one was).
  rt::Long RangeThreshold() const { return mlRangeThreshold; }

 protected:
  QStringList BuildInstructionSteps() override;
  void PrepareRun() override;
  void RunMeasurement() override;
  RangeWait RangeWanted() override;
  void FillGuide(bool hasResult) override;
  void StartingRun() override;
  void EndingRun() override;
  void RunFailed() override;
  void mfrmTestGuide_AbortTest() override;

 private:
  // Reads "RangeThreshold"; a value that cannot be read keeps the last one.
  void ReadRangeThreshold();
  // The energy the operator sets: the preset, rounded to whole joules.
  double RoundedEnergy();
  bool NeedsHighRange() { return RoundedEnergy() > mlRangeThreshold; }
  // "P" into the result's curve, which the guide then shows. A failure is
  // reported and leaves the result without a curve.
  void FetchWaveform(CResultDischarge& result, const QString& range);

  rt::Long mlRangeThreshold = 0;
  QString waveCode_;  // of the run under way
  QString amplitudeCode_;
};

}  // namespace orvanRV1Xtst
