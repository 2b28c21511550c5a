#include "SimulatedAnalyzer.h"

#include <cstdio>

namespace hostapp {

bool startSimulatedAnalyzer(const CommonOptions& options, int port,
                            std::unique_ptr<rv1xsim::Simulator>& simulator) {
  if (!options.simulate) return true;
  QString error;
  auto failed = [&] {
    std::fprintf(stderr, "rv1x-host: %s\n", qPrintable(error));
    return false;
  };
  rv1xsim::SimulatorOptions simulated;
  if (!rv1xsim::parseOptions(options.simulatorOptions, simulated, &error)) return failed();
  auto started = std::make_unique<rv1xsim::Simulator>(simulated);
  if (!started->start(&error)) return failed();
  // The environment names the device before the registry does, so the
  // simulator takes the port's place whatever the registry maps it to.
  qputenv(qPrintable(QStringLiteral("RV1X_PORT_%1").arg(port)), started->slavePath().toLocal8Bit());
  std::fprintf(stderr, "simulated analyzer on %s as port %d\n", qPrintable(started->slavePath()),
               port);
  simulator = std::move(started);
  return true;
}

}  // namespace hostapp
