#include "settings/CConfigDischarge.h"

#include "runtime/Conversions.h"
#include "runtime/NumberDisplay.h"
#include "settings/ConfigCodeTables.h"
#include "settings/StoredSettings.h"

namespace orvanRV1Xtst {

CConfigDischarge::CConfigDischarge()
    : ConfigClass({QStringLiteral("RV1XTests.CConfigDischarge"),
                   QStringLiteral("RV1XTests.XDischargeConfig"),
                   reporttable::Shape::WideFirstColumn}) {}

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

void CConfigDischarge::CopyFrom(const std::shared_ptr<CConfigDischarge>& source) {
  if (!source) return;
  presetEnergy_ = source->presetEnergy_;
  // Through the step's reader: a stored step beyond the 16-bit range
  // overflows here, as it would for any other reader.
  amplitudeStep_ = source->AmplitudeIndex();
  amplitudeText_ = source->amplitudeText_;
  waveFormIndex_ = source->waveFormIndex_;
  wavetypeText_ = source->wavetypeText_;
  fetchWaveform_ = source->fetchWaveform_;
  printWaveform_ = source->printWaveform_;
  autoPlayback_ = source->autoPlayback_;
  CopyTestGuideConfigFrom(*source);
}

bool CConfigDischarge::LoadSettings(host::XmlElement& element, const host::HostLogPtr&) {
  stored::read(element, QStringLiteral("PresetEnergy"), presetEnergy_);
  stored::read(element, QStringLiteral("Amplitude"), amplitudeText_);
  stored::read(element, QStringLiteral("AmplitudeIndex"), amplitudeStep_);
  stored::read(element, QStringLiteral("Wavetype"), wavetypeText_);
  stored::read(element, QStringLiteral("WaveFormIndex"), waveFormIndex_);
  stored::read(element, QStringLiteral("FetchWaveform"), fetchWaveform_);
  stored::read(element, QStringLiteral("PrintWaveform"), printWaveform_);
  stored::read(element, QStringLiteral("AutoPlayback"), autoPlayback_);
  return true;
}

void CConfigDischarge::SaveSettings(host::XmlElement& element, const host::XmlDocumentPtr&) {
  stored::write(element, QStringLiteral("Amplitude"), amplitudeText_);
  // The step is read back with "." as the decimal point, so it is written
  // with "." whatever the user's locale: a fractional step from an edited
  // document survives the next save.
  stored::write(element, QStringLiteral("AmplitudeIndex"), stored::numberText(amplitudeStep_));
  stored::write(element, QStringLiteral("PresetEnergy"), stored::numberText(presetEnergy_));
  stored::write(element, QStringLiteral("Wavetype"), wavetypeText_);
  stored::write(element, QStringLiteral("WaveFormIndex"), QString::number(waveFormIndex_));
  stored::write(element, QStringLiteral("FetchWaveform"), stored::flagText(fetchWaveform_));
  stored::write(element, QStringLiteral("PrintWaveform"), stored::flagText(printWaveform_));
  stored::write(element, QStringLiteral("AutoPlayback"), stored::flagText(autoPlayback_));
}

QList<ReportRow> CConfigDischarge::ReportRows() {
  const QString whole = QStringLiteral("#0");
  return {
      {QStringLiteral("20134::Amplitude"),
       [this, whole] { return rt::format(amplitudeText_, whole); }, QStringLiteral("mV")},
      {QStringLiteral("20135::ECG wave"),
       [this, whole] { return rt::format(wavetypeText_, whole); }, QStringLiteral("None")},
  };
}

}  // namespace orvanRV1Xtst
