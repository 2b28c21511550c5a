#include "settings/CConfigRefractory.h"

#include "settings/ConfigCodeTables.h"

namespace orvanRV1Xtst {

const setting::Table<CConfigRefractory>& CConfigRefractory::Settings() {
  using namespace setting;
  using C = CConfigRefractory;
  static const Table<C> table{
      text("Load", &C::loadText_, QStringLiteral("Fixed load"), 1).printed(1, "20140::Load", "Ohm"),
      // The rate as the operator reads it: the number of the rate text.
      text("Rate", &C::rateText_, QStringLiteral("60 ppm"), 2)
          .printed(2, "20050::Pacemaker rate", "ppm", Shown::LeadingNumber),
      formatted("RateIndex", &C::rateIndex_, 2, 4),
      formatted("LoadIndex", &C::loadIndex_, 0, 3),
  };
  return table;
}

CConfigRefractory::CConfigRefractory()
    : TabledConfig({QStringLiteral("RV1XTests.CConfigRefractory"),
                    QStringLiteral("RV1XTests.XRefractoryConfig"),
                    reporttable::Shape::NarrowFirstColumn}) {
  UseDefaults();
}

CConfigRefractory::~CConfigRefractory() = default;

QString CConfigRefractory::LoadCode(rt::Integer index) const {
  return codes::at(codes::kLoadCodes, index);
}

}  // namespace orvanRV1Xtst
