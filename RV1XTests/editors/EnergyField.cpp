#include "editors/EnergyField.h"

#include "runtime/NumberDisplay.h"

namespace orvanRV1Xtst::energyfield {

QString shown(rt::Single joules) {
  return rt::formatNumber(joules, QStringLiteral("0")) + QStringLiteral(" J");
}

std::optional<double> accept(double typed) {
  if (typed < kMinimum || typed > kMaximum) return std::nullopt;
  return typed;
}

}  // namespace orvanRV1Xtst::energyfield
