#include "runtime/Conversions.h"

#include <QLocale>
#include <algorithm>
#include <cfenv>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include "runtime/Locale.h"
#include "runtime/RuntimeError.h"

namespace rt {

double roundHalfEven(double value) {
  // nearbyint honours the rounding mode; the default mode is to-nearest-even.
  const int saved = std::fegetround();
  std::fesetround(FE_TONEAREST);
  const double rounded = std::nearbyint(value);
  std::fesetround(saved);
  return rounded;
}

double roundHalfAway(double value) {
  return std::round(value);
}

namespace {

template <class T>
T toIntegral(double value) {
  if (std::isnan(value)) raise(err::Overflow);
  const double rounded = roundHalfEven(value);
  if (rounded < static_cast<double>(std::numeric_limits<T>::min()) ||
      rounded > static_cast<double>(std::numeric_limits<T>::max()))
    raise(err::Overflow);
  return static_cast<T>(rounded);
}

double textToNumber(const QString& text) {
  const QString trimmed = text.trimmed();
  bool ok = false;
  double number = QLocale::c().toDouble(trimmed, &ok);
  if (!ok) number = userLocale().toDouble(trimmed, &ok);
  if (!ok) raise(err::TypeMismatch);
  return number;
}

double variantToNumber(const QVariant& value) {
  if (isEmpty(value)) return 0.0;
  switch (value.typeId()) {
    case QMetaType::Bool:
      return value.toBool() ? -1.0 : 0.0;
    case QMetaType::QString:
      return textToNumber(value.toString());
    case QMetaType::QByteArray:
      return textToNumber(QString::fromLatin1(value.toByteArray()));
    default:
      break;
  }
  bool ok = false;
  const double number = value.toDouble(&ok);
  if (!ok) raise(err::TypeMismatch);
  return number;
}

}  // namespace

Integer toInteger(double value) {
  return toIntegral<Integer>(value);
}
Long toLong(double value) {
  return toIntegral<Long>(value);
}

Single toSingle(double value) {
  if (std::isfinite(value) && std::fabs(value) > std::numeric_limits<float>::max())
    raise(err::Overflow);
  return static_cast<Single>(value);
}

Integer toInteger(const QVariant& value) {
  return toInteger(variantToNumber(value));
}
Long toLong(const QVariant& value) {
  return toLong(variantToNumber(value));
}
Single toSingle(const QVariant& value) {
  return toSingle(variantToNumber(value));
}
Double toDouble(const QVariant& value) {
  return variantToNumber(value);
}
Single toSingleSaturated(const QVariant& value) {
  const double number = variantToNumber(value);
  if (std::fabs(number) > std::numeric_limits<float>::max())
    return static_cast<Single>(std::copysign(std::numeric_limits<double>::infinity(), number));
  return static_cast<Single>(number);
}

Boolean toBoolean(const QVariant& value) {
  if (isEmpty(value)) return false;
  if (value.typeId() == QMetaType::Bool) return value.toBool();
  if (value.typeId() == QMetaType::QString) {
    const QString text = value.toString().trimmed();
    if (text.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0) return true;
    if (text.compare(QStringLiteral("False"), Qt::CaseInsensitive) == 0) return false;
  }
  return variantToNumber(value) != 0.0;
}

bool isEmpty(const QVariant& value) {
  return !value.isValid() || value.isNull();
}

namespace {

void checkedOperands(double dividend, double divisor, Long& a, Long& b) {
  a = toLong(dividend);
  b = toLong(divisor);
  if (b == 0) raise(err::DivisionByZero);
  if (a == std::numeric_limits<Long>::min() && b == -1) raise(err::Overflow);
}

}  // namespace

Long intDiv(double dividend, double divisor) {
  Long a = 0, b = 0;
  checkedOperands(dividend, divisor, a, b);
  return a / b;  // C++ truncates towards zero, as the run time does
}

Long intMod(double dividend, double divisor) {
  Long a = 0, b = 0;
  checkedOperands(dividend, divisor, a, b);
  return a % b;
}

namespace {

// The text of a number val took: the C locale's reading of it, as the
// design reads it; Overflow beyond the double range.
double cLocaleValue(std::string_view number) {
  bool ok = false;
  const double value = QLocale::c().toDouble(
      QString::fromLatin1(number.data(), static_cast<qsizetype>(number.size())), &ok);
  if (!ok) {
    // Beyond the double range however it is written (a long run of digits
    // comes back infinite); a value too small to hold is 0.
    if (std::isinf(value) || number.find('e') != std::string_view::npos) raise(err::Overflow);
    return 0.0;
  }
  return value;
}

// What val found of a number's parts.
struct NumberParts {
  bool digits = false, exponent = false, exponentDigits = false;
};

// The characters of the number at the start of the text, given to put one
// by one: sign, digits, point, and "e" for any exponent marker.
template <typename Put>
NumberParts scanNumber(QStringView text, Put&& put) {
  NumberParts parts;
  bool point = false, signAllowed = true;
  for (const QChar c : text) {
    const char16_t u = c.unicode();
    // Blanks, tabs and line feeds only: a carriage return ends a reply's field.
    if (u == u' ' || u == u'\t' || u == u'\n') continue;
    if (u >= u'0' && u <= u'9') {
      put(static_cast<char>(u));
      signAllowed = false;
      (parts.exponent ? parts.exponentDigits : parts.digits) = true;
    } else if ((u == u'+' || u == u'-') && signAllowed) {
      put(static_cast<char>(u));
      signAllowed = false;
    } else if (u == u'.' && !point && !parts.exponent) {
      put('.');
      point = true;
      signAllowed = false;
    } else if ((u == u'e' || u == u'E' || u == u'd' || u == u'D') && parts.digits &&
               !parts.exponent) {
      put('e');
      parts.exponent = true;
      signAllowed = true;
    } else {
      break;
    }
  }
  return parts;
}

double numberOf(std::string_view number, NumberParts parts) {
  if (!parts.digits) return 0.0;
  // An exponent marker without digits ("12e") means no exponent at all.
  if (parts.exponent && !parts.exponentDigits) {
    number = number.substr(0, number.find('e'));
    parts.exponent = false;
  }
  // Up to fifteen digits without an exponent: their whole number and the
  // power of ten of the places after the point are exact in a Double, so
  // the one rounding of their quotient is the reading's.
  if (!parts.exponent && number.size() <= 17) {
    std::uint64_t whole = 0;
    int count = 0, places = -1;
    for (const char c : number) {
      if (c == '.') {
        places = 0;
      } else if (c != '+' && c != '-') {
        whole = whole * 10 + static_cast<std::uint64_t>(c - '0');
        ++count;
        if (places >= 0) ++places;
      }
    }
    if (count <= 15) {
      static constexpr double kPowers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                           1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
      const double value = static_cast<double>(whole) / kPowers[std::max(places, 0)];
      return number.front() == '-' ? -value : value;
    }
  }
  // A normal number reads the same by from_chars, which rounds as exactly
  // as the C locale does, only much faster, and so does a zero written
  // without an exponent, whatever its sign; the edges of the range and
  // beyond are left to the C locale.
  const char* first = number.data() + (number.front() == '+' ? 1 : 0);
  const char* last = number.data() + number.size();
  double value = 0;
  const auto [end, failure] = std::from_chars(first, last, value);
  if (failure == std::errc() && end == last &&
      (std::isnormal(value) || (value == 0 && !parts.exponent)))
    return value;
  return cLocaleValue(number);
}

}  // namespace

double val(const QString& text) {
  return val(QStringView(text));
}

double val(QStringView text) {
  // On the stack, unless the number is a long run of digits.
  char local[48];
  size_t size = 0;
  const NumberParts parts = scanNumber(text, [&](char c) {
    if (size < sizeof local) local[size] = c;
    ++size;
  });
  if (size <= sizeof local) return numberOf(std::string_view(local, size), parts);
  std::string longer;
  longer.reserve(size);
  scanNumber(text, [&](char c) { longer += c; });
  return numberOf(longer, parts);
}

namespace {

QString generalText(double value, int significantDigits) {
  if (value == 0.0) return QStringLiteral("0");
  QString text = QString::number(value, 'g', significantDigits);
  text.replace(u'e', u'E');
  const int e = text.indexOf(u'E');
  if (e >= 0) {
    // "1E+16", "1.5E-05": sign always written, at least two exponent digits.
    QString mantissa = text.left(e);
    QString exponentPart = text.mid(e + 1);
    QChar sign = u'+';
    if (exponentPart.startsWith(u'-') || exponentPart.startsWith(u'+')) {
      sign = exponentPart.at(0);
      exponentPart.remove(0, 1);
    }
    while (exponentPart.size() > 2 && exponentPart.startsWith(u'0')) exponentPart.remove(0, 1);
    if (exponentPart.size() < 2) exponentPart.prepend(u'0');
    text = mantissa + u'E' + sign + exponentPart;
  }
  text.replace(u'.', userLocale().decimalPoint());
  return text;
}

}  // namespace

QString cstr(Double value) {
  return generalText(value, 15);
}
QString cstr(Single value) {
  return generalText(static_cast<double>(value), 7);
}

QString cstr(const QVariant& value) {
  if (isEmpty(value)) return QString();
  switch (value.typeId()) {
    case QMetaType::Bool:
      return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::Float:
      return cstr(value.value<float>());
    case QMetaType::Double:
      return cstr(value.toDouble());
    case QMetaType::QString:
      return value.toString();
    default:
      break;
  }
  if (value.canConvert<qlonglong>() && value.typeId() != QMetaType::QByteArray)
    return QString::number(value.toLongLong());
  if (value.canConvert<QString>()) return value.toString();
  raise(err::TypeMismatch);
}

}  // namespace rt
