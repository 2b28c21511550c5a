#pragma once
// The shock-advisory result view ("RV1XTests.XShockResult"): one row per
// step of the shock-advisory result, in the steps' order, with the step's
// wave, the advice it expects and the two check columns "Shock" and "No
// shock" in which the operator records the advice the defibrillator gave.
// While the test plays the steps, the row of the step being played is
// highlighted; a finished step whose answer contradicts the expected advice
// is red.
//
// Columns: 1 the wave, 2 the expected advice, 3 "Shock", 4 "No shock", 5 a
// filler. Only the step being played and those before it can be answered,
// and an answer may be changed.
//
// Event: "ItemClicked" (one Boolean: the answered row is the one being
// played), after every answer the view took.

#include "views/XVerdictGrid.h"

namespace orvanRV1Xtst {

class XShockResult final : public XVerdictGrid {
 public:
  XShockResult();
  ~XShockResult() override;

  // True once the operator answered a step since the last Initialize.
  bool GotResults() const override { return gotResults_; }
  // For a new run: every row unhighlighted, in black, with both checks
  // empty; no step played yet. The measurements keep their values.
  void Initialize() override;
  // The step being played is finished (red when its answer failed) and the
  // next row is highlighted. Past the last row only the finishing shows.
  void HighlightNext() override;

 private:
  void ShowNewRow(int row, host::IMeasurement& measurement) override;
  void LeftClick(int row, int column) override { ApplyVerdict(row, column); }
  void ApplyVerdict(int row, int column);
  void ShowRowState(int row, const QVariant& value, const QVariant& preset);
  void PaintRow(int row, std::uint32_t back, std::uint32_t fore, bool bold);

  int currentRow_ = 0;
  bool gotResults_ = false;
};

using XShockResultPtr = std::shared_ptr<XShockResult>;

}  // namespace orvanRV1Xtst
