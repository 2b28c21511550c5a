#pragma once
// The editor of the refractory-period test ("RV1XTests.XRefractoryConfig"):
// the load the analyzer puts on the pacer output and the pacer rate, each an
// entry of its list (the load list is the one the sensitivity and
// pacer-accuracy editors show too).
//
// Controls, by name: fraTestGuideSettings (lblTestGuideSettings,
// xtgTestGuideConfig), fraTestSetup (lblLoad, cboLoad, lblRate, cboRate),
// xhtHelpText.

#include "editors/XChoiceEditor.h"
#include "settings/CConfigRefractory.h"

namespace orvanRV1Xtst {

class XRefractoryConfig final : public XChoiceEditor {
 public:
  XRefractoryConfig();
  ~XRefractoryConfig() override;

  void Initialize(const QVariant& Data) override;

 private:
  enum { LoadColumn, RateColumn };
  bool Bound() const override { return config_ != nullptr; }

  std::shared_ptr<CConfigRefractory> config_;
};

}  // namespace orvanRV1Xtst
