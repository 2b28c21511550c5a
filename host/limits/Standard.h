#pragma once
// One named limit set: an alpha name ("IEC"), a complete name
// ("IEC 60601-2-4") and its limits in order.

#include <QList>

#include "typelib/HostTypes.h"

namespace host {

namespace checkstatus {
constexpr rt::Long NotChecked = 0;  // no enabled limit of that key
constexpr rt::Long Passed = 1;
constexpr rt::Long Failed = 2;
}  // namespace checkstatus

class Standard : public virtual com::Object {
 public:
  ~Standard() override;

  virtual QString AlphaName() { return alphaName_; }
  virtual QString CompleteName() { return completeName_; }
  virtual void Init(const QString& alphaName, const QString& completeName, rt::Long flags);
  // The third value of Init, kept with the standard's stored form.
  virtual rt::Long Flags() { return flags_; }
  virtual const QList<LimitPtr>& Limits() { return limits_; }
  virtual void AddLimit(const LimitPtr& limit);  // error 91 for Nothing
  // The limit of that key (without regard to case), or Nothing.
  virtual LimitPtr FindLimit(const QString& key);
  // Checks a value against every limit of that key: 2 when one fails.
  virtual rt::Long Check(const QString& key, rt::Single value, const QVariant& preset);
  // An independent copy that another collection can take in (the standard a
  // plug-in hands out for reuse).
  virtual StandardPtr Copy();

 private:
  QString alphaName_;
  QString completeName_;
  rt::Long flags_ = 0;
  QList<LimitPtr> limits_;
};

}  // namespace host
