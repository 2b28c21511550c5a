#pragma once
// The measurements of a results document for a maintenance system: CSV as
// RFC 4180 has it (fields quoted where they hold a comma, a quote or a line
// break, quotes doubled, lines ended by CR LF), in UTF-8, numbers with "."
// as the decimal point whatever the user's locale. A header row, then one
// row per measurement, in the order of the tests and of their results:
//
//   Device model, Device serial number, Asset number, Technician, Date,
//   Test ID, Test name, Measurement key, Measurement name, Value, Unit,
//   Low limit, High limit, Measurement verdict, Test verdict,
//   Analyzer type, Analyzer serial number
//
// Date is when the run started, as the document stores it (ISO 8601). The
// limits are those of the standards that judged the test, a relative bound
// for the measurement's preset, empty where no bound is enabled. Verdicts
// are the record's words in English ("Passed", "Not judged", ...), so that a
// program reads them whatever the user's language. A test without any
// measurement (skipped, aborted, not performed) still gets a row, with its
// measurement's fields empty, so that the export tells of every test. A
// result or measurement stored twice gets a row for each stored copy.

#include <QByteArray>
#include <QString>

namespace host {

class SequenceDocument;

QByteArray measurementsCsv(const SequenceDocument& sequence);

// Writes the export into the file; a file that cannot be written raises its
// file error (75) and nothing is written.
void exportMeasurements(const SequenceDocument& sequence, const QString& path);

}  // namespace host
