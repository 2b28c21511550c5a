#pragma once
// A test's result, or one of its measurements, stored more than once in a
// hand-edited or damaged record. The element holds only one copy, and
// which one a run meant cannot be told; so the report and the export show
// every copy as stored, and a record whose copies disagree never reads as
// passed on the strength of the copy the element happened to keep:
//
//   the copies agree              the test's verdict as stored
//   they disagree, one failed     Failed ("stored twice, and a copy failed")
//   they disagree, none failed    Not judged ("stored twice, and the copies
//                                 disagree")
//
// A copy failed when its result's status or its own status is 2.

#include <QList>
#include <QString>
#include <QStringList>

#include "runtime/RuntimeError.h"
#include "sequence/TestVerdict.h"

namespace host {

class SequenceDocument;

// One stored measurement of one stored result.
struct StoredMeasurementCopy {
  int resultCopy = 1;  // which stored <ResultItem>, from 1
  qint64 line = 0;     // where the measurement stands in the file
  QString key, description, value, unit;
  rt::Long status = 0;  // the measurement's own
};

struct StoredCopies {
  QList<rt::Long> resultStatuses;             // of each stored <ResultItem>, in order
  QList<StoredMeasurementCopy> measurements;  // every one, in stored order

  // Whether the result or a measurement of it is stored more than once.
  bool twice() const;
  // Whether two copies of the same part say different things.
  bool disagree() const;
  bool anyFailed() const;
};

// What the element's stored entry holds of its result; empty for an element
// whose result is its own (added or run since) or stored once.
StoredCopies storedCopies(const SequenceDocument& sequence, int index);

// Whether any element's result or measurement is stored twice.
bool holdsResultsStoredTwice(const SequenceDocument& sequence);

// The verdict as the table above has it.
TestVerdict judgedWithCopies(const StoredCopies& copies, const TestVerdict& verdict);

// The verdict of one stored copy, as measurementVerdict gives a measurement's.
Verdict copyVerdict(const StoredMeasurementCopy& copy);

// The printed rows of the copies: the copy and its line, the measurement's
// key and name, its value with its unit, and its verdict in words.
QStringList storedCopiesCaptions();
QList<QStringList> storedCopiesRows(const StoredCopies& copies);
// The line that heads them.
QString storedCopiesHeading();

}  // namespace host
