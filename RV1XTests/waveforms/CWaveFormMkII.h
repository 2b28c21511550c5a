#pragma once
// The older analyzer generation's waveform: 150 samples of 16-bit two's
// complement, high byte first, 10 samples per millisecond, taken from the
// front of the block the analyzer sends. Its array always has 150 entries;
// ValueCount tells how many of them are samples (150 from creation).

#include "waveforms/CWaveForm.h"

namespace orvanRV1Xtst {

class CWaveFormMkII final : public CWaveForm {
 public:
  static constexpr rt::Long kSamples = 150;

  CWaveFormMkII();
  ~CWaveFormMkII() override;

 protected:
  rt::Long RawSample(rt::Byte hiByte, rt::Byte loByte) override;

 private:
  static rt::Integer BytesToInt16(rt::Byte bHiByte, rt::Byte bLoByte);
};

using CWaveFormMkIIPtr = std::shared_ptr<CWaveFormMkII>;

}  // namespace orvanRV1Xtst
