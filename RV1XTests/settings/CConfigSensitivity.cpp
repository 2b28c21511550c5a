#include "settings/CConfigSensitivity.h"

#include "runtime/NumberDisplay.h"
#include "settings/ConfigCodeTables.h"
#include "settings/StoredSettings.h"

namespace orvanRV1Xtst {

CConfigSensitivity::CConfigSensitivity()
    : ConfigClass({QStringLiteral("RV1XTests.CConfigSensitivity"),
                   QStringLiteral("RV1XTests.XSensitivityConfig"),
                   reporttable::Shape::NarrowFirstColumn}) {}

CConfigSensitivity::~CConfigSensitivity() = default;

QString CConfigSensitivity::LoadCode(rt::Integer index) const {
  return codes::at(codes::kLoadCodes, index);
}

QString CConfigSensitivity::TriggerCode(rt::Integer index) const {
  return codes::at(codes::kTriggerCodes, index);
}

void CConfigSensitivity::CopyFrom(const std::shared_ptr<CConfigSensitivity>& source) {
  if (!source) return;
  loadText_ = source->loadText_;
  triggerWaveText_ = source->triggerWaveText_;
  loadIndex_ = source->loadIndex_;
  triggerIndex_ = source->triggerIndex_;
  CopyTestGuideConfigFrom(*source);
}

bool CConfigSensitivity::LoadSettings(host::XmlElement& element, const host::HostLogPtr&) {
  stored::read(element, QStringLiteral("Load"), loadText_);
  stored::read(element, QStringLiteral("LoadIndex"), loadIndex_);
  stored::read(element, QStringLiteral("TriggerIndex"), triggerIndex_);
  stored::read(element, QStringLiteral("RangeHigh"), rangeHigh_);
  stored::read(element, QStringLiteral("RangeLow"), rangeLow_);
  stored::read(element, QStringLiteral("TriggerWave"), triggerWaveText_);
  return true;
}

void CConfigSensitivity::SaveSettings(host::XmlElement& element, const host::XmlDocumentPtr&) {
  stored::write(element, QStringLiteral("LoadIndex"), stored::numberText(loadIndex_));
  stored::write(element, QStringLiteral("TriggerIndex"), stored::numberText(triggerIndex_));
  stored::write(element, QStringLiteral("Load"), loadText_);
  stored::write(element, QStringLiteral("TriggerWave"), triggerWaveText_);
}

QList<ReportRow> CConfigSensitivity::ReportRows() {
  const QString whole = QStringLiteral("#0");
  return {
      {QStringLiteral("20148::Selected range high"),
       [this, whole] { return rt::formatNumber(rangeHigh_, whole); }, QStringLiteral("mV")},
      {QStringLiteral("20149::Selected range low"),
       [this, whole] { return rt::formatNumber(rangeLow_, whole); }, QStringLiteral("mV")},
      {QStringLiteral("20140::Load"), [this, whole] { return rt::format(loadText_, whole); },
       QStringLiteral("Ohm")},
      {QStringLiteral("20141::Trigger wave"),
       [this, whole] { return rt::format(triggerWaveText_, whole); }, QString()},
  };
}

}  // namespace orvanRV1Xtst
