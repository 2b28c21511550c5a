// What a whole run costs against what it must cost, measured from outside:
// the built rv1x-host runs the default sequence as a technician runs it
// (unattended, its simulated analyzer, the real clock) and writes the trace
// of what took time (RV1X_TRACE, ui/ClockTrace.h). The run's floor is the
// time covered by at least one of: the characters on the wire at 9600 baud,
// the waits the tests make (the link's pause timer that its Wait uses, and
// the run timer of the countdown, the wave and the shock steps) and the
// scripted operator's least pace after each of its actions; a moment that
// several cover is counted once. Against it stands the program's wall time
// from its start to its end.
//
// The processor share while a run waits: one run of four ECG performance
// tests whose waves play 2 s, 2 s, 2 s and 32 s. The processor time of the
// program's threads is read as each test ends; the last test's against the
// one before is what thirty seconds more of waiting cost, whatever the
// program's start and a test's own work cost.

#include "RunBenchmark.h"

#include <dirent.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDomDocument>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <iterator>
#include <vector>

#include "Figures.h"

namespace bench {

namespace {

constexpr double kRunGoal = 1.05;
constexpr double kWaitShareGoal = 0.3;  // % of one core
// The first tests warm the program up; the last two are set against each
// other.
const int kWaveSeconds[] = {2, 2, 2, 32};
constexpr int kTests = static_cast<int>(std::size(kWaveSeconds));
// The trace's waits of the tests, by the timer's own name.
const QStringList kTestWaits{QStringLiteral("tmrSleep"), QStringLiteral("tmrTimer")};

struct ProgramRun {
  int status = -1;
  double wallMs = 0;
};

// Nanoseconds of processor time of every thread of the process so far.
double processorNs(pid_t pid) {
  const QByteArray tasks = QByteArrayLiteral("/proc/") + QByteArray::number(pid) + "/task";
  double total = 0;
  DIR* dir = ::opendir(tasks.constData());
  if (!dir) return total;
  while (dirent* entry = ::readdir(dir)) {
    if (entry->d_name[0] == '.') continue;
    QFile stat(QString::fromLocal8Bit(tasks + '/' + entry->d_name + "/schedstat"));
    if (stat.open(QIODevice::ReadOnly)) total += stat.readAll().split(' ').value(0).toDouble();
  }
  ::closedir(dir);
  return total;
}

// Runs the built rv1x-host with the arguments and the environment's extra
// settings; each line of its output goes to the reader, if any, as it
// comes, else the output is dropped.
ProgramRun host(const QStringList& arguments, const QList<QByteArray>& environment,
                const std::function<void(pid_t, const QByteArray&)>& reader = {}) {
  const QByteArray program =
      (QCoreApplication::applicationDirPath() + QStringLiteral("/rv1x-host")).toLocal8Bit();
  std::vector<QByteArray> texts{program};
  for (const QString& argument : arguments) texts.push_back(argument.toLocal8Bit());
  std::vector<char*> argv;
  for (QByteArray& text : texts) argv.push_back(text.data());
  argv.push_back(nullptr);
  int pipeline[2] = {-1, -1};
  if (::pipe(pipeline) != 0) return {};

  QElapsedTimer clock;
  clock.start();
  // The child would write out what the figures so far left in the buffers.
  std::fflush(stdout);
  std::fflush(stderr);
  const pid_t child = fork();
  if (child == 0) {
    ::dup2(pipeline[1], STDOUT_FILENO);
    ::close(pipeline[0]);
    std::freopen("/dev/null", "w", stderr);
    for (const QByteArray& setting : environment) {
      const qsizetype equals = setting.indexOf('=');
      ::setenv(setting.left(equals).constData(), setting.mid(equals + 1).constData(), 1);
    }
    execv(argv[0], argv.data());
    _exit(127);
  }
  ::close(pipeline[1]);
  ProgramRun run;
  QByteArray pending;
  char buffer[4096];
  for (ssize_t n; child > 0 && (n = ::read(pipeline[0], buffer, sizeof buffer)) > 0;) {
    pending.append(buffer, n);
    for (qsizetype end; (end = pending.indexOf('\n')) >= 0; pending.remove(0, end + 1))
      if (reader) reader(child, pending.left(end));
  }
  ::close(pipeline[0]);
  int status = 0;
  if (child < 0 || ::waitpid(child, &status, 0) != child) return run;
  run.wallMs = clock.nsecsElapsed() / 1e6;
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

// The run went through its sequence (every test passed or not).
bool ended(const ProgramRun& run) {
  return run.status == 0 || run.status == 1;
}

QStringList unattendedRun(const QStringList& options) {
  return QStringList{QStringLiteral("--unattended"), QStringLiteral("--simulate"),
                     QStringLiteral("run")} +
         options + QStringList{QStringLiteral("1")};
}

struct Interval {
  double from = 0, to = 0;  // ms
};

// Milliseconds covered by at least one of the intervals.
double covered(std::vector<Interval> intervals) {
  std::sort(intervals.begin(), intervals.end(),
            [](const Interval& a, const Interval& b) { return a.from < b.from; });
  double total = 0, reached = -1e300;
  for (const Interval& i : intervals) {
    const double from = std::max(i.from, reached);
    if (i.to > from) total += i.to - from;
    reached = std::max(reached, i.to);
  }
  return total;
}

// The floor from the trace, and its parts each alone.
struct Floor {
  double wire = 0, waits = 0, pace = 0, all = 0;
};

Floor floorOf(const QString& traceFile) {
  std::vector<Interval> wire, waits, pace;
  QFile trace(traceFile);
  if (!trace.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
  while (!trace.atEnd()) {
    const QList<QByteArray> fields = trace.readLine().trimmed().split(' ');
    if (fields.size() < 3) continue;
    const Interval interval{fields[1].toDouble(), fields[2].toDouble()};
    const QByteArray kind = fields[0];
    if (kind == "wire") {
      wire.push_back(interval);
    } else if (kind == "pace") {
      pace.push_back(interval);
    } else if (kind == "timer" && fields.size() > 3 &&
               kTestWaits.contains(QString::fromUtf8(fields[3]).section(u'/', -1))) {
      waits.push_back(interval);
    }
  }
  Floor floor{covered(wire), covered(waits), covered(pace), 0};
  std::vector<Interval> all = wire;
  all.insert(all.end(), waits.begin(), waits.end());
  all.insert(all.end(), pace.begin(), pace.end());
  floor.all = covered(all);
  return floor;
}

// The stored sequence of the performance tests of the given waves, from the
// one in a results document.
bool writeWaveSequence(const QString& from, const QString& to) {
  QFile in(from);
  QDomDocument document;
  if (!in.open(QIODevice::ReadOnly) || !document.setContent(&in)) return false;
  QDomElement root = document.documentElement();
  QDomElement performance;
  for (QDomElement test = root.firstChildElement(QStringLiteral("TestElement")); !test.isNull();
       test = test.nextSiblingElement(QStringLiteral("TestElement")))
    if (test.attribute(QStringLiteral("TestID")) == QLatin1String("600")) performance = test;
  if (performance.isNull()) return false;
  while (!root.firstChild().isNull()) root.removeChild(root.firstChild());
  for (int seconds : kWaveSeconds) {
    QDomElement copy = performance.cloneNode(true).toElement();
    QDomElement duration = copy.firstChildElement(QStringLiteral("PlugInData"))
                               .firstChildElement(QStringLiteral("Duration"));
    if (duration.isNull()) return false;
    duration.firstChild().setNodeValue(QString::number(seconds));
    root.appendChild(copy);
  }
  QFile out(to);
  return out.open(QIODevice::WriteOnly) && out.write(document.toByteArray()) > 0;
}

Figure wholeRun(const QTemporaryDir& dir) {
  Figure figure{QStringLiteral("whole default run against its floor")};
  figure.unit = QStringLiteral("s");
  figure.goal = kRunGoal;
  const QString trace = dir.filePath(QStringLiteral("trace.txt"));
  const ProgramRun run =
      host(unattendedRun({QStringLiteral("--results"), dir.filePath(QStringLiteral("whole.xml"))}),
           {"RV1X_TRACE=" + trace.toLocal8Bit()});
  if (!ended(run)) {
    figure.problem = QStringLiteral("rv1x-host run ended with exit status %1").arg(run.status);
    return figure;
  }
  const Floor floor = floorOf(trace);
  if (floor.all <= 0) {
    figure.problem = QStringLiteral("the run left no trace");
    return figure;
  }
  figure.measured = run.wallMs / 1000;
  figure.reference = floor.all / 1000;
  std::printf(
      "A whole default run (every test of the catalogue, unattended, simulated analyzer, real "
      "time):\n  wall %.2f s; floor %.2f s of which, each alone: the wire %.2f s, the tests' "
      "waits %.2f s, the operator's least pace %.2f s\n",
      run.wallMs / 1000, floor.all / 1000, floor.wire / 1000, floor.waits / 1000,
      floor.pace / 1000);
  return figure;
}

Figure runWaitShare(const QTemporaryDir& dir) {
  Figure figure{QStringLiteral("processor while a run waits")};
  figure.unit = QStringLiteral("%");
  figure.goal = kWaitShareGoal;
  const QString sequence = dir.filePath(QStringLiteral("waves.xml"));
  if (!writeWaveSequence(dir.filePath(QStringLiteral("whole.xml")), sequence)) {
    figure.problem = QStringLiteral("the whole run gave no performance test to repeat");
    return figure;
  }
  // As each test ends: its wall time and the program's processor time.
  QElapsedTimer clock;
  clock.start();
  QList<double> wallMs{0}, cpuNs{0};
  const ProgramRun run =
      host(unattendedRun({QStringLiteral("--sequence"), sequence, QStringLiteral("--results"),
                          dir.filePath(QStringLiteral("waved.xml"))}),
           {}, [&](pid_t child, const QByteArray& line) {
             if (!line.startsWith("test ")) return;
             cpuNs.append(processorNs(child));
             wallMs.append(clock.nsecsElapsed() / 1e6);
           });
  if (!ended(run) || wallMs.size() != kTests + 1) {
    figure.problem = QStringLiteral("the run of the waves did not end as it should");
    return figure;
  }
  const auto of = [](const QList<double>& at, int test) { return at[test + 1] - at[test]; };
  const double shortWall = of(wallMs, kTests - 2), longWall = of(wallMs, kTests - 1);
  const double shortCpu = of(cpuNs, kTests - 2) / 1e6, longCpu = of(cpuNs, kTests - 1) / 1e6;
  figure.measured = 100.0 * (longCpu - shortCpu) / (longWall - shortWall);
  std::printf(
      "A run of performance tests with waves of %d s and %d s: wall %.2f s and %.2f s, "
      "processor %.1f ms and %.1f ms\n",
      kWaveSeconds[kTests - 2], kWaveSeconds[kTests - 1], shortWall / 1000, longWall / 1000,
      shortCpu, longCpu);
  return figure;
}

}  // namespace

void sequenceRuns(Figures& figures) {
  QTemporaryDir dir;
  // The registry the program uses is the one RV1X_REGISTRY names.
  if (host({QStringLiteral("register")}, {}).status != 0) {
    Figure failed{QStringLiteral("whole default run against its floor")};
    failed.problem = QStringLiteral("rv1x-host cannot register the deliverables");
    figures.add(failed);
    return;
  }
  figures.add(wholeRun(dir));
  figures.add(runWaitShare(dir));
}

}  // namespace bench
