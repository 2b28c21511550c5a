// A test element inside its guide window: the guide's events with the
// navigation codes, the skeleton of a run with its failure handling, and
// the waits on the analyzer that several runs share.
#include "com/CreateObject.h"
#include "orvanRV1Xvti/CRV1XVTi.h"
#include "results/CResultBase.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorHandling.h"
#include "services/ErrorService.h"
#include "tests/CTestFrame.h"
#include "tests/FRV1XTestGuide.h"
#include "tests/FTimer.h"
#include "tests/RunMessages.h"
#include "ui/MessageLoop.h"

namespace orvanRV1Xtst {

namespace {

const QString kInProgress = QStringLiteral("20290::Test in progress, please wait...");
const QString kRangePicture = QStringLiteral("TI:RV1X");
const QString kPacerPicture = QStringLiteral("TI:SHOCK");
const QString kStartPacer = QStringLiteral("20061::Start pacer");
constexpr rt::Long kPromptPauseMs = 100;
constexpr rt::Long kPacerPollMs = 300;
// The operator is asked to start the pacer from the ninth poll on.
constexpr rt::Long kPacerPollsBeforePrompt = 8;

// A guide event's handler: nothing it raises reaches the window.
template <class Handler>
auto handler(const std::weak_ptr<CTestFrame>& weak, Handler&& body) {
  return [weak, body = std::forward<Handler>(body)](auto&&... arguments) {
    if (const std::shared_ptr<CTestFrame> element = weak.lock())
      rt::ignoreErrors([&] { body(*element, arguments...); });
  };
}

}  // namespace

// The handlers are members of the class, reached through this bridge so
// that the guide needs no knowledge of the element.
struct GuideEvents {
  static void Connect(CTestFrame& element, FRV1XTestGuide& guide) {
    const std::weak_ptr<CTestFrame> weak = element.weak_from_this();
    using G = FRV1XTestGuide;
    QObject::connect(&guide, &G::StartTest, &guide,
                     handler(weak, [](CTestFrame& e) { e.mfrmTestGuide_StartTest(); }));
    QObject::connect(&guide, &G::StopTest, &guide,
                     handler(weak, [](CTestFrame& e) { e.mfrmTestGuide_StopTest(); }));
    QObject::connect(&guide, &G::AbortTest, &guide,
                     handler(weak, [](CTestFrame& e) { e.mfrmTestGuide_AbortTest(); }));
    QObject::connect(&guide, &G::NextTest, &guide,
                     handler(weak, [](CTestFrame& e) { e.mfrmTestGuide_NextTest(); }));
    QObject::connect(&guide, &G::Previous, &guide,
                     handler(weak, [](CTestFrame& e) { e.mfrmTestGuide_Previous(); }));
    QObject::connect(&guide, &G::Skip, &guide,
                     handler(weak, [](CTestFrame& e) { e.mfrmTestGuide_Skip(); }));
    QObject::connect(&guide, &G::NA, &guide,
                     handler(weak, [](CTestFrame& e) { e.mfrmTestGuide_NA(); }));
    QObject::connect(&guide, &G::StandardChanged, &guide,
                     handler(weak, [](CTestFrame& e) { e.mfrmTestGuide_StandardChanged(); }));
    QObject::connect(
        &guide, &G::ItemClicked, &guide,
        handler(weak, [](CTestFrame& e, bool current) { e.mfrmTestGuide_ItemClicked(current); }));
  }
};

void CTestFrame::ConnectGuide(FRV1XTestGuide& guide) {
  GuideEvents::Connect(*this, guide);
}

// --- navigation ------------------------------------------------------------

void CTestFrame::Navigate(rt::Long code) {
  navigated_ = true;
  rt::ignoreErrorsEach([&] { Context().SetNavigationCode(code); }, [&] { Guide().Hide(); });
}

void CTestFrame::mfrmTestGuide_StopTest() {
  mfStop = true;
  if (link_) rt::ignoreErrors([&] { link_->Abort(); });
}

void CTestFrame::mfrmTestGuide_AbortTest() {
  mfrmTestGuide_StopTest();
  mfDrop = true;
  Navigate(host::navigation::Abort);
}

void CTestFrame::mfrmTestGuide_NextTest() {
  Navigate(host::navigation::Next);
}

void CTestFrame::mfrmTestGuide_Previous() {
  Navigate(host::navigation::Previous);
}

void CTestFrame::mfrmTestGuide_Skip() {
  Navigate(host::navigation::Skip);
  mfDrop = true;
}

void CTestFrame::mfrmTestGuide_NA() {
  Navigate(host::navigation::Next);
  // The window goes only once this handler has returned, so these stand
  // when Perform finishes the result.
  mfDrop = false;
  mfNA = true;
  mfKeep = true;
  MarkResultChanged();
}

void CTestFrame::mfrmTestGuide_ItemClicked(bool) {}

// --- a run -------------------------------------------------------------------

std::shared_ptr<FTimer> CTestFrame::NewRunTimer(std::function<void(CTestFrame&)> tick) {
  std::shared_ptr<FTimer> timer = FTimer::New();
  timer->Load();
  QObject::connect(timer.get(), &FTimer::Timer, timer.get(),
                   handler(weak_from_this(), [tick](CTestFrame& e) { tick(e); }));
  return timer;
}

void CTestFrame::ReleaseRunTimer(std::shared_ptr<FTimer>& timer) {
  if (!timer) return;
  rt::ignoreErrorsEach([&] { timer->StopTimer(); }, [&] { timer->Unload(); });
  timer.reset();
}

orvanRV1Xvti::CRV1XVTi& CTestFrame::Link() {
  if (!link_) link_ = com::createObjectAs<orvanRV1Xvti::CRV1XVTi>(orvanRV1Xvti::kConnectionProgId);
  return com::must(link_);
}

QString CTestFrame::Send(const QString& command) {
  return Link().SendCommand(command, false).toString();
}

void CTestFrame::StartingRun() {
  FRV1XTestGuide& guide = Guide();
  guide.SetRunState(runstate::Running, false);
  guide.MarkSteps({});
  guide.SetStatusText(kInProgress);
}

void CTestFrame::EndingRun() {
  FRV1XTestGuide& guide = Guide();
  guide.ShowResult(result_);
  guide.SetStatusText(QString());
  guide.ShowResultStatus(Base().Result());
  guide.SetRunState(runstate::Idle, !mfStop);
  guide.MarkSteps(AllSteps());
}

void CTestFrame::mfrmTestGuide_StartTest() {
  if (mfRunning) return;
  rt::onError(
      [&] {
        mfRunning = true;
        mfStop = false;
        mfKeep = true;
        mfNA = false;
        mfDrop = false;
        PrepareRun();
        // Every run starts from a fresh result of the configuration as it
        // is now: verdicts and presets of an earlier run never count.
        InitResult(true);
        measuredHere_ = true;
        Guide().ShowResult(result_);
        Guide().ShowResultStatus(result_);
        StartingRun();
        orvanRV1Xvti::CRV1XVTi& link = Link();
        link.OpenChannel();
        if (link.State() == orvanRV1Xvti::evtiIdle && !mfStop) {
          StartOfRun();
          if (!mfStop) RunMeasurement();
        }
        link.CloseChannel();
        EndingRun();
        mfRunning = false;
      },
      [&](const rt::RuntimeError& error) { RunFailure(error); });
}

void CTestFrame::mfrmTestGuide_StandardChanged() {
  // What the window shows is what Next stores: a result this window
  // measured is judged at once by the standard now chosen. A kept result,
  // and one already handed to the host, keep the verdict they were given.
  if (mfRunning || !measuredHere_ || !ResultMeasured() || finishedResult_.lock() == result_) return;
  rt::ignoreErrorsEach([&] { UpdateResultStatus(*result_, false); },
                       [&] { Guide().ShowResult(result_); },
                       [&] { Guide().ShowResultStatus(result_); });
}

void CTestFrame::RunFailure(const rt::RuntimeError& error) {
  rt::ignoreErrorsEach([&] { RunFailed(); },
                       [&] {
                         if (link_) link_->CloseChannel();
                       },
                       [&] { Guide().SetRunState(runstate::Idle, false); },
                       [&] { Guide().SetStatusText(QString()); });
  mfKeep = false;
  mfRunning = false;
  if (error.Number() != orvanRV1Xvti::eeVTI_Error) showRunError(error);
}

void CTestFrame::PerformFailure(const rt::RuntimeError& error) {
  rt::ignoreErrorsEach(
      [&] {
        if (link_) link_->CloseChannel();
      },
      [&] { Guide().SetRunState(runstate::Idle, false); });
  mfKeep = false;
  mfRunning = false;
  if (error.Number() != orvanRV1Xvti::eeVTI_Error) {
    if (kind_.performReportsFailures)
      rt::ignoreErrors([&] { host::errors().ReportError(error, kind_.source); });
    else
      showRunError(error);
  }
  // A window made before the failure does not outlive its Perform.
  if (mfrmTestGuide) {
    rt::ignoreErrors([&] { mfrmTestGuide->Unload(); });
    mfrmTestGuide.reset();
  }
  KeepRecord();
}

// --- the waits -----------------------------------------------------------------

namespace rangewait {
RangeWait Pace() {
  return {QStringLiteral("P!"), false, QStringLiteral("20180::Please set range to Pace"), true};
}
RangeWait High(bool hidesPrompt) {
  return {QStringLiteral("H!"), false, QStringLiteral("20182::Please set range to High"),
          hidesPrompt};
}
RangeWait Low(bool hidesPrompt) {
  return {QStringLiteral("L!"), false, QStringLiteral("20181::Please set range to Low"),
          hidesPrompt};
}
RangeWait NotPace() {
  return {QStringLiteral("P!"), true, QStringLiteral("20181::Please set range to Low"), true};
}
}  // namespace rangewait

QString CTestFrame::WaitForRange() {
  const RangeWait wanted = RangeWanted();
  const auto ends = [&](const QString& reply) {
    return (reply == wanted.reply) != wanted.anyOtherReply;
  };
  orvanRV1Xvti::CRV1XVTi& link = Link();
  bool prompted = false;
  QString reply;
  do {
    ui::doEvents();
    reply = Send(QStringLiteral("I"));
    if (!ends(reply) && !prompted) {
      Guide().ShowInstruction(kRangePicture, wanted.prompt, true);
      prompted = true;
      link.Wait(kPromptPauseMs);
    }
  } while (!ends(reply) && !mfStop);
  if (prompted && wanted.hidesPrompt) Guide().HideInstruction();
  return reply;
}

void CTestFrame::WaitForPacer() {
  orvanRV1Xvti::CRV1XVTi& link = Link();
  rt::Long polls = 0;
  bool prompted = false;
  for (;;) {
    ++polls;
    if (kind_.pacerWaitYields) ui::doEvents();
    if (polls > kPacerPollsBeforePrompt && !prompted) {
      Guide().ShowInstruction(kPacerPicture, kStartPacer, true);
      prompted = true;
    }
    link.Wait(kPacerPollMs);
    const QString reply = Send(QStringLiteral("M"));
    // A poll cut short by Stop may bring no reply: it is not read.
    if (mfStop) break;
    if (replyInteger(reply, 1, 3) != 0) break;
  }
  if (prompted) Guide().HideInstruction();
}

}  // namespace orvanRV1Xtst
