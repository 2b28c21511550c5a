#pragma once
// What the simulated analyzer is and how it misbehaves: its generation, its
// range switch, the values it measures, how long its measurements take and
// the faults a real instrument on a real cable shows. Written as text
// ("mkii,range=P,reject=I+M") for the rv1x-sim program and the host
// program's --simulate option.

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <utility>

namespace rv1xsim {

enum class Generation { MkII, MkIII };

// The analyzer's measured values; the reply to "M" shows those of the range
// the switch is on, once the measurement that yields them is made.
struct Measurements {
  // Defibrillator ranges (High and Low)
  double energy = 95.0;         // J
  double peakVoltage = 1520.0;  // V
  double peakCurrent = 30.4;    // A
  double delay = 4.5;           // ms
  double chargeTime = 4.2;      // s
  // Pacer range
  int rate = 72;              // ppm
  double pulseWidth = 10.0;   // ms
  double amplitude = 70.0;    // mA
  double sensitivity = 1.20;  // mV
  double sensedRp = 250.0;    // ms
  double pacedRp = 300.0;     // ms
};

// Commands a fault applies to, each in its wire form ("M\r"): every time it
// arrives, or only its Nth arrival since the options were set.
class CommandSet {
 public:
  void add(const QByteArray& command, int occurrence = 0);
  bool matches(const QByteArray& command, int occurrence) const;
  bool isEmpty() const { return entries_.isEmpty(); }

 private:
  struct Entry {
    QByteArray command;
    int occurrence;  // 0: every time
  };
  QList<Entry> entries_;
};

// The ways a real instrument or cable misbehaves.
struct Faults {
  bool silent = false;   // answers nothing at all
  int localReplies = 0;  // "D" finds it not in remote mode this many times; -1 always
  CommandSet rejected;   // answered "?", and not carried out
  CommandSet ignored;    // not answered, and not carried out
  CommandSet hangUpOn;   // carried out; the reply breaks off halfway and the port closes
  QList<std::pair<CommandSet, QByteArray>> answers;  // carried out, but answered this text
  int garbageProbes = 0;  // opening probes answered with a garbage character; -1 all
  int lateMs = 0;         // replies start this much later than they would
  CommandSet lateOnly;    // ... only the replies to these (empty: every reply)
  int splitDelayMs = 0;   // replies sent in pieces this far apart (0: in one piece)
  int splitSize = 1;      // characters a piece
  CommandSet splitOnly;   // ... only the replies to these (empty: every reply)
  int blockBytes = -1;    // waveform block cut to this many bytes (-1: whole)
  int extraBytes = 0;     // surplus bytes sent after the waveform block
  QMap<QByteArray, QByteArray> rawReplies;  // exact reply bytes by command (wire form)
};

// The operator turning the range switch while a test waits for it: after
// this many replies to "I" the switch stands on range `to`.
struct RangeTurn {
  char to = 0;  // 0: nobody turns it
  int afterQueries = 0;
};

struct SimulatorOptions {
  Generation generation = Generation::MkIII;
  char range = 'H';  // 'P' pacer, 'H' high, 'L' low
  RangeTurn rangeTurn;
  int blockWords = 1000;  // MkIII waveform length, 16-bit words
  // How many polls find a measurement not made yet, from its start:
  int pendingPolls = 0;      // "D" answers "0!" after "R", "F3" or "C"
  int pacerPolls = 0;        // "M" sees no pacer pulses after "R" or a load code
  int sensitivityPolls = 0;  // "M" shows no sensitivity after "S"
  bool paced = true;         // bytes leave at the pace of 9600 baud
  Measurements values;
  Faults faults;
};

// Wire form of a command: "M" -> "M\r"; "CR" is the bare carriage return,
// "PROBE" the opening probe CR VT.
QByteArray wireCommand(const QString& name);

// Reads comma-separated options into out (starting from what out holds);
// false with a message in error for an unknown or malformed one.
bool parseOptions(const QString& text, SimulatorOptions& out, QString* error = nullptr);

// One line per option, for usage texts.
QString optionsHelp();

}  // namespace rv1xsim
