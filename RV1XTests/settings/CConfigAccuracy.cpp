#include "settings/CConfigAccuracy.h"

#include "settings/ConfigCodeTables.h"

namespace orvanRV1Xtst {

const setting::Table<CConfigAccuracy>& CConfigAccuracy::Settings() {
  using namespace setting;
  using C = CConfigAccuracy;
  // The printed values are the numbers the texts begin with.
  constexpr Shown kNumber = Shown::LeadingNumber;
  static const Table<C> table{
      text("Noise", &C::noiseText_, QStringLiteral("Off"), 3)
          .printed(2, "20071::Noise", "Hz, mV", kNumber),
      digits("NoiseIndex", &C::noiseIndex_, 0, 4),
      text("Amplitude", &C::ampText_, QStringLiteral("30 mA"), 5)
          .printed(4, "20070::Amplitude", "mA", kNumber),
      digits("AmplitudeIndex", &C::amplitudeIndex_, 0, 6),
      text("Load", &C::loadText_, QStringLiteral("Fixed load"), 1)
          .printed(1, "20140::Load", "Ohm", kNumber),
      digits("LoadIndex", &C::loadIndex_, 0, 2),
      text("Rate", &C::rateText_, QStringLiteral("40 ppm"), 7)
          .printed(3, "20050::Pacemaker rate", "ppm", kNumber),
      digits("RateIndex", &C::rateIndex_, 0, 8),
  };
  return table;
}

CConfigAccuracy::CConfigAccuracy()
    : TabledConfig({QStringLiteral("RV1XTests.CConfigAccuracy"),
                    QStringLiteral("RV1XTests.XAccuracyConfig"),
                    reporttable::Shape::WideFirstColumn}) {
  UseDefaults();
}

CConfigAccuracy::~CConfigAccuracy() = default;

QString CConfigAccuracy::LoadCode(rt::Integer index) const {
  return codes::at(codes::kLoadCodes, index);
}

QString CConfigAccuracy::NoiseCode(rt::Integer index) const {
  return codes::at(codes::kNoiseCodes, index);
}

}  // namespace orvanRV1Xtst
