// "RV1XTest.FakeGroup" (test ID 950): a group test element, the members of
// which are test elements themselves. Like a host's group it refuses a
// second member of one test ID, with the host's error 0x80047730.

#include "com/ServerModule.h"
#include "elements/TestCollection.h"
#include "elements/TestElementBase.h"
#include "runtime/ErrorHandling.h"

namespace {

constexpr rt::Long kTestID = 950;
constexpr rt::Long kMemberRefused = rt::hresult(0x80047730u);

class FakeGroup final : public host::ITestElement, public host::ITestElementList {
 public:
  FakeGroup() { base_->Initialize(host::kProduct, kTestID, 0); }

  // The list of members.
  void Add(const host::ITestElementPtr& element, const com::ObjectPtr& before,
           rt::Long flags) override {
    for (const host::ITestElementPtr& member : members_)
      if (member->TestID() == com::must(element).TestID())
        rt::raise(kMemberRefused, QStringLiteral("RV1XTest.FakeGroup"),
                  QStringLiteral("The group has a member of that test ID"));
    members_.Add(element, before, flags);
  }
  rt::Long Count() override { return members_.Count(); }
  host::ITestElementPtr Item(rt::Long position) override { return members_.Item(position); }
  host::ITestElementPtr Find(rt::Long testID) override { return members_.Find(testID); }
  void Clear() override { members_.Clear(); }

  // The test element, its base object's.
  QString PlugInID() override { return base_->PlugInID(); }
  rt::Long TestID() override { return base_->TestID(); }
  rt::Long ID() override { return base_->ID(); }
  void SetID(rt::Long id) override { base_->SetID(id); }
  host::ITestElementPtr Parent() override { return base_->Parent(); }
  void SetParent(const host::ITestElementPtr& parent) override { base_->SetParent(parent); }
  host::TestInfoPtr Info() override { return base_->Info(); }
  host::TestFilterPtr Filter() override { return base_->Filter(); }
  host::IResultDataPtr Result() override { return nullptr; }
  host::ILimitDataPtr Limits() override { return nullptr; }
  host::IConfigDataPtr Configuration() override { return nullptr; }
  void Initialize(const QVariant& a, const QVariant& b, const QVariant& c) override {
    rt::ignoreErrors([&] { base_->Initialize(a, b, c); });
  }
  host::ITestElementPtr Clone() override { return nullptr; }
  void Perform(const host::RunContextPtr&) override {}
  void Load(const host::XmlElementPtr&, const host::HostLogPtr&) override {}
  void Save(const host::XmlDocumentPtr&, const QVariant&, host::XmlElementPtr& element) override {
    element = nullptr;
  }
  void PrintReport(const host::HostReportPtr&, const QVariant&) override {}
  void QuerySetParent(const host::ITestElementPtr&, bool& allowed) override { allowed = true; }
  void Terminate() override {}
  void UpdateReferences() override {}
  QVariant GetMeasurementList() override { return QVariant(); }

 private:
  host::TestElementBasePtr base_ = std::make_shared<host::TestElementBase>();
  host::TestCollection members_;
};

}  // namespace

RV1X_COMPONENT_SERVER(com::ServerModule(QStringLiteral("rv1xpluginfakes"),
                                        {{QStringLiteral("FakeGroup"), [] {
                                            return com::ObjectPtr(std::make_shared<FakeGroup>());
                                          }}}))
