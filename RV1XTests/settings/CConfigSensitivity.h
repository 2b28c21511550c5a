#pragma once
// Settings of the ECG sensitivity test (test 300): the load the analyzer
// puts on the pacer output and the trigger wave it produces. The range
// fields come only from stored documents: they are read, printed and neither
// saved nor copied.

#include "settings/CConfigBase.h"

namespace orvanRV1Xtst {

class CConfigSensitivity : public ConfigClass<CConfigSensitivity> {
 public:
  CConfigSensitivity();
  ~CConfigSensitivity() override;

  QString LoadText() const { return loadText_; }
  void SetLoadText(const QString& text) { loadText_ = text; }
  QString TriggerWaveText() const { return triggerWaveText_; }
  void SetTriggerWaveText(const QString& text) { triggerWaveText_ = text; }
  rt::Integer LoadIndex() const { return loadIndex_; }
  void SetLoadIndex(rt::Integer index) { loadIndex_ = index; }
  rt::Integer TriggerIndex() const { return triggerIndex_; }
  void SetTriggerIndex(rt::Integer index) { triggerIndex_ = index; }
  rt::Single RangeHigh() const { return rangeHigh_; }
  void SetRangeHigh(rt::Single millivolts) { rangeHigh_ = millivolts; }
  rt::Single RangeLow() const { return rangeLow_; }
  void SetRangeLow(rt::Single millivolts) { rangeLow_ = millivolts; }

  // "Q00".."Q26" for load-list positions 0..26, else "".
  QString LoadCode(rt::Integer index) const;
  // "Y01".."Y15" for trigger-list positions 0..14, else "".
  QString TriggerCode(rt::Integer index) const;

  void CopyFrom(const std::shared_ptr<CConfigSensitivity>& source);

 protected:
  bool LoadSettings(host::XmlElement& element, const host::HostLogPtr& log) override;
  void SaveSettings(host::XmlElement& element, const host::XmlDocumentPtr& document) override;
  QList<ReportRow> ReportRows() override;

 private:
  QString loadText_ = QStringLiteral("Fixed load");
  QString triggerWaveText_ = QStringLiteral("10 ms Sqr.");
  rt::Integer loadIndex_ = 0;
  rt::Integer triggerIndex_ = 0;
  rt::Single rangeHigh_ = 0;
  rt::Single rangeLow_ = 0;
};

}  // namespace orvanRV1Xtst
