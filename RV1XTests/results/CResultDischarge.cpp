#include "results/CResultDischarge.h"

#include "report/HostReport.h"
#include "runtime/ErrorHandling.h"
#include "settings/CConfigDischarge.h"
#include "typelib/ITestElement.h"
#include "waveforms/CWaveFormMkII.h"
#include "waveforms/CWaveformMkIII.h"
#include "xml/XmlDocument.h"

namespace orvanRV1Xtst {

namespace {

constexpr MeasurementSpec kMeasurements[] = {
    {"ENGY", "20130::Energy", "J", valuetype::Number, "# ##0.0"},
    {"DELY", "20133::Delay", "ms", valuetype::Number, "# ##0.0"},
    {"PEKI", "20131::Peak I", "A", valuetype::Number, "# ##0.0"},
    {"PEKU", "20132::Peak U", "V", valuetype::Number, "# ##0.0"},
};

// The poll takes a reply only once its energy is above 0: an energy of 0 is
// none.
constexpr ReplyField kReplyFields[] = {{"ENGY", defibrillatorline::Energy, true},
                                       {"DELY", defibrillatorline::Delay},
                                       {"PEKU", defibrillatorline::PeakVoltage},
                                       {"PEKI", defibrillatorline::PeakCurrent}};

const QString kWaveformElement = QStringLiteral("Waveform");
// The newer generation marks its element so; anything else is the older one.
const QString kNewerGeneration = QStringLiteral("III");

// The report's output kind that may carry a curve, and its option bit that
// asks for it.
constexpr rt::Long kCurveOutput = 3;
constexpr rt::Long kCurveOption = 8;

std::shared_ptr<CConfigDischarge> configurationOf(const host::ITestElementPtr& test) {
  return com::queryInterface<CConfigDischarge>(com::must(test).Configuration());
}

IWaveformPtr newWaveform(bool newerGeneration) {
  if (newerGeneration) return std::make_shared<CWaveformMkIII>();
  return std::make_shared<CWaveFormMkII>();
}

}  // namespace

CResultDischarge::CResultDischarge()
    : CLimitedResult({QStringLiteral("RV1XTests.CResultDischarge"),
                      QStringLiteral("20345::Loading Discharge Test result data"),
                      QStringLiteral("RV1XTests.XPerformDischarge")}) {}

CResultDischarge::~CResultDischarge() = default;

void CResultDischarge::Initialize(const host::ITestElementPtr& test) {
  ownerTest_ = test;
  NewMeasurements();
  std::shared_ptr<CConfigDischarge> config;
  rt::ignoreErrors([&] { config = configurationOf(test); });
  for (const MeasurementSpec& spec : kMeasurements) {
    const bool energy = QLatin1String(spec.key) == QLatin1String("ENGY");
    AddMeasurement(spec,
                   energy && config ? QVariant::fromValue(config->PresetEnergy()) : QVariant());
  }
}

void CResultDischarge::StoreResult(const QString& reply) {
  StoreReplyFields(reply, kDefibrillatorLine, kReplyFields);
}

void CResultDischarge::StoreWaveForm(const QVariant& vWaveData, const QString& sRange,
                                     bool newerGeneration) {
  std::shared_ptr<CConfigDischarge> config;
  rt::ignoreErrorsEach(
      [&] { config = configurationOf(ownerTest_.lock()); },
      [&] { waveform_ = newWaveform(newerGeneration); },
      [&] { com::must(waveform_).SetIncludeInReport(com::must(config).PrintWaveform()); },
      [&] { com::must(waveform_).Initialize(vWaveData, sRange); });
}

bool CResultDischarge::HasDialog() {
  return CLimitedResult::HasDialog() || waveform_ != nullptr;
}

void CResultDischarge::LoadOtherChild(const QString& tag, const host::XmlElementPtr& child,
                                      const host::HostLogPtr& log) {
  if (tag != kWaveformElement) return;
  waveform_ = newWaveform(child->Attribute(QStringLiteral("Mk")) == kNewerGeneration);
  waveform_->Load(child, log);
}

void CResultDischarge::SaveAfterMeasurements(host::XmlElement& element,
                                             const host::XmlDocumentPtr& document) {
  if (!SavesMeasurements() || !waveform_ || waveform_->ValueCount() <= 0) return;
  if (host::XmlElementPtr stored = waveform_->Save(document)) element.AppendChild(stored);
}

void CResultDischarge::PrintAfterTable(const host::HostReportPtr& report) {
  rt::Long options = 0;
  rt::ignoreErrorsEach(
      [&] {
        if (report->OutputKind() == kCurveOutput) options = report->OptionFlags();
      },
      [&] {
        if ((options & kCurveOption) != 0 && waveform_) waveform_->PrintReport(report);
      });
}

}  // namespace orvanRV1Xtst
