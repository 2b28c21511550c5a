#pragma once
// Settings of the refractory-period test (test 400): the load on the pacer
// output and the pacer rate the operator sets on the pacer (the rate has no
// analyzer command; the test names it in its instructions).

#include "settings/SettingMembers.h"

namespace orvanRV1Xtst {

class CConfigRefractory : public TabledConfig<CConfigRefractory> {
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

 private:
  friend TabledConfig;
  static const setting::Table<CConfigRefractory>& Settings();

  // Their defaults are the table's.
  QString loadText_;
  QString rateText_;
  rt::Integer loadIndex_{};
  rt::Integer rateIndex_{};
};

}  // namespace orvanRV1Xtst
