#include "report/VerdictRounding.h"

#include "runtime/Conversions.h"
#include "runtime/ErrorHandling.h"
#include "runtime/Locale.h"
#include "runtime/NumberDisplay.h"

namespace host {

namespace {

// A single-precision number has no more than seven significant digits to
// show, so more decimals than this never tell two of them apart.
constexpr int kMostMoreDecimals = 6;

QString boundText(rt::Single bound, const QString& pattern) {
  return rt::formatNumber(bound, pattern);
}

// The number a reader takes from a printed text.
std::optional<double> readBack(const QString& text) {
  QString plain = text;
  plain.remove(u' ');
  plain.replace(rt::userLocale().decimalPoint(), QStringLiteral("."));
  bool ok = false;
  const double number = plain.toDouble(&ok);
  return ok ? std::optional<double>(number) : std::nullopt;
}

// The bound in the fewest decimals up to the given ones that show it whole,
// else in those.
QString fittedBound(rt::Single bound, const QString& pattern, int moreDecimals) {
  for (int more = 0; more < moreDecimals; ++more) {
    const QString text = boundText(bound, widenedPattern(pattern, more));
    const std::optional<double> shown = readBack(text);
    if (shown && static_cast<rt::Single>(*shown) == bound) return text;
  }
  return boundText(bound, widenedPattern(pattern, moreDecimals));
}

// Whether the printed value stands on the side of the printed bound that the
// value itself does: beyond it (failed) or on or within it (passed).
bool sameSide(rt::Single value, rt::Single bound, bool isHigh, const QString& valueText,
              const QString& printedBound) {
  const std::optional<double> shownValue = readBack(valueText);
  const std::optional<double> shownBound = readBack(printedBound);
  if (!shownValue || !shownBound) return true;
  const bool beyond = isHigh ? value > bound : value < bound;
  const bool readsBeyond = isHigh ? *shownValue > *shownBound : *shownValue < *shownBound;
  return beyond == readsBeyond;
}

}  // namespace

QString widenedPattern(const QString& pattern, int moreDecimals) {
  if (moreDecimals <= 0) return pattern;
  const QString zeros(moreDecimals, u'0');
  const int point = pattern.indexOf(u'.');
  if (point < 0) return pattern + u'.' + zeros;
  // After the pattern's last digit place, so that "#" places stay optional.
  int end = point + 1;
  while (end < pattern.size() && (pattern[end] == u'0' || pattern[end] == u'#')) ++end;
  QString widened = pattern;
  widened.insert(end, zeros);
  return widened;
}

JudgedTexts judgedTexts(const QVariant& value, std::optional<rt::Single> low,
                        std::optional<rt::Single> high, const QString& pattern) {
  const auto valueText = [&](const QString& itsPattern) {
    return rt::isEmpty(value)
               ? QString()
               : rt::orDefault([&] { return rt::format(value, itsPattern); }, QString());
  };
  const auto bounds = [&](int more) {
    return JudgedTexts{QString(), low ? fittedBound(*low, pattern, more) : QString(),
                       high ? fittedBound(*high, pattern, more) : QString()};
  };
  JudgedTexts texts = bounds(0);
  texts.value = valueText(pattern);
  const std::optional<rt::Single> number =
      rt::isEmpty(value) || value.typeId() == QMetaType::Bool
          ? std::nullopt
          : rt::orDefault([&]() -> std::optional<rt::Single> { return rt::toSingle(value); },
                          std::optional<rt::Single>());
  if (!number || pattern.isEmpty() || (!low && !high)) return texts;
  const auto agrees = [&](const JudgedTexts& candidate) {
    return (!low || sameSide(*number, *low, false, candidate.value, candidate.low)) &&
           (!high || sameSide(*number, *high, true, candidate.value, candidate.high));
  };
  // Numbers no decimals tell apart keep the pattern.
  for (int more = 0; more <= kMostMoreDecimals; ++more) {
    JudgedTexts candidate = bounds(more);
    candidate.value = valueText(widenedPattern(pattern, more));
    if (agrees(candidate)) return candidate;
  }
  return texts;
}

}  // namespace host
