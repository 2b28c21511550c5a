#include "waveforms/CWaveformPrinter.h"

namespace orvanRV1Xtst {

void CWaveformPrinter::PrintCurve(const IWaveformPtr&, const QString&, const host::HostReportPtr&) {
}

}  // namespace orvanRV1Xtst
