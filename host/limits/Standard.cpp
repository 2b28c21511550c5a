#include "limits/Standard.h"

#include "limits/Limit.h"
#include "runtime/Conversions.h"

namespace host {

Standard::~Standard() = default;

void Standard::Init(const QString& alphaName, const QString& completeName, rt::Long flags) {
  alphaName_ = alphaName;
  completeName_ = completeName;
  flags_ = flags;
}

void Standard::AddLimit(const LimitPtr& limit) {
  com::must(limit);
  limits_.append(limit);
}

LimitPtr Standard::FindLimit(const QString& key) {
  for (const LimitPtr& limit : limits_)
    if (limit->Key().compare(key, Qt::CaseInsensitive) == 0) return limit;
  return nullptr;
}

rt::Long Standard::Check(const QString& key, rt::Single value, const QVariant& preset) {
  const rt::Single x = rt::isEmpty(preset) ? 0.0f : rt::toSingle(preset);
  rt::Long status = checkstatus::NotChecked;
  for (const LimitPtr& limit : limits_) {
    if (limit->Key().compare(key, Qt::CaseInsensitive) != 0) continue;
    if (!limit->Enabled(limitindex::High) && !limit->Enabled(limitindex::Low)) continue;
    if (!limit->Passes(value, x)) return checkstatus::Failed;
    status = checkstatus::Passed;
  }
  return status;
}

StandardPtr Standard::Copy() {
  auto copy = std::make_shared<Standard>();
  copy->Init(alphaName_, completeName_, flags_);
  for (const LimitPtr& limit : limits_) copy->limits_.append(limit->Clone());
  return copy;
}

}  // namespace host
