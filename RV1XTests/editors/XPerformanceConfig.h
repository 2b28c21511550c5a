#pragma once
// The editor of the ECG-performance test ("RV1XTests.XPerformanceConfig"):
// the one wave the analyzer simulates, chosen in three lists (sinus rates,
// arrhythmias, performance waves; the group box shows one list at a time),
// its amplitude, and how long it is played (1 to 60 seconds, or until the
// operator ends it).
//
// Exactly one wave of the three lists is ticked once the operator has ticked
// one: the wave Wavetype holds. The amplitude is one of the analyzer's
// 0.5, 1, 1.5 or 2 mV, set with the slider or typed ("1.5 mV"); the
// duration is a whole number of seconds, set with the slider or typed
// ("7 s"); other entries are refused. Indefinite stores 0 and puts the
// duration controls out of use.
//
// Locked keeps every input from changing the configuration: the lists, the
// sliders and the Indefinite box are disabled, the group box and both text
// boxes are read-only (still focusable).
//
// Controls, by name: fraTestGuideSettings (lblTestGuideSettings,
// xtgTestGuideConfig), fraWaveforms (lblWaveform, cboWaveType, lstWave0,
// lstWave1, lstWave2), fraTestSetup (lblAmp, txtAmpSlider, sldAmpSlider,
// lblDuration, chkIndefiniteDuration, txtTimeSlider, sldTimeSlider),
// xhtHelpText.

#include <array>

#include "editors/XConfigEditor.h"
#include "settings/CConfigPerformance.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;

namespace controls {
class CheckListBox;
class DropDownList;
class Slider;
}  // namespace controls

namespace orvanRV1Xtst {

class XPerformanceConfig final : public XConfigEditor {
 public:
  XPerformanceConfig();
  ~XPerformanceConfig() override;

  // Data that is no performance configuration raises error 13.
  void Initialize(const QVariant& Data) override;
  void SetFocus() override;

 private:
  static constexpr int kGroups = 3;

  void EnableInputs() override;
  void FillWaveLists();
  void SetAllListItems(controls::CheckListBox& list, bool ticked);
  void ShowWaveList(int group);
  void SelectWaveCode(rt::Long code);
  void CheckOnlyItem(controls::CheckListBox& list, int item);
  void WaveTicked(int group, int item);
  void StoreAmplitude(double millivolts);
  void StoreDuration(rt::Long seconds);
  void IndefiniteClicked(bool ticked);
  void Layout() override;

  std::shared_ptr<CConfigPerformance> config_;
  QGroupBox* fraTestGuideSettings_ = nullptr;
  QGroupBox* fraWaveforms_ = nullptr;
  QGroupBox* fraTestSetup_ = nullptr;
  QLabel* lblTestGuideSettings_ = nullptr;
  controls::DropDownList* cboWaveType_ = nullptr;
  std::array<controls::CheckListBox*, kGroups> lstWave_{};
  QLineEdit* txtAmpSlider_ = nullptr;
  controls::Slider* sldAmpSlider_ = nullptr;
  QCheckBox* chkIndefiniteDuration_ = nullptr;
  QLineEdit* txtTimeSlider_ = nullptr;
  controls::Slider* sldTimeSlider_ = nullptr;
};

}  // namespace orvanRV1Xtst
