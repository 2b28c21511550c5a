#include "waveforms/CWaveformMkIII.h"

namespace orvanRV1Xtst {

CWaveformMkIII::CWaveformMkIII()
    : CWaveForm(WaveGeneration{250, -0.05f, -0.0111f, 0, QStringLiteral("III")}) {}

CWaveformMkIII::~CWaveformMkIII() = default;

rt::Integer CWaveformMkIII::BytesToInt(rt::Byte bHiByte, rt::Byte bLoByte) {
  // The high byte is not masked; a sum beyond 32767 wraps as a 16-bit
  // signed number does.
  const int sum = bHiByte * 256 + bLoByte;
  int v = sum > 32767 ? sum - 65536 : sum;
  if (v > 2047) v -= 4096;
  return static_cast<rt::Integer>(v);
}

rt::Long CWaveformMkIII::RawSample(rt::Byte hiByte, rt::Byte loByte) {
  return BytesToInt(hiByte, loByte);
}

}  // namespace orvanRV1Xtst
