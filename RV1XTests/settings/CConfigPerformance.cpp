#include "settings/CConfigPerformance.h"

#include "runtime/Conversions.h"
#include "settings/ConfigCodeTables.h"
#include "settings/StoredSettings.h"
#include "settings/TestLibraryVersion.h"
#include "xml/XmlDocument.h"

namespace orvanRV1Xtst {

namespace {
const QString kVersion = QStringLiteral("Version");
// The older layout's wave positions were those of the performance list.
constexpr double kOlderWaveBase = 300;
// ... and its amplitude positions steps of 0.5 mV.
constexpr double kOlderStepsPerMillivolt = 2;
}  // namespace

CConfigPerformance::CConfigPerformance()
    : ConfigClass({QStringLiteral("RV1XTests.CConfigPerformance"),
                   QStringLiteral("RV1XTests.XPerformanceConfig"),
                   reporttable::Shape::NarrowFirstColumn}) {}

CConfigPerformance::~CConfigPerformance() = default;

QString CConfigPerformance::ParameterCode(rt::Long kind) const {
  switch (kind) {
    case WaveParameter: {
      const codes::PerformanceWave* wave = codes::performanceWave(wavetype_);
      return wave ? QString::fromLatin1(wave->command) : QString();
    }
    case AmplitudeParameter:
      return codes::performanceAmplitudeCode(amplitude_);
    default:
      return QString();
  }
}

void CConfigPerformance::CopyFrom(const std::shared_ptr<CConfigPerformance>& source) {
  if (!source) return;
  amplitude_ = source->amplitude_;
  duration_ = source->duration_;
  wavetype_ = source->wavetype_;
  CopyTestGuideConfigFrom(*source);
}

void CConfigPerformance::LoadOlderLayout(host::XmlElement& element) {
  using stored::childText;
  using stored::number;
  if (auto text = childText(element, QStringLiteral("AmplitudeIndex")))
    amplitude_ = rt::toSingle(number(*text) / kOlderStepsPerMillivolt);
  if (auto text = childText(element, QStringLiteral("DurationIndex")))
    duration_ = rt::toLong(number(*text));
  if (auto text = childText(element, QStringLiteral("WaveFormIndex")))
    wavetype_ = rt::toLong(number(*text) + kOlderWaveBase);
}

bool CConfigPerformance::LoadSettings(host::XmlElement& element, const host::HostLogPtr&) {
  if (!element.SelectChild(kVersion, 0)) {
    // The older layout carries no guide settings: the fresh ones stay.
    LoadOlderLayout(element);
    return false;
  }
  stored::read(element, QStringLiteral("Duration"), duration_);
  stored::read(element, QStringLiteral("Amplitude"), amplitude_);
  stored::read(element, QStringLiteral("Wavetype"), wavetype_);
  return true;
}

void CConfigPerformance::SaveSettings(host::XmlElement& element, const host::XmlDocumentPtr&) {
  stored::write(element, kVersion, versionText());
  stored::write(element, QStringLiteral("Duration"), stored::numberText(duration_));
  stored::write(element, QStringLiteral("Amplitude"), stored::numberText(amplitude_));
  stored::write(element, QStringLiteral("Wavetype"), stored::numberText(wavetype_));
}

}  // namespace orvanRV1Xtst
