#pragma once
// What the two operator-verdict views share (the shock-advisory and the
// performance result views): the grid "tliResult" filling the view, one row
// per measurement of the shown result keyed by the measurement's key, the
// check pictures of a verdict pair, and the left clicks that give verdicts.
// The limit set and the standard selection mean nothing to Boolean
// verdicts and are ignored.

#include <QImage>
#include <optional>

#include "orvanRV1Xtst/IRV1XResultView.h"
#include "results/CMeasurement.h"
#include "ui/UserControl.h"

namespace controls {
class Grid;
}

namespace orvanRV1Xtst {

class XVerdictGrid : public ui::UserControl, public IRV1XResultView {
 public:
  ~XVerdictGrid() override;

  void SetLimits(const host::ILimitDataPtr&) override {}
  void Clear() override;
  // Rebuilds the rows from the result; Nothing is kept and changes nothing.
  void ShowTestResult(const host::IResultDataPtr& ird) override;
  void SelectStandard(const QString&, const QString&, bool) override {}

 protected:
  struct GridColumn {
    const char* header;  // text key; none for a column without header
    double width;        // twips
    std::optional<int> format;
  };

  // Translates the captions, lays out the grid with that many columns and
  // these (from column 1 on), and loads the pictures.
  XVerdictGrid(const char* objectName, int columnCount, std::initializer_list<GridColumn> columns);

  // A new row of the measurement: its item and key are there; the view
  // fills its other cells.
  virtual void ShowNewRow(int row, host::IMeasurement& measurement) = 0;
  // A left click on a cell of the grid (row 0 is the header).
  virtual void LeftClick(int row, int column) = 0;

  // The measurement of a data row, by the key of the row's item; Nothing
  // when the shown result has none.
  CMeasurementPtr MeasurementOfRow(int row) const;
  // The checks of a verdict pair: an empty value checks neither, true the
  // first column, false the second.
  void ShowChecks(int row, int trueColumn, int falseColumn, const QVariant& value);
  void UncheckBoth(int row, int trueColumn, int falseColumn);

  void resizeEvent(QResizeEvent* event) override;

  controls::Grid* tliResult_ = nullptr;
  host::IResultDataPtr shownResult_;
  QImage checkPicture_;
  QImage noCheckPicture_;
};

}  // namespace orvanRV1Xtst
