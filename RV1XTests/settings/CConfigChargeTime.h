#pragma once
// Settings of the charge-time test (test 100): the energy the defibrillator
// is charged to and whether the analyzer replays the charge. It prints no
// table.

#include "settings/SettingMembers.h"

namespace orvanRV1Xtst {

class CConfigChargeTime : public TabledConfig<CConfigChargeTime> {
 public:
  CConfigChargeTime();
  ~CConfigChargeTime() override;

  rt::Single PresetEnergy() const { return presetEnergy_; }
  void SetPresetEnergy(rt::Single joules) { presetEnergy_ = joules; }
  bool AutoPlayback() const { return autoPlayback_; }
  void SetAutoPlayback(bool on) { autoPlayback_ = on; }

 private:
  friend TabledConfig;
  static const setting::Table<CConfigChargeTime>& Settings();

  // Their defaults are the table's.
  rt::Single presetEnergy_{};
  bool autoPlayback_{};
};

}  // namespace orvanRV1Xtst
