#include "editors/NoiseList.h"

#include <array>

#include "settings/ConfigCodeTables.h"

namespace orvanRV1Xtst::noiselist {

namespace {
// Factors of the load positions 0..6; from 500 Ohm on (position 7) it is 10.
constexpr std::array<int, 7> kFactors = {1, 1, 2, 3, 4, 6, 8};
constexpr int kLargeLoadFactor = 10;
constexpr int kLevels = 10;
}  // namespace

int factor(rt::Integer loadIndex) {
  if (loadIndex < 0 || loadIndex >= static_cast<int>(codes::kLoadList.size())) return 0;
  if (loadIndex < static_cast<int>(kFactors.size())) return kFactors.at(loadIndex);
  return kLargeLoadFactor;
}

QStringList entries(rt::Integer loadIndex) {
  const int f = factor(loadIndex);
  if (f == 0) return {};
  QStringList list{QStringLiteral("Off")};
  for (const char* line : {"50 Hz", "60 Hz"})
    for (int k = 1; k <= kLevels; ++k)
      list.append(QStringLiteral("%1 %2 mV").arg(QLatin1String(line)).arg(k * f));
  return list;
}

}  // namespace orvanRV1Xtst::noiselist
