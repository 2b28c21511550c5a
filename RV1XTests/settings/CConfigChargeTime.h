#pragma once
// Settings of the charge-time test (test 100): the energy the defibrillator
// is charged to and whether the analyzer replays the charge. It prints no
// table.

#include "settings/CConfigBase.h"

namespace orvanRV1Xtst {

class CConfigChargeTime : public ConfigClass<CConfigChargeTime> {
 public:
  CConfigChargeTime();
  ~CConfigChargeTime() override;

  rt::Single PresetEnergy() const { return presetEnergy_; }
  void SetPresetEnergy(rt::Single joules) { presetEnergy_ = joules; }
  bool AutoPlayback() const { return autoPlayback_; }
  void SetAutoPlayback(bool on) { autoPlayback_ = on; }

  void CopyFrom(const std::shared_ptr<CConfigChargeTime>& source);

 protected:
  bool LoadSettings(host::XmlElement& element, const host::HostLogPtr& log) override;
  void SaveSettings(host::XmlElement& element, const host::XmlDocumentPtr& document) override;

 private:
  rt::Single presetEnergy_ = 360;
  bool autoPlayback_ = false;
};

}  // namespace orvanRV1Xtst
