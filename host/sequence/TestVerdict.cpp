#include "sequence/TestVerdict.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "elements/TestInfo.h"
#include "limits/Limit.h"
#include "limits/Standard.h"
#include "limits/StandardsCollection.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorHandling.h"
#include "runtime/NumberDisplay.h"
#include "sequence/SequenceDocument.h"
#include "sequence/StoredCopies.h"
#include "services/ErrorService.h"
#include "services/LanguageService.h"
#include "typelib/ILimitData.h"
#include "typelib/IMeasurement.h"
#include "typelib/IResultData.h"
#include "typelib/ITestElement.h"

namespace host {

namespace {

struct VerdictText {
  Verdict verdict;
  const char* textKey;
};

// The host's own words; "236::Passed" and "237::Failed" are the words the
// standards' tables print too.
constexpr VerdictText kVerdictTexts[] = {
    {Verdict::Passed, "236::Passed"},        {Verdict::Failed, "237::Failed"},
    {Verdict::NotJudged, "238::Not judged"}, {Verdict::NotApplicable, "239::Not applicable"},
    {Verdict::Skipped, "240::Skipped"},      {Verdict::NotPerformed, "241::Not performed"},
    {Verdict::Aborted, "242::Aborted"},
};

// A pass no run could have recorded: a run passes a result only by a value
// it judged.
const char kNoValueRecorded[] = "268::the record of this pass holds no measured value";

// A stored pass that its own values, or the standards it names, contradict.
const char kInconsistent[] = "290::Record inconsistent: stored Passed, the values fail %%1";
const QString kSource = QStringLiteral("TestVerdict");

bool holdsValue(const IMeasurementPtr& measurement) {
  return measurement && rt::orDefault([&] { return !rt::isEmpty(measurement->Value()); }, false);
}

bool anyValue(IResultData& result) {
  return rt::orDefault(
      [&] {
        for (rt::Long i = 1; i <= result.MeasurementCount(); ++i)
          if (holdsValue(result.Measurement(i))) return true;
        return false;
      },
      false);
}

// Why the result has no verdict, as it tells.
QString notJudgedReason(const IResultDataPtr& result) {
  const IVerdictPtr verdict = com::queryInterface<IVerdict>(result);
  return verdict ? rt::orDefault([&] { return verdict->NotJudgedReason(); }, QString()) : QString();
}

// The value types that limits apply to; a Boolean is the operator's verdict
// or an advice, which no limit judges.
constexpr rt::Long kNumberType = 1;
constexpr rt::Long kPeriodType = 2;

QString nameOf(Standard& standard) {
  const QString alpha = standard.AlphaName();
  return alpha.isEmpty() ? standard.CompleteName() : alpha;
}

struct Reading {
  QVariant value, preset;
  rt::Long status = 0;
  rt::Long type = 0;
};

Reading read(IMeasurement& measurement) {
  Reading reading;
  rt::ignoreErrorsEach([&] { reading.value = measurement.Value(); },
                       [&] { reading.preset = measurement.PresetValue(); },
                       [&] { reading.status = measurement.Status(); },
                       [&] { reading.type = measurement.ValueType(); });
  return reading;
}

std::optional<rt::Single> finiteNumber(const QVariant& value) {
  if (rt::isEmpty(value) || value.typeId() == QMetaType::Bool) return std::nullopt;
  const std::optional<rt::Single> number =
      rt::orDefault([&]() -> std::optional<rt::Single> { return rt::toSingle(value); },
                    std::optional<rt::Single>());
  return number && std::isfinite(*number) ? number : std::nullopt;
}

// "CHTI high limit 15 s of IEC 60601-2-4"
QString boundWords(Limit& limit, rt::Integer index, const QString& standard, rt::Single preset) {
  const QString op = limit.Operator(0);
  const bool relative = !op.isEmpty() && op != QLatin1String("Y");
  const rt::Single bound = relative ? limit.ValueForPreset(preset, index) : limit.Value(index);
  return QStringLiteral("%1 %2 limit %3 of %4")
      .arg(limit.Key(), index == limitindex::High ? QStringLiteral("high") : QStringLiteral("low"),
           (rt::numberText(bound) + u' ' + limit.Unit()).trimmed(), standard);
}

// What of one named standard the result's values fail; empty when none.
QString failedLimit(Standard& standard, IResultData& result) {
  const QString name = nameOf(standard);
  for (const LimitPtr& limit : standard.Limits()) {
    const bool high = limit->Enabled(limitindex::High);
    const bool low = limit->Enabled(limitindex::Low);
    if (!high && !low) continue;
    for (rt::Long m = 1; m <= result.MeasurementCount(); ++m) {
      const IMeasurementPtr measurement = result.Measurement(m);
      if (!measurement || measurement->LimitKey().compare(limit->Key(), Qt::CaseInsensitive) != 0)
        continue;
      const Reading reading = read(*measurement);
      const std::optional<rt::Single> preset = finiteNumber(reading.preset);
      const rt::Integer first = high ? limitindex::High : limitindex::Low;
      const QString bound = boundWords(*limit, first, name, preset.value_or(0.0f));
      const std::optional<rt::Single> value = finiteNumber(reading.value);
      if (!value) {
        const QString stored = rt::isEmpty(reading.value)
                                   ? QStringLiteral("no value")
                                   : QStringLiteral("%1, no number").arg(reading.value.toString());
        return QStringLiteral("%1: %2").arg(bound, stored);
      }
      const QString shown = (rt::numberText(*value) + u' ' + limit->Unit()).trimmed();
      const rt::Single x = preset.value_or(0.0f);
      if (high && *value > limit->ValueForPreset(x, limitindex::High))
        return QStringLiteral("%1: %2").arg(boundWords(*limit, limitindex::High, name, x), shown);
      if (low && *value < limit->ValueForPreset(x, limitindex::Low))
        return QStringLiteral("%1: %2").arg(boundWords(*limit, limitindex::Low, name, x), shown);
      if (reading.status == resultstatus::Failed)
        return QStringLiteral("%1: %2 stored as failed").arg(limit->Key(), shown);
    }
  }
  return QString();
}

bool judgedByLimits(IResultData& result) {
  for (rt::Long m = 1; m <= result.MeasurementCount(); ++m) {
    const IMeasurementPtr measurement = result.Measurement(m);
    const rt::Long type = measurement ? read(*measurement).type : 0;
    if (type == kNumberType || type == kPeriodType) return true;
  }
  return false;
}

QString contradiction(const ITestElementPtr& element) {
  return rt::orDefault(
      [&]() -> QString {
        const IResultDataPtr result = com::must(element).Result();
        if (!result || result->Status() != resultstatus::Passed || !judgedByLimits(*result))
          return QString();
        const IVerdictPtr verdict = com::queryInterface<IVerdict>(result);
        const StandardsCollectionPtr named = verdict ? verdict->JudgedBy() : nullptr;
        if (!named || named->Count() == 0) return QString();
        const ILimitDataPtr limits = element->Limits();
        const StandardsCollectionPtr held = limits ? limits->Standards() : nullptr;
        for (const StandardPtr& name : *named) {
          const StandardPtr standard =
              held ? held->Find(0, name->AlphaName(), name->CompleteName()) : nullptr;
          if (!standard)
            return QStringLiteral("%1, whose limits the record does not hold").arg(nameOf(*name));
          if (const QString failed = failedLimit(*standard, *result); !failed.isEmpty())
            return failed;
        }
        return QString();
      },
      QString());
}

}  // namespace

TestVerdict resultVerdict(const IResultDataPtr& result) {
  if (!result) return {Verdict::NotPerformed, {}};
  switch (rt::orDefault([&] { return result->Status(); }, resultstatus::NotEvaluated)) {
    case resultstatus::Passed:
      if (!anyValue(*result)) return {Verdict::NotJudged, translated(kNoValueRecorded)};
      return {Verdict::Passed, {}};
    case resultstatus::Failed:
      return {Verdict::Failed, {}};
    case resultstatus::NotApplicable:
      return {Verdict::NotApplicable, {}};
    default:
      if (!anyValue(*result)) return {Verdict::NotPerformed, {}};
      return {Verdict::NotJudged, notJudgedReason(result)};
  }
}

TestVerdict verdictOf(const SequenceDocument& sequence, int index) {
  const QString outcome = sequence.RunOutcome(index);
  if (outcome == runoutcome::Aborted) return {Verdict::Aborted, {}};
  if (outcome == runoutcome::Skipped) return {Verdict::Skipped, {}};
  const ITestElementPtr element = sequence.Element(index);
  TestVerdict verdict = resultVerdict(
      element ? rt::orDefault([&] { return element->Result(); }, IResultDataPtr()) : nullptr);
  if (verdict.verdict == Verdict::Passed) {
    if (const QString failed = contradiction(element); !failed.isEmpty())
      verdict = {Verdict::NotJudged, translated(kInconsistent, {failed})};
  }
  return judgedWithCopies(storedCopies(sequence, index), verdict);
}

QString passContradiction(const SequenceDocument& sequence, int index) {
  if (resultVerdict(rt::orDefault([&] { return com::must(sequence.Element(index)).Result(); },
                                  IResultDataPtr()))
          .verdict != Verdict::Passed)
    return QString();
  return contradiction(sequence.Element(index));
}

int reportInconsistentRecords(const SequenceDocument& sequence) {
  int count = 0;
  for (int i = 0; i < sequence.Count(); ++i) {
    const QString failed = passContradiction(sequence, i);
    if (failed.isEmpty()) continue;
    const rt::Long testID =
        rt::orDefault([&] { return com::must(sequence.Element(i)).TestID(); }, rt::Long{0});
    host::errors().ReportError(rt::RuntimeError(sequenceerr::InconsistentRecord, kSource,
                                                QStringLiteral("test %1: %2")
                                                    .arg(testID)
                                                    .arg(LanguageService::DefaultText(
                                                        QLatin1String(kInconsistent), {failed}))),
                               kSource);
    ++count;
  }
  return count;
}

Verdict overallVerdict(const QList<Verdict>& tests) {
  const auto any = [&](Verdict verdict) { return tests.contains(verdict); };
  if (any(Verdict::Failed)) return Verdict::Failed;
  if (any(Verdict::Aborted)) return Verdict::Aborted;
  const bool complete = std::all_of(tests.begin(), tests.end(), [](Verdict verdict) {
    return verdict == Verdict::Passed || verdict == Verdict::NotApplicable;
  });
  return complete && any(Verdict::Passed) ? Verdict::Passed : Verdict::NotJudged;
}

QString verdictTextKey(Verdict verdict) {
  for (const VerdictText& text : kVerdictTexts)
    if (text.verdict == verdict) return QLatin1String(text.textKey);
  return QString();
}

QString verdictWords(Verdict verdict) {
  return translated(verdictTextKey(verdict));
}

QString verdictEnglish(Verdict verdict) {
  return LanguageService::DefaultText(verdictTextKey(verdict));
}

QString testName(const ITestElementPtr& element) {
  return rt::orDefault(
      [&] {
        const TestInfoPtr info = com::must(element).Info();
        const QString name = info ? info->Name() : QString();
        return name.isEmpty() ? QStringLiteral("Test %1").arg(element->TestID()) : name;
      },
      QString());
}

Verdict measurementVerdict(const IMeasurementPtr& measurement) {
  if (!holdsValue(measurement)) return Verdict::NotPerformed;
  return measurementVerdict(
      true, rt::orDefault([&] { return measurement->Status(); }, resultstatus::NotEvaluated));
}

Verdict measurementVerdict(bool holdsValue, rt::Long status) {
  if (!holdsValue) return Verdict::NotPerformed;
  switch (status) {
    case resultstatus::Passed:
      return Verdict::Passed;
    case resultstatus::Failed:
      return Verdict::Failed;
    default:
      return Verdict::NotJudged;
  }
}

}  // namespace host
