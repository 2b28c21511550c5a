#pragma once
// The editor of the ECG sensitivity test ("RV1XTests.XSensitivityConfig"):
// the load the analyzer puts on the pacer output and the trigger wave it
// sends, each an entry of its list.
//
// Controls, by name: fraTestGuideSettings (lblTestGuideSettings,
// xtgTestGuideConfig), fraTestSetup (lblLoad, cboLoad, lblTrigger,
// cboTrigger), xhtHelpText.

#include "editors/XChoiceEditor.h"
#include "settings/CConfigSensitivity.h"

namespace orvanRV1Xtst {

class XSensitivityConfig final : public XChoiceEditor {
 public:
  XSensitivityConfig();
  ~XSensitivityConfig() override;

  void Initialize(const QVariant& Data) override;

 private:
  enum { LoadColumn, TriggerColumn };
  bool Bound() const override { return config_ != nullptr; }

  std::shared_ptr<CConfigSensitivity> config_;
};

}  // namespace orvanRV1Xtst
