#pragma once
// The technician's hand on the simulated analyzer's range switch: while a
// guide window asks for a range ("Please set range to Pace", "... High",
// "... Low"), the switch of the simulated analyzer is turned to it, as a
// person at the bench turns the real one. Nothing else of the analyzer is
// touched, and the test elements never know it is there.

#include <QObject>
#include <QTimer>

namespace rv1xsim {
class Simulator;
}

namespace hostapp {

class SimulatedRangeSwitch : public QObject {
 public:
  explicit SimulatedRangeSwitch(rv1xsim::Simulator& analyzer);

 private:
  void Look();

  rv1xsim::Simulator& analyzer_;
  QTimer look_;
};

}  // namespace hostapp
