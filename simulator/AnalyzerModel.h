#pragma once
// The simulated analyzer's protocol: what it answers to each command, given
// its options and the state the commands leave it in (remote or not, the
// newer generation's own mode, pending measurements). No input or output:
// the transport (Simulator) feeds it commands and sends what it returns.

#include <QList>

#include "SimulatorOptions.h"

namespace rv1xsim {

struct Reply {
  QList<QByteArray> pieces;  // sent one after another
  int pieceDelayMs = 0;      // pause before every piece but the first
  bool hangUp = false;       // the port is closed after the pieces

  bool empty() const { return pieces.isEmpty(); }
};

class AnalyzerModel {
 public:
  explicit AnalyzerModel(SimulatorOptions options = {});

  // command: its wire form, terminator included ("M\r", "\r", "\r\x0b").
  Reply respond(const QByteArray& command);

  SimulatorOptions& options() { return options_; }
  // New options; the fault counters start again from them.
  void setOptions(const SimulatorOptions& options);
  const SimulatorOptions& options() const { return options_; }
  bool inMkIIIMode() const { return mkiiiMode_; }

  // The reply text to "M" without its "!": 59 characters in the columns
  // of the range the switch is on.
  QByteArray measurementLine() const;
  // The reply to "P": the waveform block as the generation sends it.
  QByteArray waveformBlock() const;

 private:
  QByteArray answer(const QByteArray& name);
  bool remote() const;
  Reply framed(const QByteArray& text, const QByteArray& command, bool prompt = true) const;

  SimulatorOptions options_;
  bool mkiiiMode_ = false;
  int localLeft_;
  int garbageLeft_;
  int pollsLeft_;
};

// Waveform samples (A) of a discharge with the given peak current: a pulse
// that rises to its peak at sample peakAt and decays after it.
QList<double> dischargeCurrent(double peakCurrent, int peakAt, int samples);

}  // namespace rv1xsim
