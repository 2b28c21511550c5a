#include "tests/CTestDischarge.h"

#include "orvanRV1Xvti/CRV1XVTi.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorHandling.h"
#include "services/ErrorService.h"
#include "services/LanguageService.h"
#include "services/RegistryHelper.h"
#include "tests/AnalyzerCommands.h"
#include "tests/FRV1XTestGuide.h"
#include "tests/InstructionSteps.h"
#include "waveforms/XPerformDischarge.h"

namespace orvanRV1Xtst {

namespace {
const QString kWaitPicture = QStringLiteral("TI:WAIT");
const QString kShockPicture = QStringLiteral("TI:SHOCK");
const QString kPleaseWait = QStringLiteral("20293::Please wait...");
const QString kSettingsKey = QStringLiteral("Software\\Tavrin\\orvan\\RV-1X");
const QString kRangeThreshold = QStringLiteral("RangeThreshold");
constexpr rt::Long kDischargePollMs = 300;
// The wave list's positions are 16-bit in the analyzer's code table.
constexpr rt::Long kLargestWavePosition = 32767;
}  // namespace

CTestDischarge::CTestDischarge(Made)
    : CTestClass({.testID = 200,
                  .source = QStringLiteral("RV1XTests.CTestDischarge"),
                  .measurements = {{"ENGY", "20130::Energy"},
                                   {"DELY", "20133::Delay"},
                                   {"PEKI", "20131::Peak I"},
                                   {"PEKU", "20132::Peak U"}}}) {}

void CTestDischarge::ReadRangeThreshold() {
  host::RegistryHelper key;
  rt::ignoreErrors([&] {
    key.OpenKey(host::HKEY_LOCAL_MACHINE, kSettingsKey);
    const QVariant value = key.ReadValue(kRangeThreshold);
    if (!rt::isEmpty(value)) mlRangeThreshold = rt::toLong(value);
  });
}

double CTestDischarge::RoundedEnergy() {
  return rt::roundHalfEven(static_cast<double>(com::must(TestConfig()).PresetEnergy()));
}

QStringList CTestDischarge::BuildInstructionSteps() {
  ReadRangeThreshold();
  const QString range = host::translated(NeedsHighRange() ? QStringLiteral("20025::High")
                                                          : QStringLiteral("20026::Low"));
  return translatedSteps({
      {QStringLiteral("20020::1. On defibrillator, set Defibrillator energy to %%1 J."),
       {QString::number(RoundedEnergy(), 'f', 0)}},
      {QStringLiteral("20021::2. Set range to '%%1' on the RV-11/15"), {range}},
      {QStringLiteral("20022::3. Press play to start test.")},
      {},
      {},
  });
}

RangeWait CTestDischarge::RangeWanted() {
  // The range the operator's step names.
  return NeedsHighRange() ? rangewait::High(false) : rangewait::Low(false);
}

void CTestDischarge::PrepareRun() {
  CConfigDischarge& config = com::must(TestConfig());
  const rt::Long wave = config.WaveFormIndex();
  waveCode_ = settingCommand(wave >= 0 && wave <= kLargestWavePosition
                                 ? config.WaveCode(static_cast<rt::Integer>(wave))
                                 : QString(),
                             QStringLiteral("ECG wave"), QStringLiteral("position %1").arg(wave));
  amplitudeCode_ = settingCommand(
      rt::orDefault([&] { return config.AmplitudeCode(config.AmplitudeIndex()); }, QString()),
      QStringLiteral("ECG amplitude"), QStringLiteral("\"%1\"").arg(config.AmplitudeText()));
}

void CTestDischarge::FillGuide(bool hasResult) {
  FRV1XTestGuide& guide = Guide();
  guide.SetRunState(runstate::Idle, hasResult);
  guide.ShowResultStatus(Base().Result());
  InitGuideWith(BuildInstructionSteps());
  // A stored or loaded curve is there as soon as the window opens.
  if (const auto result = std::dynamic_pointer_cast<CResultDischarge>(Base().Result()))
    guide.ShowDischargeWaveform(result->Waveform());
}

void CTestDischarge::StartingRun() {
  FRV1XTestGuide& guide = Guide();
  guide.SetRunState(runstate::Running, false);
  guide.SetStatusText(QStringLiteral("20291::Test in progress"));
  guide.ShowInstruction(kWaitPicture, kPleaseWait, false);
}

void CTestDischarge::RunMeasurement() {
  const QString range = WaitForRange();
  Send(QStringLiteral("R"));
  if (mfStop) return;
  CConfigDischarge& config = com::must(TestConfig());
  Send(waveCode_);
  Send(amplitudeCode_);
  orvanRV1Xvti::CRV1XVTi& link = Link();
  if (link.IsMkIII()) Send(config.AutoPlayback() ? QStringLiteral("G") : QStringLiteral("J"));
  if (mfStop) return;
  Guide().ShowInstruction(kShockPicture, QStringLiteral("20023::DEFIBRILLATE NOW"), true);
  QString reply;
  do {
    link.Wait(kDischargePollMs);
    reply = pollDischarge([this](const QString& command) { return Send(command); });
  } while (reply.isEmpty() && !mfStop);
  Guide().HideInstruction();
  // A measurement that came with the poll after Stop is not kept: the
  // operator ended the test.
  if (mfStop) return;
  CResultDischarge& result = com::must(TestResult());
  result.StoreResult(reply);
  UpdateResultStatus(result, false);
  Guide().ShowResult(OwnResult());
  Guide().SetStatusText(QStringLiteral("20024::Retrieving waveform, please wait..."));
  if (config.FetchWaveform()) FetchWaveform(result, range);
  Guide().ShowDischargeWaveform(result.Waveform());
}

void CTestDischarge::FetchWaveform(CResultDischarge& result, const QString& range) {
  rt::onError(
      [&] {
        orvanRV1Xvti::CRV1XVTi& link = Link();
        const QVariant block = link.SendCommand(QStringLiteral("P"), false);
        // A read that Stop cut short is not a curve.
        if (!mfStop) result.StoreWaveForm(block, range, link.IsMkIII());
      },
      [&](const rt::RuntimeError& error) {
        rt::ignoreErrors([&] {
          QString why = QStringLiteral(
              "The discharge curve could not be read; the measured values are kept without it.");
          if (!error.Description().isEmpty())
            why += QStringLiteral(" (%1)").arg(error.Description());
          host::errors().ReportError(rt::RuntimeError(error.Number(), error.Source(), why),
                                     kind().source);
        });
      });
}

void CTestDischarge::EndingRun() {
  FRV1XTestGuide& guide = Guide();
  guide.HideInstruction();
  guide.SetStatusText(QString());
  guide.ShowResultStatus(Base().Result());
  guide.SetRunState(runstate::Idle, !mfStop);
}

void CTestDischarge::RunFailed() {
  Guide().HideInstruction();
}

void CTestDischarge::mfrmTestGuide_AbortTest() {
  CTestFrame::mfrmTestGuide_AbortTest();
  rt::ignoreErrors([&] { com::must(Guide().xpdPerformDischarge()).ResetWaveForm(); });
}

RV1X_TEST_ELEMENT(CTestDischarge)

}  // namespace orvanRV1Xtst
