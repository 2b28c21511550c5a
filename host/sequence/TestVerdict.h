#pragma once
// A test's verdict in words, as the record of a sequence gives it: from what
// the last run did with the test (skipped, aborted) and from the status of
// the result the document holds for it.
//
//   run outcome "Aborted"                   Aborted
//   run outcome "Skipped"                   Skipped
//   no result, or status 0 and no value     Not performed
//   status 0 with a value                   Not judged (the result tells why)
//   status 1                                Passed
//   status 1 and no value                   Not judged (no run records that)
//   status 1 that its values contradict     Not judged ("Record inconsistent")
//   status 2                                Failed
//   status 3                                Not applicable
//   a part stored twice, copies disagreeing Failed, or Not judged
//                                           (sequence/StoredCopies.h)
//
// A stored pass is checked against the standards its result names as having
// judged it: a value outside an enabled limit of one, a limited value
// missing or no number, a measurement stored as failed, or a named standard
// the record holds no limits for, and the pass does not hold. A result that
// names no standard (a record of another release) and the operator's own
// verdicts (no limit takes part in them) stay as stored.
//
// The sequence as a whole has passed only when no test failed, was aborted,
// skipped, left unjudged or unperformed, and at least one passed (the others
// not applicable): a record of nothing judged never reads "Passed".

#include <QList>
#include <QString>

#include "runtime/RuntimeError.h"
#include "typelib/HostTypes.h"

namespace host {

class SequenceDocument;

namespace sequenceerr {
// A stored pass that the values stored with it contradict.
constexpr rt::Long InconsistentRecord = rt::hresult(0x80048B0A);
}  // namespace sequenceerr

enum class Verdict { Passed, Failed, NotJudged, NotApplicable, Skipped, NotPerformed, Aborted };

struct TestVerdict {
  Verdict verdict = Verdict::NotPerformed;
  QString reason;  // why a test is not judged, in the user's language
};

// The verdict of the result alone (what a run left in it).
TestVerdict resultVerdict(const IResultDataPtr& result);
// The verdict of the sequence's element (from 0).
TestVerdict verdictOf(const SequenceDocument& sequence, int index);
Verdict overallVerdict(const QList<Verdict>& tests);

// What of the standards its result names the element's stored pass fails
// ("CHTI high limit 15 s of IEC 60601-2-4: 99 s"); empty when the pass
// holds, when the result is no pass, or names no standard.
QString passContradiction(const SequenceDocument& sequence, int index);
// Reports, through the host's ErrorService, each test whose stored pass its
// values contradict, as "test <ID>: Record inconsistent: stored Passed, the
// values fail <limit>"; how many there were.
int reportInconsistentRecords(const SequenceDocument& sequence);

// The verdict's text key ("236::Passed"); its words through the language
// service.
QString verdictTextKey(Verdict verdict);
QString verdictWords(Verdict verdict);
// The English words, whatever the language (records for other programs).
QString verdictEnglish(Verdict verdict);

// The element's name as its info gives it, else "Test <ID>".
QString testName(const ITestElementPtr& element);

// The verdict of one measurement of a result: Passed, Failed, Not judged
// (a value without verdict) or Not performed (no value).
Verdict measurementVerdict(const IMeasurementPtr& measurement);
// The same from what a measurement holds: whether it has a value, and its
// status.
Verdict measurementVerdict(bool holdsValue, rt::Long status);

}  // namespace host
