#pragma once
// The newer analyzer generation's waveform: one sample per byte pair of the
// block, 12-bit two's complement, high byte first, 250 samples per
// millisecond. Its array is sized by the samples decoded or loaded.

#include "waveforms/CWaveForm.h"

namespace orvanRV1Xtst {

class CWaveformMkIII final : public CWaveForm {
 public:
  CWaveformMkIII();
  ~CWaveformMkIII() override;

  // The 12-bit count of a byte pair, -2048..2047. A high byte above 0x0F
  // lies outside the 12 bits: error 6, since no count can be read from it.
  static rt::Integer BytesToInt(rt::Byte bHiByte, rt::Byte bLoByte);

 protected:
  rt::Long RawSample(rt::Byte hiByte, rt::Byte loByte) override;
};

using CWaveformMkIIIPtr = std::shared_ptr<CWaveformMkIII>;

}  // namespace orvanRV1Xtst
