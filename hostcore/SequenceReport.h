#pragma once
// The PDF report of a sequence, as the host prints it: a title, then each
// test's heading, configuration, limits and result, with the printed
// discharge curve where a result has one.

#include <QString>
#include <QVariant>

namespace host {
class SequenceDocument;
}

namespace hostapp {

// Prints the sequence as the report file under that title. Each test is
// printed with the standards that judged its result only (as the result
// names them); a result that names none, with the standards the document
// selects for the test, else the first of its limit set. A test whose print
// fails is reported and the others are printed; false, reported, when the
// file could not be written.
bool printSequenceReport(host::SequenceDocument& sequence, const QString& file,
                         const QString& title);

}  // namespace hostapp
