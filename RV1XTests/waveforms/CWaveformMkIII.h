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

  // The count of a byte pair: the sum hi x 256 + lo as a 16-bit signed
  // number, less 4096 when it lies above 2047. High bytes 0x00..0x0F give
  // the 12-bit counts -2048..2047; a high byte of 0x10..0x7F carries bits
  // beyond 12 and gives the sum less 4096 ((0x10, 0x00) gives 0); one of
  // 0x80 or more gives the sum as a negative 16-bit number.
  static rt::Integer BytesToInt(rt::Byte bHiByte, rt::Byte bLoByte);

 protected:
  rt::Long RawSample(rt::Byte hiByte, rt::Byte loByte) override;
  bool BeyondCount(rt::Byte hiByte) const override { return hiByte > 0x0F; }
  int CountBits() const override { return 12; }
};

using CWaveformMkIIIPtr = std::shared_ptr<CWaveformMkIII>;

}  // namespace orvanRV1Xtst
