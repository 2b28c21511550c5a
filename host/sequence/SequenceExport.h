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
//   Analyzer type, Analyzer serial number, Simulated, Verdict by
//
// Date is when the run started, as the document stores it (ISO 8601). The
// limits are those of the standards that judged the test, a relative bound
// for the measurement's preset, empty where no bound is enabled. Verdicts
// are the record's words in English ("Passed", "Not judged", ...), so that a
// program reads them whatever the user's language. A test without any
// measurement (skipped, aborted, not performed) still gets a row, with its
// measurement's fields empty, so that the export tells of every test. A
// result or measurement stored twice gets a row for each stored copy.
// Simulated ("True" or empty) and Verdict by ("operator", "script:<file>"
// or empty) are what the record holds beside each result.
//
// A spreadsheet would run a cell that begins with "=", "+", "-", "@", a tab
// or a carriage return as a formula: such a text is written with a leading
// apostrophe. The number columns (Test ID, Value, the limits) keep their
// numbers as they are, negative ones included.

#include <QByteArray>
#include <QString>

namespace host {

class SequenceDocument;

QByteArray measurementsCsv(const SequenceDocument& sequence);

// Writes the export as the file, whole or not at all (runtime/WholeFile.h);
// a file that cannot be written raises its file error (61 when the disk is
// full) and the old file stays.
void exportMeasurements(const SequenceDocument& sequence, const QString& path);

}  // namespace host
