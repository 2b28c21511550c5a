// What the deliverables cost in a whole run, measured from outside: the
// built rv1x-host runs the sequence as a technician runs it, and the
// processor time it used (every thread, its start and the simulated
// analyzer's thread included) is set against the run's wall time. Nothing
// but the program's own work uses the processor: the wire, the fixed pauses
// and the operator's and analyzer's waits are spent asleep, so that share
// is an upper bound of the time spent in the deliverables.
//
// Processor use while a run waits: two runs of the ECG performance test
// that differ only in how long the wave plays; the difference in processor
// time over the difference in wall time is what each second of the run's
// wait costs, whatever the program's start and the run's exchanges cost.

#include "RunBenchmark.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDomDocument>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <vector>

namespace bench {

namespace {

constexpr double kGoalPercent = 5.0;
constexpr int kShortWaveSeconds = 7;
constexpr int kLongWaveSeconds = 27;

struct ProgramRun {
  int status = -1;
  double wallMs = 0;
  double cpuMs = 0;
};

double milliseconds(const timeval& t) {
  return t.tv_sec * 1000.0 + t.tv_usec / 1000.0;
}

// Runs the built rv1x-host with the arguments, its output to the file.
ProgramRun host(const QStringList& arguments, const QString& output) {
  const QByteArray program =
      (QCoreApplication::applicationDirPath() + QStringLiteral("/rv1x-host")).toLocal8Bit();
  std::vector<QByteArray> texts{program};
  for (const QString& argument : arguments) texts.push_back(argument.toLocal8Bit());
  std::vector<char*> argv;
  for (QByteArray& text : texts) argv.push_back(text.data());
  argv.push_back(nullptr);
  const QByteArray outputPath = output.toLocal8Bit();

  QElapsedTimer clock;
  clock.start();
  // The child would write out what the figures so far left in the buffers.
  std::fflush(stdout);
  std::fflush(stderr);
  const pid_t child = fork();
  if (child == 0) {
    std::freopen(outputPath.constData(), "w", stdout);
    std::freopen("/dev/null", "w", stderr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  ProgramRun run;
  int status = 0;
  rusage usage{};
  if (child < 0 || wait4(child, &status, 0, &usage) != child) return run;
  run.wallMs = clock.nsecsElapsed() / 1e6;
  run.cpuMs = milliseconds(usage.ru_utime) + milliseconds(usage.ru_stime);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

// The run went through its sequence (every test passed or not).
bool ended(const ProgramRun& run) {
  if (run.status == 0 || run.status == 1) return true;
  std::fprintf(stderr, "rv1x-bench: rv1x-host run ended with exit status %d\n", run.status);
  return false;
}

QStringList unattendedRun(const QStringList& options) {
  return QStringList{QStringLiteral("--unattended"), QStringLiteral("--simulate"),
                     QStringLiteral("run")} +
         options + QStringList{QStringLiteral("1")};
}

void printShare(const char* what, double cpuMs, double wallMs) {
  const double share = 100.0 * cpuMs / wallMs;
  std::printf("  %-34s %5.1f%% (goal: below %.0f%%) %s\n", what, share, kGoalPercent,
              share < kGoalPercent ? "met" : "NOT MET");
}

// The stored sequence with the performance wave that long.
bool writeWaveSequence(const QString& from, const QString& to, int seconds) {
  QFile in(from);
  QDomDocument document;
  if (!in.open(QIODevice::ReadOnly) || !document.setContent(&in)) return false;
  QDomElement duration = document.documentElement()
                             .firstChildElement(QStringLiteral("TestElement"))
                             .firstChildElement(QStringLiteral("PlugInData"))
                             .firstChildElement(QStringLiteral("Duration"));
  if (duration.isNull()) return false;
  duration.firstChild().setNodeValue(QString::number(seconds));
  QFile out(to);
  return out.open(QIODevice::WriteOnly) && out.write(document.toByteArray()) > 0;
}

}  // namespace

bool sequenceRuns() {
  QTemporaryDir dir;
  const auto file = [&](const char* name) { return dir.filePath(QLatin1String(name)); };
  // The registry the program uses is the one RV1X_REGISTRY names.
  if (host({QStringLiteral("register")}, file("register.txt")).status != 0) {
    std::fprintf(stderr, "rv1x-bench: rv1x-host cannot register the deliverables\n");
    return false;
  }

  std::printf(
      "A whole default run: every test of the catalogue, unattended, against the "
      "simulated analyzer\n");
  const ProgramRun whole =
      host(unattendedRun({QStringLiteral("--results"), file("whole.xml")}), file("whole.txt"));
  if (!ended(whole)) return false;
  std::printf("  wall %.1f s, processor %.0f ms\n", whole.wallMs / 1000, whole.cpuMs);
  printShare("share of the deliverables:", whole.cpuMs, whole.wallMs);

  std::printf(
      "\nProcessor use while a run waits: the ECG performance wave played %d s, "
      "then %d s\n",
      kShortWaveSeconds, kLongWaveSeconds);
  const ProgramRun first = host(unattendedRun({QStringLiteral("--tests"), QStringLiteral("600"),
                                               QStringLiteral("--results"), file("wave.xml")}),
                                file("wave.txt"));
  if (!ended(first) || !writeWaveSequence(file("wave.xml"), file("short.xml"), kShortWaveSeconds) ||
      !writeWaveSequence(file("wave.xml"), file("long.xml"), kLongWaveSeconds)) {
    std::fprintf(stderr, "rv1x-bench: the performance run did not give its sequence\n");
    return false;
  }
  const auto waveRun = [&](const char* sequence) {
    return host(unattendedRun({QStringLiteral("--sequence"), file(sequence),
                               QStringLiteral("--results"), file("waved.xml")}),
                file("waved.txt"));
  };
  const ProgramRun shortWave = waveRun("short.xml");
  const ProgramRun longWave = waveRun("long.xml");
  if (!ended(shortWave) || !ended(longWave)) return false;
  std::printf("  wall %.1f s and %.1f s, processor %.0f ms and %.0f ms\n", shortWave.wallMs / 1000,
              longWave.wallMs / 1000, shortWave.cpuMs, longWave.cpuMs);
  printShare("of one core while the run waits:", longWave.cpuMs - shortWave.cpuMs,
             longWave.wallMs - shortWave.wallMs);
  return true;
}

}  // namespace bench
