#include "tests/CTestChargeTime.h"

#include "orvanRV1Xvti/CRV1XVTi.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorHandling.h"
#include "services/ErrorService.h"
#include "services/LanguageService.h"
#include "tests/AnalyzerCommands.h"
#include "tests/FRV1XTestGuide.h"
#include "tests/FTimer.h"
#include "tests/InstructionSteps.h"
#include "ui/MessageLoop.h"

namespace orvanRV1Xtst {

namespace {
const QString kWaitPicture = QStringLiteral("TI:WAIT");
const QString kShockPicture = QStringLiteral("TI:SHOCK");
const QString kPleaseWait = QStringLiteral("20293::Please wait...");
constexpr rt::Integer kCountdownSeconds = 5;
constexpr rt::Long kSecondMs = 1000;
constexpr rt::Long kDischargePollMs = 300;
}  // namespace

CTestChargeTime::CTestChargeTime(Made)
    : CTestClass({.testID = 100,
                  .source = QStringLiteral("RV1XTests.CTestChargeTime"),
                  .measurements = {{"ENGY", "20012::Energy"}, {"CHTI", "20011::Charge time"}}}) {}

CTestChargeTime::~CTestChargeTime() {
  ReleaseRunTimer(mfrmWaitTimer);
}

QStringList CTestChargeTime::BuildInstructionSteps() {
  const CConfigChargeTime& config = com::must(TestConfig());
  return translatedSteps({
      {QStringLiteral("20014::1. On defibrillator, set defibrillator to %%1 J."),
       {rt::cstr(config.PresetEnergy())}},
      {QStringLiteral("20015::2. Set range to 'High' on the RV-11/15")},
      {QStringLiteral("20016::3. Press play to start the test.")},
      {},
  });
}

bool CTestChargeTime::HasResultForGuide() {
  const std::shared_ptr<CResultChargeTime> result = TestResult();
  return result && result->Status() != host::resultstatus::NotEvaluated;
}

void CTestChargeTime::FreshResultForLoad() {
  auto result = std::make_shared<CResultChargeTime>();
  result->Initialize(Configuration());
  Base().SetResult(result);
}

void CTestChargeTime::StartingRun() {
  FRV1XTestGuide& guide = Guide();
  guide.SetStatusText(QStringLiteral("20291::Test in progress"));
  guide.SetRunState(runstate::Running, false);
  guide.ShowInstruction(kWaitPicture, kPleaseWait, false);
}

void CTestChargeTime::RunMeasurement() {
  // A failure of the sequence ends it as a Stop would: the run goes on to
  // its end, idle without a result, and the operator may try again.
  rt::onError([&] { MeasureChargeTime(); },
              [&](const rt::RuntimeError& error) {
                mfStop = true;
                rt::ignoreErrorsEach([&] { Guide().HideInstruction(); },
                                     [&] { Guide().SetButton103Enabled(true); });
                if (error.Number() != orvanRV1Xvti::eeVTI_Error)
                  rt::ignoreErrors([&] { host::errors().ReportError(error, kind().source); });
              });
}

void CTestChargeTime::MeasureChargeTime() {
  const CConfigChargeTime& config = com::must(TestConfig());
  orvanRV1Xvti::CRV1XVTi& link = Link();
  if (link.IsMkIII()) Send(config.AutoPlayback() ? QStringLiteral("G") : QStringLiteral("J"));
  ChargeCountdown();
  if (!mfStop) {
    Send(QStringLiteral("F3"));
    Guide().ShowInstruction(kShockPicture, QStringLiteral("20029::CHARGE AND SHOCK NOW"), true);
  }
  QString reply;
  while (reply.isEmpty() && !mfStop) {
    link.Wait(kDischargePollMs);
    reply = pollDischarge([this](const QString& command) { return Send(command); });
  }
  Guide().HideInstruction();
  // A measurement that came with the poll after Stop is not kept: the
  // operator ended the test.
  if (mfStop) return;
  CResultChargeTime& result = com::must(TestResult());
  result.StoreResult(reply);
  UpdateResultStatus(result, false);
}

void CTestChargeTime::ChargeCountdown() {
  mfCountDownDone = false;
  miCountDown = kCountdownSeconds;
  rt::onError(
      [&] {
        ShowCountdown();
        mfrmWaitTimer = NewRunTimer(
            [](CTestFrame& e) { static_cast<CTestChargeTime&>(e).mfrmWaitTimer_Timer(); });
        mfrmWaitTimer->StartTimer(kSecondMs);
        bool resetSent = false;
        do {
          ui::waitForEvents();
          if (miCountDown == 1 && !resetSent) {
            Send(QStringLiteral("R"));
            resetSent = true;
          }
          if (mfCountDownDone) break;
        } while (!mfStop);
        ReleaseRunTimer(mfrmWaitTimer);
      },
      [&](const rt::RuntimeError&) {
        ReleaseRunTimer(mfrmWaitTimer);
        rt::passOn();
      });
}

void CTestChargeTime::ShowCountdown() {
  Guide().ShowInstruction(
      kWaitPicture,
      host::translated(QStringLiteral("20017::Charge and shock in %%1 seconds"), {miCountDown}),
      false);
}

void CTestChargeTime::mfrmWaitTimer_Timer() {
  --miCountDown;
  if (miCountDown > 0)
    ShowCountdown();
  else
    mfCountDownDone = true;
}

void CTestChargeTime::EndingRun() {
  FRV1XTestGuide& guide = Guide();
  guide.HideInstruction();
  guide.ShowResult(OwnResult());
  guide.SetStatusText(QString());
  guide.ShowResultStatus(OwnResult());
  guide.SetRunState(runstate::Idle, !mfStop);
}

void CTestChargeTime::RunFailed() {
  Guide().HideInstruction();
}

RV1X_TEST_ELEMENT(CTestChargeTime)

}  // namespace orvanRV1Xtst
