#include "results/CResultAccuracy.h"

#include "runtime/Conversions.h"
#include "settings/CConfigAccuracy.h"
#include "xml/XmlDocument.h"

namespace orvanRV1Xtst {

namespace {

constexpr MeasurementSpec kRate{"RATE", "20072::Rate", "ppm", valuetype::WholeNumber, "# ##0"};
constexpr MeasurementSpec kAmplitude{"AMPL", "20070::Amplitude", "mA", valuetype::Number,
                                     "# ##0.0"};
constexpr MeasurementSpec kPulseWidth{"PWID", "20073::Pulse width", "ms", valuetype::Number,
                                      "# ##0.0"};

// The analyzer shows 0 until it sees pacer pulses ("000" pulses a minute):
// a rate, amplitude or pulse width of 0 is none.
constexpr ReplyField kReplyFields[] = {{"RATE", pacerline::Rate, true},
                                       {"AMPL", pacerline::Amplitude, true},
                                       {"PWID", pacerline::PulseWidth, true}};

// The measurement of an older release that this result no longer has.
const QString kRetiredKey = QStringLiteral("PENG");

}  // namespace

CResultAccuracy::CResultAccuracy()
    : CLimitedResult({QStringLiteral("RV1XTests.CResultAccuracy"),
                      QStringLiteral("20336::Loding Accuracy Test results data"),
                      QStringLiteral("RV1XTests.XDetailedResult")}) {}

CResultAccuracy::~CResultAccuracy() = default;

void CResultAccuracy::Initialize(const host::IConfigDataPtr& config) {
  NewMeasurements();
  QVariant rate;
  QVariant amplitude;
  if (auto accuracy = com::queryInterface<CConfigAccuracy>(config)) {
    rate = rt::val(accuracy->RateText());
    amplitude = rt::val(accuracy->AmpText());
  }
  AddMeasurement(kRate, rate);
  AddMeasurement(kAmplitude, amplitude);
  AddMeasurement(kPulseWidth);
}

void CResultAccuracy::StoreResult(const QString& reply) {
  StoreReplyFields(reply, kPacerLine, kReplyFields);
}

void CResultAccuracy::LoadMeasurement(const host::XmlElementPtr& child,
                                      const host::HostLogPtr& log) {
  // Measurement keys are found without regard to case; the retired one is
  // recognised the same way.
  if (com::must(child).Attribute(QStringLiteral("Key")).compare(kRetiredKey, Qt::CaseInsensitive) ==
      0)
    return;
  CLimitedResult::LoadMeasurement(child, log);
}

}  // namespace orvanRV1Xtst
