#pragma once
// The editor of the discharge test ("RV1XTests.XDischargeConfig"): the
// preset energy, the ECG wave the analyzer plays and its amplitude, and the
// switches for the discharge waveform (fetch it, print it, replay the curve
// automatically). Printing needs the waveform fetched: the print box is
// offered only while the fetch box is ticked, and clearing fetch clears
// print; while fetch is off the print box shows cleared, whatever an older
// document stored (which opening the editor does not rewrite).
//
// The amplitude slider (steps 1..4 of 0.5 mV) stores its step and the
// step's text ("0,5 mV" .. "2,0 mV") whenever the operator has set it: when
// the mouse lets go of it and after each key that moved it. While the thumb
// is dragged, the label beside it follows the thumb. The label shows the
// amplitude one way throughout, in the user's locale ("1.5 mV" in English).
//
// Controls, by name: fraTestGuideSettings (lblTestGuideSettings,
// xtgTestGuideConfig), fraTestSetup (lblPresetEnergy, txtEnergy, lblECGAmp,
// sldAmplitude, lblAmplitude), fraECGWave (lblECGWave, cboECGWave,
// chkAutoPlayback, chkFetchWaveform, chkPrintWaveform), xhtHelpText.

#include "editors/XConfigEditor.h"
#include "settings/CConfigDischarge.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;

namespace controls {
class DropDownList;
class Slider;
}  // namespace controls

namespace orvanRV1Xtst {

class XDischargeConfig final : public XConfigEditor {
 public:
  XDischargeConfig();
  ~XDischargeConfig() override;

  void Initialize(const QVariant& Data) override;
  void SetFocus() override;

 private:
  void EnableInputs() override;
  void FillEcgWaveList();
  void WaveChosen();
  void AmplitudeSet();
  // The switch of a check box, written when the operator changed it.
  void SwitchClicked(QCheckBox* box, bool ticked);
  void ShowPrintWaveform();
  void Layout() override;

  std::shared_ptr<CConfigDischarge> config_;
  QGroupBox* fraTestGuideSettings_ = nullptr;
  QGroupBox* fraTestSetup_ = nullptr;
  QGroupBox* fraECGWave_ = nullptr;
  QLabel* lblTestGuideSettings_ = nullptr;
  QLabel* lblECGWave_ = nullptr;
  QLabel* lblAmplitude_ = nullptr;
  QLineEdit* txtEnergy_ = nullptr;
  controls::Slider* sldAmplitude_ = nullptr;
  controls::DropDownList* cboECGWave_ = nullptr;
  QCheckBox* chkAutoPlayback_ = nullptr;
  QCheckBox* chkFetchWaveform_ = nullptr;
  QCheckBox* chkPrintWaveform_ = nullptr;
};

}  // namespace orvanRV1Xtst
