#pragma once
// Prints a discharge waveform as a framed chart on the host's report: a
// grey-shadowed white frame with the title, the time axis in milliseconds,
// the current axis in amperes and the curve, laid out at the report's
// current position (on a new page when it does not fit there). Everything
// is drawn through the report's drawing surface; a report without one gets
// nothing.

#include "orvanRV1Xtst/IWaveform.h"

namespace orvanRV1Xtst {

class CWaveformPrinter {
 public:
  // sTitle is already translated. Never raises.
  void PrintCurve(const IWaveformPtr& iwf, const QString& sTitle,
                  const host::HostReportPtr& iarReport);
};

}  // namespace orvanRV1Xtst
