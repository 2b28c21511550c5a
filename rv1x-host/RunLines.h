#pragma once
// A run's events as the command line prints them: each test's status and
// measurements on standard output, its progress, what it kept and why it
// was not judged on standard error, each line as soon as it happens.

#include "RunListener.h"

namespace hostapp {

class RunLines : public RunListener {
 public:
  void SimulatorStarted(int port) override;
  void BenchSet(const QString& what) override;
  void Started(const StartedTest& test) override;
  void Outcome(const TestOutcome& outcome) override;
  void NotJudged(rt::Long testID, const QString& reason) override;
  void Kept(rt::Long testID, rt::Long status, const QString& measured) override;
  // A stored element not run is the error service's to tell: it prints
  // the error it was given.
};

// A line on standard error, at once.
void printError(const QString& line);

}  // namespace hostapp
