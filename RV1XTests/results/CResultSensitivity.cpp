#include "results/CResultSensitivity.h"

#include "runtime/Conversions.h"
#include "runtime/ErrorHandling.h"

namespace orvanRV1Xtst {

namespace {

constexpr MeasurementSpec kMeasurements[] = {
    {"PADS", "20146::Sensitivity pads", "mV", valuetype::Number, "# ##0.00"},
    {"ECG", "20147::Sensitivity ECG", "mV", valuetype::Number, "# ##0.00"},
};

// The run polls until the pads' field shows more than 0: 0 is none.
constexpr ReplyField kPads[] = {{"PADS", pacerline::Sensitivity, true}};

// What the ECG input sees of the pads' signal, by load index; the last
// divisor serves every higher index.
constexpr double kEcgDivisors[] = {1, 2.5, 5, 7.5, 10, 15, 20, 25};

double ecgDivisor(rt::Long loadIndex) {
  if (loadIndex < 0) return 1;
  constexpr rt::Long last = std::size(kEcgDivisors) - 1;
  return kEcgDivisors[loadIndex > last ? last : loadIndex];
}

}  // namespace

CResultSensitivity::CResultSensitivity()
    : CLimitedResult({QStringLiteral("RV1XTests.CResultSensitivity"),
                      QStringLiteral("20338::Loading Sensitivity Test result data"),
                      QStringLiteral("RV1XTests.XDetailedResult")}) {}

CResultSensitivity::~CResultSensitivity() = default;

void CResultSensitivity::Initialize(const host::IConfigDataPtr&) {
  NewMeasurements();
  for (const MeasurementSpec& spec : kMeasurements) AddMeasurement(spec);
}

void CResultSensitivity::StoreResult(const QString& reply, rt::Long loadIndex) {
  if (!reply.isEmpty()) {
    rt::ignoreErrors([&] {
      QVariant pads;
      QVariant ecg;
      const std::optional<double> reading = MeasuredFields(reply, kPacerLine, kPads).value(0);
      if (reading) {
        pads = QVariant::fromValue(rt::toSingle(*reading));
        // Derived from the reading itself, so that it is rounded to single
        // precision once: 1.2 mV over 2.5 is 0.48, not 0.48000002.
        ecg = QVariant::fromValue(rt::toSingle(*reading / ecgDivisor(loadIndex)));
      }
      com::must(MeasurementByKey(QStringLiteral("PADS"))).SetValue(pads);
      com::must(MeasurementByKey(QStringLiteral("ECG"))).SetValue(ecg);
    });
  }
  MarkStored();
}

}  // namespace orvanRV1Xtst
