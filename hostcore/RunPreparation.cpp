#include "RunPreparation.h"

#include "AnalyzerPort.h"
#include "SequenceRun.h"
#include "SimulatedAnalyzer.h"
#include "SimulatedBench.h"
#include "Simulator.h"

namespace hostapp {

RunPreparation::RunPreparation(const CommonOptions& options, int port, RunListener& told)
    : options_(options), port_(port), told_(told) {}

RunPreparation::~RunPreparation() = default;

QString RunPreparation::PlaceAnalyzer(std::unique_ptr<rv1xsim::Simulator>& simulator) {
  if (!simulator) {
    if (QString refused = startSimulatedAnalyzer(options_, port_, simulator, told_);
        !refused.isEmpty())
      return refused;
  }
  simulator_ = simulator.get();
  assignAnalyzerPort(options_, port_);
  return {};
}

Begun RunPreparation::Begin(SequenceRun& run, host::SequenceRecord record, host::IPlugIn& plugIn,
                            const Asking& asking) {
  const QString model = asking.ask ? asking.ask(port_) : queryAnalyzer(port_).MtiType;
  if (model.isEmpty()) return Begun::NoAnalyzer;
  if (asking.mayBegin && !asking.mayBegin()) return Begun::Declined;
  run.SetListener(told_);
  if (!run.Begin(std::move(record), plugIn, model)) return Begun::NotWritten;
  run.SetAnalyzerSimulated(simulator_ != nullptr);
  return Begun::Yes;
}

std::unique_ptr<SimulatedBench> RunPreparation::Bench() const {
  if (!simulator_) return nullptr;
  return std::make_unique<SimulatedBench>(*simulator_, &told_);
}

}  // namespace hostapp
