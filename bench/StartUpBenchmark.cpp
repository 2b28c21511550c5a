// The start-up figures: the processor time of each child, the median of
// several rounds run side by side. The bare Qt program is
// rv1x-bench-bare-qt (BareQtProgram.cpp), which links Qt Core alone;
// catalogue reads the registry store RV1X_REGISTRY names, which the
// benchmark fills first.

#include "StartUpBenchmark.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "ChildProcess.h"
#include "Figures.h"

namespace bench {

namespace {

constexpr int kRounds = 9;
constexpr double kHelpGoal = 2;         // times the bare Qt program
constexpr double kCatalogueGoal = 1.3;  // times --help
// Both goals at once. Help is printed before the program's libraries are
// loaded, so --help is nearly the bare program and catalogue, which must load
// them all with the plug-in, is best set against the bare program too.
constexpr double kCatalogueBareGoal = kHelpGoal * kCatalogueGoal;

double median(std::vector<double> samples) {
  std::sort(samples.begin(), samples.end());
  return samples[samples.size() / 2];
}

}  // namespace

void startUpFigures(Figures& figures) {
  Figure help{QStringLiteral("rv1x-host --help against a bare Qt program")};
  help.unit = QStringLiteral("ms");
  help.goal = kHelpGoal;
  Figure catalogue{QStringLiteral("rv1x-host catalogue against --help")};
  catalogue.unit = QStringLiteral("ms");
  catalogue.goal = kCatalogueGoal;
  Figure catalogueBare{QStringLiteral("rv1x-host catalogue against a bare Qt program")};
  catalogueBare.unit = QStringLiteral("ms");
  catalogueBare.goal = kCatalogueBareGoal;
  if (runChild(hostProgram(), {QStringLiteral("register")}).status != 0) {
    help.problem = catalogue.problem = catalogueBare.problem =
        QStringLiteral("rv1x-host cannot register");
    figures.add(help);
    figures.add(catalogue);
    figures.add(catalogueBare);
    return;
  }
  std::vector<double> bare, helped, listed;
  bool failed = false;
  for (int round = 0; round < kRounds; ++round) {
    const ChildRun runs[] = {runChild(bareQtProgram(), {}),
                             runChild(hostProgram(), {QStringLiteral("--help")}),
                             runChild(hostProgram(), {QStringLiteral("catalogue")})};
    for (const ChildRun& run : runs) failed = failed || run.status != 0;
    bare.push_back(runs[0].processorMs);
    helped.push_back(runs[1].processorMs);
    listed.push_back(runs[2].processorMs);
  }
  std::printf(
      "Start-up, processor time, median of %d: a bare Qt program %.1f ms, rv1x-host --help "
      "%.1f ms, catalogue %.1f ms\n",
      kRounds, median(bare), median(helped), median(listed));
  help.measured = median(helped);
  help.reference = median(bare);
  catalogue.measured = median(listed);
  catalogue.reference = median(helped);
  catalogueBare.measured = median(listed);
  catalogueBare.reference = median(bare);
  if (failed)
    help.problem = catalogue.problem = catalogueBare.problem =
        QStringLiteral("a program did not end cleanly");
  figures.add(help);
  figures.add(catalogue);
  figures.add(catalogueBare);
}

}  // namespace bench
