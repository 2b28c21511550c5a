#pragma once
// The report of a results document, the record a quality office accepts:
//
//   first page  the title; the title block (the device under test, the
//               technician, the run's date and time, the analyzers used,
//               the host's and the plug-in's versions); the summary, one row
//               per test (test ID, name, the standard that judged it, its
//               verdict in words); the overall verdict
//   then        each test's section: the test's own print (heading,
//               configuration, limits, result) and its verdict in words; a
//               test skipped, aborted or not performed prints its heading
//               and configuration and says so, without a result's empty
//               cells
//   at the end  a signature line for the technician and the date
//   each page   the device's serial number and "page N of M" in its foot
//
// Everything printed comes from the document (its record, its elements and
// what the document holds for them), so a report of a run and the reprint of
// its results document are the same. The host's words go through the
// report's translation, in the user's language.

#include <QStringList>
#include <memory>

#include "typelib/HostTypes.h"

namespace host {

class CanvasReport;
class SequenceDocument;

// The standards that judged the element's result, by their names; empty
// when none did (the operator's verdict, or none yet).
QStringList judgingStandardNames(const SequenceDocument& sequence, int index);

// The record of the sequence, rendered into the PDF file (into memory
// without one) and finished. It is laid out once; its pages are drawn when
// their number is known. A test whose print fails is reported and the
// others are printed.
std::shared_ptr<CanvasReport> printRecordReport(SequenceDocument& sequence,
                                                const QString& pdfFile = QString());
// The same, into a report the caller made (one that also records what it
// was asked, say).
void printRecordReport(SequenceDocument& sequence, const std::shared_ptr<CanvasReport>& report);

}  // namespace host
