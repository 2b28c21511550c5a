#pragma once
// A sequence run as the host makes it: each test element performed in turn
// with the run's context, the sequence followed by the navigation code each
// Perform leaves (next and N/A go on, previous goes back one test, skip
// goes on, abort ends the run), and after every test its lines on standard
// output,
//   test <ID> status=<n>
//     <KEY>=<value>          one per measurement, the value as stored
// for a test without a verdict (status 0) the line
//   test <ID> not judged: <reason>
// on standard error, and the results document written again, so that a run
// that breaks off loses nothing measured before. The document records when
// the run started and ended, and for each test that the run skipped or
// aborted, that it did. Its progress goes to
// standard error too:
//   running test <ID> <name> (<k> of <n>)     before each test
//   <p> passed, <f> failed, <j> not judged     at the end (PrintSummary),
// followed by ", <a> not applicable" and ", <m> not performed" when there
// are any; each test counts once, with the status its last Perform left.
//
// Each test is judged by the standards the document selects for it (the
// first standard of its limit set when it selects none); the choice the
// run ends with, a pick in the guide's standard box included, is stored
// with the element.

#include <QList>
#include <QString>

#include "records/RunContext.h"

namespace host {
class SequenceDocument;
}

namespace hostapp {

class SequenceRun {
 public:
  SequenceRun(host::SequenceDocument& sequence, QString resultsFile);

  // Writes the results document as the sequence stands; false (reported)
  // when it cannot be written.
  bool WriteResults();
  void Run();

  // Every test was performed, the last time with a passed result, and the
  // run was not aborted.
  bool AllPassed() const;
  // A results document could not be written after a test.
  bool ResultsLost() const { return resultsLost_; }
  // The summary line, as PrintSummary writes it.
  QString Summary() const;
  void PrintSummary() const;
  const host::RunContextPtr& Context() const { return ctx_; }

 private:
  void Perform(int index);
  void PrintRunning(const host::ITestElementPtr& test, int index) const;
  void PrintOutcome(const host::ITestElementPtr& test, const host::IResultDataPtr& result,
                    rt::Long status);
  rt::Long NavigationCode() const;

  host::SequenceDocument& sequence_;
  QString resultsFile_;
  host::RunContextPtr ctx_ = std::make_shared<host::RunContext>();
  // The status each test's last Perform left; -1 for a test not performed.
  QList<rt::Long> statuses_;
  bool aborted_ = false;
  bool resultsLost_ = false;
};

}  // namespace hostapp
