#pragma once
// The texts of a report table and the placing of its columns.
//
// Format text: one code per column, separated by "|", ended by ";":
//   "<" left, ">" right, "^" centred   how the cell's text is aligned (left
//                                       when none is given)
//   "+"                                the column is flexible: when the
//                                       columns add up to more than the page
//                                       width, flexible columns give up width
//                                       in proportion to theirs; the others
//                                       keep theirs
//   "!"                                a vertical rule on the column's right
//                                       edge
//   N                                  the width in twips, a decimal integer
//                                       that may be negative
// The flags may come in any order around the width (">+!1600", ">+1600!").
// A width of 0 or less makes an empty column: the columns after it start at
// the same edge and its cells print nothing. A format without columns gives
// one left-aligned column of the page width. Columns are never widened.
//
// Header and rows texts: rows ended by ";", cells separated by "|", the cell
// text in the markup of ReportMarkup.h ("{\i\b Unit}"). A row's leading "|"
// opens its first cell, so "|      Load|50 Ohm|;" puts an empty cell into the
// first column and "      Load" into the second. A cell holds "|" and ";"
// quoted with a backslash. Text after the last ";" is a last row; blank rows
// are left out; line breaks at a row's ends are ignored. A row with more
// cells than the format has columns prints the extra cells in its last
// column; a row with fewer leaves the other columns empty.

#include <QList>
#include <QStringList>

#include "runtime/Types.h"

namespace host::report {

enum class CellAlignment { Left, Right, Centre };

struct TableColumn {
  CellAlignment alignment = CellAlignment::Left;
  bool flexible = false;
  bool rule = false;
  rt::Long width = 0;  // as written, may be negative
  friend bool operator==(const TableColumn&, const TableColumn&) = default;
};

QList<TableColumn> parseTableFormat(const QString& format);

// The rows of a header or rows text, each a list of cell texts (markup kept);
// the first `most` rows only, unless that is negative.
QList<QStringList> parseTableRows(const QString& text, qsizetype most = -1);

// The cells of a row laid into count columns (see above).
QStringList cellsForColumns(const QStringList& cells, int count);

// The columns' edges from the table's left edge: one more than there are
// columns, never decreasing, fitted into the page width as described above.
QList<rt::Long> columnEdges(const QList<TableColumn>& columns, rt::Long pageWidth);

// The columns actually printed: those of the format, or the one column that
// a format without columns stands for.
QList<TableColumn> printedColumns(const QList<TableColumn>& columns, rt::Long pageWidth);

}  // namespace host::report
