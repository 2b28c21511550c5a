#pragma once
// What every run does before its first test, from the command line and
// the workbench alike: the analyzer put in port N's place (the simulated
// one with --simulate) and the port handed to the product; later, once the
// sequence stands, the analyzer asked and the run begun on what it
// answered; and while the tests run, the technician's hands at the
// simulated bench. The listener given is told what the simulated analyzer
// and bench do, and the run tells it the rest.

#include <QString>
#include <functional>
#include <memory>

#include "CommonOptions.h"
#include "RunListener.h"
#include "sequence/SequenceRecord.h"

namespace host {
class IPlugIn;
}

namespace rv1xsim {
class Simulator;
}

namespace hostapp {

class SequenceRun;
class SimulatedBench;

// How Begin ended.
enum class Begun { Yes, NoAnalyzer, Declined, NotWritten };

class RunPreparation {
 public:
  RunPreparation(const CommonOptions& options, int port, RunListener& told);
  ~RunPreparation();

  // With --simulate the simulated analyzer takes port N's place, unless
  // simulator holds one already (a window keeps it from run to run); then
  // the port is handed to the product. Why the simulator did not start
  // (its options are wrong), else an empty text.
  QString PlaceAnalyzer(std::unique_ptr<rv1xsim::Simulator>& simulator);

  struct Asking {
    // The model the analyzer on the port answers with, empty when none
    // answers; the port query when not given.
    std::function<QString(int port)> ask;
    // Once it answered, whether the run begins (a window asks about what
    // the record lacks); yes when not given.
    std::function<bool()> mayBegin;
  };
  // Asks the analyzer and begins the run on it (SequenceRun::Begin) with
  // the record, its results marked simulated when the simulated analyzer
  // took the port; the run tells the listener from then on. NotWritten:
  // the results document could not be written (reported).
  Begun Begin(SequenceRun& run, host::SequenceRecord record, host::IPlugIn& plugIn,
              const Asking& asking = {});

  // The technician at the simulated bench, for as long as the tests run;
  // none without the simulated analyzer.
  std::unique_ptr<SimulatedBench> Bench() const;

 private:
  CommonOptions options_;
  int port_;
  RunListener& told_;
  rv1xsim::Simulator* simulator_ = nullptr;
};

}  // namespace hostapp
