// rv1x-host [--unattended] [--simulate[=OPTIONS]] [--template FILE] run
//     [--tests ID,ID,...] [--sequence FILE] [--results FILE] [--report FILE]
//     [--operator FILE] [--screenshots DIR] [--wait-limit SECONDS]
//     [--device-model TEXT] [--device-serial TEXT] [--device-id TEXT]
//     [--technician TEXT] [--overwrite] N
// runs a test sequence on the analyzer at port N the way the host does: it
// loads the plug-in and initialises it, takes the tests from its catalogue
// (those of --tests in that order, else the whole catalogue in its order)
// or from the stored sequence of --sequence, and performs them in turn
// (SequenceRun.h). A person works the guide windows on a display; unattended
// (--unattended, no display, or an --operator file) the host's scripted
// operator does; a wait of its that lasts beyond --wait-limit (default 120
// s) is given up and the test left unjudged. With --simulate the host also
// plays the technician's part on the simulated bench (SimulatedBench.h).
// Before each test a line "running test <ID> <name> (<k> of <n>)", and at
// the end a summary, go to standard error; before them a warning when the
// record names no serial number of the device.
//
// The device under test (its model, serial number and the hospital's asset
// number) and the technician are recorded in the results document, with
// when the run started and ended and the versions of host and plug-in; a
// stored sequence keeps what it records unless an option gives it again.
//
// A results file that exists is the record of an earlier run: it is written
// only when it is the --sequence FILE being continued, or with --overwrite.
//
// Exit status: 0 when every test performed passed; 1 when any failed, was
// not evaluated, skipped, not applicable or aborted (or a document could not
// be written, or an entry of the stored sequence could not be read); 2 when the run could not start
// (no plug-in, a test ID the catalogue lacks, a sequence or operator file that cannot be read, no
// analyzer answering on port N, a results document, report or screenshot
// folder that cannot be written, a results file that exists and is not
// continued); 64 for wrong arguments (a simulator
// option among them).

#include <QFileInfo>
#include <cstdio>
#include <memory>
#include <optional>

#include "AnalyzerPort.h"
#include "GuideScreenshots.h"
#include "HostProgram.h"
#include "PlugInHost.h"
#include "RunOutputs.h"
#include "SequenceReport.h"
#include "SequenceRun.h"
#include "SimulatedAnalyzer.h"
#include "SimulatedBench.h"
#include "com/RegisteredName.h"
#include "elements/TestInfo.h"
#include "operator/OperatorScript.h"
#include "operator/ScriptedOperator.h"
#include "runtime/ErrorHandling.h"
#include "sequence/SequenceDocument.h"
#include "services/ErrorService.h"
#include "services/HostServices.h"
#include "typelib/IPlugIn.h"
#include "typelib/ITestElement.h"
#include "ui/MessageBoxes.h"

namespace hostapp {
namespace {

constexpr int kAllPassed = 0;
constexpr int kNotAllPassed = 1;
constexpr int kNotStarted = 2;
constexpr int kUsage = 64;
const QString kSource = QStringLiteral("rv1x-host");
const QString kDefaultResults = QStringLiteral("rv1x-results.xml");
constexpr double kDefaultWaitLimitSeconds = 120;
// A limit the operator's millisecond timer can still count.
constexpr double kLongestWaitSeconds = 24 * 60 * 60;

struct RunOptions {
  int port = 0;
  std::optional<QList<rt::Long>> tests;
  QString sequence;
  QString results = kDefaultResults;
  QString report;
  QString operatorFile;
  QString screenshots;
  double waitLimitSeconds = kDefaultWaitLimitSeconds;
  host::SequenceRecord record;  // the device and the technician
  bool overwrite = false;       // an existing results file may be replaced
};

int usage(const QString& why) {
  std::fprintf(stderr, "rv1x-host: %s\n", qPrintable(why));
  return usageOf("run");
}

int notStarted(const QString& why) {
  std::fprintf(stderr, "rv1x-host: %s\n", qPrintable(why));
  return kNotStarted;
}

std::optional<QList<rt::Long>> testIDs(const QString& text) {
  QList<rt::Long> ids;
  for (const QString& id : text.split(u',')) {
    bool ok = false;
    const int number = id.trimmed().toInt(&ok);
    if (!ok) return std::nullopt;
    ids.append(number);
  }
  return ids;
}

// The options after "run"; an empty text when they are right, else why not.
QString parseOptions(const QStringList& arguments, RunOptions& run) {
  const std::pair<const char*, QString*> files[] = {
      {"--sequence", &run.sequence},
      {"--results", &run.results},
      {"--report", &run.report},
      {"--operator", &run.operatorFile},
      {"--screenshots", &run.screenshots},
      {"--device-model", &run.record.device.model},
      {"--device-serial", &run.record.device.serialNumber},
      {"--device-id", &run.record.device.assetNumber},
      {"--technician", &run.record.technician}};
  QStringList positional;
  for (int i = 0; i < arguments.size(); ++i) {
    const QString& argument = arguments.at(i);
    if (!argument.startsWith(QStringLiteral("--"))) {
      positional.append(argument);
      continue;
    }
    if (argument == QLatin1String("--overwrite")) {
      run.overwrite = true;
      continue;
    }
    if (i + 1 >= arguments.size())
      return QStringLiteral("the option %1 needs a value").arg(argument);
    const QString value = arguments.at(++i);
    if (argument == QLatin1String("--tests")) {
      run.tests = testIDs(value);
      if (!run.tests) return QStringLiteral("--tests takes test IDs: %1").arg(value);
      continue;
    }
    if (argument == QLatin1String("--wait-limit")) {
      bool ok = false;
      run.waitLimitSeconds = value.toDouble(&ok);
      if (!ok || !(run.waitLimitSeconds > 0) || run.waitLimitSeconds > kLongestWaitSeconds)
        return QStringLiteral("--wait-limit takes seconds, more than 0: %1").arg(value);
      continue;
    }
    const auto file = std::find_if(std::begin(files), std::end(files),
                                   [&](const auto& entry) { return argument == entry.first; });
    if (file == std::end(files)) return QStringLiteral("unknown option %1").arg(argument);
    *file->second = value;
  }
  if (positional.size() != 1) return QStringLiteral("give the port number N once");
  bool ok = false;
  run.port = positional.first().toInt(&ok);
  if (!ok || run.port < 1)
    return QStringLiteral("the port is a number from 1: %1").arg(positional.first());
  if (run.tests && !run.sequence.isEmpty())
    return QStringLiteral(
        "--tests picks from the catalogue, --sequence runs a stored sequence: "
        "give one of them");
  return {};
}

// The tests of the catalogue, those asked for in their order or all in the
// catalogue's; false, with the IDs named, when the catalogue lacks any.
bool sequenceFromCatalogue(host::IPlugIn& plugIn, const std::optional<QList<rt::Long>>& asked,
                           host::SequenceDocument& sequence) {
  const host::ITestElementListPtr catalogue = plugIn.Tests();
  if (!catalogue) return false;  // the plug-in has reported why
  QList<rt::Long> ids;
  if (asked) {
    ids = *asked;
  } else {
    for (rt::Long i = 1; i <= catalogue->Count(); ++i) ids.append(catalogue->Item(i)->TestID());
  }
  QStringList missing;
  for (rt::Long id : ids)
    if (!catalogue->Find(id)) missing.append(QString::number(id));
  if (!missing.isEmpty()) {
    notStarted(QStringLiteral("the test catalogue has no test%1 %2")
                   .arg(missing.size() > 1 ? QStringLiteral("s") : QString(),
                        missing.join(QStringLiteral(", "))));
    return false;
  }
  for (int i = 0; i < ids.size(); ++i) {
    const host::ITestElementPtr test = plugIn.CreateTest(ids.at(i));
    com::must(test).SetID(i + 1);
    sequence.Append(test, com::registeredNameOf(test));
  }
  return true;
}

// Who works the guide windows while the sequence runs, and what else looks
// at them.
class Bench {
 public:
  Bench(const RunOptions& run, const host::OperatorScript& script, rv1xsim::Simulator* simulator) {
    if (simulator) simulatedBench_ = std::make_unique<SimulatedBench>(*simulator);
    if (!run.screenshots.isEmpty())
      screenshots_ = std::make_unique<GuideScreenshots>(run.screenshots);
    // An operator file is the scripted operator's: the run is unattended.
    if (!run.operatorFile.isEmpty()) ui::MessageBoxes::instance().setUnattended(true);
    if (!ui::MessageBoxes::instance().unattended()) {
      if (screenshots_) screenshots_->WatchGuides();
      return;
    }
    operator_ = std::make_unique<host::ScriptedOperator>(script);
    operator_->setWaitLimit(static_cast<int>(run.waitLimitSeconds * 1000));
    operator_->setGiveUpHook(
        [seconds = run.waitLimitSeconds](rt::Long testID, const QString& waitingFor) {
          std::fprintf(stderr, "rv1x-host: test %d stopped after waiting %s s: %s\n", testID,
                       qPrintable(QString::number(seconds)), qPrintable(waitingFor));
          std::fflush(stderr);
        });
    if (screenshots_) operator_->setStateHook(screenshots_->OperatorHook());
  }

 private:
  std::unique_ptr<SimulatedBench> simulatedBench_;
  std::unique_ptr<GuideScreenshots> screenshots_;
  std::unique_ptr<host::ScriptedOperator> operator_;
};

// Why the results file may not be written, or an empty text: a file that
// exists holds an earlier run's record, which this run would replace before
// its first test.
QString resultsRefusal(const RunOptions& run) {
  if (run.overwrite || !QFileInfo::exists(run.results)) return {};
  if (!run.sequence.isEmpty() && sameFile(run.sequence, run.results)) return {};
  return QStringLiteral(
             "the results file %1 exists: a run writes it only to continue the sequence it holds "
             "(--sequence %1), or with --overwrite")
      .arg(run.results);
}

// The PDF would take the place of the record it prints, or of the
// sequence the run reads.
QString reportRefusal(const RunOptions& run) {
  if (run.report.isEmpty()) return {};
  const auto refusal = [&](const char* what) {
    return QStringLiteral("--report %1 is the %2: the report would replace it")
        .arg(run.report, QLatin1String(what));
  };
  if (sameFile(run.report, run.results)) return refusal("results document");
  if (!run.sequence.isEmpty() && sameFile(run.report, run.sequence))
    return refusal("sequence document");
  return {};
}

// What speaks against the files the run is to write, before it starts.
QString outputsProblem(const RunOptions& run) {
  QString problem = reportRefusal(run);
  if (problem.isEmpty()) problem = resultsRefusal(run);
  if (problem.isEmpty()) problem = outputFileProblem(QStringLiteral("--results"), run.results);
  if (problem.isEmpty() && !run.report.isEmpty())
    problem = outputFileProblem(QStringLiteral("--report"), run.report);
  if (problem.isEmpty() && !run.screenshots.isEmpty())
    problem = outputFolderProblem(QStringLiteral("--screenshots"), run.screenshots);
  return problem;
}

QString noAnalyzer(int port) {
  QString why = QStringLiteral("no analyzer answers on port %1").arg(port);
  if (const QString device = portDeviceProblem(port); !device.isEmpty())
    why += QStringLiteral(": ") + device;
  return why;
}

int runSequence(const RunOptions& run, const CommonOptions& options) {
  if (const QString problem = outputsProblem(run); !problem.isEmpty()) return notStarted(problem);
  host::OperatorScript script;
  if (!run.operatorFile.isEmpty()) {
    const bool read = rt::onError(
        [&] {
          script = host::OperatorScript::Read(run.operatorFile);
          return true;
        },
        [](const rt::RuntimeError& error) {
          std::fprintf(stderr, "rv1x-host: %s\n", qPrintable(error.Description()));
          return false;
        });
    if (!read) return kNotStarted;
  }
  std::unique_ptr<rv1xsim::Simulator> simulator;
  if (!startSimulatedAnalyzer(options, run.port, simulator)) return kUsage;
  assignAnalyzerPort(options, run.port);

  host::SequenceDocument sequence;
  const host::IPlugInPtr plugIn = createPlugIn();
  initializePlugIn(com::must(plugIn), options);
  // A stored entry that could not be read is left out of the run, so the
  // sequence cannot have passed as a whole.
  bool unreadEntries = false;
  if (!run.sequence.isEmpty()) {
    sequence.Load(run.sequence);
    unreadEntries = sequence.Reported() > 0;
  } else if (!sequenceFromCatalogue(*plugIn, run.tests, sequence)) {
    return kNotStarted;
  }
  if (sequence.Count() == 0) return notStarted(QStringLiteral("the sequence holds no test"));
  const host::OrvanQelMti found = queryAnalyzer(run.port);
  if (found.isEmpty()) return notStarted(noAnalyzer(run.port));

  SequenceRun sequenceRun(sequence, run.results);
  if (!sequenceRun.Begin(run.record, *plugIn, found.MtiType)) return kNotStarted;
  // Scripts run without one; the record is written all the same.
  if (sequence.Record().device.serialNumber.isEmpty()) {
    std::fprintf(stderr,
                 "rv1x-host: warning: the device's serial number is empty (--device-serial): "
                 "the record cannot be traced to a device\n");
    std::fflush(stderr);
  }
  {
    const Bench bench(run, script, simulator.get());
    sequenceRun.Run();
  }
  std::printf("results %s\n", qPrintable(run.results));
  bool reported = true;
  if (!run.report.isEmpty()) {
    reported = printSequenceReport(sequence, run.report);
    if (reported) std::printf("report %s\n", qPrintable(run.report));
  }
  std::fflush(stdout);
  sequenceRun.PrintSummary();
  const bool passed =
      sequenceRun.AllPassed() && !unreadEntries && !sequenceRun.ResultsLost() && reported;
  return passed ? kAllPassed : kNotAllPassed;
}

}  // namespace

int runCommand(const QStringList& arguments, const CommonOptions& options) {
  RunOptions run;
  const QString wrong = parseOptions(arguments, run);
  if (!wrong.isEmpty()) return usage(wrong);
  return rt::onError([&] { return runSequence(run, options); },
                     [](const rt::RuntimeError& error) {
                       host::ErrorService::instance()->ReportError(error, kSource);
                       return kNotStarted;
                     });
}

}  // namespace hostapp
