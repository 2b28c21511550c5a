#include "Verdicts.h"

#include "runtime/ErrorHandling.h"
#include "typelib/IMeasurement.h"
#include "typelib/IResultData.h"
#include "typelib/ITestElement.h"

namespace workbench {

namespace {

struct StatusWords {
  rt::Long status;
  const char* words;
};

constexpr StatusWords kWords[] = {{1, "Passed"}, {2, "Failed"}, {3, "Not applicable"}};
constexpr char kNotJudged[] = "Not judged";
constexpr char kNotTested[] = "Not tested";

bool holdsValue(host::IResultData& result) {
  return rt::orDefault(
      [&] {
        for (rt::Long i = 1; i <= result.MeasurementCount(); ++i) {
          const host::IMeasurementPtr measurement = result.Measurement(i);
          if (measurement && !measurement->Value().isNull()) return true;
        }
        return false;
      },
      false);
}

}  // namespace

Verdict verdictOf(host::ITestElement& test) {
  const host::IResultDataPtr result =
      rt::orDefault([&] { return test.Result(); }, host::IResultDataPtr());
  if (!result) return {QLatin1String(kNotTested), {}, -1};
  const rt::Long status = rt::orDefault([&] { return result->Status(); }, rt::Long{0});
  for (const StatusWords& entry : kWords)
    if (entry.status == status) return {QLatin1String(entry.words), {}, status};
  // A result that holds nothing measured (a run the analyzer broke off, a
  // test left without a run) is not kept in the document: it was not tested.
  if (!holdsValue(*result)) return {QLatin1String(kNotTested), {}, -1};
  const host::IVerdictPtr verdict = com::queryInterface<host::IVerdict>(result);
  const QString why =
      verdict ? rt::orDefault([&] { return verdict->NotJudgedReason(); }, QString()) : QString();
  return {QLatin1String(kNotJudged), why, static_cast<int>(status)};
}

}  // namespace workbench
