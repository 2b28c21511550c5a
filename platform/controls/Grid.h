#pragma once
// The grid control of the verdict tables: a cell grid whose row 0 is the
// header row and whose data rows count from 1; columns count from 1. Data
// row r shows item r - 1 (items count from 0 in the order they were added);
// each item carries a key, and the item just added is addressed as
// kNewItem. A cell holds a text and a picture.
//
// Colours are kept twice, each with four settings (background and text, and
// both again for a selected row): on the item, which belongs to the data and
// goes with Clear, and on the row format, which belongs to the grid's row and
// stays; the row format's font carries the row's bold. A row shows its
// format's settings where they were set, else its item's, else the grid's.
//
// A column's format code decides how its cells and its header text are laid
// out (gridformat).
// A row or column outside the grid, or an unknown item, raises error 381.
//
// Click comes when a mouse button is pressed and let go over one cell (row 0
// for the header), with the control's code of the button.

#include <QImage>
#include <QTableWidget>
#include <map>
#include <optional>
#include <vector>

#include "runtime/Types.h"

namespace controls {

namespace griderr {
constexpr rt::Long InvalidIndex = 381;
}

enum class GridColor { BackColor, BackColorSel, ForeColor, ForeColorSel };

// Column format codes: how a cell's text and picture sit in the column.
namespace gridformat {
constexpr int Left = 0;        // text and picture at the left (any code not listed)
constexpr int LeftElided = 2;  // at the left; a text too long for the column ends in "..."
constexpr int Centered = 5;    // picture and text in the middle of the cell
}  // namespace gridformat

class Grid : public QTableWidget {
  Q_OBJECT
 public:
  static constexpr int kNewItem = -3;

  explicit Grid(QWidget* parent = nullptr);
  ~Grid() override;

  // Grid-wide settings.
  void SetBackColor(std::uint32_t oleColor);
  // Whether a click selects the row (painted in its selected colours). Off,
  // a row shows only the colours it was given, so a table that paints its
  // own highlight and verdicts is never covered by a selection.
  void SetRowSelection(bool on);
  // The height of every row, the header's too.
  void SetRowHeight(double twips);
  // 0: no focus rectangle around the current cell; else a dotted one.
  void SetFocusRect(int style);

  // Off while many changes are made, so that the grid paints once at the end.
  void SetRedraw(bool redraw);

  int Cols() const { return columnCount(); }
  void SetCols(int count);
  // A column is never narrower than its header text, so that a header
  // stays legible in any language; the last column fills what the others
  // leave of the grid's width (the width set for it counts once another
  // column follows it).
  double ColWidth(int column) const;
  void SetColWidth(int column, double twips);
  int ColFormat(int column) const;
  void SetColFormat(int column, int code);

  // Removes every item (and so every data row); the header and the row
  // formats stay.
  void Clear();
  // Adds an item (a data row) with its text in column 1.
  void AddItem(const QString& text);
  // The index of the item added last; -1 before any.
  int NewIndex() const { return newIndex_; }
  QString ItemKey(int item) const;
  void SetItemKey(int item, const QString& key);
  std::uint32_t ItemColor(int item, GridColor setting) const;
  void SetItemColor(int item, GridColor setting, std::uint32_t oleColor);

  // Rows of the cell grid, the header row included.
  int Rows() const { return rowCount() + 1; }
  QString CellText(int row, int column) const;
  void SetCellText(int row, int column, const QString& text);
  QImage CellPicture(int row, int column) const;
  void SetCellPicture(int row, int column, const QImage& picture);

  // The row format of a data row.
  std::uint32_t RowColor(int row, GridColor setting) const;
  void SetRowColor(int row, GridColor setting, std::uint32_t oleColor);
  bool RowBold(int row) const;
  void SetRowBold(int row, bool bold);

  // What a data row shows: its format's setting, else its item's, else the
  // grid's.
  std::uint32_t ShownColor(int row, GridColor setting) const;

 Q_SIGNALS:
  void Click(int row, int column, rt::Integer button);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  class CellPainter;
  struct Colors {
    std::optional<std::uint32_t> back, backSel, fore, foreSel;
    std::optional<std::uint32_t>& of(GridColor setting);
    const std::optional<std::uint32_t>& of(GridColor setting) const;
  };
  struct Item {
    QString key;
    Colors colors;
  };
  struct RowFormat {
    Colors colors;
    bool bold = false;
  };

  int itemIndex(int item) const;
  int dataRow(int row) const;
  int column(int column) const;
  QTableWidgetItem& cell(int row, int column);
  const QTableWidgetItem* cellIfAny(int row, int column) const;
  // The cell under a point as (column, row); (-1, -1) for none.
  QPoint cellAt(const QPoint& viewportPoint) const;
  bool boldOf(int row) const;
  void applyWidths();
  void alignHeader(int column);
  std::uint32_t defaultColor(GridColor setting) const;

  std::vector<Item> items_;
  std::map<int, RowFormat> rowFormats_;
  std::map<int, int> columnFormats_;
  std::map<int, double> columnWidths_;  // twips, as set
  std::uint32_t backColor_;
  int focusRect_ = 1;
  int newIndex_ = -1;
  QPoint pressedCell_{-1, -1};
  Qt::MouseButton pressedButton_ = Qt::NoButton;
};

}  // namespace controls
