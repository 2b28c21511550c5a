// Controls that the dialog host tests dock. The custom control keeps what
// its host handed it in dynamic properties, which the tests read through
// the control's widget without knowing its class:
//   "initializeCount", "initializedWith", "refreshCount", "focusCount".

#include "com/ServerModule.h"
#include "typelib/ICustomControl.h"
#include "ui/UserControl.h"

namespace {

class CTestCustomControl final : public ui::UserControl, public host::ICustomControl {
 public:
  CTestCustomControl() {
    setFocusPolicy(Qt::StrongFocus);
    resize(200, 100);
  }

  host::HostCallBackPtr CallBack() override { return callBack_; }
  void SetCallBack(const host::HostCallBackPtr& callBack) override { callBack_ = callBack; }
  ui::HWnd hWnd() override { return ui::handleOf(this); }
  bool Visible() override { return !isHidden(); }
  void SetVisible(bool visible) override { setVisible(visible); }
  bool Locked() override { return locked_; }
  void SetLocked(bool locked) override { locked_ = locked; }
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

  host::HostCallBackPtr callBack_;
  bool locked_ = false;
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
