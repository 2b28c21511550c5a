#pragma once

#include "typelib/HostTypes.h"

namespace host {

class IMeasurement : public virtual com::Object {
 public:
  ~IMeasurement() override;
  virtual QString Description() = 0;
  virtual QString Key() = 0;
  virtual QString LimitKey() = 0;
  virtual rt::Long Status() = 0;
  virtual QString Unit() = 0;
  virtual QVariant Value() = 0;
  virtual QVariant PresetValue() = 0;
  virtual rt::Long ValueType() = 0;
  virtual QString ValueFormat() = 0;
  virtual rt::Long Flags() = 0;
  virtual QString ToolTipText() = 0;
  virtual void Load(const XmlElementPtr& ixeIn, const HostLogPtr& iprLog) = 0;
  virtual XmlElementPtr Save(const XmlDocumentPtr& ixdOwner) = 0;
};

// Flags of the limit and result value queries.
namespace valueflag {
constexpr rt::Long Relative = 1;
constexpr rt::Long AsText = 2;
constexpr rt::Long WithUnit = 4;
}  // namespace valueflag

class IMeasurement2 : public virtual com::Object {
 public:
  ~IMeasurement2() override;
  virtual QVariant GetLimitValue(const StandardPtr& standard, rt::Integer index,
                                 rt::Long flags) = 0;
  virtual QVariant GetResultValue(rt::Long flags) = 0;
  virtual bool SupportsLimit(rt::Integer index) = 0;
  virtual rt::Single CalculateLimitValue(const LimitPtr& limit, rt::Integer index) = 0;
  virtual rt::Integer ValidateLimits(const StandardPtr& standard) = 0;
};

}  // namespace host
