#include "RunTally.h"

#include <QStringList>
#include <utility>

#include "WorkbenchWords.h"
#include "sequence/TestVerdict.h"

namespace workbench {

namespace {

// "%%1: %%2", the record's own pattern of a label and its value.
const char kLabelled[] = "264::%%1: %%2";

}  // namespace

QString tallyWords(const hostapp::SequenceRun::Tally& tally) {
  const std::pair<host::Verdict, int> always[] = {{host::Verdict::Passed, tally.passed},
                                                  {host::Verdict::Failed, tally.failed},
                                                  {host::Verdict::NotJudged, tally.notJudged}};
  const std::pair<host::Verdict, int> whenAny[] = {
      {host::Verdict::NotApplicable, tally.notApplicable},
      {host::Verdict::NotPerformed, tally.notPerformed}};
  QStringList parts;
  for (const auto& [verdict, count] : always)
    parts.append(words::text(kLabelled, {host::verdictWords(verdict), count}));
  for (const auto& [verdict, count] : whenAny)
    if (count) parts.append(words::text(kLabelled, {host::verdictWords(verdict), count}));
  return parts.join(QStringLiteral(", "));
}

}  // namespace workbench
