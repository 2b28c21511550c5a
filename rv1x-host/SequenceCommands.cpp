// The sequence tools:
//   rv1x-host resave IN OUT   loads the sequence IN and saves it as OUT
//   rv1x-host report IN OUT   prints the sequence IN as the PDF report OUT
//   rv1x-host export IN OUT   writes the measurements of IN as the CSV file
//                             OUT (host/sequence/SequenceExport.h)
// Exit status: 0 when nothing was reported, 1 when an error was reported on
// the way (each as an "error: ..." line on standard error) but OUT was
// written, 2 when IN cannot be read or is not a sequence, or OUT cannot be
// written, or (report, export) IN holds no test the host can create or OUT
// is IN (nothing is written then). export answers 0 once OUT is written,
// unless a stored pass in IN is contradicted by its own values (report and
// export say so: "Record inconsistent: ...") or a result or measurement is
// stored twice (the load reported it): then it answers 1.

#include <cstdio>

#include "HostProgram.h"
#include "RunOutputs.h"
#include "SequenceReport.h"
#include "runtime/ErrorHandling.h"
#include "sequence/SequenceDocument.h"
#include "sequence/SequenceExport.h"
#include "sequence/StoredCopies.h"
#include "sequence/TestVerdict.h"
#include "services/ErrorService.h"

namespace hostapp {
namespace {

constexpr int kClean = 0;
constexpr int kReported = 1;
constexpr int kFailed = 2;
const QString kSource = QStringLiteral("rv1x-host");

int reportedSoFar() {
  return static_cast<int>(host::ErrorService::instance()->reported().size());
}

int failed(const rt::RuntimeError& error) {
  host::ErrorService::instance()->ReportError(error, kSource);
  return kFailed;
}

// Loads IN, then runs the command's work; the exit status from what was
// reported meanwhile.
int withSequence(const QStringList& arguments, const char* command,
                 const std::function<bool(host::SequenceDocument&, const QString&)>& work) {
  if (arguments.size() != 2) return usageOf(command);
  const int before = reportedSoFar();
  host::SequenceDocument sequence;
  return rt::onError(
      [&] {
        sequence.Load(arguments.at(0));
        if (!work(sequence, arguments.at(1))) return kFailed;
        return reportedSoFar() > before ? kReported : kClean;
      },
      failed);
}

}  // namespace

int resaveCommand(const QStringList& arguments, const CommonOptions&) {
  return withSequence(arguments, "resave",
                      [](host::SequenceDocument& sequence, const QString& out) {
                        sequence.Save(out);
                        return true;
                      });
}

namespace {

// A report or export of nothing would pass for a record.
bool holdsTests(const host::SequenceDocument& sequence, const QString& in, const char* what) {
  if (sequence.Count() > 0) return true;
  std::fprintf(stderr, "rv1x-host: %s holds no test the host can create: no %s\n", qPrintable(in),
               what);
  return false;
}

// A PDF or CSV in the place of the sequence it is made from would lose the
// record.
bool writesOverItsInput(const QString& in, const QString& out, const char* what) {
  if (!sameFile(in, out)) return false;
  std::fprintf(stderr, "rv1x-host: %s is %s: the %s would replace the document it reads\n",
               qPrintable(out), qPrintable(in), what);
  return true;
}

}  // namespace

int reportCommand(const QStringList& arguments, const CommonOptions&) {
  return withSequence(arguments, "report",
                      [&](host::SequenceDocument& sequence, const QString& out) {
                        if (writesOverItsInput(arguments.at(0), out, "report") ||
                            !holdsTests(sequence, arguments.at(0), "report"))
                          return false;
                        host::reportInconsistentRecords(sequence);
                        return printSequenceReport(sequence, out);
                      });
}

int exportCommand(const QStringList& arguments, const CommonOptions&) {
  if (arguments.size() != 2) return usageOf("export");
  host::SequenceDocument sequence;
  return rt::onError(
      [&] {
        sequence.Load(arguments.at(0));
        if (writesOverItsInput(arguments.at(0), arguments.at(1), "export") ||
            !holdsTests(sequence, arguments.at(0), "export"))
          return kFailed;
        const int inconsistent = host::reportInconsistentRecords(sequence);
        host::exportMeasurements(sequence, arguments.at(1));
        return inconsistent > 0 || host::holdsResultsStoredTwice(sequence) ? kReported : kClean;
      },
      failed);
}

}  // namespace hostapp
