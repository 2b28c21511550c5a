#pragma once
// The preset energy of the charge-time and discharge tests, as their
// editors show and take it: shown rounded to a whole number with " J",
// stored as typed when it is a number of joules the test can ask for.

#include <QString>
#include <memory>

#include "editors/XConfigEditor.h"
#include "runtime/Types.h"

namespace orvanRV1Xtst::energyfield {

// Joules a defibrillator can be set to and the analyzer measures.
inline constexpr double kMinimum = 1;
inline constexpr double kMaximum = 1000;

QString shown(rt::Single joules);
std::optional<double> accept(double typed);

// The rule of the energy field of an editor's configuration (the editor's
// own member, read at each edit).
template <class Config>
NumberRule rule(const std::shared_ptr<Config>& config) {
  return {accept,
          [&config] { return double(com::must(config).PresetEnergy()); },
          [&config](double joules) {
            Config& c = com::must(config);
            const auto value = static_cast<rt::Single>(joules);
            if (value == c.PresetEnergy()) return false;
            c.SetPresetEnergy(value);
            return true;
          },
          [&config] { return shown(com::must(config).PresetEnergy()); },
          "20370::Enter a preset energy from %%1 J to %%2 J.",
          kMinimum,
          kMaximum};
}

}  // namespace orvanRV1Xtst::energyfield
