#pragma once

#include "typelib/HostTypes.h"

namespace host {

class ILimitData : public virtual com::Object {
 public:
  ~ILimitData() override;
  virtual QString Description() = 0;
  virtual void SetDescription(const QString& description) = 0;
  virtual bool HasDialog() = 0;
  virtual StandardsCollectionPtr Standards() = 0;
  virtual ITestElementPtr Owner() = 0;
  virtual ILimitDataPtr Clone() = 0;
  virtual IDialogPtr CreateDialog() = 0;
  virtual StandardPtr CreateStandard(const QString& sAlphaName, const QString& sCompleteName) = 0;
  virtual void Load(const XmlElementPtr& ixeIn, const HostLogPtr& iprLog) = 0;
  virtual XmlElementPtr Save(const XmlDocumentPtr& ixdOwner) = 0;
  virtual void PrintReport(const HostReportPtr& iarReport, const RunContextPtr& ctx) = 0;
  virtual void UpdateLimits(const com::ObjectPtr& object) = 0;
  // The standards of selected that the measurement fails, or Nothing.
  virtual StandardsCollectionPtr FindFailedStandards(const IMeasurementPtr& measurement,
                                                     const StandardsCollectionPtr& selected) = 0;
};

}  // namespace host
