#include "SequenceRun.h"

#include <algorithm>

#include "PlugInHost.h"
#include "elements/TestInfo.h"
#include "limits/Standard.h"
#include "limits/StandardsCollection.h"
#include "runtime/ErrorHandling.h"
#include "sequence/SequenceDocument.h"
#include "sequence/SequenceRecord.h"
#include "sequence/TestVerdict.h"
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
constexpr rt::Long kNotInThisRun = -2;
// A stored element that is not run (its settings were not read as stored).
constexpr rt::Long kNotRun = rt::hresult(0x80048B08);

// The listener of a run nobody listens to.
RunListener& nobody() {
  static RunListener silent;
  return silent;
}

void reported(const rt::RuntimeError& error) {
  host::errors().ReportError(error, kSource);
}

host::StandardsCollectionPtr ownStandards(const host::ITestElementPtr& test) {
  return rt::orDefault([&] { return com::must(com::must(test).Limits()).Standards(); },
                       host::StandardsCollectionPtr());
}

// The standards of the test's limit set that the context selects.
host::StandardsCollectionPtr selectedOf(const host::ITestElementPtr& test,
                                        const host::StandardsCollectionPtr& selected) {
  auto chosen = std::make_shared<host::StandardsCollection>();
  const host::StandardsCollectionPtr own = ownStandards(test);
  if (!own || !selected) return chosen;
  for (const host::StandardPtr& standard : *selected)
    if (own->Find(0, standard->AlphaName(), standard->CompleteName())) chosen->Add(standard);
  return chosen;
}

// A standard the stored sequence selects for the test that its limit set
// lacks (its name), or an empty text: such a choice would judge nothing,
// and the run's own choice would drop it from the record.
QString unknownSelection(const host::SequenceDocument& sequence, int index) {
  const host::StandardsCollectionPtr stored = sequence.Selected(index);
  if (!stored) return {};
  const host::StandardsCollectionPtr own = ownStandards(sequence.Element(index));
  for (const host::StandardPtr& name : *stored)
    if (!own || !own->Find(0, name->AlphaName(), name->CompleteName()))
      return name->AlphaName().isEmpty() ? name->CompleteName() : name->AlphaName();
  return {};
}

// Why a test that ended without a verdict has none, as its result tells;
// without a result, how the operator left it.
QString notJudgedReason(const host::IResultDataPtr& result, rt::Long navigation) {
  const host::IVerdictPtr verdict = com::queryInterface<host::IVerdict>(result);
  const QString reason =
      verdict ? rt::orDefault([&] { return verdict->NotJudgedReason(); }, QString()) : QString();
  if (!reason.isEmpty()) return reason;
  if (navigation == host::navigation::Skip) return QStringLiteral("the test was skipped");
  if (navigation == host::navigation::Abort) return QStringLiteral("the run was aborted");
  return QStringLiteral("nothing was measured");
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
      statuses_(sequence.Count(), kNotInThisRun),
      listener_(&nobody()) {
  // The document's identities: its results' indexes name them, and the
  // run's are added to them.
  ctx_->setMtiList(sequence.Identities());
}

bool SequenceRun::Begin(host::SequenceRecord record, host::IPlugIn& plugIn,
                        const QString& analyzerModel) {
  recordVersions(record, plugIn);
  sequence_.SetRecord(record);
  ctx_->setAnalyzerModel(analyzerModel);
  SetCatalogueNames(catalogueNames(plugIn));
  if (!WriteResults()) return false;
  lastWritten_ = QStringLiteral("before the first test");
  return true;
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
  QList<int> all;
  for (int index = 0; index < sequence_.Count(); ++index) all.append(index);
  Run(all);
}

void SequenceRun::Run(const QList<int>& indexes) {
  // What an earlier run did with a test stays its record until this run
  // performs it and gives it a new outcome (Perform).
  const QString started = host::recordTimeNow();
  for (int index : indexes)
    if (index >= 0 && index < statuses_.size()) statuses_[index] = kNotPerformed;
  sequence_.SetRunTimes(started, QString());
  qsizetype position = 0;
  while (position < indexes.size() && !aborted_ && !stopRequested_) {
    const int index = indexes.at(position);
    if (index < 0 || index >= statuses_.size()) {
      ++position;
      continue;
    }
    listener_->Reached(index);
    told_ = {static_cast<int>(position) + 1, static_cast<int>(indexes.size())};
    Perform(index);
    listener_->Left(index, statuses_.at(index));
    switch (NavigationCode()) {
      case host::navigation::Previous:
        position = std::max<qsizetype>(position - 1, 0);
        break;
      case host::navigation::Abort:
        aborted_ = true;
        break;
      default:  // next, N/A, skip
        ++position;
        break;
    }
  }
  sequence_.SetRunTimes(started, host::recordTimeNow());
  if (!WriteResults())
    resultsLost_ = true;
  else
    lastWritten_ = QStringLiteral("at the end of the run");
}

void SequenceRun::Perform(int index) {
  const host::ITestElementPtr test = sequence_.Element(index);
  // A test that would run with other settings, limits or standards than
  // were stored is not run, and stays as it was stored.
  QString notRun;
  if (!sequence_.SettingsRead(index))
    notRun = QStringLiteral(
        "its stored settings or limits could not be read as they were stored, and are kept as "
        "they were");
  else if (const QString missing = unknownSelection(sequence_, index); !missing.isEmpty())
    notRun = QStringLiteral(
                 "the standard \"%1\" selected for it is not among its limits; the choice is kept "
                 "as it was stored")
                 .arg(missing);
  if (!notRun.isEmpty()) {
    if (!notRun_.contains(index)) {
      notRun_.append(index);
      const rt::Long testID = rt::orDefault([&] { return test->TestID(); }, rt::Long{0});
      reported(rt::RuntimeError(kNotRun, kSource,
                                QStringLiteral("Test %1 (element %2) is not run: %3")
                                    .arg(testID)
                                    .arg(index + 1)
                                    .arg(notRun)));
      listener_->NotRun(index, testID, notRun);
    }
    return;
  }
  TellStarted(index, test);
  ctx_->resetNavigationCode();
  ctx_->setSelectedStandards(sequence_.JudgingStandards(index));
  const qsizetype toldBefore = ctx_->notified().size();
  rt::onError([&] { com::must(test).Perform(ctx_); }, reported);
  // The choice the run ends with (the operator may have picked another
  // standard in the guide) is the element's from now on.
  const host::StandardsCollectionPtr chosen = selectedOf(test, ctx_->SelectedStandards());
  if (chosen->Count() > 0) sequence_.SetSelected(index, chosen);
  const host::IResultDataPtr result =
      rt::orDefault([&] { return test->Result(); }, host::IResultDataPtr());
  const rt::Long status =
      result ? rt::orDefault([&] { return result->Status(); }, host::resultstatus::NotEvaluated)
             : host::resultstatus::NotEvaluated;
  // A new final result (the element tells the host so) replaces what the
  // document kept of the test's result; without one the record stays as
  // it was stored.
  const bool finished = ctx_->notified().size() > toldBefore;
  if (finished) {
    sequence_.TakeFromElement(index);
    sequence_.SetMarks(index, MarksOfNew(result, status));
  }
  // A verdict the test never told this run's context of is the one the
  // stored sequence brought: it is kept and printed, but it is no outcome of
  // this run; and a skipped test has not passed, whatever its record says.
  const bool earlier = status != host::resultstatus::NotEvaluated && !FinishedInThisRun(test);
  statuses_[index] = earlier                                      ? kNotPerformed
                     : NavigationCode() == host::navigation::Skip ? host::resultstatus::NotEvaluated
                                                                  : status;
  // What this run did not measure is not printed as its outcome.
  if (!FinishedInThisRun(test) && sequence_.HoldsStoredResult(index))
    listener_->Kept(rt::orDefault([&] { return test->TestID(); }, rt::Long{0}), status,
                    sequence_.Marks(index).measured);
  else
    TellOutcome(test, result, status);
  // Skip and Abort are outcomes of their own; a new final result ends what
  // an earlier run's Skip or Abort said. Passing the test by without either
  // leaves its stored outcome as it was.
  const rt::Long navigation = NavigationCode();
  if (navigation == host::navigation::Skip)
    sequence_.SetRunOutcome(index, host::runoutcome::Skipped);
  else if (navigation == host::navigation::Abort)
    sequence_.SetRunOutcome(index, host::runoutcome::Aborted);
  else if (finished)
    sequence_.SetRunOutcome(index, QString());
  if (!WriteResults())
    resultsLost_ = true;
  else
    lastWritten_ = QStringLiteral("after test %1")
                       .arg(rt::orDefault([&] { return test->TestID(); }, rt::Long{0}));
}

bool SequenceRun::FinishedInThisRun(const host::ITestElementPtr& test) const {
  const QList<std::weak_ptr<host::ITestElement>>& told = ctx_->notified();
  return std::any_of(told.begin(), told.end(),
                     [&](const std::weak_ptr<host::ITestElement>& t) { return t.lock() == test; });
}

void SequenceRun::TellStarted(int index, const host::ITestElementPtr& test) const {
  const rt::Long id = rt::orDefault([&] { return com::must(test).TestID(); }, rt::Long{0});
  QString name = rt::orDefault(
      [&] {
        const host::TestInfoPtr info = com::must(test).Info();
        return info ? info->Name().trimmed() : QString();
      },
      QString());
  // An element stored without a name of its own goes by its catalogue's,
  // else by the name the record prints for it.
  if (name.isEmpty()) name = catalogueNames_.value(id);
  if (name.isEmpty()) name = host::testName(test);
  listener_->Started({index, id, name, told_.first, told_.second});
}

SequenceRun::Tally SequenceRun::Counts() const {
  const auto count = [&](rt::Long status) {
    return static_cast<int>(std::count(statuses_.begin(), statuses_.end(), status));
  };
  return {count(host::resultstatus::Passed), count(host::resultstatus::Failed),
          count(host::resultstatus::NotEvaluated), count(host::resultstatus::NotApplicable),
          count(kNotPerformed)};
}

QString SequenceRun::Summary() const {
  const Tally tally = Counts();
  QString summary = QStringLiteral("%1 passed, %2 failed, %3 not judged")
                        .arg(tally.passed)
                        .arg(tally.failed)
                        .arg(tally.notJudged);
  if (tally.notApplicable)
    summary += QStringLiteral(", %1 not applicable").arg(tally.notApplicable);
  if (tally.notPerformed) summary += QStringLiteral(", %1 not performed").arg(tally.notPerformed);
  return summary;
}

host::ResultMarks SequenceRun::MarksOfNew(const host::IResultDataPtr& result,
                                          rt::Long status) const {
  host::ResultMarks marks;
  marks.measured = host::recordTimeNow();
  if (simulated_) marks.simulated = host::kSimulatedMark;
  // A verdict no standard gave is the operator's.
  const host::IVerdictPtr verdict = com::queryInterface<host::IVerdict>(result);
  const host::StandardsCollectionPtr judges =
      verdict ? rt::orDefault([&] { return verdict->JudgedBy(); }, host::StandardsCollectionPtr())
              : nullptr;
  if ((status == host::resultstatus::Passed || status == host::resultstatus::Failed) &&
      (!judges || judges->Count() == 0))
    marks.verdictBy = verdictBy_;
  return marks;
}

void SequenceRun::TellOutcome(const host::ITestElementPtr& test, const host::IResultDataPtr& result,
                              rt::Long status) const {
  TestOutcome outcome;
  outcome.testID = rt::orDefault([&] { return test->TestID(); }, rt::Long{0});
  outcome.status = status;
  if (result) {
    rt::ignoreErrors([&] {
      for (rt::Long i = 1; i <= result->MeasurementCount(); ++i) {
        const host::IMeasurementPtr measurement = result->Measurement(i);
        if (!measurement) continue;
        outcome.measurements.append({measurement->Key(), storedText(measurement->Value())});
      }
    });
  }
  listener_->Outcome(outcome);
  if (status == host::resultstatus::NotEvaluated)
    listener_->NotJudged(outcome.testID, notJudgedReason(result, NavigationCode()));
}

rt::Long SequenceRun::NavigationCode() const {
  // A Perform that wrote none (the test may not run, or failed before its
  // window showed) lets the sequence go on.
  return ctx_->navigationCodeWritten() ? ctx_->NavigationCode() : host::navigation::Next;
}

bool SequenceRun::AllPassed() const {
  const auto inThisRun = [](rt::Long status) { return status != kNotInThisRun; };
  return !aborted_ && std::any_of(statuses_.begin(), statuses_.end(), inThisRun) &&
         std::all_of(statuses_.begin(), statuses_.end(), [](rt::Long status) {
           return status == host::resultstatus::Passed || status == kNotInThisRun;
         });
}

}  // namespace hostapp
