#include "waveforms/CWaveFormMkII.h"

namespace orvanRV1Xtst {

CWaveFormMkII::CWaveFormMkII() : CWaveForm(WaveGeneration{10, 0.05f, 0.01f, kSamples, QString()}) {}

CWaveFormMkII::~CWaveFormMkII() = default;

rt::Integer CWaveFormMkII::BytesToInt16(rt::Byte bHiByte, rt::Byte bLoByte) {
  rt::Long t = bHiByte * 256;
  if (t & 0x8000) t -= 65536;
  return static_cast<rt::Integer>(t + bLoByte);
}

rt::Long CWaveFormMkII::RawSample(rt::Byte hiByte, rt::Byte loByte) {
  return BytesToInt16(hiByte, loByte);
}

}  // namespace orvanRV1Xtst
