#pragma once
// The built-in simulated analyzer of --simulate[=OPTIONS]: started on a
// pseudo-terminal of its own, with port N mapped to it for this run.

#include "HostProgram.h"
#include "Simulator.h"

#include <memory>

namespace hostapp {

// Null without --simulate. On failure (bad options, no pseudo-terminal) null
// with the reason in error.
std::unique_ptr<rv1xsim::Simulator> startSimulatedAnalyzer(const CommonOptions& options, int port,
                                                           QString& error);

}  // namespace hostapp
