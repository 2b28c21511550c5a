#include "report/ReportTable.h"

#include <algorithm>
#include <cmath>

namespace host::report {

namespace {

// Widths beyond any paper are taken as this, so sums stay far from overflow.
constexpr qint64 kWidestColumn = 1000000;
constexpr qint64 kFarthestEdge = 1000000000;

TableColumn parseColumn(QStringView code) {
  TableColumn column;
  bool haveWidth = false;
  for (qsizetype i = 0; i < code.size(); ++i) {
    const QChar c = code.at(i);
    if (c == u'<') {
      column.alignment = CellAlignment::Left;
    } else if (c == u'>') {
      column.alignment = CellAlignment::Right;
    } else if (c == u'^') {
      column.alignment = CellAlignment::Centre;
    } else if (c == u'+') {
      column.flexible = true;
    } else if (c == u'!') {
      column.rule = true;
    } else if (!haveWidth &&
               (c.isDigit() || (c == u'-' && i + 1 < code.size() && code.at(i + 1).isDigit()))) {
      const bool negative = c == u'-';
      if (negative) ++i;
      qint64 value = 0;
      for (; i < code.size() && code.at(i).isDigit(); ++i)
        value = std::min(kWidestColumn, value * 10 + code.at(i).digitValue());
      --i;
      column.width = static_cast<rt::Long>(negative ? -value : value);
      haveWidth = true;
    }
    // Anything else (blanks, stray characters) carries no meaning.
  }
  return column;
}

bool isRowMarkup(QChar c) {
  return c == u'\\' || c == u'|' || c == u';';
}

}  // namespace

QList<TableColumn> parseTableFormat(const QString& format) {
  QStringView text(format);
  const qsizetype end = text.indexOf(u';');
  if (end >= 0) text = text.left(end);
  if (text.trimmed().isEmpty()) return {};
  QList<TableColumn> columns;
  for (QStringView code : text.split(u'|')) columns.append(parseColumn(code));
  return columns;
}

QList<QStringList> parseTableRows(const QString& text, qsizetype most) {
  QList<QStringList> rows;
  QStringList cells;
  QString cell;
  auto endRow = [&] {
    cells.append(cell);
    cell.clear();
    // Line breaks between rows belong to no cell.
    while (!cells.first().isEmpty() &&
           (cells.first().front() == u'\n' || cells.first().front() == u'\r'))
      cells.first().remove(0, 1);
    while (!cells.last().isEmpty() &&
           (cells.last().back() == u'\n' || cells.last().back() == u'\r'))
      cells.last().chop(1);
    const bool blank = cells.size() == 1 && cells.first().trimmed().isEmpty();
    if (!blank) rows.append(cells);
    cells.clear();
  };
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (most >= 0 && rows.size() >= most) return rows;
    const QChar c = text.at(i);
    if (c == u'\\' && i + 1 < text.size()) {
      // Quoted characters stay quoted for the markup reader.
      cell += c;
      cell += text.at(++i);
    } else if (c == u'|') {
      cells.append(cell);
      cell.clear();
    } else if (c == u';') {
      endRow();
    } else {
      // Up to the next character that means something, at once.
      qsizetype end = i + 1;
      while (end < text.size() && !isRowMarkup(text.at(end))) ++end;
      cell += QStringView(text).sliced(i, end - i);
      i = end - 1;
    }
  }
  if (!cells.isEmpty() || !cell.trimmed().isEmpty()) endRow();
  return rows;
}

QStringList cellsForColumns(const QStringList& cells, int count) {
  if (count <= 0) return {};
  QStringList laid = cells.mid(0, count);
  if (cells.size() > count) laid.last() = cells.mid(count - 1).join(u' ');
  while (laid.size() < count) laid.append(QString());
  return laid;
}

QList<TableColumn> printedColumns(const QList<TableColumn>& columns, rt::Long pageWidth) {
  if (!columns.isEmpty()) return columns;
  return {TableColumn{CellAlignment::Left, true, false, std::max<rt::Long>(pageWidth, 0)}};
}

QList<rt::Long> columnEdges(const QList<TableColumn>& columns, rt::Long pageWidth) {
  qint64 fixed = 0;
  qint64 flexible = 0;
  for (const TableColumn& column : columns) {
    const qint64 width = std::max<qint64>(column.width, 0);
    (column.flexible ? flexible : fixed) += width;
  }
  const qint64 available = std::max<qint64>(0, qint64(pageWidth) - fixed);
  const bool shrink = flexible > 0 && fixed + flexible > pageWidth && available < flexible;

  QList<rt::Long> edges{0};
  qint64 fixedSoFar = 0;
  qint64 flexibleSoFar = 0;
  for (const TableColumn& column : columns) {
    const qint64 width = std::max<qint64>(column.width, 0);
    (column.flexible ? flexibleSoFar : fixedSoFar) += width;
    // Rounding the running sum, not each width, keeps the last edge exact.
    const qint64 flexiblePart =
        shrink ? std::llround(double(flexibleSoFar) * double(available) / double(flexible))
               : flexibleSoFar;
    edges.append(static_cast<rt::Long>(std::min(kFarthestEdge, fixedSoFar + flexiblePart)));
  }
  return edges;
}

}  // namespace host::report
