#pragma once
// The technician's hands on the simulated bench, with --simulate: as each
// guide window opens, the simulated defibrillator is set to the energy its
// test asks for (its stored "PresetEnergy"), so that it delivers that
// energy, and the simulated pacer to the rate and output amplitude a pacer
// test names ("Rate", "Amplitude" in mA); and while a guide asks for a range ("Please set range to
// Pace",
// "... High", "... Low"), the simulated analyzer's range switch is turned
// to it, as a person at the bench turns the real one. Nothing else of the
// analyzer is touched, and the test elements never know it is there. It
// looks at the pop-up only while the pop-up is shown.

#include <QObject>

#include "RunListener.h"
#include "ui/Timer.h"

namespace rv1xsim {
class Simulator;
}

namespace ui {
class Form;
}

namespace hostapp {

class SimulatedBench : public QObject {
 public:
  // What it sets is told to the listener, when there is one.
  explicit SimulatedBench(rv1xsim::Simulator& analyzer, RunListener* told = nullptr);
  ~SimulatedBench() override;

 private:
  void SetOutputs(ui::Form& guide);
  void WatchPopup(ui::Form& guide);
  void TurnRange();
  bool eventFilter(QObject* watched, QEvent* event) override;

  void Tell(const QString& what) const;

  rv1xsim::Simulator& analyzer_;
  RunListener* told_;
  ui::Timer look_;
  int observer_ = 0;
};

}  // namespace hostapp
