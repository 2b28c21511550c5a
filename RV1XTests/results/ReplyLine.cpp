#include "results/ReplyLine.h"

#include <QRegularExpression>
#include <algorithm>

#include "runtime/Conversions.h"

namespace orvanRV1Xtst {

namespace {

// Blanks, tabs and line feeds stand between the numbers, and inside a field
// are ignored.
bool isBlank(QChar c) {
  return c == u' ' || c == u'\t' || c == u'\n';
}

bool allBlank(const QString& text) {
  return std::all_of(text.begin(), text.end(), isBlank);
}

QString withoutBlanks(QString text) {
  text.removeIf(isBlank);
  return text;
}

// The analyzer writes plain decimals: no exponent, "." the decimal point.
bool isPlainDecimal(const QString& text) {
  static const QRegularExpression number(QStringLiteral("^[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)$"));
  return number.match(text).hasMatch();
}

QString characters(int first, int last) {
  return first == last ? QStringLiteral("character %1").arg(first)
                       : QStringLiteral("characters %1 to %2").arg(first).arg(last);
}

}  // namespace

ReplyLine::ReplyLine(const QString& reply, const ReplyLayout& layout)
    : layout_(layout), line_(reply) {
  if (line_.endsWith(u'!')) line_.chop(1);
  fault_ = CheckColumns();
}

QString ReplyLine::CheckColumns() const {
  const int size = static_cast<int>(line_.size());
  const int end = layout_.lastColumn();
  if (size > end && !allBlank(line_.mid(end)))
    return QStringLiteral("it goes on after character %1, where the line ends (\"%2\")")
        .arg(end)
        .arg(line_.mid(end));
  int gapFirst = 1;
  for (const ReplyColumns& columns : layout_.fields) {
    if (gapFirst > size) break;
    const int gapLast = std::min(columns.first - 1, size);
    const QString gap = line_.mid(gapFirst - 1, gapLast - gapFirst + 1);
    if (gapLast >= gapFirst && !allBlank(gap))
      return QStringLiteral("%1, between its fields, hold \"%2\"")
          .arg(characters(gapFirst, gapLast), gap);
    const int last = std::min(columns.last, size);
    const QString text = line_.mid(columns.first - 1, last - columns.first + 1);
    if (!text.isEmpty() && !allBlank(text) && isBlank(text.back()))
      return QStringLiteral("the %1 in %2 (\"%3\") does not end in character %4")
          .arg(QLatin1String(columns.quantity), characters(columns.first, columns.last), text)
          .arg(last);
    gapFirst = columns.last + 1;
  }
  return QString();
}

FieldReading ReplyLine::field(const ReplyField& field) const {
  if (!fault_.isEmpty()) return {std::nullopt, fault_};
  const ReplyColumns& columns = layout_.fields[field.field];
  const QString where = characters(columns.first, columns.last);
  const int size = static_cast<int>(line_.size());
  const bool lastField = field.field == static_cast<int>(layout_.fields.size()) - 1;
  if (size < columns.first)
    return {std::nullopt,
            QStringLiteral("the reply of %1 characters ends before %2").arg(size).arg(where)};
  // Only the last field may end with the line.
  if (size < columns.last && !lastField)
    return {std::nullopt,
            QStringLiteral("the reply of %1 characters ends inside %2").arg(size).arg(where)};
  const QString text = line_.mid(columns.first - 1, columns.last - columns.first + 1);
  const QString number = withoutBlanks(text);
  if (!isPlainDecimal(number))
    return {std::nullopt, QStringLiteral("%1 hold \"%2\", which is no number").arg(where, text)};
  const double value = rt::val(number);
  if (value < 0 && !columns.signedQuantity)
    return {std::nullopt, QStringLiteral("%1 hold \"%2\", and a %3 is never below 0")
                              .arg(where, text, QLatin1String(columns.quantity))};
  if (value == 0 && field.zeroIsNone) return {std::nullopt, QString()};
  return {value, QString()};
}

double replyNumber(const QString& reply, int first, int length) {
  return rt::val(reply.mid(first - 1, length));
}

}  // namespace orvanRV1Xtst
