#pragma once
// Settings of the ECG sensitivity test (test 300): the load the analyzer
// puts on the pacer output and the trigger wave it produces. The range
// fields come only from stored documents: they are read, printed and neither
// saved nor copied.

#include "settings/SettingMembers.h"

namespace orvanRV1Xtst {

class CConfigSensitivity : public TabledConfig<CConfigSensitivity> {
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

 private:
  friend TabledConfig;
  static const setting::Table<CConfigSensitivity>& Settings();

  // Their defaults are the table's.
  QString loadText_;
  QString triggerWaveText_;
  rt::Integer loadIndex_{};
  rt::Integer triggerIndex_{};
  rt::Single rangeHigh_{};
  rt::Single rangeLow_{};
};

}  // namespace orvanRV1Xtst
