#pragma once
// The result of the pacer-accuracy test (test 500): the rate, amplitude and
// pulse width of the pacer's pulses. Results stored by an older release
// carry a measurement "PENG" that this result has not; it is passed over.

#include "results/CLimitedResult.h"
#include "typelib/IConfigData.h"

namespace orvanRV1Xtst {

class CResultAccuracy final : public CLimitedResult {
 public:
  CResultAccuracy();
  ~CResultAccuracy() override;

  // "RATE" and "AMPL" with the numbers of the configuration's rate and
  // amplitude texts as presets (when it is a pacer-accuracy configuration),
  // and "PWID".
  void Initialize(const host::IConfigDataPtr& config = nullptr);
  // "RATE" from characters 1..3 of the pacer line, "AMPL" from 17..22, "PWID"
  // from 8..13.
  void StoreResult(const QString& reply);

 protected:
  void LoadMeasurement(const host::XmlElementPtr& child, const host::HostLogPtr& log) override;
};

}  // namespace orvanRV1Xtst
