#pragma once
// What a printed record says: every text of the report's lines and tables,
// from the calls the report recorded.

#include <QString>
#include <QStringList>
#include <memory>

#include "RecordingReport.h"
#include "sequence/RecordReport.h"

namespace testsupport {

inline QString printedText(const ReportCalls& report) {
  QStringList texts;
  for (const ReportCall& call : report.calls()) {
    if (call.name == QLatin1String("Text")) texts.append(call.args.at(0).toString());
    if (call.name == QLatin1String("AddTable"))
      texts.append(call.args.at(1).toString() + call.args.at(2).toString());
  }
  return texts.join(u'\n');
}

// The sequence's record, printed into memory by a report that records its
// calls.
inline std::shared_ptr<RecordingCanvasReport> printedRecord(host::SequenceDocument& sequence) {
  auto report = std::make_shared<RecordingCanvasReport>();
  host::printRecordReport(sequence, report);
  return report;
}

}  // namespace testsupport
