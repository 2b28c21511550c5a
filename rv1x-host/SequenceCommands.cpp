// The sequence tools:
//   rv1x-host resave IN OUT   loads the sequence IN and saves it as OUT
//   rv1x-host report IN OUT   prints the sequence IN as the PDF report OUT
//   rv1x-host export IN OUT   writes the measurements of IN as the CSV file
//                             OUT (host/sequence/SequenceExport.h)
// Exit status: 0 when nothing was reported, 1 when an error was reported on
// the way (each as an "error: ..." line on standard error) but OUT was
// written, 2 when IN cannot be read or is not a sequence, or OUT cannot be
// written (the old OUT then stays as it was), or OUT is in use by another
// process, or (report, export) IN holds no test the host can create, or OUT
// is a file of another role: IN, the registry or the template, by what the
// file is, links included (nothing is written then; resave F F is allowed).
// export answers 0 once OUT is written, unless a stored pass in IN is
// contradicted by its own values (report and export say so: "Record
// inconsistent: ...") or a result or measurement is stored twice (the load
// reported it): then it answers 1.

#include <cstdio>

#include "DocumentLock.h"
#include "FileRoles.h"
#include "HostProgram.h"
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

int failed(const rt::RuntimeError& error) {
  host::errors().ReportError(error, kSource);
  return kFailed;
}

// Why the command may not write OUT: a file of two roles, or a results
// document another process has; empty when nothing speaks against it.
QString outputProblem(const QString& in, const QString& out, const QString& outRole,
                      const CommonOptions& options) {
  return FileRoles(options)
      .add(role::Sequence, QStringLiteral("IN"), in, false)
      .add(outRole, QStringLiteral("OUT"), out, true)
      .clash();
}

bool refused(const QString& problem) {
  if (problem.isEmpty()) return false;
  std::fprintf(stderr, "rv1x-host: %s\n", qPrintable(problem));
  return true;
}

// Loads IN, then runs the command's work on OUT in its role; the exit
// status from what the load met and what the work reported.
int withSequence(const QStringList& arguments, const char* command, const QString& outRole,
                 const CommonOptions& options,
                 const std::function<bool(host::SequenceDocument&, const QString&)>& work) {
  if (arguments.size() != 2) return usageOf(command);
  if (refused(outputProblem(arguments.at(0), arguments.at(1), outRole, options))) return kFailed;
  host::SequenceDocument sequence;
  return rt::onError(
      [&] {
        sequence.Load(arguments.at(0));
        const bool loadedClean = sequence.Problems().isEmpty();
        const host::ReportCapture working;
        if (!work(sequence, arguments.at(1))) return kFailed;
        return loadedClean && working.isEmpty() ? kClean : kReported;
      },
      failed);
}

// A report or export of nothing would pass for a record.
bool holdsTests(const host::SequenceDocument& sequence, const QString& in, const char* what) {
  if (sequence.Count() > 0) return true;
  std::fprintf(stderr, "rv1x-host: %s holds no test the host can create: no %s\n", qPrintable(in),
               what);
  return false;
}

}  // namespace

int resaveCommand(const QStringList& arguments, const CommonOptions& options) {
  // The saved sequence is a document of its own role: resave F F is allowed.
  return withSequence(arguments, "resave", role::Sequence, options,
                      [](host::SequenceDocument& sequence, const QString& out) {
                        DocumentLock lock(out);
                        if (refused(lock.Take() ? QString() : lock.Refusal())) return false;
                        if (!lock.TakenOver().isEmpty())
                          std::fprintf(stderr, "rv1x-host: %s\n", qPrintable(lock.TakenOver()));
                        sequence.Save(out);
                        return true;
                      });
}

int reportCommand(const QStringList& arguments, const CommonOptions& options) {
  return withSequence(arguments, "report", role::Report, options,
                      [&](host::SequenceDocument& sequence, const QString& out) {
                        if (!holdsTests(sequence, arguments.at(0), "report")) return false;
                        host::reportInconsistentRecords(sequence);
                        return printSequenceReport(sequence, out);
                      });
}

int exportCommand(const QStringList& arguments, const CommonOptions& options) {
  if (arguments.size() != 2) return usageOf("export");
  if (refused(outputProblem(arguments.at(0), arguments.at(1), role::Export, options)))
    return kFailed;
  host::SequenceDocument sequence;
  return rt::onError(
      [&] {
        sequence.Load(arguments.at(0));
        if (!holdsTests(sequence, arguments.at(0), "export")) return kFailed;
        const int inconsistent = host::reportInconsistentRecords(sequence);
        host::exportMeasurements(sequence, arguments.at(1));
        return inconsistent > 0 || host::holdsResultsStoredTwice(sequence) ? kReported : kClean;
      },
      failed);
}

}  // namespace hostapp
