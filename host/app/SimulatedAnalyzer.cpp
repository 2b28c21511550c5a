#include "SimulatedAnalyzer.h"

#include <cstdio>

namespace hostapp {

std::unique_ptr<rv1xsim::Simulator> startSimulatedAnalyzer(const CommonOptions& options, int port,
                                                           QString& error) {
  if (!options.simulate) return nullptr;
  rv1xsim::SimulatorOptions simulated;
  if (!rv1xsim::parseOptions(options.simulatorOptions, simulated, &error)) return nullptr;
  auto simulator = std::make_unique<rv1xsim::Simulator>(simulated);
  if (!simulator->start(&error)) return nullptr;
  // The environment names the device before the registry does, so the
  // simulator takes the port's place whatever the registry maps it to.
  qputenv(qPrintable(QStringLiteral("RV1X_PORT_%1").arg(port)),
          simulator->slavePath().toLocal8Bit());
  std::fprintf(stderr, "simulated analyzer on %s as port %d\n", qPrintable(simulator->slavePath()),
               port);
  return simulator;
}

}  // namespace hostapp
