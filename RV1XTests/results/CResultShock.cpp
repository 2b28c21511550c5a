#include "results/CResultShock.h"

#include "records/ServiceRecord.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorHandling.h"
#include "runtime/VariantLogic.h"
#include "settings/CConfigShock.h"
#include "xml/XmlDocument.h"

namespace orvanRV1Xtst {

namespace {

const QString kVersionAttribute = QStringLiteral("Version");
// The layout this release writes; below it steps were stored whole.
constexpr rt::Integer kCurrentLayout = 2;

}  // namespace

CResultShock::CResultShock()
    : CResultBase({QStringLiteral("RV1XTests.CResultShock"),
                   QStringLiteral("20344::Loading Shock Advisory Algorithm Test result data"),
                   QStringLiteral("RV1XTests.XDetailedResult")}) {
  serviceRecord_ = std::make_shared<host::ServiceRecord>();
}

CResultShock::~CResultShock() = default;

void CResultShock::Initialize(const host::IConfigDataPtr& config) {
  NewMeasurements();
  const auto shock = com::queryInterface<CConfigShock>(config);
  if (!shock) return;
  for (const CShockAdviceSettingPtr& step : shock->NewEnum()) {
    rt::ignoreErrors([&] {
      auto measurement = std::make_shared<CMeasurement>();
      measurement->Initialize(com::must(step).Key(), step->WaveText(), QString(),
                              valuetype::Boolean);
      measurement->SetPresetValue(step->Advice());
      measurements_.Add(measurement, measurement->Key());
    });
  }
}

void CResultShock::StoreResult(const QString&) {
  MarkStored();
}

void CResultShock::UpdateStatus(const host::ITestElementPtr& test, bool skip) {
  if (skip) {
    SkipDiscardingVerdicts();
  } else {
    bool passed = false;
    bool failed = false;
    bool unanswered = false;
    for (const CMeasurementPtr& measurement : measurements_) {
      if (!measurement->HasValue()) {
        measurement->SetNotJudged(notJudgedKey(NotJudged::NoVerdict));
        unanswered = true;
      } else if (rt::equals(measurement->Value(), measurement->PresetValue())) {
        measurement->SetStatus(host::resultstatus::Passed);
        passed = true;
      } else {
        measurement->SetStatus(host::resultstatus::Failed);
        failed = true;
      }
    }
    // The test passes only when every step was answered as it expects.
    if (failed)
      SetVerdict(host::resultstatus::Failed);
    else if (passed && !unanswered)
      SetVerdict(host::resultstatus::Passed);
    else
      SetVerdict(host::resultstatus::NotEvaluated, NeverJudgedKey());
  }
  BuildServiceRecordOf(test);
}

QString CResultShock::NeverJudgedKey() const {
  if (measurements_.Count() == 0) return notJudgedKey(NotJudged::NoSteps);
  return notJudgedKey(HasMeasuredValue() ? NotJudged::StepsUnanswered : NotJudged::NoVerdict);
}

void CResultShock::BeginLoad(host::XmlElement& element) {
  const QString version = element.Attribute(kVersionAttribute);
  const rt::Integer layout = version.isEmpty() ? 0 : rt::toInteger(rt::val(version));
  olderLayout_ = layout < kCurrentLayout;
  if (olderLayout_) {
    configured_ = std::move(measurements_);
    NewMeasurements();
  }
}

void CResultShock::LoadMeasurement(const host::XmlElementPtr& child, const host::HostLogPtr& log) {
  if (olderLayout_)
    LoadOlderStep(child, log);
  else
    CResultBase::LoadMeasurement(child, log);
}

void CResultShock::LoadOlderStep(const host::XmlElementPtr& child, const host::HostLogPtr& log) {
  auto measurement = std::make_shared<CMeasurement>();
  measurement->Load(child, log);
  if (measurement->HasValue()) {
    // A step that passed showed the advice it expected; one that failed
    // showed the other.
    const QVariant value = measurement->Value();
    measurement->SetPresetValue(
        measurement->Status() == host::resultstatus::Passed ? value : rt::logicalNot(value));
  } else if (configured_.Contains(measurement->Key())) {
    // An unanswered step tells nothing of its advice: the configuration
    // still does.
    measurement->SetPresetValue(configured_.Item(measurement->Key())->PresetValue());
  }
  measurements_.Add(measurement, measurement->Key());
}

void CResultShock::SaveAttributes(host::XmlElement& element) {
  element.SetAttribute(kVersionAttribute, QString::number(kCurrentLayout));
}

}  // namespace orvanRV1Xtst
