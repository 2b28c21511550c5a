#pragma once

#include "typelib/HostTypes.h"

namespace host {

class IConfigData : public virtual com::Object {
 public:
  ~IConfigData() override;
  virtual bool HasDialog() = 0;
  virtual IConfigDataPtr Clone() = 0;
  virtual IDialogPtr CreateDialog() = 0;
  virtual void Load(const XmlElementPtr& ixeIn, const HostLogPtr& iprLog) = 0;
  virtual XmlElementPtr Save(const XmlDocumentPtr& ixdOwner) = 0;
  virtual void PrintReport(const HostReportPtr& iarReport) = 0;
};

}  // namespace host
