#include "settings/CConfigBase.h"

#include "records/TestGuideSettingsObject.h"
#include "report/HostReport.h"
#include "runtime/ErrorHandling.h"
#include "services/ErrorService.h"
#include "settings/ErrorHandOn.h"
#include "settings/HostedDialog.h"
#include "xml/XmlDocument.h"

namespace orvanRV1Xtst {

namespace {
const QString kElement = QStringLiteral("PlugInData");
const QString kPlugInAttribute = QStringLiteral("PlugIn");
const QString kTestGuideElement = QStringLiteral("TestGuideSettings");

using host::errors;
}  // namespace

CConfigBase::CConfigBase(ConfigKind kind)
    : kind_(std::move(kind)), testGuideConfig_(std::make_shared<host::TestGuideSettingsObject>()) {}

CConfigBase::~CConfigBase() = default;

void CConfigBase::CopyTestGuideConfigFrom(const CConfigBase& source) {
  testGuideConfig_ = source.testGuideConfig_ ? source.testGuideConfig_->Clone()
                                             : std::make_shared<host::TestGuideSettingsObject>();
}

void CConfigBase::HandleError(const rt::RuntimeError& error, rt::Long ownNumber) {
  handOnOrReport(error, ownNumber, kind_.source);
}

void CConfigBase::CheckElement(host::XmlElement& element) {
  const QString plugIn = element.Attribute(kPlugInAttribute);
  const QString tag = element.TagName();
  if (tag != kElement || plugIn != host::kProduct)
    errors().RaiseError(host::kProduct, kConfigLoadError, kind_.source, kConfigLoadSeverity);
}

void CConfigBase::Load(const host::XmlElementPtr& ixeIn, const host::HostLogPtr& iprLog) {
  rt::onError(
      [&] {
        // The new settings object takes the place of the old one only once
        // the load has come through to it: a load that stops at a bad field
        // leaves the guide settings as they were.
        auto guideSettings = std::make_shared<host::TestGuideSettingsObject>();
        BeginLoad();
        host::XmlElement& element = com::must(ixeIn);
        if (kind_.checksElement) CheckElement(element);
        if (LoadSettings(element, iprLog)) {
          if (host::XmlElementPtr guide = element.SelectChild(kTestGuideElement, 0))
            guideSettings->Load(guide, iprLog);
        }
        testGuideConfig_ = guideSettings;
        EndLoad();
      },
      [&](const rt::RuntimeError& error) { HandleError(error, kConfigLoadError); });
}

host::XmlElementPtr CConfigBase::Save(const host::XmlDocumentPtr& ixdOwner) {
  return rt::onError(
      [&]() -> host::XmlElementPtr {
        host::XmlElementPtr element = com::must(ixdOwner).CreateElement(kElement);
        if (!element)
          errors().RaiseError(host::kProduct, kConfigSaveError, kind_.source, kConfigSaveSeverity);
        com::must(element).SetAttribute(kPlugInAttribute, host::kProduct);
        SaveSettings(*element, ixdOwner);
        if (host::XmlElementPtr guide = com::must(testGuideConfig_).Save(ixdOwner))
          element->AppendChild(guide);
        return element;
      },
      [&](const rt::RuntimeError& error) -> host::XmlElementPtr {
        HandleError(error, kConfigSaveError);
        return nullptr;
      });
}

host::IConfigDataPtr CConfigBase::Clone() {
  return rt::onError([&]() -> host::IConfigDataPtr { return CopyOfThis(); },
                     [&](const rt::RuntimeError& error) -> host::IConfigDataPtr {
                       errors().ReportError(error, kind_.source);
                       return nullptr;
                     });
}

host::IDialogPtr CConfigBase::CreateDialog() {
  return hostedDialog(kind_.editorProgId, com::toVariantOf(shared_from_this()));
}

void CConfigBase::BuildReportHeader(host::HostReport& report, QString& format, QString& header) {
  const QString configuration =
      reporttable::translate(report, QStringLiteral("310::Configuration"));
  const QString value = reporttable::translate(report, QStringLiteral("231::Value"));
  const QString unit = reporttable::translate(report, QStringLiteral("234::Unit"));
  header = reporttable::header({configuration, value, unit});
  const rt::Long width = reporttable::pageWidth(report, reporttable::shapeNumber(kind_.shape));
  format = reporttable::columnFormat(kind_.shape, width);
}

QString CConfigBase::BuildReportRows(host::HostReport& report) {
  QString rows;
  const QList<ReportRow> table = rt::orDefault([&] { return ReportRows(); }, QList<ReportRow>());
  for (const ReportRow& row : table) {
    rt::ignoreErrors([&] {
      const QString label = report.Translate(host::kProduct, row.textKey, {});
      rows += reporttable::row({reporttable::indented(label), row.value(), row.unit});
    });
  }
  return rows;
}

void CConfigBase::PrintReport(const host::HostReportPtr& iarReport) {
  if (!iarReport) return;
  QString format;
  QString header;
  BuildReportHeader(*iarReport, format, header);
  const QString rows = BuildReportRows(*iarReport);
  if (rows.isEmpty()) return;
  reporttable::addTable(*iarReport, format, header, rows);
}

}  // namespace orvanRV1Xtst
