#pragma once
// The editor of the charge-time test ("RV1XTests.XChargeTimeTestOptions"):
// the preset energy in joules, whether the analyzer replays the charge curve
// itself, and the guide settings.
//
// Controls, by name: fraTestSetup (lblTestGudeSettings, xtgTestGuideConfig),
// Frame1 (lblPresetEnergy, txtEnergy, chkAutoPlayback), xhtHelpText.
//
// The energy field shows the preset rounded to a whole number and " J"; an
// entry is stored as typed when it is a number of joules the test can ask
// for (kMinimumEnergy..kMaximumEnergy), anything else is refused when the
// operator leaves the field.

#include "editors/XConfigEditor.h"
#include "settings/CConfigChargeTime.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;

namespace orvanRV1Xtst {

class XChargeTimeTestOptions final : public XConfigEditor {
 public:
  XChargeTimeTestOptions();
  ~XChargeTimeTestOptions() override;

  void Initialize(const QVariant& Data) override;
  void SetFocus() override;

 private:
  void EnableInputs() override;
  void Layout() override;

  std::shared_ptr<CConfigChargeTime> config_;
  QGroupBox* fraTestSetup_ = nullptr;
  QGroupBox* Frame1_ = nullptr;
  QLabel* lblTestGudeSettings_ = nullptr;
  QLabel* lblPresetEnergy_ = nullptr;
  QLineEdit* txtEnergy_ = nullptr;
  QCheckBox* chkAutoPlayback_ = nullptr;
};

}  // namespace orvanRV1Xtst
