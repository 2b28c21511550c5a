#include "tests/CTestDischarge.h"

#include "runtime/Conversions.h"
#include "runtime/ErrorHandling.h"
#include "services/RegistryHelper.h"
#include "tests/FRV1XTestGuide.h"
#include "waveforms/XPerformDischarge.h"

namespace orvanRV1Xtst {

namespace {
const QString kWaitPicture = QStringLiteral("TI:WAIT");
const QString kPleaseWait = QStringLiteral("20293::Please wait...");
const QString kSettingsKey = QStringLiteral("Software\\Tavrin\\orvan\\RV-1X");
const QString kRangeThreshold = QStringLiteral("RangeThreshold");
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

QStringList CTestDischarge::BuildInstructionSteps() {
  ReadRangeThreshold();
  // The operator's steps (the energy, the range by the threshold, Play) go
  // here.
  return {};
}

RangeWait CTestDischarge::RangeWanted() {
  const std::shared_ptr<CConfigDischarge> config = TestConfig();
  const double energy = config ? static_cast<double>(config->PresetEnergy()) : 0.0;
  return energy > mlRangeThreshold ? rangewait::High(false) : rangewait::Low(false);
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
  Q_UNUSED(range)
  // "R", the wave and amplitude codes, the playback mode, the polls for the
  // discharge, storing the reply and the curve (with this range reply) go
  // here.
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
