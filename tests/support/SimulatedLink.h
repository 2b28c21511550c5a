#pragma once
// A test on its own clock: the test's thread on virtual time, serial
// controls made in-process, and an analyzer link of the test's own in the
// thread's place (every connection object the test makes uses it);
// simulated analyzers plugged in on port numbers answer in-process
// (pluggedAnalyzer), any other port is a serial device as ever. A five-second countdown or a
// three-second time-out then costs no wall time, and events come in the order they would in real
// time. A fixture holds one for the life of each test, made before its analyzers (so that it goes
// after them).
//
// For test programs that link the simulator (rv1xsim) and reach the link's
// internals (analyzer_link/ on their include path).

#include <memory>

#include "InProcessPort.h"
#include "MComm.h"
#include "Simulator.h"
#include "ui/Clock.h"

namespace testsupport {

class SimulatedLink {
 public:
  SimulatedLink() : scope_(link_) {}
  SimulatedLink(const SimulatedLink&) = delete;
  SimulatedLink& operator=(const SimulatedLink&) = delete;

  orvanRV1Xvti::MComm::Link& link() { return link_; }

 private:
  ui::VirtualClock clock_;
  rv1xsim::InProcessPort::InPlace inProcess_;
  orvanRV1Xvti::MComm::Link link_;
  orvanRV1Xvti::MComm::Link::Scope scope_;
};

// A simulated analyzer with these options, answering in-process as port N.
inline std::unique_ptr<rv1xsim::Simulator> pluggedAnalyzer(const rv1xsim::SimulatorOptions& options,
                                                           int port) {
  auto simulator = std::make_unique<rv1xsim::Simulator>(options);
  simulator->plugIn(port);
  return simulator;
}

// Whether nothing holds the simulated analyzer's port open.
inline bool portIsFree(const rv1xsim::Simulator& simulator) {
  return !simulator.portHeld();
}

}  // namespace testsupport
