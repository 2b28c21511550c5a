#pragma once
// What the analyzer has been told to do, as its front panel shows it: the
// settings and outputs the test commands choose. An empty code: not chosen
// since power-on.

#include <QByteArray>

namespace rv1xsim {

struct AnalyzerState {
  QByteArray load;            // pacer load "Q00".."Q26"
  QByteArray trigger;         // trigger wave into the pacer's sensing "Y01".."Y15"
  QByteArray noise;           // noise on the ECG "N01".."N21"
  QByteArray wave;            // ECG wave or rhythm played: "E02".."E20", "W02".."W14", "V01".."V08"
  QByteArray amplitude;       // ECG amplitude "A1" (2.0 mV) .. "A4" (0.5 mV)
  bool autoPlayback = false;  // "G" on, "J" off
  bool chargeTimeMode = false;  // "F3" since the last "R"

  // An ECG wave or rhythm goes out to the monitor under test.
  bool simulating() const { return !wave.isEmpty(); }
};

}  // namespace rv1xsim
