#include "SimulatedAnalyzer.h"

#include "ui/Clock.h"

namespace hostapp {

namespace {
// A test's switch: with --simulate the run takes no wall time for its waits.
constexpr char kVirtualClock[] = "RV1X_VIRTUAL_CLOCK";
int simulatedPort = 0;
}  // namespace

bool isSimulatedPort(int port) {
  return port > 0 && port == simulatedPort;
}

QString startSimulatedAnalyzer(const CommonOptions& options, int port,
                               std::unique_ptr<rv1xsim::Simulator>& simulator, RunListener& told) {
  if (!options.simulate) return {};
  QString error;
  rv1xsim::SimulatorOptions simulated;
  if (!rv1xsim::parseOptions(options.simulatorOptions, simulated, &error))
    return error.isEmpty()
               ? QStringLiteral("wrong simulator options: %1").arg(options.simulatorOptions)
               : error;
  // The program's thread stays on virtual time to its end.
  static ui::VirtualClock* clock = nullptr;
  if (!clock && qEnvironmentVariableIntValue(kVirtualClock) == 1) clock = new ui::VirtualClock;
  simulator = std::make_unique<rv1xsim::Simulator>(simulated);
  simulator->plugIn(port);
  simulatedPort = port;
  told.SimulatorStarted(port);
  return {};
}

}  // namespace hostapp
