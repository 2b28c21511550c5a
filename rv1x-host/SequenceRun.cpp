#include "SequenceRun.h"

#include <algorithm>
#include <cstdio>

#include "limits/Standard.h"
#include "limits/StandardsCollection.h"
#include "runtime/ErrorHandling.h"
#include "sequence/SequenceDocument.h"
#include "sequence/SequenceRecord.h"
#include "services/ErrorService.h"
#include "typelib/ILimitData.h"
#include "typelib/IMeasurement.h"
#include "typelib/IResultData.h"
#include "typelib/ITestElement.h"
#include "xml/XmlDocument.h"
#include "xml/XmlHelper.h"

namespace hostapp {

namespace {

const QString kSource = QStringLiteral("rv1x-host");
constexpr rt::Long kNotPerformed = -1;
constexpr rt::Long kPassed = 1;

void reported(const rt::RuntimeError& error) {
  host::ErrorService::instance()->ReportError(error, kSource);
}

// The first standard of each test's limit set, each pair of names once.
host::StandardsCollectionPtr firstStandards(const host::SequenceDocument& sequence) {
  auto selected = std::make_shared<host::StandardsCollection>();
  for (int i = 0; i < sequence.Count(); ++i) {
    rt::ignoreErrors([&] {
      const host::StandardsCollectionPtr own =
          com::must(com::must(sequence.Element(i)).Limits()).Standards();
      if (!own || own->Count() == 0) return;
      const host::StandardPtr first = own->Item(1);
      if (!selected->Find(0, first->AlphaName(), first->CompleteName()))
        selected->Add(first->Copy());
    });
  }
  return selected;
}

// A value as the results document stores it.
QString storedText(const QVariant& value) {
  const host::XmlHelperPtr helper = host::XmlHelper::instance();
  const host::XmlElementPtr element = helper->WriteValue(helper->NewDocument(), value, 0);
  return element ? element->Text() : QString();
}

}  // namespace

SequenceRun::SequenceRun(host::SequenceDocument& sequence, QString resultsFile)
    : sequence_(sequence),
      resultsFile_(std::move(resultsFile)),
      statuses_(sequence.Count(), kNotPerformed) {
  ctx_->setSelectedStandards(firstStandards(sequence));
}

bool SequenceRun::WriteResults() {
  return rt::onError(
      [&] {
        sequence_.Save(resultsFile_);
        return true;
      },
      [&](const rt::RuntimeError& error) {
        reported(error);
        return false;
      });
}

void SequenceRun::Run() {
  // What an earlier run did with the tests is not this run's record.
  const QString started = host::recordTimeNow();
  for (int i = 0; i < sequence_.Count(); ++i) sequence_.SetRunOutcome(i, QString());
  sequence_.SetRunTimes(started, QString());
  int index = 0;
  while (index < sequence_.Count() && !aborted_) {
    Perform(index);
    switch (NavigationCode()) {
      case host::navigation::Previous:
        index = std::max(index - 1, 0);
        break;
      case host::navigation::Abort:
        aborted_ = true;
        break;
      default:  // next, N/A, skip
        ++index;
        break;
    }
  }
  sequence_.SetRunTimes(started, host::recordTimeNow());
  if (!WriteResults()) resultsLost_ = true;
}

void SequenceRun::Perform(int index) {
  const host::ITestElementPtr test = sequence_.Element(index);
  ctx_->resetNavigationCode();
  rt::onError([&] { com::must(test).Perform(ctx_); }, reported);
  const host::IResultDataPtr result =
      rt::orDefault([&] { return test->Result(); }, host::IResultDataPtr());
  statuses_[index] = result ? rt::orDefault([&] { return result->Status(); }, rt::Long{0}) : 0;
  PrintOutcome(test, result, statuses_[index]);
  // What the run gave replaces what the document kept of the test; a test
  // that left no outcome keeps what was stored.
  if (statuses_[index] != 0) sequence_.TakeFromElement(index);
  const rt::Long navigation = NavigationCode();
  sequence_.SetRunOutcome(index, navigation == host::navigation::Skip    ? host::runoutcome::Skipped
                                 : navigation == host::navigation::Abort ? host::runoutcome::Aborted
                                                                         : QString());
  if (!WriteResults()) resultsLost_ = true;
}

void SequenceRun::PrintOutcome(const host::ITestElementPtr& test,
                               const host::IResultDataPtr& result, rt::Long status) {
  std::printf("test %d status=%d\n", rt::orDefault([&] { return test->TestID(); }, rt::Long{0}),
              status);
  if (result) {
    rt::ignoreErrors([&] {
      for (rt::Long i = 1; i <= result->MeasurementCount(); ++i) {
        const host::IMeasurementPtr measurement = result->Measurement(i);
        if (!measurement) continue;
        std::printf("  %s=%s\n", qPrintable(measurement->Key()),
                    qPrintable(storedText(measurement->Value())));
      }
    });
  }
  std::fflush(stdout);
}

rt::Long SequenceRun::NavigationCode() const {
  // A Perform that wrote none (the test may not run, or failed before its
  // window showed) lets the sequence go on.
  return ctx_->navigationCodeWritten() ? ctx_->NavigationCode() : host::navigation::Next;
}

bool SequenceRun::AllPassed() const {
  return !aborted_ && !statuses_.isEmpty() &&
         std::all_of(statuses_.begin(), statuses_.end(),
                     [](rt::Long status) { return status == kPassed; });
}

}  // namespace hostapp
