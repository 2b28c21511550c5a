#include "runtime/NumberDisplay.h"

#include <QLocale>
#include <QRegularExpression>
#include <cmath>

#include "runtime/Conversions.h"
#include "runtime/Locale.h"
#include "runtime/RuntimeError.h"

namespace rt {

namespace {

struct Pattern {
  int minIntegerDigits = 0;
  int fractionDigits = 0;     // places after the point
  int minFractionDigits = 0;  // of which always shown
  bool point = false;
  bool grouped = false;
};

Pattern parsePattern(const QString& pattern) {
  Pattern p;
  const int dot = pattern.indexOf(u'.');
  const QString integerPart = dot >= 0 ? pattern.left(dot) : pattern;
  const QString fractionPart = dot >= 0 ? pattern.mid(dot + 1) : QString();
  p.point = dot >= 0;
  p.minIntegerDigits = integerPart.count(u'0');
  const QString digitsOnly = integerPart.trimmed();
  p.grouped = digitsOnly.contains(u' ');
  for (const QChar c : fractionPart) {
    if (c == u'0') {
      ++p.fractionDigits;
      p.minFractionDigits = p.fractionDigits;
    } else if (c == u'#') {
      ++p.fractionDigits;
    }
  }
  return p;
}

// Rounds the decimal digits of |value| (given with enough significant digits
// to show what the user sees) half away from zero to the wanted places.
void roundDecimal(QString& integerDigits, QString& fractionDigits, int places) {
  if (fractionDigits.size() <= places) {
    fractionDigits = fractionDigits.leftJustified(places, u'0');
    return;
  }
  const bool up = fractionDigits.at(places) >= u'5';
  fractionDigits.truncate(places);
  if (!up) return;
  QString all = integerDigits + fractionDigits;
  int i = all.size() - 1;
  for (; i >= 0; --i) {
    if (all[i] == u'9') {
      all[i] = u'0';
    } else {
      all[i] = QChar(all[i].unicode() + 1);
      break;
    }
  }
  if (i < 0) all.prepend(u'1');
  integerDigits = all.left(all.size() - places);
  fractionDigits = all.right(places);
}

QString formatDigits(double value, int significantDigits, const QString& patternText) {
  const Pattern p = parsePattern(patternText);
  if (!std::isfinite(value)) return QString::number(value);
  const bool negative = std::signbit(value) && value != 0.0;
  // Decimal digits as the general text shows them, then decimal rounding.
  QString digits = QString::number(
      std::fabs(value), 'f',
      std::max(
          0, significantDigits - 1 -
                 (value == 0.0 ? 0 : static_cast<int>(std::floor(std::log10(std::fabs(value)))))));
  QString integerDigits = digits.section(u'.', 0, 0);
  QString fractionDigits = digits.contains(u'.') ? digits.section(u'.', 1) : QString();
  roundDecimal(integerDigits, fractionDigits, p.fractionDigits);
  while (fractionDigits.size() > p.minFractionDigits && fractionDigits.endsWith(u'0'))
    fractionDigits.chop(1);
  while (integerDigits.size() > 1 && integerDigits.startsWith(u'0')) integerDigits.remove(0, 1);
  if (integerDigits == QStringLiteral("0") && p.minIntegerDigits == 0) integerDigits.clear();
  if (integerDigits.size() < p.minIntegerDigits)
    integerDigits = integerDigits.rightJustified(p.minIntegerDigits, u'0');
  if (p.grouped) {
    for (int i = integerDigits.size() - 3; i > 0; i -= 3) integerDigits.insert(i, u' ');
  }
  QString text = integerDigits;
  if (p.point) text += userLocale().decimalPoint();
  text += fractionDigits;
  static const QRegularExpression nonZeroDigit(QStringLiteral("[1-9]"));
  const bool allZero = !text.contains(nonZeroDigit);
  if (negative && !allZero) text.prepend(u'-');
  return text;
}

// The fewest significant digits that read back as the value through a
// Double, as the loaders' parse reads them, written as Double's shortest
// text of that number ("100", "1e+20", "0.1").
QString shortestSingle(Single value) {
  double shortest = value;
  for (int precision = 1; precision <= 9; ++precision) {
    shortest = QString::number(static_cast<double>(value), 'g', precision).toDouble();
    if (static_cast<Single>(shortest) == value) break;
  }
  return QString::number(shortest, 'g', QLocale::FloatingPointShortest);
}

}  // namespace

QString formatNumber(Double value, const QString& pattern) {
  if (pattern.isEmpty()) return cstr(value);
  return formatDigits(value, 15, pattern);
}

QString formatNumber(Single value, const QString& pattern) {
  if (pattern.isEmpty()) return cstr(value);
  return formatDigits(static_cast<double>(value), 7, pattern);
}

QString format(const QVariant& value, const QString& pattern) {
  if (isEmpty(value)) return QString();
  switch (value.typeId()) {
    case QMetaType::Float:
      return formatNumber(value.value<float>(), pattern);
    case QMetaType::Bool:
      return pattern.isEmpty() ? cstr(value) : formatNumber(value.toBool() ? -1.0 : 0.0, pattern);
    case QMetaType::QString: {
      const QString text = value.toString();
      if (pattern.isEmpty()) return text;
      bool ok = false;
      const double number = userLocale().toDouble(text.trimmed(), &ok);
      if (!ok) return text;
      return formatNumber(number, pattern);
    }
    default:
      break;
  }
  bool ok = false;
  const double number = value.toDouble(&ok);
  if (!ok) return cstr(value);
  return formatNumber(number, pattern);
}

QString numberText(Double value) {
  if (value == 0.0) return QStringLiteral("0");
  return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

QString numberText(Single value) {
  if (value == 0.0f) return QStringLiteral("0");
  return shortestSingle(value);
}

QString numberText(const QVariant& value) {
  if (isEmpty(value)) return QString();
  switch (value.typeId()) {
    case QMetaType::Bool:
      return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::Float:
      return numberText(value.value<float>());
    case QMetaType::Double:
      return numberText(value.toDouble());
    case QMetaType::QString:
      return numberText(val(value.toString()));
    default:
      break;
  }
  bool ok = false;
  const qlonglong whole = value.toLongLong(&ok);
  if (ok) return QString::number(whole);
  raise(err::TypeMismatch);
}

}  // namespace rt
