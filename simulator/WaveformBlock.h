#pragma once
// The discharge waveform as each analyzer generation sends it for "P": the
// newer one announces its length in words and sends 12-bit samples, the
// older one a fixed block of 16-bit samples; both high byte first.

#include <QByteArray>
#include <QList>

#include "SimulatorOptions.h"

namespace rv1xsim {

// Waveform samples (A) of a discharge with the given peak current: a pulse
// that rises to its peak at sample peakAt and decays after it.
QList<double> dischargeCurrent(double peakCurrent, int peakAt, int samples);

// The block of a discharge with that peak current, recorded on the range
// the switch is on ('H' or 'L'; any other range records nothing), with the
// block faults of the options applied.
QByteArray waveformBlock(const SimulatorOptions& options, double peakCurrent);

}  // namespace rv1xsim
