#pragma once
// Prints a report table (ReportTable.h) onto the document's pages.
//
// Cells wrap their text at word boundaries within the column, less a small
// inner margin; a row is as tall as its tallest cell. The table's first
// header rows (TableSettings::headerRows of the header text's rows) repeat at
// the top of every page the table continues on, and a row that does not fit
// the rest of the page moves to the next one. Without a grid, a rule runs
// below the header; with it, every cell is framed.

#include "report/ReportDocument.h"
#include "runtime/Types.h"

namespace host::report {

struct TableSettings {
  QString family = QStringLiteral("Arial");
  double points = 7;
  bool grid = false;
  int headerRows = 1;
};

struct TableText {
  QString format;
  QString header;
  QString rows;
};

// Where a row of the table went: the page (1 the document's first), its top
// and height, and which row it is (a header row repeated on a later page
// appears once more).
struct PlacedRow {
  int page = 1;
  double top = 0;
  double height = 0;
  bool header = false;
  int index = 0;  // among the header rows or among the body rows
};

struct PlacedTable {
  double bottom = 0;  // the y below the table; where it started when empty
  QList<PlacedRow> rows;
};

// Prints the table at the left edge x from y down.
PlacedTable printTable(ReportDocument& document, const TableSettings& settings,
                       const TableText& table, rt::Long pageWidth, double x, double y);

// The height of what the table keeps together at its start: its header rows
// and its first row.
double openingHeight(ReportDocument& document, const TableSettings& settings,
                     const TableText& table, rt::Long pageWidth);

}  // namespace host::report
