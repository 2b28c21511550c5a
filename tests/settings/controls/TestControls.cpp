// Controls that the dialog host tests dock. The custom control keeps what
// its host handed it in dynamic properties, which the tests read through
// the control's widget without knowing its class:
//   "initializeCount", "initializedWith", "refreshCount", "focusCount".

#include "com/ServerModule.h"
#include "controls/CustomControl.h"
#include "ui/UserControl.h"

namespace {

class CTestCustomControl final : public host::CustomControl {
 public:
  CTestCustomControl() {
    setFocusPolicy(Qt::StrongFocus);
    resize(200, 100);
  }

  void Initialize(const QVariant& Data) override {
    count("initializeCount");
    setProperty("initializedWith", Data);
  }
  void Refresh() override { count("refreshCount"); }
  void SetFocus() override {
    count("focusCount");
    setFocus();
  }

 private:
  void count(const char* name) { setProperty(name, property(name).toInt() + 1); }
};

// A user control that is not a custom control.
class CTestPlainControl final : public ui::UserControl {};

}  // namespace

RV1X_COMPONENT_SERVER(
    com::ServerModule(QStringLiteral("rv1xtestcontrols"),
                      {{QStringLiteral("CTestCustomControl"),
                        [] { return com::ObjectPtr(std::make_shared<CTestCustomControl>()); }},
                       {QStringLiteral("CTestPlainControl"),
                        [] { return com::ObjectPtr(std::make_shared<CTestPlainControl>()); }}}))
