// "RV1XTest.FakeGroup" (test ID 950): a group test element, the members of
// which are test elements themselves. Like a host's group it refuses a
// second member of one test ID, with the host's error 0x80047730.
// "RV1XTest.DyingElement": an entry whose making ends the process at once
// with status 70, no destructor run, as a crash would end it.

#include <cstdlib>

#include "com/ServerModule.h"
#include "elements/TestCollection.h"
#include "elements/TestElementBase.h"
#include "runtime/ErrorHandling.h"

namespace {

constexpr rt::Long kTestID = 950;
constexpr rt::Long kMemberRefused = rt::hresult(0x80047730u);

// The base object is a test element of its own; the group adds its members.
class FakeGroup final : public host::TestElementBase, public host::ITestElementList {
 public:
  FakeGroup() { TestElementBase::Initialize(host::kProduct, kTestID, 0); }

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

 private:
  host::TestCollection members_;
};

}  // namespace

RV1X_COMPONENT_SERVER(com::ServerModule(
    QStringLiteral("rv1xpluginfakes"),
    {{QStringLiteral("FakeGroup"), [] { return com::ObjectPtr(std::make_shared<FakeGroup>()); }},
     {QStringLiteral("DyingElement"), []() -> com::ObjectPtr { std::_Exit(70); }}}))
