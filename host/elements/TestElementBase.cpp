#include "elements/TestElementBase.h"

#include "elements/TestInfo.h"
#include "records/RunContext.h"
#include "records/RunObjects.h"
#include "report/HostReport.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorHandling.h"
#include "services/NumberFormatter.h"
#include "typelib/IConfigData.h"
#include "typelib/ILimitData.h"
#include "typelib/IResultData.h"
#include "xml/XmlDocument.h"

namespace host {

namespace {

const QString kSource = QStringLiteral("TestElementBase");
const QString kInfo = QStringLiteral("Info");
const QString kConfiguration = QStringLiteral("PlugInData");
const QString kLimits = QStringLiteral("ExpectedResult");
const QString kResult = QStringLiteral("ResultItem");

// A part's load or save, its failure named after the part.
template <class Step>
void partStep(rt::Long number, const QString& what, Step&& step) {
  rt::onError(std::forward<Step>(step), [&](const rt::RuntimeError& error) {
    rt::raise(number, kSource,
              QStringLiteral("%1: error %2 (%3)%4")
                  .arg(what, QString::number(error.Number()), error.hexNumber(),
                       error.Description().isEmpty() ? QString()
                                                     : QStringLiteral(": ") + error.Description()));
  });
}

template <class T>
T& partOf(const std::shared_ptr<T>& part, const QString& tag) {
  if (!part)
    rt::raise(elementerr::NoPartObject, kSource,
              QStringLiteral("The test element has nothing to load \"%1\" into").arg(tag));
  return *part;
}

void appendPart(XmlElement& element, const XmlElementPtr& part, const QString& what) {
  if (!part) rt::raise(elementerr::SaveFailed, kSource, what + QStringLiteral(" gave no element"));
  element.AppendChild(part);
}

}  // namespace

TestElementBase::TestElementBase()
    : info_(std::make_shared<TestInfo>()), filter_(std::make_shared<TestFilter>()) {}

TestElementBase::~TestElementBase() = default;

void TestElementBase::Initialize(const QVariant& product, const QVariant& testID,
                                 const QVariant& id) {
  const rt::Long newTestID = rt::toLong(testID);
  const rt::Long newID = rt::isEmpty(id) ? id_ : rt::toLong(id);
  product_ = product.toString();
  testID_ = newTestID;
  id_ = newID;
}

std::shared_ptr<TestElementBase> TestElementBase::Copy() {
  auto copy = std::make_shared<TestElementBase>();
  copy->product_ = product_;
  copy->testID_ = testID_;
  copy->id_ = id_;
  copy->parent_ = parent_;
  if (info_) copy->info_ = info_->Clone();
  if (filter_) copy->filter_->setFlags(filter_->Flags());
  if (configuration_) copy->configuration_ = configuration_->Clone();
  if (limits_) copy->limits_ = limits_->Clone();
  return copy;
}

void TestElementBase::Load(const XmlElementPtr& ixeIn, const HostLogPtr& iprLog) {
  if (!ixeIn)
    rt::raise(elementerr::NoElement, kSource, QStringLiteral("There is no element to load"));
  const QString tag = ixeIn->TagName();
  const QString failed = QStringLiteral("\"%1\" could not be loaded").arg(tag);
  if (tag == kInfo) {
    TestInfo& info = partOf(info_, tag);
    partStep(elementerr::PartLoadFailed, failed, [&] { info.Load(ixeIn); });
  } else if (tag == kConfiguration) {
    IConfigData& configuration = partOf(configuration_, tag);
    partStep(elementerr::PartLoadFailed, failed, [&] { configuration.Load(ixeIn, iprLog); });
  } else if (tag == kLimits) {
    ILimitData& limits = partOf(limits_, tag);
    partStep(elementerr::PartLoadFailed, failed, [&] { limits.Load(ixeIn, iprLog); });
  } else if (tag == kResult) {
    IResultData& result = partOf(result_, tag);
    partStep(elementerr::PartLoadFailed, failed, [&] { result.Load(ixeIn, iprLog); });
  } else {
    rt::raise(elementerr::UnknownPart, kSource,
              QStringLiteral("\"%1\" is no part of a test element").arg(tag));
  }
}

XmlElementPtr TestElementBase::Save(const XmlDocumentPtr& ixdOwner, const QVariant&) {
  if (!ixdOwner) rt::raise(elementerr::SaveFailed, kSource, QStringLiteral("There is no document"));
  XmlElementPtr element = ixdOwner->CreateElement(QStringLiteral("TestElement"));
  XmlElement& stored = com::must(element);
  NumberFormatter& numbers = *NumberFormatter::instance();
  stored.SetAttribute(QStringLiteral("TestID"), numbers.NumberText(testID_));
  stored.SetAttribute(QStringLiteral("ID"), numbers.NumberText(id_));
  if (info_)
    partStep(elementerr::SaveFailed, QStringLiteral("The info could not be saved"), [&] {
      if (XmlElementPtr info = info_->Save(ixdOwner)) stored.AppendChild(info);
    });
  // A configuration or a result that gives no element could not be saved;
  // a limit set gives none when it has nothing to store (no standards).
  const auto savePart = [&](const auto& part, const QString& what, bool mayGiveNothing) {
    if (!part) return;
    partStep(elementerr::SaveFailed, what + QStringLiteral(" could not be saved"), [&] {
      const XmlElementPtr saved = part->Save(ixdOwner);
      if (saved || !mayGiveNothing) appendPart(stored, saved, what);
    });
  };
  savePart(configuration_, QStringLiteral("The configuration"), false);
  savePart(limits_, QStringLiteral("The limit set"), true);
  savePart(result_, QStringLiteral("The result"), false);
  return element;
}

void printTestHeading(HostReport& report, const TestInfoPtr& info, rt::Long testID) {
  // The lines of a section that its heading is kept with on one page.
  constexpr int kFirstLinesKept = 3;
  rt::ignoreErrors([&] {
    const QString name =
        info && !info->Name().isEmpty() ? info->Name() : QStringLiteral("Test %1").arg(testID);
    QStringList below;
    if (info) {
      QStringList kind;
      for (const QString& text : {info->Type(), info->Parameter()})
        if (!text.isEmpty()) kind.append(text);
      if (!kind.isEmpty()) below.append(kind.join(QStringLiteral(" / ")));
      if (!info->Description().isEmpty()) below.append(info->Description());
    }
    ReportFont& font = com::must(report.Font());
    const double size = font.Size();
    const bool bold = font.Bold();
    // Never alone at the foot of a page: the heading goes over to the next
    // page with its section unless the section's first lines fit under it.
    rt::Long height = report.paragraphHeight(name, size + 2, true);
    for (const QString& text : below) height += report.paragraphHeight(text, size, bold);
    height += kFirstLinesKept * report.paragraphHeight(QStringLiteral("X"), size, bold);
    report.keepTogether(height);
    font.SetBold(true);
    font.SetSize(size + 2);
    report.Text(name);
    font.SetSize(size);
    font.SetBold(bold);
    for (const QString& text : below) report.Text(text);
  });
}

void TestElementBase::PrintReport(const HostReportPtr& a, const QVariant& b) {
  if (!a) return;
  printTestHeading(*a, info_, testID_);
  rt::ignoreErrors([&] { com::must(configuration_).PrintReport(a); });
  rt::ignoreErrors([&] {
    RunContextPtr ctx = com::queryInterface<RunContext>(com::toObject(b));
    if (!ctx) {
      ctx = std::make_shared<RunContext>();
      ctx->setSelectedStandards(nullptr);
    }
    com::must(limits_).PrintReport(a, ctx);
  });
  rt::ignoreErrors([&] { com::must(result_).PrintReport(a, b); });
}

void TestElementBase::Terminate() {
  parent_.reset();
  configuration_.reset();
  limits_.reset();
  result_.reset();
  info_.reset();
  filter_.reset();
}

}  // namespace host
