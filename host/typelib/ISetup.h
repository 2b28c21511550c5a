#pragma once

#include "typelib/HostTypes.h"

namespace host {

class ISetup : public virtual com::Object {
 public:
  ~ISetup() override;
  virtual bool HasDialog() = 0;
  virtual QString Settings() = 0;
  virtual void SetSettings(const QString& sSetup) = 0;
  virtual IDialogPtr CreateDialog() = 0;
  virtual void RegLoad(rt::Long hKey, const QString& sRegKey) = 0;
  virtual void RegSave(rt::Long hKey, const QString& sRegKey) = 0;
};

}  // namespace host
