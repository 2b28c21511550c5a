#pragma once
// Settings of the refractory-period test (test 400): the load on the pacer
// output and the pacer rate the operator sets on the pacer (the rate has no
// analyzer command; the test names it in its instructions).

#include "settings/CConfigBase.h"

namespace orvanRV1Xtst {

class CConfigRefractory : public ConfigClass<CConfigRefractory> {
 public:
  CConfigRefractory();
  ~CConfigRefractory() override;

  QString LoadText() const { return loadText_; }
  void SetLoadText(const QString& text) { loadText_ = text; }
  QString RateText() const { return rateText_; }
  void SetRateText(const QString& text) { rateText_ = text; }
  rt::Integer LoadIndex() const { return loadIndex_; }
  void SetLoadIndex(rt::Integer index) { loadIndex_ = index; }
  rt::Integer RateIndex() const { return rateIndex_; }
  void SetRateIndex(rt::Integer index) { rateIndex_ = index; }

  // "Q00".."Q26" for load-list positions 0..26, else "".
  QString LoadCode(rt::Integer index) const;

  void CopyFrom(const std::shared_ptr<CConfigRefractory>& source);

 protected:
  bool LoadSettings(host::XmlElement& element, const host::HostLogPtr& log) override;
  void SaveSettings(host::XmlElement& element, const host::XmlDocumentPtr& document) override;
  QList<ReportRow> ReportRows() override;

 private:
  QString loadText_ = QStringLiteral("Fixed load");
  QString rateText_ = QStringLiteral("60 ppm");
  rt::Integer loadIndex_ = 0;
  rt::Integer rateIndex_ = 2;
};

}  // namespace orvanRV1Xtst
