#pragma once
// The result of the sensitivity test (test 300): the pacer's sensitivity at
// the pads and, derived from it by the analyzer's load, for the ECG input,
// both in millivolts as single-precision numbers.

#include "results/CLimitedResult.h"
#include "typelib/IConfigData.h"

namespace orvanRV1Xtst {

class CResultSensitivity final : public CLimitedResult {
 public:
  CResultSensitivity();
  ~CResultSensitivity() override;

  // "PADS" and "ECG"; the configuration is not consulted.
  void Initialize(const host::IConfigDataPtr& config = nullptr);
  // "PADS" from characters 35..40 of the pacer line, "ECG" that divided by the
  // divisor of the configuration's load index (none below 0).
  void StoreResult(const QString& reply, rt::Long loadIndex);
};

}  // namespace orvanRV1Xtst
