#include "editors/TypedNumber.h"

#include <QRegularExpression>

#include "runtime/Conversions.h"
#include "runtime/Locale.h"

namespace orvanRV1Xtst {

std::optional<double> typedNumber(const QString& text) {
  QString plain = text.trimmed();
  const QString separator = rt::userLocale().decimalPoint();
  if (separator != QStringLiteral(".")) plain.replace(separator, QStringLiteral("."));
  static const QRegularExpression leading(QStringLiteral(R"(^[+-]?(\d+\.?\d*|\.\d+))"));
  const QRegularExpressionMatch number = leading.match(plain);
  if (!number.hasMatch()) return std::nullopt;
  return rt::val(number.captured(0));
}

}  // namespace orvanRV1Xtst
