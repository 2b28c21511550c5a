// rv1x-host run: loads the plug-in, takes the tests from its catalogue or a
// stored sequence, and performs them on the analyzer at port N the way the
// host does (SequenceRun.h), a person or the scripted operator working the
// guides. Its usage is the command table's (`run --help`); what it records,
// the lines it prints and its exit statuses are written once, in
// docs/reference/commands.md ("Running a sequence").
//
// What this file guards, in the order it happens: the options and the
// operator file are checked before the analyzer is asked; no file of the
// options is another of them (FileRoles.h); the results document's lock is
// held for the whole run (DocumentLock.h); a run for another device starts
// from the settings and limits only; the report is printed from the
// document as it stands on disk, and not at all when it could not be
// written.

#include <QFileInfo>
#include <cstdio>
#include <memory>
#include <optional>

#include "AnalyzerPort.h"
#include "DocumentLock.h"
#include "FileRoles.h"
#include "GuideScreenshots.h"
#include "HostProgram.h"
#include "OperatorScript.h"
#include "PlugInHost.h"
#include "RunLines.h"
#include "RunOutputs.h"
#include "RunPreparation.h"
#include "ScriptedOperator.h"
#include "SequenceReport.h"
#include "SequenceRun.h"
#include "SimulatedBench.h"
#include "Simulator.h"
#include "com/RegisteredName.h"
#include "elements/TestInfo.h"
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

// The operator file fitted to this run, before the analyzer is touched:
// false when a line of it cannot apply (each told with its line).
bool fitOperatorScript(host::OperatorScript& script, host::IPlugIn& plugIn,
                       const host::SequenceDocument& sequence) {
  QList<rt::Long> catalogue, tests;
  rt::ignoreErrors([&] {
    const host::ITestElementListPtr list = plugIn.Tests();
    for (rt::Long i = 1; list && i <= list->Count(); ++i) catalogue.append(list->Item(i)->TestID());
  });
  for (int i = 0; i < sequence.Count(); ++i)
    rt::ignoreErrors([&] { tests.append(com::must(sequence.Element(i)).TestID()); });
  const host::OperatorFit fit = script.FitTo(catalogue, tests);
  for (const QString& notice : fit.notices)
    std::fprintf(stderr, "rv1x-host: %s\n", qPrintable(notice));
  for (const QString& error : fit.errors)
    std::fprintf(stderr, "rv1x-host: %s\n", qPrintable(error));
  std::fflush(stderr);
  return fit.errors.isEmpty();
}

// Who works the guide windows while the sequence runs, and what else looks
// at them.
class Bench {
 public:
  Bench(const RunOptions& run, const host::OperatorScript& script,
        std::unique_ptr<SimulatedBench> simulatedBench)
      : simulatedBench_(std::move(simulatedBench)) {
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
    operator_->setNoticeHook(printError);
    operator_->setGiveUpHook(
        [seconds = run.waitLimitSeconds](rt::Long testID, const QString& waitingFor) {
          std::fprintf(stderr, "rv1x-host: test %d stopped after waiting %s s: %s\n", testID,
                       qPrintable(QString::number(seconds)), qPrintable(waitingFor));
          std::fflush(stderr);
        });
    if (screenshots_) operator_->setStateHook(screenshots_->OperatorHook());
  }

  // Who gives the operator's verdicts: the scripted operator, by its file
  // (or its default plan), else a person at the window.
  QString VerdictBy(const RunOptions& run) const {
    if (!operator_) return host::kVerdictByOperator;
    return host::verdictByScript(run.operatorFile.isEmpty()
                                     ? QStringLiteral("(default plan)")
                                     : QFileInfo(run.operatorFile).fileName());
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

// No file of the run in two roles; the sequence it continues in place is
// its results document.
QString rolesProblem(const RunOptions& run, const CommonOptions& options) {
  return FileRoles(options)
      .add(role::Results, QStringLiteral("--results"), run.results, true)
      .add(role::Sequence, QStringLiteral("--sequence"), run.sequence, false)
      .add(role::Operator, QStringLiteral("--operator"), run.operatorFile, false)
      .add(role::Report, QStringLiteral("--report"), run.report, true)
      .allow(role::Sequence, role::Results)
      .clash();
}

// What speaks against the files the run is to write, before it starts; the
// results document is locked for the run once it may be written.
QString outputsProblem(const RunOptions& run, const CommonOptions& options, DocumentLock& lock) {
  QString problem = rolesProblem(run, options);
  if (problem.isEmpty()) problem = outputFileProblem(QStringLiteral("--results"), run.results);
  if (problem.isEmpty() && !lock.Take()) problem = lock.Refusal();
  if (problem.isEmpty()) problem = resultsRefusal(run);
  if (problem.isEmpty() && !run.report.isEmpty())
    problem = outputFileProblem(QStringLiteral("--report"), run.report);
  if (problem.isEmpty() && !run.screenshots.isEmpty())
    problem = outputFolderProblem(QStringLiteral("--screenshots"), run.screenshots);
  if (problem.isEmpty() && !lock.TakenOver().isEmpty())
    std::fprintf(stderr, "rv1x-host: %s\n", qPrintable(lock.TakenOver()));
  return problem;
}

// The report of the record as the results document holds it on disk;
// false, reported, when it could not be read back or written.
bool printStoredReport(const QString& results, const QString& report) {
  return rt::onError(
      [&] {
        host::SequenceDocument stored;
        stored.Load(results);
        return printSequenceReport(stored, report);
      },
      [](const rt::RuntimeError& error) {
        host::errors().ReportError(error, kSource);
        return false;
      });
}

QString noAnalyzer(int port) {
  QString why = QStringLiteral("no analyzer answers on port %1").arg(port);
  if (const QString device = portDeviceProblem(port); !device.isEmpty())
    why += QStringLiteral(": ") + device;
  return why;
}

// What the run ended with: the results document and the report named, or
// why there are none; the summary; the exit status.
int handIn(const RunOptions& run, const SequenceRun& sequenceRun, bool unreadEntries) {
  bool reported = true;
  if (sequenceRun.ResultsLost()) {
    // A report of what the document does not hold would pass for its record.
    std::fprintf(stderr,
                 "rv1x-host: the results document %s could not be written to the end of the run: "
                 "it keeps the record as written %s%s\n",
                 qPrintable(run.results), qPrintable(sequenceRun.LastWritten()),
                 run.report.isEmpty() ? "" : "; no report is written");
    std::fflush(stderr);
  } else {
    std::printf("results %s\n", qPrintable(run.results));
    if (!run.report.isEmpty()) {
      reported = printStoredReport(run.results, run.report);
      if (reported) std::printf("report %s\n", qPrintable(run.report));
    }
  }
  std::fflush(stdout);
  printError(sequenceRun.Summary());
  const bool passed =
      sequenceRun.AllPassed() && !unreadEntries && !sequenceRun.ResultsLost() && reported;
  return passed ? kAllPassed : kNotAllPassed;
}

int runSequence(const RunOptions& run, const CommonOptions& options) {
  DocumentLock lock(run.results);
  if (const QString problem = outputsProblem(run, options, lock); !problem.isEmpty())
    return notStarted(problem);
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
  RunLines lines;
  RunPreparation preparation(options, run.port, lines);
  std::unique_ptr<rv1xsim::Simulator> simulator;
  if (const QString refused = preparation.PlaceAnalyzer(simulator); !refused.isEmpty()) {
    printError(QStringLiteral("rv1x-host: ") + refused);
    return kUsage;
  }

  host::SequenceDocument sequence;
  const host::IPlugInPtr plugIn = createPlugIn();
  initializePlugIn(com::must(plugIn), options);
  // A stored entry that could not be read is left out of the run, so the
  // sequence cannot have passed as a whole.
  bool unreadEntries = false;
  if (!run.sequence.isEmpty()) {
    const bool inPlace = sameFile(run.sequence, run.results);
    const host::SequenceDocument::StoredRun stored =
        host::SequenceDocument::ReadStoredRun(run.sequence);
    const host::DeviceUnderTest& measuredOn = stored.record.device;
    const host::DeviceUnderTest& runFor = run.record.device;
    // A record that names no device becomes this one's when it is
    // continued in place; elsewhere it may be any device's.
    const bool anotherDevice = stored.holdsResults && host::namesDevice(runFor) &&
                               !(inPlace && !host::namesDevice(measuredOn)) &&
                               !host::sameDevice(measuredOn, runFor);
    if (anotherDevice && inPlace)
      return notStarted(
          QStringLiteral("the results in %1 were measured on %2: a run for %3 cannot continue "
                         "them in place; give another --results")
              .arg(run.sequence, host::deviceText(measuredOn), host::deviceText(runFor)));
    if (anotherDevice) {
      std::fprintf(stderr,
                   "rv1x-host: the results in %s were measured on %s, not on %s: the run "
                   "starts from the sequence's settings and limits only\n",
                   qPrintable(run.sequence), qPrintable(host::deviceText(measuredOn)),
                   qPrintable(host::deviceText(runFor)));
      std::fflush(stderr);
      sequence.LoadSettingsOnly(run.sequence);
    } else {
      sequence.Load(run.sequence);
    }
    unreadEntries = !sequence.Problems().isEmpty();
  } else if (!sequenceFromCatalogue(*plugIn, run.tests, sequence)) {
    return kNotStarted;
  }
  if (sequence.Count() == 0) return notStarted(QStringLiteral("the sequence holds no test"));
  if (!run.operatorFile.isEmpty() && !fitOperatorScript(script, *plugIn, sequence)) return kUsage;

  SequenceRun sequenceRun(sequence, run.results);
  switch (preparation.Begin(sequenceRun, run.record, *plugIn)) {
    case Begun::Yes:
      break;
    case Begun::NoAnalyzer:
      return notStarted(noAnalyzer(run.port));
    case Begun::Declined:
    case Begun::NotWritten:  // reported
      return kNotStarted;
  }
  // Scripts run without one; the record is written all the same.
  if (sequence.Record().device.serialNumber.isEmpty()) {
    std::fprintf(stderr,
                 "rv1x-host: warning: the device's serial number is empty (--device-serial): "
                 "the record cannot be traced to a device\n");
    std::fflush(stderr);
  }
  {
    const Bench bench(run, script, preparation.Bench());
    sequenceRun.SetVerdictBy(bench.VerdictBy(run));
    sequenceRun.Run();
  }
  return handIn(run, sequenceRun, unreadEntries);
}

}  // namespace

int runCommand(const QStringList& arguments, const CommonOptions& options) {
  RunOptions run;
  const QString wrong = parseOptions(arguments, run);
  if (!wrong.isEmpty()) return usage(wrong);
  return rt::onError([&] { return runSequence(run, options); },
                     [](const rt::RuntimeError& error) {
                       host::errors().ReportError(error, kSource);
                       return kNotStarted;
                     });
}

}  // namespace hostapp
