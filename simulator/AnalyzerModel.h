#pragma once
// The simulated analyzer's protocol: what it does with each command and
// what it answers, given its options and the state the commands leave it in
// (remote or not, the newer generation's own mode, the settings and outputs
// chosen, the measurements started and made). No input or output: the
// transport (Simulator) feeds it commands and sends what it returns.

#include <QHash>
#include <QList>
#include <QString>

#include "AnalyzerState.h"
#include "MeasurementLine.h"
#include "SimulatorOptions.h"

namespace rv1xsim {

struct Reply {
  QList<QByteArray> pieces;  // sent one after another
  int delayMs = 0;           // pause before the first piece
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
  // New options; the fault counters and the counts of arrivals start again
  // from them. Measurements under way go on with the counts they started with.
  void setOptions(const SimulatorOptions& options);
  const SimulatorOptions& options() const { return options_; }
  bool inMkIIIMode() const { return mkiiiMode_; }
  const AnalyzerState& state() const { return state_; }

  // The reply text to "M" without its "!", as it stands (no poll counted).
  QByteArray measurementLine() const;
  // The reply to "P": the waveform block of the last discharge.
  QByteArray waveformBlock() const;

  // One line per command the analyzer knows, with what it does.
  static QString commandsHelp();

 private:
  struct Command;
  struct Answer {
    QByteArray text;
    bool prompt = true;  // CR ">" follows the text
  };
  using Handler = QByteArray (AnalyzerModel::*)(const Command& command, const QByteArray& code);
  static const QList<Command>& commandTable();
  static const Command* find(const QByteArray& code);

  Answer carryOut(const QByteArray& command);
  bool remote() const;
  Reply framed(const Answer& answer, const QByteArray& command, int arrival) const;
  void startMeasurement(std::initializer_list<Reading> readings, int polls);

  QByteArray enterOwnMode(const Command&, const QByteArray&);
  QByteArray leaveOwnMode(const Command&, const QByteArray&);
  QByteArray reportCompletion(const Command&, const QByteArray&);
  QByteArray reportRange(const Command&, const QByteArray&);
  QByteArray reportMeasurement(const Command&, const QByteArray&);
  QByteArray sendWaveform(const Command&, const QByteArray&);
  QByteArray reset(const Command&, const QByteArray&);
  QByteArray startChargeTime(const Command&, const QByteArray&);
  QByteArray startRefractory(const Command&, const QByteArray&);
  QByteArray startSensitivity(const Command&, const QByteArray&);
  QByteArray setPlayback(const Command&, const QByteArray& code);
  QByteArray selectLoad(const Command& command, const QByteArray& code);
  QByteArray choose(const Command& command, const QByteArray& code);
  QByteArray stopWave(const Command&, const QByteArray&);

  SimulatorOptions options_;
  AnalyzerState state_;
  Readings readings_;
  QList<Reading> awaited_{Reading::Discharge};  // what "D" reports on
  bool mkiiiMode_ = false;
  int localLeft_;
  int garbageLeft_;
  int rangeQueries_ = 0;
  QHash<QByteArray, int> arrivals_;  // per command, since the options were set
};

}  // namespace rv1xsim
