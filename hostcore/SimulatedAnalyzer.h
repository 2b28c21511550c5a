#pragma once
// The built-in simulated analyzer of --simulate[=OPTIONS]: port N of this
// run is answered by it in-process, whatever device the registry names for
// the port. With the environment's RV1X_VIRTUAL_CLOCK=1 (for tests) the run
// is on virtual time: its waits cost no wall time.

#include <memory>

#include "CommonOptions.h"
#include "RunListener.h"
#include "Simulator.h"

namespace hostapp {

// Without --simulate: nothing, and no simulator. With it: the simulator in
// port N's place (the listener is told), or why not when the options are
// wrong.
QString startSimulatedAnalyzer(const CommonOptions& options, int port,
                               std::unique_ptr<rv1xsim::Simulator>& simulator, RunListener& told);

// Whether the simulated analyzer took that port's place in this run (its
// device, whatever the registry names, is not looked at).
bool isSimulatedPort(int port);

}  // namespace hostapp
