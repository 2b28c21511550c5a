#include "settings/ConfigCodeTables.h"

#include <algorithm>

namespace orvanRV1Xtst::codes {

const PerformanceWave* performanceWave(rt::Long wavetype) {
  const auto it = std::find_if(kPerformanceWaves.begin(), kPerformanceWaves.end(),
                               [&](const PerformanceWave& w) { return w.wavetype == wavetype; });
  return it == kPerformanceWaves.end() ? nullptr : &*it;
}

QString performanceAmplitudeCode(rt::Single millivolts) {
  for (const PerformanceAmplitude& a : kPerformanceAmplitudes)
    if (a.millivolts == millivolts) return QString::fromLatin1(a.command);
  return QString();
}

}  // namespace orvanRV1Xtst::codes
