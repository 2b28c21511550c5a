#pragma once
// The one table call sequence through which configurations, results and
// limit sets print their tables: the report's three set-up calls (font size
// 7, no grid, one header row) and then the table itself (column format,
// header, rows, three zeros). Every call stands alone: a failing one is
// skipped and the next still runs.

#include <QString>
#include <QStringList>

#include "typelib/HostTypes.h"

namespace orvanRV1Xtst::reporttable {

// The column layouts: the configuration tables' narrow first text column
// (the report's table shape 7) or wide one (shape 10), and the result table
// of measurements with preset, value and unit (shape 10).
enum class Shape { NarrowFirstColumn, WideFirstColumn, ResultTable };

// The report's table shape number for the page-width query.
rt::Long shapeNumber(Shape shape);

// The column format for a page width W: four value columns of
// (W - fixed columns) \ 4 each, the division truncating towards zero.
QString columnFormat(Shape shape, rt::Long pageWidth);

// "|{\i\b a}|{\i\b b};": the captions printed bold italic.
QString header(const QStringList& captions);

// "|a|b|c;".
QString row(const QStringList& cells);

// The label cell of a configuration row: indented by six blanks.
QString indented(const QString& label);

// The report's translation of a text key for the product; empty when the
// report fails.
QString translate(host::HostReport& report, const QString& textKey);

// The page width for a shape; 0 when the report fails.
rt::Long pageWidth(host::HostReport& report, rt::Long shapeNumber);

// The set-up calls and the table.
void addTable(host::HostReport& report, const QString& format, const QString& header,
              const QString& rows);

}  // namespace orvanRV1Xtst::reporttable
