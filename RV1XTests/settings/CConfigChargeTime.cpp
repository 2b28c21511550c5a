#include "settings/CConfigChargeTime.h"

namespace orvanRV1Xtst {

const setting::Table<CConfigChargeTime>& CConfigChargeTime::Settings() {
  using C = CConfigChargeTime;
  // Stored in this order, and read in it.
  static const setting::Table<C> table{
      setting::formatted("PresetEnergy", &C::presetEnergy_, 360, 1),
      setting::flag("AutoPlayback", &C::autoPlayback_, false, 2),
  };
  return table;
}

CConfigChargeTime::CConfigChargeTime()
    : TabledConfig({QStringLiteral("RV1XTests.CConfigChargeTime"),
                    QStringLiteral("RV1XTests.XChargeTimeTestOptions"),
                    reporttable::Shape::NarrowFirstColumn}) {
  UseDefaults();
}

CConfigChargeTime::~CConfigChargeTime() = default;

}  // namespace orvanRV1Xtst
