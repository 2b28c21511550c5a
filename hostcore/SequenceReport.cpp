#include "SequenceReport.h"

#include "report/HostReport.h"
#include "sequence/RecordReport.h"
#include "services/ErrorService.h"

namespace hostapp {

bool printSequenceReport(host::SequenceDocument& sequence, const QString& file) {
  const std::shared_ptr<host::CanvasReport> report = host::printRecordReport(sequence, file);
  if (report->fileWritten()) return true;
  host::errors().ReportError(
      rt::RuntimeError(rt::err::PathFileAccessError, QStringLiteral("rv1x-host"),
                       QStringLiteral("Cannot write the report %1").arg(file)),
      QStringLiteral("rv1x-host"));
  return false;
}

}  // namespace hostapp
