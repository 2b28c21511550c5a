#pragma once
// The analyzer's measurements and the fixed-column line in which its reply
// to "M" shows them. A measurement the analyzer has not made yet shows as 0
// in its columns.

#include <QByteArray>
#include <array>

#include "SimulatorOptions.h"

namespace rv1xsim {

// What one measurement yields, each in its own columns of the line.
enum class Reading { Discharge, ChargeTime, Pacer, Sensitivity, Refractory };
constexpr int kReadingCount = 5;

// One measurement of the analyzer: started by a command, made on a later
// poll. The analyzer powers up holding its last one, made.
class Progress {
 public:
  // Made on the (polls + 1)th poll from now.
  void start(int polls) {
    stage_ = Stage::Waiting;
    pollsLeft_ = polls;
  }
  // Not made until started again.
  void clear() { stage_ = Stage::Cleared; }
  // One poll; true once the measurement is made.
  bool poll() {
    if (stage_ == Stage::Waiting && pollsLeft_-- == 0) stage_ = Stage::Made;
    return made();
  }
  bool made() const { return stage_ == Stage::Made; }

 private:
  enum class Stage { Made, Waiting, Cleared };
  Stage stage_ = Stage::Made;
  int pollsLeft_ = 0;
};

using Readings = std::array<Progress, kReadingCount>;

inline Progress& progressOf(Readings& readings, Reading reading) {
  return readings[static_cast<int>(reading)];
}
inline const Progress& progressOf(const Readings& readings, Reading reading) {
  return readings[static_cast<int>(reading)];
}

// The 59 characters before the reply's "!", in the columns of the range the
// switch is on ('P' the pacer range, else the defibrillator ranges).
QByteArray measurementLine(const Measurements& values, char range, const Readings& readings);

}  // namespace rv1xsim
