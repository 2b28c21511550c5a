#pragma once
// The editor of the pacer-accuracy test ("RV1XTests.XAccuracyConfig"): the
// load and the line-frequency noise the analyzer applies, and the pacer rate
// and amplitude the measured values are validated against, each an entry of
// its list. The noise list follows the load: its millivolts are those of the
// load chosen, and when the load changes the noise keeps its level and takes
// that level's text for the new load. The box shows the stored level (the
// analyzer applies the level, whatever text an older document kept).
//
// Controls, by name: fraTestGuideSettings (lblTestGuideSettings,
// xtgTestGuideConfig), fraTestSetup (lblLoad, cboLoad, lblNoise, cboNoise,
// lblRate, cboRate, lblAmp, cboAmplitude), xhtHelpText.

#include "editors/XChoiceEditor.h"
#include "settings/CConfigAccuracy.h"

namespace orvanRV1Xtst {

class XAccuracyConfig final : public XChoiceEditor {
 public:
  XAccuracyConfig();
  ~XAccuracyConfig() override;

  void Initialize(const QVariant& Data) override;

 private:
  enum { LoadColumn, NoiseColumn, RateColumn, AmplitudeColumn };
  bool Bound() const override { return config_ != nullptr; }
  void Layout() override;
  // Refills the noise list for a load-list position.
  void FillNoiseListForLoad(rt::Integer loadIndex);
  // Shows the stored noise level in the list of the stored load.
  void ShowNoise();
  // After a load change: the stored noise level's text for the new load.
  void FollowLoad();

  std::shared_ptr<CConfigAccuracy> config_;
};

}  // namespace orvanRV1Xtst
