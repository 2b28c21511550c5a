#pragma once
// Settings of the pacer-accuracy test (test 500): the load on the pacer
// output and the line-frequency noise the analyzer adds, and the pacer rate
// and amplitude the operator sets (the presets of the result). Its indexes
// are stored as plain decimal digits.

#include "settings/CConfigBase.h"

namespace orvanRV1Xtst {

class CConfigAccuracy : public ConfigClass<CConfigAccuracy> {
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

  void CopyFrom(const std::shared_ptr<CConfigAccuracy>& source);

 protected:
  bool LoadSettings(host::XmlElement& element, const host::HostLogPtr& log) override;
  void SaveSettings(host::XmlElement& element, const host::XmlDocumentPtr& document) override;
  QList<ReportRow> ReportRows() override;

 private:
  QString loadText_ = QStringLiteral("Fixed load");
  QString rateText_ = QStringLiteral("40 ppm");
  QString noiseText_ = QStringLiteral("Off");
  QString ampText_ = QStringLiteral("30 mA");
  rt::Integer loadIndex_ = 0;
  rt::Integer rateIndex_ = 0;
  rt::Integer noiseIndex_ = 0;
  rt::Integer amplitudeIndex_ = 0;
};

}  // namespace orvanRV1Xtst
