#include "SequenceRun.h"

#include <algorithm>
#include <cstdio>

#include "limits/Standard.h"
#include "limits/StandardsCollection.h"
#include "runtime/ErrorHandling.h"
#include "sequence/SequenceDocument.h"
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
constexpr rt::Long kSkipped = 3;
constexpr rt::Long kNotFinished = 0;
// A stored element that is not run (its settings were not read as stored).
constexpr rt::Long kNotRun = rt::hresult(0x80048B08);

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
      statuses_(sequence.Count(), kNotPerformed),
      finished_(sequence.Count(), false) {
  ctx_->setSelectedStandards(firstStandards(sequence));
  // The document's identities: its results' indexes name them, and the
  // run's are added to them.
  ctx_->setMtiList(sequence.Identities());
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
  int index = 0;
  while (index < sequence_.Count()) {
    Perform(index);
    switch (NavigationCode()) {
      case host::navigation::Previous:
        index = std::max(index - 1, 0);
        break;
      case host::navigation::Abort:
        aborted_ = true;
        return;
      default:  // next, N/A, skip
        ++index;
        break;
    }
  }
}

void SequenceRun::Perform(int index) {
  const host::ITestElementPtr test = sequence_.Element(index);
  if (!sequence_.SettingsRead(index)) {
    // It would run with other settings or limits than were stored: it is
    // not run, and stays as it was stored.
    if (!notRun_.contains(index)) {
      notRun_.append(index);
      reported(rt::RuntimeError(
          kNotRun, kSource,
          QStringLiteral("Test %1 (element %2) is not run: its stored settings or limits could "
                         "not be read as they were stored, and are kept as they were")
              .arg(rt::orDefault([&] { return test->TestID(); }, rt::Long{0}))
              .arg(index + 1)));
    }
    return;
  }
  ctx_->resetNavigationCode();
  const qsizetype toldBefore = ctx_->notified().size();
  rt::onError([&] { com::must(test).Perform(ctx_); }, reported);
  const host::IResultDataPtr result =
      rt::orDefault([&] { return test->Result(); }, host::IResultDataPtr());
  const rt::Long status = result ? rt::orDefault([&] { return result->Status(); }, rt::Long{0}) : 0;
  PrintOutcome(test, result, status);
  // A new final result (the element tells the host so) replaces what the
  // document kept of the test's result; without one the record stays as
  // it was stored.
  if (ctx_->notified().size() > toldBefore) {
    finished_[index] = true;
    sequence_.TakeFromElement(index);
  }
  // Only a result of this run counts for it, and a skipped test has not
  // passed, whatever its record says.
  statuses_[index] = NavigationCode() == host::navigation::Skip ? kSkipped
                     : finished_[index]                         ? status
                                                                : kNotFinished;
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
