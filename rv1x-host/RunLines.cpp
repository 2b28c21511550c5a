#include "RunLines.h"

#include <cstdio>

namespace hostapp {

void printError(const QString& line) {
  std::fprintf(stderr, "%s\n", qPrintable(line));
  std::fflush(stderr);
}

void RunLines::SimulatorStarted(int port) {
  printError(QStringLiteral("simulated analyzer in-process as port %1").arg(port));
}

void RunLines::BenchSet(const QString& what) {
  printError(what);
}

void RunLines::Started(const StartedTest& test) {
  printError(QStringLiteral("running test %1 %2 (%3 of %4)")
                 .arg(QString::number(test.testID), test.name, QString::number(test.position),
                      QString::number(test.count)));
}

void RunLines::Outcome(const TestOutcome& outcome) {
  std::printf("test %d status=%d\n", outcome.testID, outcome.status);
  for (const auto& [key, value] : outcome.measurements)
    std::printf("  %s=%s\n", qPrintable(key), qPrintable(value));
  std::fflush(stdout);
}

void RunLines::NotJudged(rt::Long testID, const QString& reason) {
  printError(QStringLiteral("test %1 not judged: %2").arg(testID).arg(reason));
}

void RunLines::Kept(rt::Long testID, rt::Long status, const QString& measured) {
  printError(QStringLiteral("test %1 not performed in this run; kept result status=%2 measured %3")
                 .arg(testID)
                 .arg(status)
                 .arg(measured.isEmpty() ? QStringLiteral("date not recorded") : measured));
}

}  // namespace hostapp
