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

const setting::Table<CConfigPerformance>& CConfigPerformance::Settings() {
  using namespace setting;
  using C = CConfigPerformance;
  // Stored after the version in this order, and read in it.
  static const Table<C> table{
      formatted("Duration", &C::duration_, 7, 1),
      formatted("Amplitude", &C::amplitude_, 1.0f, 2),
      formatted("Wavetype", &C::wavetype_, 301, 3),
  };
  return table;
}

CConfigPerformance::CConfigPerformance()
    : TabledConfig({QStringLiteral("RV1XTests.CConfigPerformance"),
                    QStringLiteral("RV1XTests.XPerformanceConfig"),
                    reporttable::Shape::NarrowFirstColumn}) {
  UseDefaults();
}

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

bool CConfigPerformance::LoadSettings(host::XmlElement& element, const host::HostLogPtr& log) {
  if (!element.SelectChild(kVersion, 0)) {
    // The older layout carries no guide settings: the fresh ones stay.
    LoadOlderLayout(element);
    return false;
  }
  return TabledConfig::LoadSettings(element, log);
}

void CConfigPerformance::SaveSettings(host::XmlElement& element,
                                      const host::XmlDocumentPtr& document) {
  stored::write(element, kVersion, versionText());
  TabledConfig::SaveSettings(element, document);
}

}  // namespace orvanRV1Xtst
