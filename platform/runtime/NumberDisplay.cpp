#include "runtime/NumberDisplay.h"

#include <QLocale>
#include <QRegularExpression>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
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
// "0.001", "1e-04"), the exponent with at least two digits. Written into
// out, which holds kShortestTextSize characters; answers the length.
constexpr int kShortestTextSize = 48;

int generalText(bool negative, std::string_view digits, int point, char* out) {
  const int count = static_cast<int>(digits.size());
  const int exponent = point - 1;
  const int magnitude = std::abs(exponent);
  const int exponentDigits = magnitude >= 100 ? 3 : 2;
  const int plainLength = point <= 0 ? 2 - point + count : point < count ? count + 1 : point;
  const int exponentLength = count + (count > 1 ? 1 : 0) + 2 + exponentDigits;
  char* at = out;
  const auto put = [&](std::string_view part) { at = std::copy(part.begin(), part.end(), at); };
  if (negative) *at++ = '-';
  if (plainLength <= exponentLength) {
    if (point <= 0) {
      put("0.");
      at = std::fill_n(at, -point, '0');
      put(digits);
    } else if (point < count) {
      put(digits.substr(0, point));
      *at++ = '.';
      put(digits.substr(point));
    } else {
      put(digits);
      at = std::fill_n(at, point - count, '0');
    }
  } else {
    *at++ = digits.front();
    if (count > 1) {
      *at++ = '.';
      put(digits.substr(1));
    }
    put(exponent < 0 ? "e-" : "e+");
    if (exponentDigits == 3) *at++ = static_cast<char>('0' + magnitude / 100);
    *at++ = static_cast<char>('0' + magnitude / 10 % 10);
    *at++ = static_cast<char>('0' + magnitude % 10);
  }
  return static_cast<int>(at - out);
}

// 10^0 to 10^22, every one exact in a Double.
constexpr std::array<double, 23> kPowersOfTen = [] {
  std::array<double, 23> powers{};
  double power = 1;
  for (double& p : powers) {
    p = power;
    power *= 10;
  }
  return powers;
}();

// Whether v < 10^exponent, exactly: below 10^0 by the product with the
// power of ten, which is exact for these.
bool belowPowerOfTen(double v, int exponent) {
  return exponent >= 0 ? v < kPowersOfTen[static_cast<size_t>(exponent)]
                       : v * kPowersOfTen[static_cast<size_t>(-exponent)] < 1.0;
}

// The round trips themselves, precision after precision, in exact Double
// arithmetic. Within these magnitudes the value times the power of ten of
// its places (at most 10^12, 28 significant bits beside the value's 24) is
// exact, and so is what lies beyond a whole number of units, so the value
// rounded to that many digits (halves up, as the general format rounds
// them) is exact; the quotient or product that reads those digits back is
// rounded once, as a parse rounds. The first that reads back as the value
// has at most nine digits, so they are also its Double's shortest text.
// Written into out (kShortestTextSize characters); answers the length, or
// 0 outside these magnitudes.
int shortestSingleByDigits(Single value, char* out) {
  const float magnitude = std::fabs(value);
  if (!(magnitude >= 1e-4f && magnitude < 1e11f)) return 0;
  const double v = magnitude;
  int exponent = -4;  // 10^exponent <= v < 10^(exponent + 1)
  while (exponent < 10 && !belowPowerOfTen(v, exponent + 1)) ++exponent;
  for (int precision = 1; precision <= 9; ++precision) {
    const int places = precision - 1 - exponent;
    double whole = 0, back = 0;
    if (places >= 0) {
      const double power = kPowersOfTen[static_cast<size_t>(places)];
      const double scaled = v * power;
      whole = std::floor(scaled);
      if (scaled - whole >= 0.5) whole += 1;
      back = whole / power;
    } else {
      const double power = kPowersOfTen[static_cast<size_t>(-places)];
      whole = std::floor(v / power);
      double rest = v - whole * power;
      if (rest < 0) {
        whole -= 1;
        rest += power;
      } else if (rest >= power) {
        whole += 1;
        rest -= power;
      }
      if (rest >= 0.5 * power) whole += 1;
      back = whole * power;
    }
    if (static_cast<Single>(back) != magnitude) continue;
    char digits[16];
    auto number = static_cast<std::uint64_t>(whole);
    int count = 0;
    for (; number > 0; number /= 10) digits[count++] = static_cast<char>('0' + number % 10);
    std::reverse(digits, digits + count);
    const int point = count - places;
    while (count > 1 && digits[count - 1] == '0') --count;
    return generalText(value < 0, std::string_view(digits, static_cast<size_t>(count)), point, out);
  }
  return 0;
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
  char text[kShortestTextSize];
  if (const int length = shortestSingleByDigits(value, text))
    return QString::fromLatin1(text, length);
  return shortestSingleByRoundTrips(value);
}

void appendNumberText(QString& text, Single value) {
  if (value == 0.0f) {
    text += u'0';
    return;
  }
  char digits[kShortestTextSize];
  if (const int length = shortestSingleByDigits(value, digits))
    text += QLatin1String(digits, length);
  else
    text += shortestSingleByRoundTrips(value);
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
