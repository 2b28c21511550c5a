// The test server's user control, made creatable the way the deliverables'
// classes are: by RV1X_CREATABLE_CLASS, with its registration in a file of
// its own group.

#include "TestControl.h"
#include "com/ServerModule.h"
#include "ui/UserControl.h"

namespace {

class CTestControl final : public ui::UserControl, public ITestControl {
 public:
  void Fire(const QString& name, const QVariantList& parameters) override {
    RaiseEvent(name, parameters);
  }
};

}  // namespace

RV1X_CREATABLE_CLASS("rv1xtestserver", CTestControl)
