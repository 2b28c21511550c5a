#pragma once

#include "typelib/HostTypes.h"

namespace host {

class IResultData : public virtual com::Object {
 public:
  ~IResultData() override;
  virtual QString Comment() = 0;
  virtual void SetComment(const QString& comment) = 0;
  virtual bool HasDialog() = 0;
  virtual rt::Long Status() = 0;
  // By 1-based position or by key (compared without regard to case).
  virtual IMeasurementPtr Measurement(const QVariant& index) = 0;
  virtual rt::Long MeasurementCount() = 0;
  virtual ServiceRecordPtr ServiceRecord() = 0;
  virtual rt::Long MTIID() = 0;
  virtual void SetMTIID(rt::Long index) = 0;
  virtual IDialogPtr CreateDialog() = 0;
  virtual void Load(const XmlElementPtr& ixeIn, const HostLogPtr& iprLog) = 0;
  virtual XmlElementPtr Save(const XmlDocumentPtr& ixdOwner) = 0;
  virtual void PrintReport(const HostReportPtr& iarReport, const QVariant& arg2) = 0;
};

}  // namespace host
