#pragma once

#include "typelib/HostTypes.h"

namespace host {

class IDialog : public virtual com::Object {
 public:
  ~IDialog() override;
  virtual HostCallBackPtr CallBack() = 0;
  virtual void SetCallBack(const HostCallBackPtr& callBack) = 0;
  virtual bool IsDocked() = 0;
  virtual bool Locked() = 0;
  virtual void SetLocked(bool locked) = 0;
  virtual void Initialize(const QVariant& v) = 0;
  virtual void Hide() = 0;
  virtual void Show(rt::Long mode) = 0;
  virtual void Dock(ui::HWnd hWndParent) = 0;
  virtual void UnDock() = 0;
  virtual void Unload() = 0;
  virtual void Move(rt::Long l, rt::Long t, rt::Long w, rt::Long h) = 0;
  virtual void Refresh() = 0;
  virtual void SetFocus() = 0;
};

}  // namespace host
