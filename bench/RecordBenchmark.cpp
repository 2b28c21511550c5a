// What working with stored records costs, measured from outside: results
// documents that repeat the seven tests of a whole run of the catalogue (the
// discharge test, one in seven, with its waveform) are resaved, exported and
// printed by the built rv1x-host, read alone as resave reads them, and copied
// token by token by a plain QXmlStreamReader -> QXmlStreamWriter program,
// side by side in rounds. The time is the processor time of each child,
// which the machine's other work does not stretch as it does the wall time;
// memory is its peak resident set.
//
// The documents are made from the results of the catalogue the tests keep
// as a fixture, resaved once so that what is timed is the form the host
// writes; an element is repeated with its ID renumbered.

#include "RecordBenchmark.h"

#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "ChildProcess.h"
#include "Figures.h"

namespace bench {

namespace {

constexpr double kResaveGoal = 3;     // times the plain copy
constexpr double kMemoryGoal = 8;     // times the file's size
constexpr double kExportGoal = 1;     // times resave's read alone
constexpr double kReportGoalMs = 1;   // a report's processor time per element
constexpr double kLinearGoal = 1.25;  // per element, the largest size against the smallest
constexpr int kSmallDocument = 2000;  // elements; at most this many are timed in three rounds
constexpr int kRoundsSmall = 3, kRoundsLarge = 1;

QByteArray contentOf(const QString& file) {
  QFile in(file);
  return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

bool write(const QString& file, const QByteArray& text) {
  QFile out(file);
  return out.open(QIODevice::WriteOnly) && out.write(text) == text.size();
}

// The document as the host writes it, split around its elements: what
// precedes the first, each element whole, what follows the last.
struct Parts {
  QByteArray head, tail;
  QList<QByteArray> elements;
};

Parts partsOf(const QByteArray& document) {
  Parts parts;
  const QByteArray open = "  <TestElement ", close = "  </TestElement>\n";
  qsizetype at = document.indexOf(open);
  if (at < 0) return parts;
  parts.head = document.left(at);
  for (qsizetype end; document.mid(at, open.size()) == open; at = end) {
    end = document.indexOf(close, at);
    if (end < 0) return {};
    end += close.size();
    parts.elements.append(document.mid(at, end - at));
  }
  parts.tail = document.mid(at);
  return parts;
}

// Element i of the seed, as element number `number`.
QByteArray renumbered(const QByteArray& element, int number) {
  const qsizetype id = element.indexOf(" ID=\"");
  const qsizetype end = id < 0 ? -1 : element.indexOf('"', id + 5);
  if (end < 0) return element;
  return element.left(id + 5) + QByteArray::number(number) + element.mid(end);
}

QByteArray documentOf(const Parts& seed, int count) {
  QByteArray text = seed.head;
  for (int i = 0; i < count; ++i)
    text += renumbered(seed.elements[i % seed.elements.size()], i + 1);
  return text + seed.tail;
}

double median(std::vector<double> samples) {
  std::sort(samples.begin(), samples.end());
  return samples.empty() ? 0 : samples[samples.size() / 2];
}

// The medians of one program's rounds.
struct Timing {
  std::vector<double> processor, wall, peak;
  bool failed = false;
  void add(const ChildRun& run) {
    failed = failed || run.status != 0;
    processor.push_back(run.processorMs);
    wall.push_back(run.wallMs);
    peak.push_back(run.peakMiB);
  }
  double ms() const { return median(processor); }
  double wallMs() const { return median(wall); }
  double peakMiB() const { return median(peak); }
};

struct SizeResult {
  int elements = 0;
  double fileMiB = 0;
  Timing copy, resave, read, exported, report;
  Timing program;  // catalogue: what the program holds before it reads a document
  bool sameBytes = true;
};

SizeResult measure(const QTemporaryDir& dir, const QByteArray& document, int elements) {
  SizeResult result;
  result.elements = elements;
  result.fileMiB = document.size() / (1024.0 * 1024.0);
  const QString in = dir.filePath(QStringLiteral("records-%1.xml").arg(elements));
  const QString out = dir.filePath(QStringLiteral("out.xml"));
  if (!write(in, document)) {
    result.resave.failed = true;
    return result;
  }
  const int rounds = elements <= kSmallDocument ? kRoundsSmall : kRoundsLarge;
  for (int round = 0; round < rounds; ++round) {
    result.copy.add(runChild(benchProgram(), {QStringLiteral("--plain-xml-copy"), in, out}));
    result.program.add(runChild(hostProgram(), {QStringLiteral("catalogue")}));
    result.resave.add(runChild(hostProgram(), {QStringLiteral("resave"), in, out}));
    result.sameBytes = result.sameBytes && contentOf(out) == document;
    result.read.add(runChild(benchProgram(), {QStringLiteral("--read-sequence"), in}));
    result.exported.add(
        runChild(hostProgram(), {QStringLiteral("export"), in, dir.filePath("out.csv")}));
    result.report.add(
        runChild(hostProgram(), {QStringLiteral("report"), in, dir.filePath("out.pdf")}));
  }
  std::printf(
      "  %5d elements, %.1f MiB: processor (wall) ms, peak MiB\n"
      "    plain Qt copy %9.0f (%6.0f) %6.1f\n"
      "    resave        %9.0f (%6.0f) %6.1f   the same bytes as its input: %s\n"
      "    resave's read %9.0f (%6.0f) %6.1f\n"
      "    export        %9.0f (%6.0f) %6.1f\n"
      "    report        %9.0f (%6.0f) %6.1f\n",
      elements, result.fileMiB, result.copy.ms(), result.copy.wallMs(), result.copy.peakMiB(),
      result.resave.ms(), result.resave.wallMs(), result.resave.peakMiB(),
      result.sameBytes ? "yes" : "NO", result.read.ms(), result.read.wallMs(),
      result.read.peakMiB(), result.exported.ms(), result.exported.wallMs(),
      result.exported.peakMiB(), result.report.ms(), result.report.wallMs(),
      result.report.peakMiB());
  return result;
}

Figure figure(const QString& what, const QString& unit, double goal) {
  Figure f{what};
  f.unit = unit;
  f.goal = goal;
  return f;
}

void addFigures(Figures& figures, const SizeResult& r) {
  const QString n = QString::number(r.elements);
  const auto failed = [&](Figure f, const Timing& timing) {
    if (timing.failed) f.problem = QStringLiteral("rv1x-host failed on the document");
    if (!r.sameBytes) f.problem = QStringLiteral("resave did not write its input's bytes");
    return f;
  };
  Figure resave = figure(QStringLiteral("resave %1 against a plain Qt copy").arg(n),
                         QStringLiteral("ms"), kResaveGoal);
  resave.measured = r.resave.ms();
  resave.reference = r.copy.ms();
  figures.add(failed(resave, r.resave));

  Figure memory = figure(QStringLiteral("resave %1 peak memory against the file").arg(n),
                         QStringLiteral("MiB"), kMemoryGoal);
  memory.measured = r.resave.peakMiB();
  memory.reference = r.fileMiB;
  figures.add(failed(memory, r.resave));

  // The program's own libraries are most of a small document's peak.
  Figure held = figure(QStringLiteral("resave %1 peak memory above catalogue's").arg(n),
                       QStringLiteral("MiB"), 0);
  held.measured = r.resave.peakMiB() - r.program.peakMiB();
  held.reference = r.fileMiB;
  figures.add(failed(held, r.resave));

  Figure exported =
      figure(QStringLiteral("export %1 against resave").arg(n), QStringLiteral("ms"), 0);
  exported.measured = r.exported.ms();
  exported.reference = r.resave.ms();
  figures.add(failed(exported, r.exported));

  // Export reads the document as resave does and writes a table instead:
  // its goal is the read alone.
  Figure exportedRead = figure(QStringLiteral("export %1 against resave's read alone").arg(n),
                               QStringLiteral("ms"), kExportGoal);
  exportedRead.measured = r.exported.ms();
  exportedRead.reference = r.read.ms();
  if (r.read.failed) exportedRead.problem = QStringLiteral("the sequence could not be read");
  figures.add(failed(exportedRead, r.exported));

  Figure report =
      figure(QStringLiteral("report %1, per element").arg(n), QStringLiteral("ms"), kReportGoalMs);
  report.measured = r.report.ms() / r.elements;
  figures.add(failed(report, r.report));
}

}  // namespace

void recordFigures(Figures& figures, const QList<int>& sizes) {
  QTemporaryDir dir;
  std::printf("Records: results documents that repeat the seven tests of the catalogue\n");
  const QString seedFile = dir.filePath(QStringLiteral("seed.xml"));
  // The registry the program uses is the one RV1X_REGISTRY names.
  const bool registered = runChild(hostProgram(), {QStringLiteral("register")}).status == 0;
  const ChildRun seeded = runChild(
      hostProgram(), {QStringLiteral("resave"), QStringLiteral(RV1X_BENCH_SEED), seedFile});
  const Parts seed = partsOf(contentOf(seedFile));
  if (!registered || seeded.status != 0 || seed.elements.isEmpty()) {
    Figure failed{QStringLiteral("records")};
    failed.problem = QStringLiteral("rv1x-host cannot resave the seed document");
    figures.add(failed);
    return;
  }
  std::vector<SizeResult> results;
  for (int elements : sizes) {
    results.push_back(measure(dir, documentOf(seed, elements), elements));
    addFigures(figures, results.back());
  }
  if (results.size() < 2) return;
  const SizeResult &least = results.front(), &most = results.back();
  Figure linear = figure(
      QStringLiteral("resave per element, %1 against %2").arg(most.elements).arg(least.elements),
      QStringLiteral("ms"), kLinearGoal);
  linear.measured = most.resave.ms() / most.elements;
  linear.reference = least.resave.ms() / least.elements;
  figures.add(linear);
}

}  // namespace bench
