#pragma once
// The built-in simulated analyzer of --simulate[=OPTIONS]: started on a
// pseudo-terminal of its own, with port N mapped to it for this run.

#include <memory>

#include "CommonOptions.h"
#include "Simulator.h"

namespace hostapp {

// Without --simulate: true, and no simulator. With it: true with the running
// simulator, or false (the reason printed) when the options are bad or no
// pseudo-terminal can be made.
bool startSimulatedAnalyzer(const CommonOptions& options, int port,
                            std::unique_ptr<rv1xsim::Simulator>& simulator);

}  // namespace hostapp
