#include "MeasurementLine.h"

#include <span>

namespace rv1xsim {

namespace {

constexpr int kLineLength = 59;  // the "!" makes the reply 60 characters

// A field of the line: 1-based first column, width, decimals, and the
// measurement that fills it. Values stand right-aligned in their columns.
struct Column {
  int first;
  int width;
  int decimals;
  bool zeroPadded;
  Reading reading;
  double (*value)(const Measurements&);
};

const Column kPacerColumns[] = {
    {1, 3, 0, true, Reading::Pacer, [](const Measurements& v) { return double(v.rate); }},
    {8, 6, 1, false, Reading::Pacer, [](const Measurements& v) { return v.pulseWidth; }},
    {17, 6, 1, false, Reading::Pacer, [](const Measurements& v) { return v.amplitude; }},
    {35, 6, 2, false, Reading::Sensitivity, [](const Measurements& v) { return v.sensitivity; }},
    {44, 6, 0, false, Reading::Refractory, [](const Measurements& v) { return v.sensedRp; }},
    {53, 7, 0, false, Reading::Refractory, [](const Measurements& v) { return v.pacedRp; }},
};

const Column kDefibrillatorColumns[] = {
    {1, 6, 1, false, Reading::Discharge, [](const Measurements& v) { return v.energy; }},
    {9, 6, 1, false, Reading::Discharge, [](const Measurements& v) { return v.peakVoltage; }},
    {17, 6, 1, false, Reading::Discharge, [](const Measurements& v) { return v.peakCurrent; }},
    {25, 7, 1, false, Reading::Discharge, [](const Measurements& v) { return v.delay; }},
    {35, 6, 1, false, Reading::ChargeTime, [](const Measurements& v) { return v.chargeTime; }},
};

void place(QByteArray& line, const Column& column, double value) {
  const QByteArray text = QByteArray::number(value, 'f', column.decimals)
                              .rightJustified(column.width, column.zeroPadded ? '0' : ' ', true);
  line.replace(column.first - 1, column.width, text);
}

}  // namespace

QByteArray measurementLine(const Measurements& values, char range, const Readings& readings) {
  QByteArray line(kLineLength, ' ');
  const std::span<const Column> columns =
      range == 'P' ? std::span<const Column>(kPacerColumns) : kDefibrillatorColumns;
  for (const Column& column : columns)
    place(line, column, progressOf(readings, column.reading).made() ? column.value(values) : 0.0);
  return line;
}

}  // namespace rv1xsim
