#include "results/CResultBase.h"

#include "limits/Standard.h"
#include "limits/StandardsCollection.h"
#include "records/RunObjects.h"
#include "records/ServiceRecord.h"
#include "report/HostReport.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorHandling.h"
#include "services/ErrorService.h"
#include "services/HostLog.h"
#include "services/LanguageService.h"
#include "services/NumberFormatter.h"
#include "settings/ErrorHandOn.h"
#include "settings/HostedDialog.h"
#include "settings/ReportTableSequence.h"
#include "typelib/ITestElement.h"
#include "xml/XmlDocument.h"
#include "xml/XmlHelper.h"

namespace orvanRV1Xtst {

namespace {

const QString kElement = QStringLiteral("ResultItem");
const QString kMtiAttribute = QStringLiteral("MTI");
const QString kCommentElement = QStringLiteral("Comment");
const QString kStatusElement = QStringLiteral("Status");
const QString kMeasurementElement = QStringLiteral("Measurement");
const QString kServiceRecordElement = QStringLiteral("ServiceRecord");
const QString kKeyAttribute = QStringLiteral("Key");
const QString kStandardElement = QStringLiteral("Standard");
const QString kAlphaNameAttribute = QStringLiteral("AlphaName");
const QString kCompleteNameAttribute = QStringLiteral("CompleteName");

constexpr rt::Long kLoadSeverity = 4;
constexpr rt::Long kSaveSeverity = 3;

const QString kFailedFlag = QStringLiteral("F");
const QString kNotApplicableFlag = QStringLiteral("NA");

}  // namespace

CResultBase::CResultBase(ResultKind kind) : kind_(std::move(kind)) {}

CResultBase::~CResultBase() = default;

host::IMeasurementPtr CResultBase::Measurement(const QVariant& index) {
  return rt::orDefault(
      [&]() -> host::IMeasurementPtr {
        if (index.typeId() == QMetaType::QString) return MeasurementByKey(index.toString());
        return measurements_.Item(rt::toLong(index));
      },
      host::IMeasurementPtr());
}

QString CResultBase::NotJudgedKey() const {
  if (status_ != host::resultstatus::NotEvaluated) return QString();
  return notJudged_.isEmpty() ? NeverJudgedKey() : notJudged_;
}

QString CResultBase::NotJudgedReason() {
  const QString key = NotJudgedKey();
  if (key.isEmpty()) return QString();
  return host::translated(key);
}

CMeasurementPtr CResultBase::MeasurementByKey(const QString& key) const {
  return measurements_.Contains(key) ? measurements_.Item(key) : nullptr;
}

bool CResultBase::HasMeasuredValue() const {
  for (const CMeasurementPtr& measurement : measurements_)
    if (measurement && measurement->HasValue()) return true;
  return false;
}

CMeasurementPtr CResultBase::AddMeasurement(const MeasurementSpec& spec, const QVariant& preset) {
  auto measurement = std::make_shared<CMeasurement>();
  measurement->Initialize(QLatin1String(spec.key), QLatin1String(spec.description),
                          QLatin1String(spec.unit), spec.valueType);
  measurement->SetValueFormat(QLatin1String(spec.pattern));
  measurement->SetPresetValue(preset);
  measurements_.Add(measurement, measurement->Key());
  return measurement;
}

void CResultBase::BuildServiceRecord(const host::TestFilterPtr& filter) {
  rt::ignoreErrors([&] {
    if ((com::must(filter).Flags() & host::TestFilter::BuildServiceRecord) == 0) return;
    if (status_ == host::resultstatus::NotEvaluated) return;
    QString flag;
    QString summary;
    if (status_ == host::resultstatus::NotApplicable) {
      flag = kNotApplicableFlag;
    } else {
      for (const CMeasurementPtr& measurement : measurements_) {
        QString text;
        rt::Long status = 0;
        rt::ignoreErrors([&] { com::must(measurement).GetValueText(text, status); });
        if (status == host::resultstatus::Failed) flag = kFailedFlag;
        if (!text.isEmpty()) summary += u'/' + text;
      }
    }
    serviceRecord_ = std::make_shared<host::ServiceRecord>();
    serviceRecord_->Build(filter, flag, summary);
  });
}

void CResultBase::SkipDiscardingVerdicts() {
  SetVerdict(host::resultstatus::NotApplicable);
  for (const CMeasurementPtr& measurement : measurements_) {
    measurement->SetNotJudged(QString());
    measurement->SetValue(QVariant());
  }
}

void CResultBase::BuildServiceRecordOf(const host::ITestElementPtr& test) {
  BuildServiceRecord(
      rt::orDefault([&] { return com::must(test).Filter(); }, host::TestFilterPtr()));
}

host::IDialogPtr CResultBase::CreateDialog() {
  return rt::orDefault(
      [&] { return hostedDialog(kind_.dialogProgId, com::toVariantOf(shared_from_this())); },
      host::IDialogPtr());
}

// --- stored form --------------------------------------------------------------

void CResultBase::Load(const host::XmlElementPtr& ixeIn, const host::HostLogPtr& iprLog) {
  rt::Long step = 0;
  rt::onError(
      [&] {
        if (iprLog) {
          const QString text = host::translated(kind_.loadingTextKey);
          step = iprLog->BeginStep(text, QString());
        }
        host::XmlElement& element = com::must(ixeIn);
        if (element.TagName() != kElement)
          host::errors().RaiseError(host::kProduct, kResultLoadError, kind_.source, kLoadSeverity);
        const QString mti = element.Attribute(kMtiAttribute);
        if (!mti.isEmpty()) mtiId_ = rt::toLong(rt::val(mti));
        BeginLoad(element);
        comment_.clear();
        statusText_.clear();
        notJudged_.clear();
        judgedBy_.reset();
        status_ = host::resultstatus::NotEvaluated;
        const bool statusRead = LoadChildren(element, iprLog);
        EndLoad();
        if (!statusRead) ReportUnreadStatus();
        if (step != 0) iprLog->EndStep(step);
      },
      [&](const rt::RuntimeError& error) {
        if (step != 0) rt::ignoreErrors([&] { iprLog->EndStep(step); });
        handOnOrReport(error, kResultLoadError, kind_.source);
      });
}

bool CResultBase::LoadChildren(host::XmlElement& element, const host::HostLogPtr& log) {
  const host::XmlNodeListPtr children = element.ChildNodes();
  const rt::Long count = com::must(children).Length();
  // An empty element is a result never evaluated; one that holds anything
  // holds its status too.
  bool statusRead = count == 0;
  for (rt::Long i = 0; i < count; ++i) {
    const host::XmlElementPtr child = children->Item(i);
    const QString tag = com::must(child).TagName();
    if (tag == kCommentElement) {
      comment_ = child->Text();
    } else if (tag == kStatusElement) {
      const host::XmlHelperPtr helper = host::XmlHelper::instance();
      helper->ReadStatus(child, status_, statusText_);
      statusRead = helper->HoldsStatus(child) && status_ >= host::resultstatus::NotEvaluated &&
                   status_ <= host::resultstatus::NotApplicable;
      notJudged_ = status_ == host::resultstatus::NotEvaluated ? statusText_ : QString();
    } else if (tag == kStandardElement) {
      auto named = std::make_shared<host::Standard>();
      named->Init(child->Attribute(kAlphaNameAttribute), child->Attribute(kCompleteNameAttribute),
                  0);
      if (!judgedBy_) judgedBy_ = std::make_shared<host::StandardsCollection>();
      judgedBy_->Add(named);
    } else if (tag == kMeasurementElement) {
      LoadMeasurementChild(child, log);
    } else if (tag == kServiceRecordElement) {
      serviceRecord_ = std::make_shared<host::ServiceRecord>();
      serviceRecord_->Load(child, log);
    } else {
      LoadOtherChild(tag, child, log);
    }
  }
  return statusRead;
}

void CResultBase::ReportUnreadStatus() {
  status_ = host::resultstatus::NotEvaluated;
  rt::ignoreErrors([&] {
    host::errors().ReportError(
        rt::RuntimeError(kResultLoadError, kind_.source,
                         QStringLiteral("The result's status could not be read; the result counts "
                                        "as not evaluated, and its measurements are kept")),
        kind_.source);
  });
}

void CResultBase::LoadMeasurementChild(const host::XmlElementPtr& child,
                                       const host::HostLogPtr& log) {
  rt::onError([&] { LoadMeasurement(child, log); },
              [&](const rt::RuntimeError& error) {
                // A measurement that refused its element is skipped; one
                // the result cannot take is reported, and the load goes on.
                if (error.Number() == kMeasurementLoadError) return;
                host::errors().ReportError(error, kind_.source);
              });
}

void CResultBase::LoadMeasurement(const host::XmlElementPtr& child, const host::HostLogPtr& log) {
  const QString key = com::must(child).Attribute(kKeyAttribute);
  const CMeasurementPtr measurement = MeasurementByKey(key);
  if (!measurement)
    rt::raise(rt::err::InvalidCall, kind_.source,
              QStringLiteral("The result holds no measurement \"%1\"").arg(key));
  measurement->Load(child, log);
}

host::XmlElementPtr CResultBase::Save(const host::XmlDocumentPtr& ixdOwner) {
  return rt::onError(
      [&]() -> host::XmlElementPtr {
        const host::XmlElementPtr element = com::must(ixdOwner).CreateElement(kElement);
        if (!element)
          host::errors().RaiseError(host::kProduct, kResultSaveError, kind_.source, kSaveSeverity);
        if (mtiId_ > 0)
          element->SetAttribute(kMtiAttribute,
                                host::NumberFormatter::instance()->NumberText(mtiId_));
        SaveAttributes(*element);
        // A result not judged says why with its status.
        const QString statusText =
            status_ == host::resultstatus::NotEvaluated ? notJudged_ : SavedStatusText();
        if (host::XmlElementPtr status =
                host::XmlHelper::instance()->WriteStatus(ixdOwner, status_, statusText))
          element->AppendChild(status);
        if (judgedBy_) {
          for (const host::StandardPtr& standard : *judgedBy_) {
            const host::XmlElementPtr named = ixdOwner->CreateElement(kStandardElement);
            named->SetAttribute(kAlphaNameAttribute, standard->AlphaName());
            named->SetAttribute(kCompleteNameAttribute, standard->CompleteName());
            element->AppendChild(named);
          }
        }
        if (!comment_.isEmpty()) element->AddChild(kCommentElement, comment_);
        if (serviceRecord_) {
          if (host::XmlElementPtr record = serviceRecord_->Save(ixdOwner))
            element->AppendChild(record);
        }
        if (SavesMeasurements()) {
          for (const CMeasurementPtr& measurement : measurements_)
            if (host::XmlElementPtr stored = com::must(measurement).Save(ixdOwner))
              element->AppendChild(stored);
        }
        SaveAfterMeasurements(*element, ixdOwner);
        return element;
      },
      [&](const rt::RuntimeError& error) -> host::XmlElementPtr {
        handOnOrReport(error, kResultSaveError, kind_.source);
        return nullptr;
      });
}

// --- printed table ------------------------------------------------------------

QString CResultBase::BuildReportHeader(host::HostReport& report) {
  return reporttable::header({reporttable::translate(report, QStringLiteral("312::Result:")),
                              reporttable::translate(report, QStringLiteral("20150::Preset Value")),
                              reporttable::translate(report, QStringLiteral("231::Value")),
                              reporttable::translate(report, QStringLiteral("234::Unit"))});
}

QString CResultBase::BuildReportRows(host::HostReport& report) {
  QString rows;
  for (const CMeasurementPtr& measurement : measurements_)
    rows += rt::orDefault([&] { return com::must(measurement).GetReportLine(report); }, QString());
  return rows;
}

void CResultBase::PrintReport(const host::HostReportPtr& iarReport, const QVariant&) {
  if (!iarReport) return;
  host::HostReport& report = *iarReport;
  const QString header = BuildReportHeader(report);
  const reporttable::Shape shape = reporttable::Shape::ResultTable;
  const QString format = reporttable::columnFormat(
      shape, reporttable::pageWidth(report, reporttable::shapeNumber(shape)));
  const QString rows = BuildReportRows(report);
  if (!rows.isEmpty()) reporttable::addTable(report, format, header, rows);
  PrintAfterTable(iarReport);
}

}  // namespace orvanRV1Xtst
