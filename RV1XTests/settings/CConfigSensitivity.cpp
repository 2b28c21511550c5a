#include "settings/CConfigSensitivity.h"

#include "settings/ConfigCodeTables.h"

namespace orvanRV1Xtst {

const setting::Table<CConfigSensitivity>& CConfigSensitivity::Settings() {
  using namespace setting;
  using C = CConfigSensitivity;
  static const Table<C> table{
      formatted("LoadIndex", &C::loadIndex_, 0, 2),
      formatted("TriggerIndex", &C::triggerIndex_, 0, 3),
      text("Load", &C::loadText_, QStringLiteral("Fixed load"), 1).printed(3, "20140::Load", "Ohm"),
      text("TriggerWave", &C::triggerWaveText_, QStringLiteral("10 ms Sqr."), 6)
          .printed(4, "20141::Trigger wave", ""),
      // The selected range comes only from stored documents.
      formatted("RangeHigh", &C::rangeHigh_, 0, 4)
          .notSaved()
          .notCopied()
          .printed(1, "20148::Selected range high", "mV"),
      formatted("RangeLow", &C::rangeLow_, 0, 5)
          .notSaved()
          .notCopied()
          .printed(2, "20149::Selected range low", "mV"),
  };
  return table;
}

CConfigSensitivity::CConfigSensitivity()
    : TabledConfig({QStringLiteral("RV1XTests.CConfigSensitivity"),
                    QStringLiteral("RV1XTests.XSensitivityConfig"),
                    reporttable::Shape::NarrowFirstColumn}) {
  UseDefaults();
}

CConfigSensitivity::~CConfigSensitivity() = default;

QString CConfigSensitivity::LoadCode(rt::Integer index) const {
  return codes::at(codes::kLoadCodes, index);
}

QString CConfigSensitivity::TriggerCode(rt::Integer index) const {
  return codes::at(codes::kTriggerCodes, index);
}

}  // namespace orvanRV1Xtst
