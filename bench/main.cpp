// rv1x-bench: how close the system comes to what the wire, the analyzer's
// own waits and a plain Qt program allow. `rv1x-bench --help` lists the
// groups of figures; without one named it measures them all. The figures
// of the one run are printed side by side at its end, each beside its goal
// and the value it had before the work that set the goal; a figure that
// misses its goal says so, and the benchmark itself never fails.

#include <QApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <cstring>

#include "Figures.h"
#include "LinkBenchmark.h"
#include "PlainXmlCopy.h"
#include "RecordBenchmark.h"
#include "ResaveBenchmark.h"
#include "RunBenchmark.h"
#include "SequenceRead.h"
#include "StartUpBenchmark.h"
#include "ui/MessageBoxes.h"

namespace {

constexpr char kUsage[] =
    "usage: rv1x-bench [--link] [--runs] [--records] [--start-up] [--elements N,N,...]\n"
    "Prints the benchmark's figures, each beside its goal and its value before; with no group\n"
    "named, every group. Build it in Release for figures that mean something.\n"
    "options:\n"
    "  --link              the analyzer link: exchanges against their wire time, its waits\n"
    "  --runs              a whole run against its floor, the processor while a run waits\n"
    "  --records           resave, export and report of results documents, against a plain\n"
    "                      Qt copy of the same file; the resave of a stored sequence\n"
    "  --start-up          rv1x-host --help against a bare Qt program, catalogue against it\n"
    "  --elements N,N,...  the sizes of the results documents, in elements (1000,10000)\n"
    "  --help              prints this\n"
    "used by the benchmark itself, as its child:\n"
    "  --plain-xml-copy IN OUT   copies IN to OUT token by token with Qt's XML streams\n"
    "  --read-sequence IN        loads the sequence IN as resave does, and writes nothing\n";

struct Choice {
  bool link = false, runs = false, records = false, startUp = false;
  QList<int> sizes{1000, 10000};
  bool any() const { return link || runs || records || startUp; }
};

// False, after saying why, when the arguments are not the benchmark's.
bool parse(const QStringList& arguments, Choice& choice) {
  for (qsizetype i = 0; i < arguments.size(); ++i) {
    const QString& argument = arguments.at(i);
    if (argument == QLatin1String("--link")) {
      choice.link = true;
    } else if (argument == QLatin1String("--runs")) {
      choice.runs = true;
    } else if (argument == QLatin1String("--records")) {
      choice.records = true;
    } else if (argument == QLatin1String("--start-up")) {
      choice.startUp = true;
    } else if (argument == QLatin1String("--elements") && i + 1 < arguments.size()) {
      choice.sizes.clear();
      for (const QString& size : arguments.at(++i).split(u',')) {
        bool ok = false;
        const int elements = size.toInt(&ok);
        if (!ok || elements < 1) {
          std::fprintf(stderr, "rv1x-bench: not a number of elements: %s\n", qPrintable(size));
          return false;
        }
        choice.sizes.append(elements);
      }
    } else {
      std::fprintf(stderr, "rv1x-bench: unknown option %s\n", qPrintable(argument));
      return false;
    }
  }
  if (!choice.any()) choice.link = choice.runs = choice.records = choice.startUp = true;
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  // The child the benchmark runs of itself starts nothing else.
  if (argc == 4 && std::strcmp(argv[1], "--plain-xml-copy") == 0)
    return bench::plainXmlCopy(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
  if (argc == 3 && std::strcmp(argv[1], "--read-sequence") == 0)
    return bench::readSequence(argc, argv, QString::fromLocal8Bit(argv[2]));
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::printf("%s", kUsage);
      return 0;
    }
  }

  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("rv1x-bench"));
  Choice choice;
  if (!parse(app.arguments().mid(1), choice)) {
    std::fprintf(stderr, "%s", kUsage);
    return 64;
  }
  ui::MessageBoxes::instance().setUnattended(true);
  QTemporaryDir registry;
  qputenv("RV1X_REGISTRY", registry.filePath(QStringLiteral("registry.ini")).toLocal8Bit());

  std::printf("Build type: %s\n", RV1X_BUILD_TYPE);
  bench::Figures figures;
  if (choice.link) {
    bench::linkFigures(figures);
    std::printf("\n");
  }
  if (choice.runs) {
    bench::sequenceRuns(figures);
    std::printf("\n");
  }
  if (choice.startUp) {
    bench::startUpFigures(figures);
    std::printf("\n");
  }
  if (choice.records) {
    bench::resaveFigure();
    bench::recordFigures(figures, choice.sizes);
  }
  figures.print();
  std::fflush(stdout);
  return 0;
}
