#include "tests/CTestShock.h"

#include "runtime/Conversions.h"
#include "runtime/ErrorHandling.h"
#include "services/LanguageService.h"
#include "settings/CShockAdviceSetting.h"
#include "tests/AnalyzerCommands.h"
#include "tests/FRV1XTestGuide.h"
#include "tests/FTimer.h"
#include "tests/InstructionSteps.h"
#include "ui/MessageLoop.h"

namespace orvanRV1Xtst {

CTestShock::CTestShock(Made)
    : CTestClass({.testID = 700,
                  .source = QStringLiteral("CTestShock"),
                  .limitsWithoutDialog = true,
                  .performReportsFailures = true,
                  .resultView = QStringLiteral("RV1XTests.XShockResult")}) {}

CTestShock::~CTestShock() {
  ReleaseRunTimer(mfrmTimer);
}

QStringList CTestShock::BuildInstructionSteps() {
  return translatedSteps({
      {QStringLiteral("20160::1. Set defibrillator energy selecte to 100 J (Test)")},
      {QStringLiteral("20161::2. Press play to start test")},
      {QStringLiteral("20162::3. Making adjustments on connected MTI")},
      {QStringLiteral("20163::4. Simulating waveform, please wait...")},
  });
}

void CTestShock::PrepareRun() {
  rt::Long step = 0;
  for (const CShockAdviceSettingPtr& setting : com::must(TestConfig()).NewEnum()) {
    ++step;
    const rt::Long wave = com::must(setting).WaveFormIndex();
    settingCommand(
        wave >= 0 && wave < static_cast<rt::Long>(kShockRhythms.size()) ? setting->WaveCode()
                                                                        : QString(),
        QStringLiteral("Rhythm of step %1").arg(step), QStringLiteral("position %1").arg(wave));
  }
}

bool CTestShock::HasResultForGuide() {
  const std::shared_ptr<CResultShock> result = TestResult();
  return result && result->Status() != host::resultstatus::NotEvaluated;
}

void CTestShock::FillGuide(bool hasResult) {
  Guide().SetRunState(runstate::Idle, hasResult);
  InitGuideWith(BuildInstructionSteps());
  Guide().MarkSteps({1, 2});
}

void CTestShock::StartingRun() {
  Guide().SetRunState(runstate::Running, false);
  Guide().MarkSteps({3});
}

void CTestShock::StartOfRun() {
  Guide().MarkSteps({4});
  mfrmTimer = NewRunTimer([](CTestFrame& e) { static_cast<CTestShock&>(e).mfrmTimer_Timer(); });
}

void CTestShock::RunMeasurement() {
  WaitForRange();
  if (mfStop) return;
  for (const CShockAdviceSettingPtr& setting : com::must(TestConfig()).NewEnum()) {
    if (mfStop) break;
    mfWaveformDone = false;
    mfNextWaveform = false;
    const rt::Long duration = setting->Duration();
    Guide().SetStatusText(
        duration == 0 ? host::translated(QStringLiteral("20243::Waveform: %%1 (Indefinite)"),
                                         {setting->WaveText()})
                      : host::translated(QStringLiteral("20249::Waveform: %%1 (Duration: %%2 sec)"),
                                         {setting->WaveText(), duration}));
    Guide().ShockViewHighlightNext();
    Send(setting->WaveCode());
    // Duration 0 plays until the operator answers.
    com::must(mfrmTimer).StartTimer(rt::toLong(static_cast<double>(duration) * 1000));
    while (!mfWaveformDone && !mfStop && !mfNextWaveform) ui::waitForEvents();
    mfrmTimer->StopTimer();
  }
  // No end code follows the last step: the monitor under test is left on
  // its last rhythm, as the design has it.
}

void CTestShock::EndingRun() {
  FRV1XTestGuide& guide = Guide();
  guide.SetStatusText(QString());
  // The answers given while the rhythms played are judged now, so that the
  // guide shows their verdict, or why there is none, before the operator
  // leaves it.
  if (const std::shared_ptr<CResultShock> result = TestResult()) {
    result->UpdateStatus(Self(), false);
    MarkResultChanged();
  }
  guide.ShowResultStatus(OwnResult());
  guide.SetRunState(runstate::Idle, guide.ShockViewGotResults());
  guide.MarkSteps({1, 2});
  ReleaseRunTimer(mfrmTimer);
}

void CTestShock::mfrmTimer_Timer() {
  rt::ignoreErrors([&] { com::must(mfrmTimer).StopTimer(); });
  mfWaveformDone = true;
}

void CTestShock::mfrmTestGuide_ItemClicked(bool fCurrentItem) {
  if (fCurrentItem) mfNextWaveform = true;
  if (mfRunning) return;
  const std::shared_ptr<CResultShock> result = TestResult();
  com::must(result).UpdateStatus(Self(), false);
  MarkResultChanged();
  Guide().ShowResultStatus(result);
  Guide().SetButton103Enabled(Guide().ShockViewGotResults());
}

RV1X_TEST_ELEMENT(CTestShock)

}  // namespace orvanRV1Xtst
