#include "runtime/VariantLogic.h"

#include <optional>

#include "runtime/Conversions.h"
#include "runtime/ErrorHandling.h"

namespace rt {

namespace {

bool isText(const QVariant& value) {
  return value.typeId() == QMetaType::QString;
}

// The number a variant stands for in a comparison; none for a text without
// one.
std::optional<double> comparedNumber(const QVariant& value) {
  if (isEmpty(value)) return 0.0;
  try {
    return toDouble(value);
  } catch (...) {
    (void)currentError();
    return std::nullopt;
  }
}

}  // namespace

bool equals(const QVariant& a, const QVariant& b) {
  if (isEmpty(a) && isEmpty(b)) return true;
  if (isText(a) && isText(b)) return a.toString() == b.toString();
  // Empty meets a text as the empty text.
  if (isEmpty(a) && isText(b)) return b.toString().isEmpty();
  if (isText(a) && isEmpty(b)) return a.toString().isEmpty();
  const std::optional<double> x = comparedNumber(a);
  const std::optional<double> y = comparedNumber(b);
  return x && y && *x == *y;
}

QVariant logicalNot(const QVariant& value) {
  if (value.typeId() == QMetaType::Bool) return !value.toBool();
  if (isEmpty(value)) return QVariant::fromValue<short>(kTrue);
  return QVariant::fromValue<int>(~toLong(value));
}

}  // namespace rt
