#pragma once
// A host limit of one key with both bounds as given and the operator, when
// one is given.

#include "limits/Limit.h"

namespace testsupport {

inline host::LimitPtr makeLimit(const QString& key, const QString& op, float high, bool highOn,
                                float low, bool lowOn, const QString& unit = QStringLiteral("J")) {
  auto limit = std::make_shared<host::Limit>();
  limit->Init(key, unit, QString(), QString());
  if (!op.isEmpty()) limit->SetOperator(0, op);
  limit->SetValue(host::limitindex::High, high);
  limit->SetEnabled(host::limitindex::High, highOn);
  limit->SetValue(host::limitindex::Low, low);
  limit->SetEnabled(host::limitindex::Low, lowOn);
  return limit;
}

}  // namespace testsupport
