#pragma once

#include "typelib/HostTypes.h"

namespace host {

class ITestElement : public virtual com::Object {
 public:
  ~ITestElement() override;
  virtual QString PlugInID() = 0;
  virtual rt::Long TestID() = 0;
  virtual rt::Long ID() = 0;
  virtual void SetID(rt::Long id) = 0;
  virtual ITestElementPtr Parent() = 0;
  virtual void SetParent(const ITestElementPtr& parent) = 0;
  virtual TestInfoPtr Info() = 0;
  virtual TestFilterPtr Filter() = 0;
  virtual IResultDataPtr Result() = 0;
  virtual ILimitDataPtr Limits() = 0;
  virtual IConfigDataPtr Configuration() = 0;
  virtual void Initialize(const QVariant& a, const QVariant& b, const QVariant& c) = 0;
  virtual ITestElementPtr Clone() = 0;
  virtual void Perform(const RunContextPtr& ctx) = 0;
  virtual void Load(const XmlElementPtr& ixeIn, const HostLogPtr& iprLog) = 0;
  virtual void Save(const XmlDocumentPtr& ixdOwner, const QVariant& x, XmlElementPtr& element) = 0;
  virtual void PrintReport(const HostReportPtr& a, const QVariant& b) = 0;
  virtual void QuerySetParent(const ITestElementPtr& parent, bool& allowed) = 0;
  virtual void Terminate() = 0;
  virtual void UpdateReferences() = 0;
  // A two-dimensional text table (rows of key and caption) or Empty.
  virtual QVariant GetMeasurementList() = 0;
};

}  // namespace host
