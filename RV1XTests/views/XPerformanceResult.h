#pragma once
// The performance result view ("RV1XTests.XPerformanceResult"): the row of
// the monitor-performance judgement ("PERF", named after the simulated wave)
// with the check columns "Test passed" and "Test fail", in which the
// operator judges what the defibrillator's monitor showed. A failed
// judgement is red. The judgement may be given and changed at any time.
//
// Event: "ItemClicked" (no arguments), after every judgement the view took.
// A click anywhere else judges nothing and raises nothing: the guide ends a
// running wave on this event, which only a judgement may do.

#include "views/XVerdictGrid.h"

namespace orvanRV1Xtst {

class XPerformanceResult final : public XVerdictGrid {
 public:
  XPerformanceResult();
  ~XPerformanceResult() override;

 private:
  void ShowNewRow(int row, host::IMeasurement& measurement) override;
  void LeftClick(int row, int column) override;
  // Whether the judgement was taken.
  bool ApplyVerdict(int row, int column);
  void ShowRowState(int row, const QVariant& value);
};

}  // namespace orvanRV1Xtst
