#include "WaveformBlock.h"

#include <algorithm>
#include <cmath>

namespace rv1xsim {

namespace {

// Peak current per count of the waveform encoding, by generation and range.
double countScale(Generation generation, char range) {
  if (range == 'H') return generation == Generation::MkII ? 0.05 : -0.05;
  if (range == 'L') return generation == Generation::MkII ? 0.01 : -0.0111;
  return 0.0;
}

int counts(double current, double scale, int lowest, int highest) {
  if (scale == 0.0) return 0;
  return std::clamp(static_cast<int>(std::lround(current / scale)), lowest, highest);
}

constexpr int kMkIIBlockBytes = 2000;
constexpr int kMkIISamplesUsed = 150;  // what the older generation's decoder reads

}  // namespace

QList<double> dischargeCurrent(double peakCurrent, int peakAt, int samples) {
  QList<double> values;
  values.reserve(samples);
  const double tau = std::max(peakAt, 1);
  for (int i = 0; i < samples; ++i) {
    const double x = i / tau;
    values.append(peakCurrent * x * std::exp(1.0 - x));
  }
  return values;
}

QByteArray waveformBlock(const SimulatorOptions& options, double peakCurrent) {
  const Generation generation = options.generation;
  const double scale = countScale(generation, options.range);
  QByteArray block;
  if (generation == Generation::MkIII) {
    const int words = options.blockWords;
    block.append(static_cast<char>(words & 0xFF));
    block.append(static_cast<char>((words >> 8) & 0xFF));
    for (double current : dischargeCurrent(peakCurrent, words / 4, words)) {
      const int bits = counts(current, scale, -2048, 2047) & 0x0FFF;
      block.append(static_cast<char>(bits >> 8));
      block.append(static_cast<char>(bits & 0xFF));
    }
  } else {
    for (double current :
         dischargeCurrent(peakCurrent, kMkIISamplesUsed / 4, kMkIIBlockBytes / 2)) {
      const int raw = counts(current, scale, -32768, 32767);
      block.append(static_cast<char>((raw >> 8) & 0xFF));
      block.append(static_cast<char>(raw & 0xFF));
    }
  }
  const Faults& faults = options.faults;
  if (faults.blockBytes >= 0) block.truncate(faults.blockBytes);
  block.append(QByteArray(faults.extraBytes, '\x55'));
  return block;
}

}  // namespace rv1xsim
