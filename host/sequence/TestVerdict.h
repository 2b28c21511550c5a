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
//   status 2                                Failed
//   status 3                                Not applicable
//
// The sequence as a whole has passed only when no test failed, was aborted,
// skipped, left unjudged or unperformed, and at least one passed (the others
// not applicable): a record of nothing judged never reads "Passed".

#include <QList>
#include <QString>

#include "typelib/HostTypes.h"

namespace host {

class SequenceDocument;

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

}  // namespace host
