#pragma once
// The limits result view ("RV1XTests.XChargeTimeTestResult") of the tests
// that measure against limits (charge time, discharge, sensitivity,
// refractory period, pacer accuracy): one row per measurement of the result
// with its value and the high and low limit of the selected standard; a
// failed measurement's row is bold and red.
//
// Control, by name: lvwResult, the list in report view filling the view.
// Rows are keyed by measurement key; their sub-items "val", "hi" and "lo"
// hold the value and the two limits.
//
// Event: "MouseDown" (Button, Shift as 16-bit numbers; x, y as Single), for
// every mouse press in the list; Button 2 is the right button.

#include <optional>

#include "orvanRV1Xtst/IRV1XResultView.h"
#include "ui/UserControl.h"

namespace controls {
class ListView;
}

namespace orvanRV1Xtst {

class XChargeTimeTestResult final : public ui::UserControl, public IRV1XResultView {
 public:
  XChargeTimeTestResult();
  ~XChargeTimeTestResult() override;

  // The limit set is kept itself, so that its standards are read when a
  // standard is selected: a limit set that loads anew replaces its
  // collection, and the view follows it.
  void SetLimits(const host::ILimitDataPtr& limits) override;
  void Clear() override;
  // Adds the rows of measurements not shown yet and updates the others in
  // place; no row is removed.
  void ShowTestResult(const host::IResultDataPtr& ird) override;
  // Fills the limit columns for the standard of those names, and keeps the
  // choice: rows that come later, and a limit set given later, show the
  // limits of the selected standard at once.
  void SelectStandard(const QString& sAName, const QString& sCName, bool fCalc) override;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  struct Selection {
    QString alphaName;
    QString completeName;
    bool calculate = false;
  };

  void SetupColumns();
  void ShowMeasurement(const host::IMeasurementPtr& measurement);
  void SetLimitCell(const QVariant& value, int row, const QString& key, const QString& toolTip);
  void SetRowStyle(int row, rt::Long status);
  void ShowLimits();

  controls::ListView* lvwResult_ = nullptr;
  host::ILimitDataPtr limits_;
  host::IResultDataPtr shownResult_;
  std::optional<Selection> selection_;
};

}  // namespace orvanRV1Xtst
