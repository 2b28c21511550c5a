#include "waveforms/CWaveForm.h"

#include <optional>

#include "report/HostReport.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorHandling.h"
#include "services/ErrorService.h"
#include "services/HostLog.h"
#include "settings/ErrorHandOn.h"
#include "settings/StoredSettings.h"
#include "waveforms/CWaveformPrinter.h"
#include "xml/XmlDocument.h"

namespace orvanRV1Xtst {

namespace {

const QString kElement = QStringLiteral("Waveform");
const QString kMkAttribute = QStringLiteral("Mk");
const QString kPrintElement = QStringLiteral("PrintWaveform");
const QString kTitleKey = QStringLiteral("20325::Defibrillator Discharge Curve");

void reportBlockFault(rt::Long number, const QString& description) {
  host::errors().ReportError(rt::RuntimeError(number, kWaveformSource, description),
                             kWaveformSource);
}

}  // namespace

CWaveForm::CWaveForm(WaveGeneration generation) : generation_(std::move(generation)) {
  ResizeFor(0);
  // A fixed array counts as samples from the start.
  valueCount_ = static_cast<rt::Long>(values_.size());
}

CWaveForm::~CWaveForm() = default;

IWaveform::~IWaveform() = default;

QVariant CWaveForm::Values() {
  return QVariant::fromValue(values_);
}

rt::Single CWaveForm::ScaleFor(const QString& range) const {
  if (range == QStringLiteral("H!")) return generation_.highScale;
  if (range == QStringLiteral("L!")) return generation_.lowScale;
  return 0.0f;
}

void CWaveForm::ResizeFor(qsizetype samples) {
  if (generation_.fixedSamples > 0)
    values_.resize(generation_.fixedSamples);
  else
    values_.resize(samples);
}

void CWaveForm::Initialize(const QVariant& vWaveData, const QString& sRange) {
  const double scale = ScaleFor(sRange);
  const bool isBlock = vWaveData.typeId() == QMetaType::QByteArray;
  const QByteArray block = isBlock ? vWaveData.toByteArray() : QByteArray();
  const qsizetype fixed = generation_.fixedSamples;
  // The older generation's decoder takes the samples at the front of a
  // longer block; the newer one has as many samples as whole pairs.
  const qsizetype wanted = fixed > 0 ? fixed : (block.size() + 1) / 2;
  const qsizetype whole = std::min(wanted, block.size() / 2);

  std::optional<rt::RuntimeError> fault;
  if (!isBlock)
    fault = rt::RuntimeError(rt::err::TypeMismatch, kWaveformSource,
                             QStringLiteral("The waveform data is not a block of bytes"));
  else if (whole < wanted)
    fault = rt::RuntimeError(
        rt::err::SubscriptOutOfRange, kWaveformSource,
        QStringLiteral("The waveform block of %1 bytes holds only %2 of its %3 samples")
            .arg(block.size())
            .arg(whole)
            .arg(wanted));

  values_.clear();
  ResizeFor(whole);
  valueCount_ = 0;
  qsizetype beyond = 0;  // samples with bits beyond the counts
  qsizetype firstBeyond = 0;
  for (qsizetype p = 0; p < whole; ++p) {
    const auto hi = static_cast<rt::Byte>(block.at(2 * p));
    const auto lo = static_cast<rt::Byte>(block.at(2 * p + 1));
    if (BeyondCount(hi) && beyond++ == 0) firstBeyond = p + 1;
    const bool decoded = rt::onError(
        [&] {
          rt::Single amperes = static_cast<rt::Single>(RawSample(hi, lo) * scale);
          // A zero count on a negative scale is zero, not minus zero.
          if (amperes == 0.0f) amperes = 0.0f;
          values_[p] = amperes;
          return true;
        },
        [&](const rt::RuntimeError& error) {
          fault = rt::RuntimeError(
              error.Number(), kWaveformSource,
              QStringLiteral("Waveform sample %1 of %2 cannot be decoded (%3); the samples "
                             "before it are kept")
                  .arg(p + 1)
                  .arg(wanted)
                  .arg(error.Description()));
          return false;
        });
    if (!decoded) break;
    ++valueCount_;
  }
  if (generation_.fixedSamples == 0) values_.resize(valueCount_);
  if (fault) reportBlockFault(fault->Number(), fault->Description());
  if (beyond > 0)
    reportBlockFault(rt::err::Overflow,
                     QStringLiteral("The waveform block carries bits beyond %1 in %2 of its %3 "
                                    "samples, the first at sample %4; each is kept with the "
                                    "value the %1-bit rule gives it")
                         .arg(CountBits())
                         .arg(beyond)
                         .arg(whole)
                         .arg(firstBeyond));
}

void CWaveForm::StoreFields(const QList<QStringView>& fields) {
  const qsizetype fixed = generation_.fixedSamples;
  // The fixed array keeps what lies after the stored fields; only the
  // first ValueCount entries are samples.
  const qsizetype stored = fixed > 0 ? std::min(fields.size(), fixed) : fields.size();
  if (fixed == 0) values_ = QList<rt::Single>(stored, 0.0f);
  // Each field read where it lies in the text, not copied out of it.
  for (qsizetype i = 0; i < stored; ++i) values_[i] = rt::toSingle(stored::number(fields.at(i)));
  valueCount_ = static_cast<rt::Long>(stored);
}

void CWaveForm::Load(const host::XmlElementPtr& ixeIn, const host::HostLogPtr& iprLog) {
  rt::Long step = 0;
  auto endStep = [&] {
    if (step != 0) rt::ignoreErrors([&] { iprLog->EndStep(step); });
  };
  rt::onError(
      [&] {
        if (iprLog) step = iprLog->BeginStep(QString(), QString());
        host::XmlElement& element = com::must(ixeIn);
        // The element's own text: the "PrintWaveform" child's text is no sample.
        const QString text = element.OwnText();
        StoreFields(text.isEmpty() ? QList<QStringView>() : QStringView(text).split(u';'));
        stored::read(element, kPrintElement, includeInReport_);
        endStep();
      },
      [&](const rt::RuntimeError& error) {
        valueCount_ = 0;
        endStep();
        host::errors().ReportError(error, kWaveformSource);
      });
}

QString CWaveForm::ValuesText() {
  QString text;
  const qsizetype count = std::min<qsizetype>(valueCount_, values_.size());
  text.reserve(count * 8);
  for (qsizetype i = 0; i < count; ++i) {
    if (i > 0) text += u';';
    stored::appendNumberText(text, values_.at(i));
  }
  text.squeeze();
  return text;
}

host::XmlElementPtr CWaveForm::Save(const host::XmlDocumentPtr& ixdOwner) {
  return rt::onError(
      [&]() -> host::XmlElementPtr {
        // A waveform without samples makes no element: the caller hears of
        // it, as of any save that stores nothing.
        if (valueCount_ < 1)
          rt::raise(rt::err::ObjectNotSet, kWaveformSource,
                    QStringLiteral("The waveform holds no samples to store"));
        host::XmlElementPtr element = com::must(ixdOwner).CreateElement(kElement);
        if (!element)
          host::errors().RaiseError(host::kProduct, kWaveformSaveError, kWaveformSource,
                                    kWaveformSaveSeverity);
        host::XmlElement& made = com::must(element);
        if (!generation_.mk.isEmpty()) made.SetAttribute(kMkAttribute, generation_.mk);
        made.SetText(ValuesText());
        stored::write(made, kPrintElement, stored::flagText(includeInReport_));
        return element;
      },
      [&](const rt::RuntimeError& error) -> host::XmlElementPtr {
        handOnOrReport(error, kWaveformSaveError, kWaveformSource);
        return nullptr;
      });
}

void CWaveForm::PrintReport(const host::HostReportPtr& iarReport) {
  if (!includeInReport_ || !iarReport) return;
  QString title;
  rt::ignoreErrorsEach([&] { title = iarReport->Translate(host::kProduct, kTitleKey, {}); },
                       [&] {
                         CWaveformPrinter printer;
                         printer.PrintCurve(shared_from_this(), title, iarReport);
                       });
}

}  // namespace orvanRV1Xtst
