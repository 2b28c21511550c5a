#pragma once
// The result of the charge-time test (test 100): the energy the
// defibrillator delivered and the time it took to charge. Its errors carry
// the bare class name as their source.

#include "results/CLimitedResult.h"
#include "typelib/IConfigData.h"

namespace orvanRV1Xtst {

class CResultChargeTime final : public CLimitedResult {
 public:
  CResultChargeTime();
  ~CResultChargeTime() override;

  // "ENGY" with the configuration's preset energy (when it is a charge-time
  // configuration) and "CHTI".
  void Initialize(const host::IConfigDataPtr& config = nullptr);
  // "ENGY" from characters 1..6 of the defibrillator line, "CHTI" from 35..40.
  void StoreResult(const QString& reply);
};

}  // namespace orvanRV1Xtst
