#include "settings/CConfigAccuracy.h"

#include "runtime/Conversions.h"
#include "settings/ConfigCodeTables.h"
#include "settings/StoredSettings.h"

namespace orvanRV1Xtst {

namespace {
// Indexes are stored as plain decimal digits, "-" before a negative one.
QString digits(rt::Integer index) {
  return QString::number(index);
}
// A printed value: the number its text begins with, as the user reads numbers.
QString leadingNumber(const QString& text) {
  return rt::cstr(stored::number(text));
}
}  // namespace

CConfigAccuracy::CConfigAccuracy()
    : ConfigClass({QStringLiteral("RV1XTests.CConfigAccuracy"),
                   QStringLiteral("RV1XTests.XAccuracyConfig"),
                   reporttable::Shape::WideFirstColumn}) {}

CConfigAccuracy::~CConfigAccuracy() = default;

QString CConfigAccuracy::LoadCode(rt::Integer index) const {
  return codes::at(codes::kLoadCodes, index);
}

QString CConfigAccuracy::NoiseCode(rt::Integer index) const {
  return codes::at(codes::kNoiseCodes, index);
}

void CConfigAccuracy::CopyFrom(const std::shared_ptr<CConfigAccuracy>& source) {
  if (!source) return;
  loadText_ = source->loadText_;
  rateText_ = source->rateText_;
  noiseText_ = source->noiseText_;
  ampText_ = source->ampText_;
  loadIndex_ = source->loadIndex_;
  rateIndex_ = source->rateIndex_;
  noiseIndex_ = source->noiseIndex_;
  amplitudeIndex_ = source->amplitudeIndex_;
  CopyTestGuideConfigFrom(*source);
}

bool CConfigAccuracy::LoadSettings(host::XmlElement& element, const host::HostLogPtr&) {
  stored::read(element, QStringLiteral("Load"), loadText_);
  stored::read(element, QStringLiteral("LoadIndex"), loadIndex_);
  stored::read(element, QStringLiteral("Noise"), noiseText_);
  stored::read(element, QStringLiteral("NoiseIndex"), noiseIndex_);
  stored::read(element, QStringLiteral("Amplitude"), ampText_);
  stored::read(element, QStringLiteral("AmplitudeIndex"), amplitudeIndex_);
  stored::read(element, QStringLiteral("Rate"), rateText_);
  stored::read(element, QStringLiteral("RateIndex"), rateIndex_);
  return true;
}

void CConfigAccuracy::SaveSettings(host::XmlElement& element, const host::XmlDocumentPtr&) {
  stored::write(element, QStringLiteral("Noise"), noiseText_);
  stored::write(element, QStringLiteral("NoiseIndex"), digits(noiseIndex_));
  stored::write(element, QStringLiteral("Amplitude"), ampText_);
  stored::write(element, QStringLiteral("AmplitudeIndex"), digits(amplitudeIndex_));
  stored::write(element, QStringLiteral("Load"), loadText_);
  stored::write(element, QStringLiteral("LoadIndex"), digits(loadIndex_));
  stored::write(element, QStringLiteral("Rate"), rateText_);
  stored::write(element, QStringLiteral("RateIndex"), digits(rateIndex_));
}

QList<ReportRow> CConfigAccuracy::ReportRows() {
  return {
      {QStringLiteral("20140::Load"), [this] { return leadingNumber(loadText_); },
       QStringLiteral("Ohm")},
      {QStringLiteral("20071::Noise"), [this] { return leadingNumber(noiseText_); },
       QStringLiteral("Hz, mV")},
      {QStringLiteral("20050::Pacemaker rate"), [this] { return leadingNumber(rateText_); },
       QStringLiteral("ppm")},
      {QStringLiteral("20070::Amplitude"), [this] { return leadingNumber(ampText_); },
       QStringLiteral("mA")},
  };
}

}  // namespace orvanRV1Xtst
