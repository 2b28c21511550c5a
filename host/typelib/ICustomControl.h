#pragma once

#include "typelib/HostTypes.h"

namespace host {

class ICustomControl : public virtual com::Object {
 public:
  ~ICustomControl() override;
  virtual HostCallBackPtr CallBack() = 0;
  virtual void SetCallBack(const HostCallBackPtr& callBack) = 0;
  virtual ui::HWnd hWnd() = 0;
  virtual bool Visible() = 0;
  virtual void SetVisible(bool visible) = 0;
  virtual bool Locked() = 0;
  virtual void SetLocked(bool locked) = 0;
  virtual void Initialize(const QVariant& Data) = 0;
  virtual void Refresh() = 0;
  virtual void SetFocus() = 0;
};

}  // namespace host
