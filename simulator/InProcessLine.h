#pragma once
// The simulated analyzer's line without a device: what a serial control
// writes reaches the analyzer at once, and its answers arrive at the times
// they would on a pseudo-terminal at 9600 baud, on the thread's clock
// (ui/Clock.h). It behaves as the simulator's thread on its pseudo-terminal
// does: a command is taken once its CR is in (a bare CR waits up to 5 ms for
// the VT of the opening probe), the analyzer answers one command at a time,
// each answer starts when the command would have crossed the wire, and a
// reply that breaks off closes the line once what came before it was read.
//
// Only the thread that made it may use it.

#include <QByteArray>
#include <deque>
#include <vector>

#include "ui/Clock.h"

namespace rv1xsim {

class InProcessPort;
class Simulator;

class InProcessLine {
 public:
  explicit InProcessLine(Simulator& simulator);
  // A port that still holds the line finds its device gone.
  ~InProcessLine();
  InProcessLine(const InProcessLine&) = delete;
  InProcessLine& operator=(const InProcessLine&) = delete;

  // Who holds the line open (one holder at a time, as a device).
  bool free() const { return holder_ == nullptr; }
  void take(InProcessPort* holder);
  void release(InProcessPort* holder);

  void write(const QByteArray& bytes);
  // Bytes that have arrived and not been read.
  qsizetype waiting();
  // Reads up to count bytes (all that arrived when count is 0).
  QByteArray read(qsizetype count);
  void discard();

  // The line closed by a reply that broke off, or by hangUp.
  bool hungUp();
  void hangUp();

 private:
  struct Arrival {
    qint64 at;
    QByteArray bytes;
  };

  void advance();
  qint64 handlingTime(qsizetype& length) const;
  void answer(qint64 at, qsizetype length);
  void schedule();

  Simulator& simulator_;
  InProcessPort* holder_ = nullptr;
  QByteArray input_;             // written, not yet taken as a command
  std::vector<qint64> inputAt_;  // when each of those bytes came
  std::deque<Arrival> output_;   // answered, still on its way
  QByteArray arrived_;           // arrived, not yet read
  qint64 busyUntil_ = 0;         // the analyzer sends an answer until then
  qint64 hangUpAt_ = -1;         // a broken-off reply closes the line then
  bool hungUp_ = false;
  ui::Alarm next_;
};

}  // namespace rv1xsim
