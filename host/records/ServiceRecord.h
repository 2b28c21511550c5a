#pragma once
// The service record of one evaluated result: the filter it was built for,
// a flag ("" passed, "F" a measurement failed, "NA" skipped) and a summary of
// the measured values ("/v1/v2..."). Stored form:
//   <ServiceRecord Flag="F" Built="True">/12.5/3</ServiceRecord>

#include "typelib/HostTypes.h"

namespace host {

class ServiceRecord : public virtual com::Object {
 public:
  ~ServiceRecord() override;

  virtual void Build(const TestFilterPtr& filter, const QString& flag, const QString& summary);
  virtual void Load(const XmlElementPtr& element, const HostLogPtr& log);
  // Also a record never built saves (as an empty record), so that a result
  // always finds an element to place.
  virtual XmlElementPtr Save(const XmlDocumentPtr& document);

  bool built() const { return built_; }
  QString flag() const { return flag_; }
  QString summary() const { return summary_; }

 private:
  bool built_ = false;
  QString flag_;
  QString summary_;
};

}  // namespace host
