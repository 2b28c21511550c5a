// "RV1XTest.FakeTestElement" (test ID 900): a test element that has the
// frame of the plug-in's elements in small. Its configuration stores one
// number, <PlugInData PlugIn="RV-1X"><Energy>100</Energy></PlugInData>,
// and raises error 13 for an energy that is no number; its result keeps the
// energy it was made from as its preset, <ResultItem Status="1"
// Preset="100"/>, so a test sees which configuration a loaded result was
// made from; its limit set is a standards collection under
// "ExpectedResult". Each part prints one recognisable line or table.

#include "com/ServerModule.h"
#include "elements/TestElementBase.h"
#include "limits/StandardsCollection.h"
#include "records/RunContext.h"
#include "report/HostReport.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorHandling.h"
#include "services/ErrorService.h"
#include "services/NumberFormatter.h"
#include "typelib/IConfigData.h"
#include "typelib/ILimitData.h"
#include "typelib/IResultData.h"
#include "xml/XmlDocument.h"

namespace {

const QString kSource = QStringLiteral("RV1XTest.FakeTestElement");
constexpr rt::Long kTestID = 900;
constexpr rt::Long kNotOwnElement = rt::hresult(0x8004A3C2);

double strictNumber(const QString& what, const QString& text) {
  bool ok = false;
  const double value = text.trimmed().toDouble(&ok);
  if (!ok)
    rt::raise(rt::err::TypeMismatch, kSource,
              QStringLiteral("%1 \"%2\" is not a number").arg(what, text));
  return value;
}

class FakeConfig final : public host::IConfigData {
 public:
  double energy = 100;

  bool HasDialog() override { return false; }
  host::IConfigDataPtr Clone() override {
    auto copy = std::make_shared<FakeConfig>();
    copy->energy = energy;
    return copy;
  }
  host::IDialogPtr CreateDialog() override { return nullptr; }
  void Load(const host::XmlElementPtr& ixeIn, const host::HostLogPtr&) override {
    if (com::must(ixeIn).TagName() != QLatin1String("PlugInData"))
      rt::raise(kNotOwnElement, kSource, QStringLiteral("Not a configuration"));
    if (host::XmlElementPtr child = ixeIn->SelectChild(QStringLiteral("Energy"), 0))
      energy = strictNumber(QStringLiteral("Energy"), child->Text());
  }
  host::XmlElementPtr Save(const host::XmlDocumentPtr& ixdOwner) override {
    host::XmlElementPtr element = com::must(ixdOwner).CreateElement(QStringLiteral("PlugInData"));
    element->SetAttribute(QStringLiteral("PlugIn"), host::kProduct);
    element->AddChild(QStringLiteral("Energy"),
                      host::NumberFormatter::instance()->NumberText(energy));
    return element;
  }
  void PrintReport(const host::HostReportPtr& iarReport) override {
    com::must(iarReport).AddTable(QStringLiteral("<2000|>1500;"), QStringLiteral("|Setting|Value;"),
                                  QStringLiteral("|Energy|%1 J;").arg(energy), 0, 0, 0);
  }
};

class FakeResult final : public host::IResultData {
 public:
  explicit FakeResult(double preset) : preset_(preset) {}

  QString Comment() override { return QString(); }
  void SetComment(const QString&) override {}
  bool HasDialog() override { return false; }
  rt::Long Status() override { return status_; }
  host::IMeasurementPtr Measurement(const QVariant&) override { return nullptr; }
  rt::Long MeasurementCount() override { return 0; }
  host::ServiceRecordPtr ServiceRecord() override { return nullptr; }
  rt::Long MTIID() override { return 0; }
  void SetMTIID(rt::Long) override {}
  host::IDialogPtr CreateDialog() override { return nullptr; }
  void Load(const host::XmlElementPtr& ixeIn, const host::HostLogPtr&) override {
    if (com::must(ixeIn).TagName() != QLatin1String("ResultItem"))
      rt::raise(kNotOwnElement, kSource, QStringLiteral("Not a result"));
    status_ = static_cast<rt::Long>(
        strictNumber(QStringLiteral("Status"), ixeIn->Attribute(QStringLiteral("Status"))));
  }
  host::XmlElementPtr Save(const host::XmlDocumentPtr& ixdOwner) override {
    host::XmlElementPtr element = com::must(ixdOwner).CreateElement(QStringLiteral("ResultItem"));
    host::NumberFormatter& numbers = *host::NumberFormatter::instance();
    element->SetAttribute(QStringLiteral("Status"), numbers.NumberText(status_));
    element->SetAttribute(QStringLiteral("Preset"), numbers.NumberText(preset_));
    return element;
  }
  void PrintReport(const host::HostReportPtr& iarReport, const QVariant&) override {
    com::must(iarReport).Text(QStringLiteral("Result status %1").arg(status_));
  }

 private:
  double preset_;
  rt::Long status_ = 0;
};

class FakeLimits final : public host::ILimitData {
 public:
  host::StandardsCollectionPtr standards = std::make_shared<host::StandardsCollection>();

  QString Description() override { return QString(); }
  void SetDescription(const QString&) override {}
  bool HasDialog() override { return false; }
  host::StandardsCollectionPtr Standards() override { return standards; }
  host::ITestElementPtr Owner() override { return nullptr; }
  host::ILimitDataPtr Clone() override {
    auto copy = std::make_shared<FakeLimits>();
    copy->standards = standards->Clone();
    return copy;
  }
  host::IDialogPtr CreateDialog() override { return nullptr; }
  host::StandardPtr CreateStandard(const QString&, const QString&) override { return nullptr; }
  void Load(const host::XmlElementPtr& ixeIn, const host::HostLogPtr& log) override {
    auto loaded = std::make_shared<host::StandardsCollection>();
    loaded->Load(ixeIn, log);
    standards = loaded;
  }
  host::XmlElementPtr Save(const host::XmlDocumentPtr& ixdOwner) override {
    host::XmlElementPtr element = standards->Save(ixdOwner);
    if (element) element->SetTagName(QStringLiteral("ExpectedResult"));
    return element;
  }
  void PrintReport(const host::HostReportPtr& iarReport, const host::RunContextPtr& ctx) override {
    const host::StandardsCollectionPtr selected = com::must(ctx).SelectedStandards();
    com::must(iarReport).Text(
        QStringLiteral("Limits: %1 standards, %2")
            .arg(standards->Count())
            .arg(selected ? QStringLiteral("selected ones") : QStringLiteral("all printed")));
  }
  void UpdateLimits(const com::ObjectPtr&) override {}
  host::StandardsCollectionPtr FindFailedStandards(const host::IMeasurementPtr&,
                                                   const host::StandardsCollectionPtr&) override {
    return nullptr;
  }
};

bool passedOn(rt::Long number, std::initializer_list<rt::Long> numbers) {
  for (rt::Long n : numbers)
    if (n == number) return true;
  return false;
}

class FakeTestElement final : public host::ITestElement,
                              public std::enable_shared_from_this<FakeTestElement> {
 public:
  FakeTestElement() {
    base_->Initialize(host::kProduct, kTestID, 0);
    base_->SetConfiguration(std::make_shared<FakeConfig>());
    base_->SetLimits(std::make_shared<FakeLimits>());
  }

  QString PlugInID() override { return base_->PlugInID(); }
  rt::Long TestID() override { return base_->TestID(); }
  rt::Long ID() override { return base_->ID(); }
  void SetID(rt::Long id) override { base_->SetID(id); }
  host::ITestElementPtr Parent() override { return base_->Parent(); }
  void SetParent(const host::ITestElementPtr& parent) override { base_->SetParent(parent); }
  host::TestInfoPtr Info() override { return base_->Info(); }
  host::TestFilterPtr Filter() override { return base_->Filter(); }
  host::IResultDataPtr Result() override { return base_->Result(); }
  host::ILimitDataPtr Limits() override { return base_->Limits(); }
  host::IConfigDataPtr Configuration() override { return base_->Configuration(); }
  void Initialize(const QVariant& a, const QVariant& b, const QVariant& c) override {
    rt::ignoreErrors([&] { base_->Initialize(a, b, c); });
  }
  host::ITestElementPtr Clone() override {
    auto copy = std::make_shared<FakeTestElement>();
    copy->base_ = base_->Copy();
    return copy;
  }
  void Perform(const host::RunContextPtr& ctx) override {
    bool mayRun = false;
    com::must(ctx).MayRun(shared_from_this(), mayRun);
    if (mayRun) ctx->SetNavigationCode(host::navigation::Next);
  }
  void Load(const host::XmlElementPtr& ixeIn, const host::HostLogPtr& iprLog) override {
    rt::onError(
        [&] {
          if (ixeIn && ixeIn->TagName() == QLatin1String("ResultItem")) InitResult();
          base_->Load(ixeIn, iprLog);
        },
        [&](const rt::RuntimeError& error) {
          using namespace host::elementerr;
          if (passedOn(error.Number(), {NoElement, UnknownPart, NoPartObject, PartLoadFailed}))
            host::ErrorService::instance()->PassOnPendingError();
          host::ErrorService::instance()->ReportError(error, kSource);
        });
  }
  void Save(const host::XmlDocumentPtr& ixdOwner, const QVariant& x,
            host::XmlElementPtr& element) override {
    element = nullptr;
    rt::onError([&] { element = base_->Save(ixdOwner, x); },
                [&](const rt::RuntimeError& error) {
                  if (error.Number() == host::elementerr::SaveFailed)
                    host::ErrorService::instance()->PassOnPendingError();
                  host::ErrorService::instance()->ReportError(error, kSource);
                });
  }
  void PrintReport(const host::HostReportPtr& a, const QVariant& b) override {
    rt::ignoreErrors([&] { base_->PrintReport(a, b); });
  }
  void QuerySetParent(const host::ITestElementPtr&, bool& allowed) override { allowed = true; }
  void Terminate() override {
    rt::ignoreErrors([&] { base_->Terminate(); });
  }
  void UpdateReferences() override {}
  QVariant GetMeasurementList() override { return QVariant(); }

 private:
  void InitResult() {
    auto config = std::dynamic_pointer_cast<FakeConfig>(base_->Configuration());
    base_->SetResult(std::make_shared<FakeResult>(config ? config->energy : 0));
  }

  host::TestElementBasePtr base_ = std::make_shared<host::TestElementBase>();
};

}  // namespace

RV1X_COMPONENT_SERVER(com::ServerModule(QStringLiteral("rv1xfakeelements"),
                                        {{QStringLiteral("FakeTestElement"), [] {
                                            return com::ObjectPtr(
                                                std::make_shared<FakeTestElement>());
                                          }}}))
