#pragma once
// The result of the refractory-period test (test 400): the sensed and the
// paced refractory periods of the pacer, in milliseconds.

#include "results/CLimitedResult.h"
#include "typelib/IConfigData.h"

namespace orvanRV1Xtst {

class CResultRefractory final : public CLimitedResult {
 public:
  CResultRefractory();
  ~CResultRefractory() override;

  // "SENS" and "PACE"; the configuration is not consulted.
  void Initialize(const host::IConfigDataPtr& config = nullptr);
  // "SENS" from characters 44..49 of the pacer line, "PACE" from 53..59.
  void StoreResult(const QString& reply);
  // Whether either of those fields of the reply holds a period above 0.
  static bool HoldsAPeriod(const QString& reply);
};

}  // namespace orvanRV1Xtst
