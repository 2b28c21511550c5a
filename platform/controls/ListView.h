#pragma once
// The list view control in report view: keyed columns with caption, width
// and alignment, and rows with a key, a text, a tag object and keyed
// sub-items (sub-item n shows in column n + 1). Rows and columns count from
// 1; places and sizes are twips in the list's own coordinates, measured from
// its top left corner, the same for the mouse, the columns and the rows.
//
// Keys are compared without regard to case, as every keyed collection of
// the run time. Failures are the control's own errors: an index outside the
// rows or columns 35600, a key that names nothing 35601, a key already in use
// 35602.
//
// Events: MouseDown for every button press in the rows' area; then, for a
// left press on a row, ItemClick with that row (which is selected by then);
// Click when the left button is let go over the rows' area; ColumnClick for
// a left click on a column header.

#include <QTreeWidget>

#include "com/Object.h"
#include "runtime/Types.h"

namespace controls {

namespace listerr {
constexpr rt::Long IndexOutOfBounds = 35600;
constexpr rt::Long ElementNotFound = 35601;
constexpr rt::Long KeyNotUnique = 35602;
}  // namespace listerr

enum class ListAlignment { Left = 0, Right = 1, Center = 2 };

// Only the report view shows columns; the other views show the rows' main
// texts alone.
enum class ListViewStyle { Icon = 0, SmallIcon = 1, List = 2, Report = 3 };

class ListView : public QTreeWidget {
  Q_OBJECT
 public:
  explicit ListView(QWidget* parent = nullptr);
  ~ListView() override;

  ListViewStyle View() const { return view_; }
  void SetView(ListViewStyle view);

  // Columns. The width is in twips; the first column's text is always left
  // aligned (it is the rows' main text), as the control has it.
  int AddColumn(const QString& key, const QString& caption, double width,
                ListAlignment alignment = ListAlignment::Left);
  int ColumnCount() const { return columnCount(); }
  // The 1-based index of the column with that key, 0 when none has it.
  int ColumnIndex(const QString& key) const;
  QString ColumnKey(int column) const;
  QString ColumnCaption(int column) const;
  double ColumnLeft(int column) const;
  double ColumnWidth(int column) const;
  void SetColumnWidth(int column, double width);

  // Rows. AddItem answers the new row's index; an empty key adds a row
  // without one.
  int AddItem(const QString& key, const QString& text);
  int ItemCount() const { return topLevelItemCount(); }
  // The index of the row with that key, 0 when none has it.
  int FindItem(const QString& key) const;
  QString ItemKey(int row) const;
  QString ItemText(int row) const;
  void SetItemText(int row, const QString& text);
  com::ObjectPtr ItemTag(int row) const;
  void SetItemTag(int row, const com::ObjectPtr& tag);
  bool ItemBold(int row) const;
  void SetItemBold(int row, bool bold);
  std::uint32_t ItemForeColor(int row) const;
  void SetItemForeColor(int row, std::uint32_t oleColor);
  // Top and height of a row in twips (for an in-place editor over a cell).
  double ItemTop(int row) const;
  double ItemHeight(int row) const;
  void RemoveItem(int row);
  void ClearItems();

  // Sub-items of a row, by 1-based index or by key. AddSubItem appends the
  // next one; setting the text of an index beyond the last adds unkeyed
  // sub-items up to it.
  int AddSubItem(int row, const QString& key, const QString& text);
  int SubItemCount(int row) const;
  QString SubItemText(int row, int subItem) const;
  QString SubItemText(int row, const QString& key) const;
  void SetSubItemText(int row, int subItem, const QString& text);
  void SetSubItemText(int row, const QString& key, const QString& text);
  bool SubItemBold(int row, int subItem) const;
  void SetSubItemBold(int row, int subItem, bool bold);
  std::uint32_t SubItemForeColor(int row, int subItem) const;
  void SetSubItemForeColor(int row, int subItem, std::uint32_t oleColor);
  QString SubItemToolTip(int row, const QString& key) const;
  void SetSubItemToolTip(int row, const QString& key, const QString& text);
  // The 1-based index of the sub-item with that key (error 35601 when none).
  int SubItemIndex(int row, const QString& key) const;

  // The selected row, 0 when none; selecting 0 deselects.
  int SelectedItem() const;
  void SetSelectedItem(int row);

 Q_SIGNALS:
  // Button: 1 left, 2 right, 4 middle; Shift: 1 Shift, 2 Ctrl, 4 Alt; x and
  // y in twips.
  void MouseDown(rt::Integer button, rt::Integer shift, rt::Single x, rt::Single y);
  void ItemClick(int row);
  void Click();
  void ColumnClick(int column);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QTreeWidgetItem& item(int row) const;
  int columnOf(int subItem, int row) const;
  int checkedColumn(int column) const;
  QStringList subItemKeys(int row) const;
  void applyAlignment(QTreeWidgetItem& item, int column) const;
  QPoint inList(const QPoint& viewportPoint) const;

  ListViewStyle view_ = ListViewStyle::Report;
};

}  // namespace controls
