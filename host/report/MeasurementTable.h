#pragma once
// The measurement table that StandardsCollection::Print takes beside the
// standards: one row per measurement a test can hold limits for.
//
// Carried in a QVariant as a QVariantList of rows, each row a QVariantList
// of four cells, in this order:
//   0 key          QString, the limit key and the measurement key ("ENGY")
//   1 caption      QString, already translated ("Energy")
//   2 pattern      QString, the display pattern of the row's numbers ("0.0")
//   3 measurement  the IMeasurement of that key in the test's result, as
//                  com::toVariantOf(measurement); a null reference (none)
//                  when the result has no such measurement; an empty
//                  QVariant when the test has no result
// A test without such rows gives an empty QVariantList. Any cell may be
// left empty (QVariant()); a missing or empty cell prints empty, a row that
// is not a list is left out, and so is the whole table when the QVariant is
// not a list.

#include <QList>

#include "typelib/HostTypes.h"

namespace host {

namespace measurementcolumn {
constexpr int Key = 0;
constexpr int Caption = 1;
constexpr int Pattern = 2;
constexpr int Measurement = 3;
constexpr int Count = 4;
}  // namespace measurementcolumn

struct MeasurementRow {
  QString key;
  QString caption;
  QString pattern;
  IMeasurementPtr measurement;  // null for none and for empty
};

QList<MeasurementRow> readMeasurementTable(const QVariant& table);

}  // namespace host
