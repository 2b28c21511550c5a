#include "settings/CConfigChargeTime.h"

#include "settings/StoredSettings.h"

namespace orvanRV1Xtst {

CConfigChargeTime::CConfigChargeTime()
    : ConfigClass({QStringLiteral("RV1XTests.CConfigChargeTime"),
                   QStringLiteral("RV1XTests.XChargeTimeTestOptions"),
                   reporttable::Shape::NarrowFirstColumn}) {}

CConfigChargeTime::~CConfigChargeTime() = default;

void CConfigChargeTime::CopyFrom(const std::shared_ptr<CConfigChargeTime>& source) {
  if (!source) return;
  presetEnergy_ = source->presetEnergy_;
  autoPlayback_ = source->autoPlayback_;
  CopyTestGuideConfigFrom(*source);
}

bool CConfigChargeTime::LoadSettings(host::XmlElement& element, const host::HostLogPtr&) {
  stored::read(element, QStringLiteral("PresetEnergy"), presetEnergy_);
  stored::read(element, QStringLiteral("AutoPlayback"), autoPlayback_);
  return true;
}

void CConfigChargeTime::SaveSettings(host::XmlElement& element, const host::XmlDocumentPtr&) {
  stored::write(element, QStringLiteral("PresetEnergy"), stored::numberText(presetEnergy_));
  stored::write(element, QStringLiteral("AutoPlayback"), stored::flagText(autoPlayback_));
}

}  // namespace orvanRV1Xtst
