#include "waveforms/CWaveformMkIII.h"

namespace orvanRV1Xtst {

CWaveformMkIII::CWaveformMkIII()
    : CWaveForm(WaveGeneration{250, -0.05f, -0.0111f, 0, QStringLiteral("III")}) {}

CWaveformMkIII::~CWaveformMkIII() = default;

rt::Integer CWaveformMkIII::BytesToInt(rt::Byte bHiByte, rt::Byte bLoByte) {
  if (bHiByte > 0x0F)
    rt::raise(rt::err::Overflow, kWaveformSource,
              QStringLiteral("high byte 0x%1 lies outside the 12-bit range")
                  .arg(QString::number(bHiByte, 16).toUpper().rightJustified(2, u'0')));
  rt::Integer v = static_cast<rt::Integer>(bHiByte * 256 + bLoByte);
  if (v > 2047) v = static_cast<rt::Integer>(v - 4096);
  return v;
}

rt::Long CWaveformMkIII::RawSample(rt::Byte hiByte, rt::Byte loByte) {
  return BytesToInt(hiByte, loByte);
}

}  // namespace orvanRV1Xtst
