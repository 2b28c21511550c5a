#pragma once
// Prints a discharge waveform as a framed chart on the host's report: a
// grey-shadowed white frame with the title, the time axis in milliseconds,
// the current axis in amperes and the curve, laid out at the report's
// current position (on a new page when it does not fit there), after which
// the current position is the frame's bottom. Everything is drawn through
// the report and its drawing surface; a report without a drawing surface,
// or a waveform without samples, gets nothing.
//
// Only the waveform's valid samples (its first ValueCount values) are drawn.

#include "orvanRV1Xtst/IWaveform.h"
#include "waveforms/CPrinterCoordinates.h"

namespace orvanRV1Xtst {

class CWaveformPrinter {
 public:
  // Layout in page units.
  static constexpr rt::Long kSpaceNeeded = 3920;
  static constexpr rt::Long kFrameTopGap = 280;
  static constexpr rt::Long kFrameHeight = 3360;
  static constexpr rt::Long kFrameLeftInset = 560;
  static constexpr rt::Long kFrameRightInset = 1120;
  static constexpr rt::Long kShadowOffset = 70;
  static constexpr rt::Long kTitleInset = 140;
  static constexpr rt::Long kPlotLeft = 980;
  static constexpr rt::Long kPlotTop = 560;
  static constexpr rt::Long kPlotRight = 560;
  static constexpr rt::Long kPlotBottom = 700;

  // sTitle is already translated. Never raises.
  void PrintCurve(const IWaveformPtr& iwf, const QString& sTitle,
                  const host::HostReportPtr& iarReport);

 private:
  PlotRect DrawFrame(host::HostReport& report);
  void DrawXAxis(host::HostReport& report, const CPrinterCoordinates& coordinates);
  void DrawYAxis(host::HostReport& report, const CPrinterCoordinates& coordinates);
  void DrawYTitle(host::HostReport& report, rt::Long X1, rt::Long Y1, rt::Long X2, rt::Long Y2);
  void DrawCurve(host::HostReport& report, const CPrinterCoordinates& coordinates);

  host::ReportCanvasPtr canvas_;
  QList<rt::Single> values_;
  QString title_;
  PlotRect plot_;
};

}  // namespace orvanRV1Xtst
