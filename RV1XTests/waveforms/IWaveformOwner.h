#pragma once
// What the discharge waveform dialog asks of the result it is given: the
// waveform the result holds. The discharge result offers it beside the
// host's result interface, which gives the comment.

#include "orvanRV1Xtst/IWaveform.h"

namespace orvanRV1Xtst {

class IWaveformOwner : public virtual com::Object {
 public:
  ~IWaveformOwner() override;
  // The held waveform, or Nothing.
  virtual IWaveformPtr Waveform() const = 0;
};

}  // namespace orvanRV1Xtst
