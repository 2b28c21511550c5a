#include "results/CMeasurement.h"

#include "limits/Limit.h"
#include "limits/Standard.h"
#include "limits/StandardsCollection.h"
#include "report/HostReport.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorHandling.h"
#include "runtime/NumberDisplay.h"
#include "services/ErrorService.h"
#include "services/HostLog.h"
#include "services/LanguageService.h"
#include "services/NumberFormatter.h"
#include "settings/ErrorHandOn.h"
#include "settings/ReportTableSequence.h"
#include "typelib/ILimitData.h"
#include "xml/XmlDocument.h"
#include "xml/XmlHelper.h"

namespace orvanRV1Xtst {

namespace {

const QString kSource = QStringLiteral("RV1XTests.CMeasurement");
const QString kEitherTolerance = QStringLiteral("20672::%%1 or %%2");
const QString kElement = QStringLiteral("Measurement");
const QString kKeyAttribute = QStringLiteral("Key");
const QString kDescriptionElement = QStringLiteral("Description");
const QString kValueElement = QStringLiteral("Value");
const QString kUnitElement = QStringLiteral("Unit");
const QString kStatusElement = QStringLiteral("Status");
const QString kMissingKey = QStringLiteral("Can not load a measurement because its key is missing");

constexpr rt::Long kWrongElementSeverity = 4;
constexpr rt::Long kMissingKeySeverity = 2;
constexpr rt::Long kSaveSeverity = 4;

// The report's option bit that asks for failed measurements only.
constexpr rt::Long kFailedOnly = 16;

// A shock-advisory step's key begins so; its Boolean shows as an advice.
const QString kShockStepPrefix = QStringLiteral("::");
const QString kShock = QStringLiteral("20247::Shock");
const QString kNoShock = QStringLiteral("20248::No shock");

bool limitsApply(rt::Long valueType) {
  return valueType == valuetype::Number || valueType == valuetype::WholeNumber;
}

}  // namespace

CMeasurement::CMeasurement() = default;
CMeasurement::~CMeasurement() = default;

void CMeasurement::Initialize(const QString& key, const QString& description, const QString& unit,
                              rt::Long valueType) {
  key_ = key;
  description_ = description;
  unit_ = unit;
  valueType_ = valueType;
}

QString CMeasurement::Description() {
  return host::translated(description_);
}

bool CMeasurement::HasValue() const {
  return !rt::isEmpty(value_);
}

QString CMeasurement::NotJudgedReason() {
  if (status_ != host::resultstatus::NotEvaluated || statusText_.isEmpty()) return QString();
  return host::translated(statusText_);
}

// --- limits -----------------------------------------------------------------

rt::Single CMeasurement::CalculateLimitValue(const host::LimitPtr& limit, rt::Integer index) {
  return rt::orDefault(
      [&] {
        if (auto relative = com::queryInterface<host::IRelativeLimit>(limit))
          return relative->ValueForPreset(rt::toSingle(presetValue_), index);
        return com::must(limit).Value(index);
      },
      rt::Single(0));
}

rt::Integer CMeasurement::CheckLimits(const host::LimitPtr& limit) {
  rt::Single value = 0;
  rt::Single high = 0;
  rt::Single low = 0;
  bool highEnabled = false;
  bool lowEnabled = false;
  // A reading beyond the single range stays on its side of every bound.
  rt::ignoreErrorsEach([&] { value = rt::toSingleSaturated(value_); },
                       [&] { high = CalculateLimitValue(limit, host::limitindex::High); },
                       [&] { low = CalculateLimitValue(limit, host::limitindex::Low); },
                       [&] { highEnabled = com::must(limit).Enabled(host::limitindex::High); },
                       [&] { lowEnabled = com::must(limit).Enabled(host::limitindex::Low); });
  if (highEnabled && value > high) return host::resultstatus::Failed;
  if (lowEnabled && value < low) return host::resultstatus::Failed;
  return 0;
}

rt::Integer CMeasurement::ValidateLimits(const host::StandardPtr& standard) {
  rt::Integer status = 0;
  rt::ignoreErrors([&] {
    for (const host::LimitPtr& limit : com::must(standard).Limits()) {
      if (com::must(limit).Key() != LimitKey()) continue;
      status = CheckLimits(limit);
      if (status == host::resultstatus::Failed) break;
    }
  });
  return status;
}

void CMeasurement::FindLimitValue(rt::Integer index, const host::StandardPtr& standard,
                                  bool relative, bool& found, rt::Single& value, QString& unit,
                                  std::optional<rt::Single>& absolute) {
  rt::ignoreErrors([&] {
    for (const host::LimitPtr& limit : com::must(standard).Limits()) {
      rt::ignoreErrors([&] {
        if (com::must(limit).Key() != LimitKey() || !limit->Enabled(index)) return;
        rt::Single candidate = 0;
        QString candidateUnit = unit_;
        std::optional<rt::Single> candidateAbsolute;
        auto relativeLimit = com::queryInterface<host::IRelativeLimit>(limit);
        if (relativeLimit && relative) {
          candidate = relativeLimit->ValueForPreset(rt::toSingle(presetValue_), index);
        } else {
          candidate = limit->Value(index);
          const QString op = limit->Operator(0);
          if (op.contains(u'%')) candidateUnit = QStringLiteral("%");
          // Such a bound has an absolute tolerance beside its relative one.
          if (op == host::kGreaterToleranceOperator) candidateAbsolute = limit->Absolute(index);
        }
        // The tighter bound wins; of two equal ones the first keeps its unit.
        const bool tighter =
            index == host::limitindex::High ? candidate < value : candidate > value;
        if (found && !tighter) return;
        value = candidate;
        unit = candidateUnit;
        absolute = candidateAbsolute;
        found = true;
      });
    }
  });
}

QVariant CMeasurement::GetLimitValue(const host::StandardPtr& standard, rt::Integer index,
                                     rt::Long flags) {
  bool found = false;
  rt::Single value = 0;
  QString unit;
  std::optional<rt::Single> absolute;
  FindLimitValue(index, standard, (flags & host::valueflag::Relative) != 0, found, value, unit,
                 absolute);
  if (!found) return QVariant();
  if ((flags & host::valueflag::AsText) == 0) return QVariant::fromValue(value);
  const bool withUnit = (flags & host::valueflag::WithUnit) != 0;
  const auto shown = [&](rt::Single number, const QString& itsUnit) {
    QString text = rt::orDefault([&] { return rt::formatNumber(number, valueFormat_); }, QString());
    if (withUnit) text += u' ' + itsUnit;
    return text;
  };
  const QString text = shown(value, unit);
  // "15.0 % or 3.0 J": the greater of a relative and an absolute tolerance
  // is never shown as its relative half alone.
  if (absolute) return host::translated(kEitherTolerance, {text, shown(*absolute, unit_)});
  return text;
}

QVariant CMeasurement::GetResultValue(rt::Long flags) {
  if ((flags & host::valueflag::AsText) == 0) return value_;
  QString text = FormatValue(value_);
  if ((flags & host::valueflag::WithUnit) != 0 && !unit_.isEmpty()) text += u' ' + unit_;
  return text;
}

bool CMeasurement::SupportsLimit(rt::Integer) {
  return limitsApply(valueType_);
}

void CMeasurement::CalculateStatus(const host::ILimitDataPtr& limits,
                                   const host::StandardsCollectionPtr& selected) {
  status_ = host::resultstatus::Passed;
  statusText_.clear();
  // The limit set looks at the measurement only during the call, so one that
  // no reference owns is lent without ownership.
  CMeasurementPtr self = weak_from_this().lock();
  if (!self) self = CMeasurementPtr(CMeasurementPtr(), this);
  rt::ignoreErrors([&] {
    const host::StandardsCollectionPtr failed =
        com::must(limits).FindFailedStandards(self, selected);
    if (failed && failed->Count() > 0) status_ = host::resultstatus::Failed;
  });
}

// --- texts --------------------------------------------------------------------

QString CMeasurement::FormatValue(const QVariant& value) {
  return rt::orDefault(
      [&]() -> QString {
        if (rt::isEmpty(value)) return QString();
        if (valueType_ == valuetype::Boolean && key_.startsWith(kShockStepPrefix))
          return host::translated(rt::toBoolean(value) ? kShock : kNoShock);
        // The times are shown from their shortest stored text, so that the
        // user's decimal separator never cuts off their fraction.
        if (key_ == QLatin1String("CHTI") || key_ == QLatin1String("DELY"))
          return rt::format(rt::val(rt::numberText(value)), valueFormat_);
        return rt::format(value, valueFormat_);
      },
      QString());
}

void CMeasurement::GetValueText(QString& text, rt::Long& status) {
  rt::ignoreErrors([&] {
    if (limitsApply(valueType_))
      text = host::NumberFormatter::instance()->NumberText(value_);
    else if (valueType_ == valuetype::Boolean)
      text = rt::orDefault([&] { return rt::toBoolean(value_); }, false) ? QStringLiteral("True")
                                                                         : QStringLiteral("False");
    else
      text = rt::cstr(value_);
  });
  status = status_;
}

QString CMeasurement::GetReportLine(host::HostReport& report) {
  const rt::Long options = rt::orDefault([&] { return report.OptionFlags(); }, rt::Long(0));
  if (status_ != host::resultstatus::Failed && (options & kFailedOnly) != 0) return QString();
  return reporttable::row({reporttable::indented(reporttable::translate(report, description_)),
                           FormatValue(presetValue_), FormatValue(value_), unit_});
}

// --- stored form --------------------------------------------------------------

void CMeasurement::Load(const host::XmlElementPtr& ixeIn, const host::HostLogPtr& iprLog) {
  rt::Long step = 0;
  rt::onError(
      [&] {
        if (iprLog) step = iprLog->BeginStep(host::kProduct, QString());
        host::XmlElement& element = com::must(ixeIn);
        if (element.TagName() != kElement)
          host::errors().RaiseError(host::kProduct, kMeasurementLoadError, kSource,
                                    kWrongElementSeverity);
        key_ = element.Attribute(kKeyAttribute);
        if (key_.isEmpty()) {
          if (step != 0)
            iprLog->Message(kMeasurementLoadError, kMissingKeySeverity, kMissingKey, {});
          host::errors().RaiseError(host::kProduct, kMeasurementLoadError, kSource,
                                    kMissingKeySeverity);
        }
        const host::XmlNodeListPtr children = element.ChildNodes();
        const rt::Long count = com::must(children).Length();
        const auto helper = host::XmlHelper::instance();
        for (rt::Long i = 0; i < count; ++i) {
          const host::XmlElementPtr child = children->Item(i);
          const QString tag = com::must(child).TagName();
          if (tag == kDescriptionElement)
            description_ = child->Text();
          else if (tag == kValueElement)
            helper->ReadValue(child, value_, valueType_);
          else if (tag == kUnitElement)
            unit_ = child->Text();
          else if (tag == kStatusElement)
            helper->ReadStatus(child, status_, statusText_);
        }
        if (step != 0) iprLog->EndStep(step);
      },
      [&](const rt::RuntimeError& error) {
        if (step != 0) rt::ignoreErrors([&] { iprLog->EndStep(step); });
        handOnOrReport(error, kMeasurementLoadError, kSource);
      });
}

host::XmlElementPtr CMeasurement::Save(const host::XmlDocumentPtr& ixdOwner) {
  if (key_.isEmpty()) return nullptr;
  return rt::onError(
      [&]() -> host::XmlElementPtr {
        const host::XmlElementPtr element = com::must(ixdOwner).CreateElement(kElement);
        if (!element)
          host::errors().RaiseError(host::kProduct, kMeasurementSaveError, kSource, kSaveSeverity);
        element->SetAttribute(kKeyAttribute, key_);
        if (!description_.isEmpty()) element->AddChild(kDescriptionElement, description_);
        const auto helper = host::XmlHelper::instance();
        if (host::XmlElementPtr value = helper->WriteValue(ixdOwner, value_, valueType_))
          element->AppendChild(value);
        if (!unit_.isEmpty()) element->AddChild(kUnitElement, unit_);
        if (host::XmlElementPtr status = helper->WriteStatus(ixdOwner, status_, statusText_))
          element->AppendChild(status);
        return element;
      },
      [&](const rt::RuntimeError& error) -> host::XmlElementPtr {
        handOnOrReport(error, kMeasurementSaveError, kSource);
        return nullptr;
      });
}

}  // namespace orvanRV1Xtst
