#include "report/MeasurementTable.h"

#include "typelib/IMeasurement.h"

namespace host {

namespace {

bool isList(const QVariant& value) {
  return value.metaType().id() == QMetaType::QVariantList;
}

QString textCell(const QVariantList& row, int column) {
  return column < row.size() ? row.at(column).toString() : QString();
}

IMeasurementPtr measurementCell(const QVariantList& row) {
  if (row.size() <= measurementcolumn::Measurement) return nullptr;
  const QVariant& cell = row.at(measurementcolumn::Measurement);
  if (!com::holdsObject(cell)) return nullptr;
  return com::queryInterface<IMeasurement>(com::toObject(cell));
}

}  // namespace

QList<MeasurementRow> readMeasurementTable(const QVariant& table) {
  QList<MeasurementRow> rows;
  if (!isList(table)) return rows;
  for (const QVariant& entry : table.toList()) {
    if (!isList(entry)) continue;
    const QVariantList row = entry.toList();
    rows.append(MeasurementRow{textCell(row, measurementcolumn::Key),
                               textCell(row, measurementcolumn::Caption),
                               textCell(row, measurementcolumn::Pattern), measurementCell(row)});
  }
  return rows;
}

}  // namespace host
