#include "sequence/TestVerdict.h"

#include <algorithm>

#include "elements/TestInfo.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorHandling.h"
#include "sequence/SequenceDocument.h"
#include "services/LanguageService.h"
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
  return resultVerdict(element ? rt::orDefault([&] { return element->Result(); }, IResultDataPtr())
                               : nullptr);
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
  switch (rt::orDefault([&] { return measurement->Status(); }, resultstatus::NotEvaluated)) {
    case resultstatus::Passed:
      return Verdict::Passed;
    case resultstatus::Failed:
      return Verdict::Failed;
    default:
      return Verdict::NotJudged;
  }
}

}  // namespace host
