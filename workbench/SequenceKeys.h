#pragma once
// The sequence table at the keyboard. Enter or F2 opens the row under the
// cursor as a double-click does (on the standard's column: its drop-down
// list takes the focus), Delete asks to remove the selected tests, and Tab
// and Shift+Tab leave the table for the window's buttons instead of walking
// its cells.

#include <QObject>
#include <functional>

class QTableView;

namespace workbench {

class SequenceKeys : public QObject {
 public:
  struct Actions {
    std::function<void(int row, int column)> open;
    std::function<void()> remove;
  };
  SequenceKeys(QTableView* table, Actions actions);

  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QTableView* table_;
  Actions actions_;
};

}  // namespace workbench
