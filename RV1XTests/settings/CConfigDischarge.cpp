#include "settings/CConfigDischarge.h"

#include "runtime/Conversions.h"
#include "settings/ConfigCodeTables.h"

namespace orvanRV1Xtst {

const setting::Table<CConfigDischarge>& CConfigDischarge::Settings() {
  using namespace setting;
  using C = CConfigDischarge;
  static const Table<C> table{
      text("Amplitude", &C::amplitudeText_, QStringLiteral("1,0 mV"), 2)
          .printed(1, "20134::Amplitude", "mV"),
      // The step is read back with "." as the decimal point, so it is
      // written with "." whatever the user's locale: a fractional step from
      // an edited document survives the next save. A copy takes it through
      // its reader: a stored step beyond the 16-bit range overflows there,
      // as it would for any other reader.
      formatted("AmplitudeIndex", &C::amplitudeStep_, 2, 3).copiedThrough(&C::AmplitudeIndex),
      formatted("PresetEnergy", &C::presetEnergy_, 100, 1),
      text("Wavetype", &C::wavetypeText_, QString(), 4).printed(2, "20135::ECG wave", "None"),
      digits("WaveFormIndex", &C::waveFormIndex_, 1, 5),
      flag("FetchWaveform", &C::fetchWaveform_, true, 6),
      flag("PrintWaveform", &C::printWaveform_, true, 7),
      flag("AutoPlayback", &C::autoPlayback_, false, 8),
  };
  return table;
}

CConfigDischarge::CConfigDischarge()
    : TabledConfig({QStringLiteral("RV1XTests.CConfigDischarge"),
                    QStringLiteral("RV1XTests.XDischargeConfig"),
                    reporttable::Shape::WideFirstColumn}) {
  UseDefaults();
}

CConfigDischarge::~CConfigDischarge() = default;

rt::Integer CConfigDischarge::AmplitudeIndex() const {
  return rt::toInteger(static_cast<double>(amplitudeStep_));
}

QString CConfigDischarge::WaveCode(rt::Integer index) {
  if (index < 0 || index >= static_cast<int>(codes::kDischargeWaves.size())) return QString();
  const codes::DischargeWave& wave = codes::kDischargeWaves[static_cast<std::size_t>(index)];
  wavetypeText_ = QString::fromLatin1(wave.name);
  return QString::fromLatin1(wave.command);
}

QString CConfigDischarge::AmplitudeCode(rt::Integer step) const {
  return codes::at(codes::kAmplitudeStepCodes, step);
}

}  // namespace orvanRV1Xtst
