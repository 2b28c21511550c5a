#pragma once
// The discharge test (test 200, "RV1XTests.CTestDischarge"): one discharge
// of the defibrillator into the analyzer (energy, delay, peak current and
// voltage as "ENGY", "DELY", "PEKI", "PEKU") and, when the configuration
// asks for it, the discharge curve.
//
// The range it needs depends on the preset energy and the threshold the
// plug-in keeps in the registry ("RangeThreshold", read once for every
// Perform while the steps are built): High above the threshold, else Low.
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

  rt::Long mlRangeThreshold = 0;
};

}  // namespace orvanRV1Xtst
