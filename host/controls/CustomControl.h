#pragma once
// What every custom control shares: a user control that keeps the host's
// callback, answers its window handle and its host's visibility, keeps its locked flag
// and tells the host of each change it makes to the object it edits.

#include "typelib/ICustomControl.h"
#include "ui/UserControl.h"

namespace host {

class CustomControl : public ui::UserControl, public ICustomControl {
 public:
  explicit CustomControl(QWidget* parent = nullptr);
  ~CustomControl() override;

  HostCallBackPtr CallBack() override { return callBack_; }
  void SetCallBack(const HostCallBackPtr& callBack) override { callBack_ = callBack; }
  ui::HWnd hWnd() override;
  // The Visible property of the extender that hosts the control (the
  // dialog host's); a control that no container holds answers for itself.
  bool Visible() override;
  void SetVisible(bool visible) override;
  bool Locked() override { return locked_; }
  void SetLocked(bool locked) override;

 protected:
  // Called after the locked flag changed hands, so the control can enable or
  // disable its inputs.
  virtual void LockedChanged(bool /*locked*/) {}
  // Sends "Change" with an empty argument list to the host's callback, when
  // one is set; a failing callback does not disturb the control.
  void NotifyChange();

 private:
  HostCallBackPtr callBack_;
  bool locked_ = false;
};

}  // namespace host
