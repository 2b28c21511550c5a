#pragma once
// Settings of the discharge test (test 200): the energy expected, the ECG
// wave and amplitude the analyzer plays into the defibrillator while the
// test runs, and three switches for the discharge waveform.
//
// The amplitude step is kept as a single-precision number because a stored
// document may hold any number there; reading it rounds to the nearest step
// (halves to even) and overflows (error 6) beyond the 16-bit range.

#include "settings/SettingMembers.h"

namespace orvanRV1Xtst {

class CConfigDischarge : public TabledConfig<CConfigDischarge> {
 public:
  CConfigDischarge();
  ~CConfigDischarge() override;

  rt::Single PresetEnergy() const { return presetEnergy_; }
  void SetPresetEnergy(rt::Single joules) { presetEnergy_ = joules; }
  // Steps 1..4 of 0.5 mV.
  rt::Integer AmplitudeIndex() const;
  void SetAmplitudeIndex(rt::Integer step) { amplitudeStep_ = step; }
  QString AmplitudeText() const { return amplitudeText_; }
  void SetAmplitudeText(const QString& text) { amplitudeText_ = text; }
  rt::Long WaveFormIndex() const { return waveFormIndex_; }
  void SetWaveFormIndex(rt::Long index) { waveFormIndex_ = index; }
  // The name of the wave last turned into a code, or the stored one.
  QString WavetypeText() const { return wavetypeText_; }
  bool FetchWaveform() const { return fetchWaveform_; }
  void SetFetchWaveform(bool on) { fetchWaveform_ = on; }
  bool PrintWaveform() const { return printWaveform_; }
  void SetPrintWaveform(bool on) { printWaveform_ = on; }
  bool AutoPlayback() const { return autoPlayback_; }
  void SetAutoPlayback(bool on) { autoPlayback_ = on; }

  // The wave's command ("E01".."E20") for wave-list positions 0..19, and
  // its name into WavetypeText; "" and no change outside the list.
  QString WaveCode(rt::Integer index);
  // "A4", "A3", "A2", "A1" for steps 1..4, else "".
  QString AmplitudeCode(rt::Integer step) const;

 private:
  friend TabledConfig;
  static const setting::Table<CConfigDischarge>& Settings();

  // Their defaults are the table's.
  rt::Single presetEnergy_{};
  rt::Single amplitudeStep_{};
  QString amplitudeText_;
  rt::Long waveFormIndex_{};
  QString wavetypeText_;
  bool fetchWaveform_{};
  bool printWaveform_{};
  bool autoPlayback_{};
};

}  // namespace orvanRV1Xtst
