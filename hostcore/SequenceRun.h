#pragma once
// A sequence run as the host makes it: each element of the document
// performed in turn with one run context, the sequence following the
// navigation code each Perform leaves, the results document written again
// after every test. It prints nothing: its listener (RunListener.h) is
// told what happens. How it judges, what it keeps and what it records:
// docs/reference/commands.md, "The run command and the host core".

#include <QList>
#include <QMap>
#include <QString>
#include <utility>

#include "RunListener.h"
#include "records/RunContext.h"
#include "sequence/SequenceRecord.h"

namespace host {
class IPlugIn;
class SequenceDocument;
}  // namespace host

namespace hostapp {

class SequenceRun {
 public:
  SequenceRun(host::SequenceDocument& sequence, QString resultsFile);

  // What every run does before its first test, from the command line or a
  // window alike: the record given (device, technician) with the host's and
  // the plug-in's versions, the analyzer model the port answered with, the
  // catalogue's names for elements without one, and the results document
  // written once. False (reported) when that document cannot be written.
  bool Begin(host::SequenceRecord record, host::IPlugIn& plugIn, const QString& analyzerModel);
  // Writes the results document as the sequence stands; false (reported)
  // when it cannot be written.
  bool WriteResults();
  void Run();
  // The elements of those indexes, in that order; the navigation codes
  // move within them.
  void Run(const QList<int>& indexes);

  // Who is told what the run does (RunListener.h); none: nobody.
  void SetListener(RunListener& listener) { listener_ = &listener; }
  // No test is started after the one under way (none: after the next one
  // starts, no further one).
  void StopAfterThisTest() { stopRequested_ = true; }
  bool StopRequested() const { return stopRequested_; }

  // Every test the run was given was performed, the last time with a passed result, and the
  // run was not aborted.
  bool AllPassed() const;
  // A results document could not be written after a test.
  bool ResultsLost() const { return resultsLost_; }
  // When the results document was last written whole: "before the first
  // test", "after test <ID>" or "at the end of the run".
  QString LastWritten() const { return lastWritten_; }
  // How many of the tests the run was given ended each way, each counted
  // once with the status its last Perform left (a verdict of an earlier run
  // counts as not performed).
  struct Tally {
    int passed = 0;
    int failed = 0;
    int notJudged = 0;
    int notApplicable = 0;
    int notPerformed = 0;
  };
  Tally Counts() const;
  // "<p> passed, <f> failed, <j> not judged", followed by ", <a> not
  // applicable" and ", <m> not performed" when there are any.
  QString Summary() const;
  const host::RunContextPtr& Context() const { return ctx_; }
  // What each new result of the run records beside it (SequenceRecord.h):
  // when it was measured, whether its analyzer is simulated, and who gives
  // the operator's verdicts ("operator" unless told otherwise).
  void SetAnalyzerSimulated(bool simulated) { simulated_ = simulated; }
  void SetVerdictBy(QString who) { verdictBy_ = std::move(who); }
  // The catalogue's name of each test ID: the progress line's name for an
  // element that has none of its own.
  void SetCatalogueNames(QMap<rt::Long, QString> names) { catalogueNames_ = std::move(names); }

 private:
  void Perform(int index);
  // Whether the test told the context in this run that it has a final
  // result.
  bool FinishedInThisRun(const host::ITestElementPtr& test) const;
  void TellStarted(int index, const host::ITestElementPtr& test) const;
  host::ResultMarks MarksOfNew(const host::IResultDataPtr& result, rt::Long status) const;
  void TellOutcome(const host::ITestElementPtr& test, const host::IResultDataPtr& result,
                   rt::Long status) const;
  rt::Long NavigationCode() const;

  host::SequenceDocument& sequence_;
  QString resultsFile_;
  host::RunContextPtr ctx_ = std::make_shared<host::RunContext>();
  // The status each test's last Perform left (0 after Skip); -1 for a test
  // of this run not performed, -2 for one the run was not given.
  QList<rt::Long> statuses_;
  // The stored elements not run, each reported once.
  QList<int> notRun_;
  // The test under way: which of how many the run was given.
  std::pair<int, int> told_{0, 0};
  bool aborted_ = false;
  bool resultsLost_ = false;
  QString lastWritten_;
  bool stopRequested_ = false;
  RunListener* listener_;
  QMap<rt::Long, QString> catalogueNames_;
  bool simulated_ = false;
  QString verdictBy_ = host::kVerdictByOperator;
};

}  // namespace hostapp
