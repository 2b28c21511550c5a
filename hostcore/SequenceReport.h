#pragma once
// The PDF report of a sequence, as the host prints it: the record of the
// results document (host/sequence/RecordReport.h), with the printed
// discharge curve where a result has one.

#include <QString>

namespace host {
class SequenceDocument;
}

namespace hostapp {

// Prints the sequence's record as the report file. A test whose print fails
// is reported and the others are printed; false, reported, when the file
// could not be written.
bool printSequenceReport(host::SequenceDocument& sequence, const QString& file);

}  // namespace hostapp
