// What reading and writing a long stored sequence costs: the built
// rv1x-host resaves a sequence of 1000 tests, each created by its
// registered name. The sequence holds the catalogue's tests in turn with
// the settings and limits they store by default (a sequence as it is built
// before a run): made from entries that name only the class, resaved once
// into the form the tests store, and that form is what is timed.

#include "ResaveBenchmark.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace bench {

namespace {

constexpr int kElements = 1000;
constexpr int kRuns = 5;

struct HostRun {
  bool ok = false;
  QByteArray output;
  double wallMs = 0;
};

HostRun host(const QStringList& arguments) {
  QProcess process;
  process.setProgram(QCoreApplication::applicationDirPath() + QStringLiteral("/rv1x-host"));
  process.setArguments(arguments);
  process.setStandardErrorFile(QProcess::nullDevice());
  QElapsedTimer clock;
  clock.start();
  process.start();
  const bool finished = process.waitForFinished(120000);
  HostRun run;
  run.wallMs = clock.nsecsElapsed() / 1e6;
  run.ok = finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
  run.output = process.readAllStandardOutput();
  return run;
}

struct CatalogueEntry {
  QString testId;
  QString className;
};

// The catalogue's lines "<ID> <registered name> <name>".
std::vector<CatalogueEntry> catalogue() {
  static const QRegularExpression line(QStringLiteral("^(\\d+) (\\S+) "));
  std::vector<CatalogueEntry> entries;
  const HostRun run = host({QStringLiteral("catalogue")});
  if (!run.ok) return entries;
  for (const QString& text : QString::fromUtf8(run.output).split(u'\n')) {
    const QRegularExpressionMatch match = line.match(text);
    if (match.hasMatch()) entries.push_back({match.captured(1), match.captured(2)});
  }
  return entries;
}

// The generator: count entries that name their class, test ID and ID only.
bool writeSkeleton(const QString& file, const std::vector<CatalogueEntry>& tests, int count) {
  QByteArray text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<TestSequence>\n";
  for (int i = 0; i < count; ++i) {
    const CatalogueEntry& test = tests[i % tests.size()];
    text += QStringLiteral("  <TestElement ClassName=\"%1\" TestID=\"%2\" ID=\"%3\"/>\n")
                .arg(test.className, test.testId)
                .arg(i + 1)
                .toUtf8();
  }
  text += "</TestSequence>\n";
  QFile out(file);
  return out.open(QIODevice::WriteOnly) && out.write(text) == text.size();
}

QByteArray contentOf(const QString& file) {
  QFile in(file);
  return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

}  // namespace

bool resaveFigure() {
  QTemporaryDir dir;
  const auto file = [&](const char* name) { return dir.filePath(QLatin1String(name)); };
  std::printf("Resave of a stored sequence of %d tests (settings and limits, no results)\n",
              kElements);
  const std::vector<CatalogueEntry> tests =
      host({QStringLiteral("register")}).ok ? catalogue() : std::vector<CatalogueEntry>();
  if (tests.empty() || !writeSkeleton(file("skeleton.xml"), tests, kElements) ||
      !host({QStringLiteral("resave"), file("skeleton.xml"), file("stored.xml")}).ok) {
    std::fprintf(stderr, "rv1x-bench: rv1x-host cannot make the sequence to resave\n");
    return false;
  }
  const QByteArray stored = contentOf(file("stored.xml"));
  std::vector<double> samples;
  bool same = true;
  for (int i = 0; i < kRuns; ++i) {
    const HostRun run = host({QStringLiteral("resave"), file("stored.xml"), file("again.xml")});
    if (!run.ok) {
      std::fprintf(stderr, "rv1x-bench: rv1x-host resave failed\n");
      return false;
    }
    samples.push_back(run.wallMs);
    same = same && contentOf(file("again.xml")) == stored;
  }
  std::sort(samples.begin(), samples.end());
  std::printf("  wall   median %7.1f ms   (least %.1f, most %.1f; %d runs, %lld bytes)\n",
              samples[samples.size() / 2], samples.front(), samples.back(), kRuns,
              static_cast<long long>(stored.size()));
  std::printf("  output the same bytes as its input: %s\n", same ? "yes" : "NO");
  return same;
}

}  // namespace bench
