#pragma once
// Settings of the pacer-accuracy test (test 500): the load on the pacer
// output and the line-frequency noise the analyzer adds, and the pacer rate
// and amplitude the operator sets (the presets of the result). Its indexes
// are stored as plain decimal digits.

#include "settings/SettingMembers.h"

namespace orvanRV1Xtst {

class CConfigAccuracy : public TabledConfig<CConfigAccuracy> {
 public:
  CConfigAccuracy();
  ~CConfigAccuracy() override;

  QString LoadText() const { return loadText_; }
  void SetLoadText(const QString& text) { loadText_ = text; }
  QString RateText() const { return rateText_; }
  void SetRateText(const QString& text) { rateText_ = text; }
  QString NoiseText() const { return noiseText_; }
  void SetNoiseText(const QString& text) { noiseText_ = text; }
  QString AmpText() const { return ampText_; }
  void SetAmpText(const QString& text) { ampText_ = text; }
  rt::Integer LoadIndex() const { return loadIndex_; }
  void SetLoadIndex(rt::Integer index) { loadIndex_ = index; }
  rt::Integer RateIndex() const { return rateIndex_; }
  void SetRateIndex(rt::Integer index) { rateIndex_ = index; }
  rt::Integer NoiseIndex() const { return noiseIndex_; }
  void SetNoiseIndex(rt::Integer index) { noiseIndex_ = index; }
  rt::Integer AmplitudeIndex() const { return amplitudeIndex_; }
  void SetAmplitudeIndex(rt::Integer index) { amplitudeIndex_ = index; }

  // "Q00".."Q26" for load-list positions 0..26, else "".
  QString LoadCode(rt::Integer index) const;
  // The noise command of a noise-list position (see the noise code table),
  // "" outside it.
  QString NoiseCode(rt::Integer index) const;

 private:
  friend TabledConfig;
  static const setting::Table<CConfigAccuracy>& Settings();

  // Their defaults are the table's.
  QString loadText_;
  QString rateText_;
  QString noiseText_;
  QString ampText_;
  rt::Integer loadIndex_{};
  rt::Integer rateIndex_{};
  rt::Integer noiseIndex_{};
  rt::Integer amplitudeIndex_{};
};

}  // namespace orvanRV1Xtst
