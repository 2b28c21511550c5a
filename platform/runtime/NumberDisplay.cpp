#include "runtime/NumberDisplay.h"

#include <QLocale>
#include <QRegularExpression>
#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

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
// text of that number ("100", "1e+20", "0.1"): the design's rule, one
// format-and-parse round trip a digit.
QString shortestSingleByRoundTrips(Single value) {
  double shortest = value;
  for (int precision = 1; precision <= 9; ++precision) {
    shortest = QString::number(static_cast<double>(value), 'g', precision).toDouble();
    if (static_cast<Single>(shortest) == value) break;
  }
  return QString::number(shortest, 'g', QLocale::FloatingPointShortest);
}

// Double's shortest text of the number 0.<digits> x 10^point, as Qt writes
// it: the plain form unless the exponent form is shorter ("10000", "1e+05",
// "0.001", "1e-04"), the exponent with at least two digits.
QString generalText(bool negative, std::string_view digits, int point) {
  const int count = static_cast<int>(digits.size());
  const int exponent = point - 1;
  const int exponentDigits =
      std::max(2, static_cast<int>(std::to_string(std::abs(exponent)).size()));
  const int plainLength = point <= 0 ? 2 - point + count : point < count ? count + 1 : point;
  const int exponentLength = count + (count > 1 ? 1 : 0) + 2 + exponentDigits;
  std::string text = negative ? "-" : "";
  if (plainLength <= exponentLength) {
    if (point <= 0) {
      text += "0.";
      text.append(static_cast<size_t>(-point), '0');
      text += digits;
    } else if (point < count) {
      text += digits.substr(0, point);
      text += '.';
      text += digits.substr(point);
    } else {
      text += digits;
      text.append(static_cast<size_t>(point - count), '0');
    }
  } else {
    text += digits.front();
    if (count > 1) {
      text += '.';
      text += digits.substr(1);
    }
    text += exponent < 0 ? "e-" : "e+";
    const std::string magnitude = std::to_string(std::abs(exponent));
    text.append(static_cast<size_t>(exponentDigits) - magnitude.size(), '0');
    text += magnitude;
  }
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// The same text as the round trips give, from the shortest digits
// std::to_chars finds, where the two are known to agree: within these
// magnitudes a decimal of at most eight digits lies too far from a midpoint
// between two Singles for its Double to land on one, so the round trips stop
// at the first length whose nearest decimal reads back, which is the
// shortest. Where the nearest decimal of that length may not be the one
// to_chars chose (a power of two, whose neighbour below is nearer; a value
// halfway between two such decimals, which the round trips round up), the
// answer is nothing.
std::optional<QString> shortestSingleByDigits(Single value) {
  const float magnitude = std::fabs(value);
  if (!(magnitude >= 1e-4f && magnitude < 1e11f)) return std::nullopt;
  if ((std::bit_cast<std::uint32_t>(magnitude) & 0x7fffffu) == 0) return std::nullopt;
  char text[32];
  const auto written =
      std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific);
  const std::string_view scientific(text, written.ptr);
  const size_t e = scientific.find('e');
  std::string digits(1, scientific.front());
  if (e > 2) digits.append(scientific.substr(2, e - 2));
  const int exponent = std::stoi(std::string(scientific.substr(e + 1)));
  // The digit after the last, rounded: 5 where the value may lie halfway.
  char wider[48];
  const auto widened =
      std::to_chars(wider, wider + sizeof wider, static_cast<double>(magnitude),
                    std::chars_format::scientific, static_cast<int>(digits.size()));
  if (std::find(wider, widened.ptr, 'e')[-1] == '5') return std::nullopt;
  double back = 0;
  std::from_chars(text, written.ptr, back);
  if (static_cast<Single>(back) != magnitude) return std::nullopt;
  return generalText(value < 0, digits, exponent + 1);
}

QString shortestSingle(Single value) {
  if (const std::optional<QString> text = shortestSingleByDigits(value)) return *text;
  return shortestSingleByRoundTrips(value);
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
