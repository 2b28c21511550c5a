#include "settings/CConfigRefractory.h"

#include "runtime/Conversions.h"
#include "runtime/NumberDisplay.h"
#include "settings/ConfigCodeTables.h"
#include "settings/StoredSettings.h"

namespace orvanRV1Xtst {

CConfigRefractory::CConfigRefractory()
    : ConfigClass({QStringLiteral("RV1XTests.CConfigRefractory"),
                   QStringLiteral("RV1XTests.XRefractoryConfig"),
                   reporttable::Shape::NarrowFirstColumn}) {}

CConfigRefractory::~CConfigRefractory() = default;

QString CConfigRefractory::LoadCode(rt::Integer index) const {
  return codes::at(codes::kLoadCodes, index);
}

void CConfigRefractory::CopyFrom(const std::shared_ptr<CConfigRefractory>& source) {
  if (!source) return;
  loadText_ = source->loadText_;
  rateText_ = source->rateText_;
  loadIndex_ = source->loadIndex_;
  rateIndex_ = source->rateIndex_;
  CopyTestGuideConfigFrom(*source);
}

bool CConfigRefractory::LoadSettings(host::XmlElement& element, const host::HostLogPtr&) {
  stored::read(element, QStringLiteral("Load"), loadText_);
  stored::read(element, QStringLiteral("Rate"), rateText_);
  stored::read(element, QStringLiteral("LoadIndex"), loadIndex_);
  stored::read(element, QStringLiteral("RateIndex"), rateIndex_);
  return true;
}

void CConfigRefractory::SaveSettings(host::XmlElement& element, const host::XmlDocumentPtr&) {
  stored::write(element, QStringLiteral("Load"), loadText_);
  stored::write(element, QStringLiteral("Rate"), rateText_);
  stored::write(element, QStringLiteral("RateIndex"), stored::numberText(rateIndex_));
  stored::write(element, QStringLiteral("LoadIndex"), stored::numberText(loadIndex_));
}

QList<ReportRow> CConfigRefractory::ReportRows() {
  return {
      {QStringLiteral("20140::Load"),
       [this] { return rt::format(loadText_, QStringLiteral("#0")); }, QStringLiteral("Ohm")},
      // The rate as the operator reads it: the number of the rate text.
      {QStringLiteral("20050::Pacemaker rate"),
       [this] { return rt::cstr(stored::number(rateText_)); }, QStringLiteral("ppm")},
  };
}

}  // namespace orvanRV1Xtst
