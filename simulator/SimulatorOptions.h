#pragma once
// What the simulated analyzer is and how it misbehaves: its generation, its
// range switch, the values it measures and the faults a real instrument on a
// real cable shows. Written as text ("mkii,range=P,reject=I+M") for the
// rv1x-sim program and the host program's --simulate option.

#include <QByteArray>
#include <QMap>
#include <QSet>
#include <QString>

namespace rv1xsim {

enum class Generation { MkII, MkIII };

// The analyzer's measured values; the reply to "M" shows those of the range
// the switch is on.
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

// The ways a real instrument or cable misbehaves.
struct Faults {
  bool silent = false;        // answers nothing at all
  int localReplies = 0;       // "D" finds it not in remote mode this many times; -1 always
  QSet<QByteArray> rejected;  // commands (wire form) answered "?"
  QSet<QByteArray> ignored;   // commands (wire form) not answered
  QSet<QByteArray> hangUpOn;  // commands (wire form) whose reply breaks off: port closed
  int garbageProbes = 0;      // opening probes answered with a garbage character; -1 all
  int splitDelayMs = 0;       // replies sent in pieces this far apart (0: in one piece)
  int splitSize = 1;          // characters a piece
  int blockBytes = -1;        // waveform block cut to this many bytes (-1: whole)
  int extraBytes = 0;         // surplus bytes sent after the waveform block
  QMap<QByteArray, QByteArray> rawReplies;  // exact reply bytes by command (wire form)
};

struct SimulatorOptions {
  Generation generation = Generation::MkIII;
  char range = 'H';       // 'P' pacer, 'H' high, 'L' low
  int blockWords = 1000;  // MkIII waveform length, 16-bit words
  int pendingPolls = 0;   // "D" answers "0!" this many times after each "R"
  bool paced = true;      // bytes leave at the pace of 9600 baud
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
