#pragma once
// Settings of the defibrillator-monitor performance test (test 600): the
// wave the analyzer plays, its amplitude and for how long. Documents written
// by this release carry a "Version" child; a document without one is in the
// older layout, which stored the wave, amplitude and duration as list
// positions. It prints no table.

#include "settings/SettingMembers.h"

namespace orvanRV1Xtst {

class CConfigPerformance : public TabledConfig<CConfigPerformance> {
 public:
  // The two analyzer commands, in the order the test sends them.
  enum ParameterKind : rt::Long { WaveParameter = 0, AmplitudeParameter = 1 };

  CConfigPerformance();
  ~CConfigPerformance() override;

  rt::Single Amplitude() const { return amplitude_; }
  void SetAmplitude(rt::Single millivolts) { amplitude_ = millivolts; }
  // (list + 1) x 100 + position in the list.
  rt::Long Wavetype() const { return wavetype_; }
  void SetWavetype(rt::Long code) { wavetype_ = code; }
  // Seconds; 0 leaves the end of the run to the operator.
  rt::Long Duration() const { return duration_; }
  void SetDuration(rt::Long seconds) { duration_ = seconds; }

  // The wave command (kind 0) or the amplitude command (kind 1) of the
  // settings; "" for another kind or a setting outside its table.
  QString ParameterCode(rt::Long kind) const;

 protected:
  // The current layout through the table, after the version; the older
  // layout by its own rules.
  bool LoadSettings(host::XmlElement& element, const host::HostLogPtr& log) override;
  void SaveSettings(host::XmlElement& element, const host::XmlDocumentPtr& document) override;

 private:
  friend TabledConfig;
  static const setting::Table<CConfigPerformance>& Settings();
  void LoadOlderLayout(host::XmlElement& element);

  // Their defaults are the table's.
  rt::Single amplitude_{};
  rt::Long wavetype_{};
  rt::Long duration_{};
};

}  // namespace orvanRV1Xtst
