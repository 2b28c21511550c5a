#include "controls/ListView.h"

#include <QHeaderView>
#include <QMouseEvent>

#include "controls/MouseCodes.h"
#include "runtime/RuntimeError.h"
#include "ui/Twips.h"

namespace controls {

namespace {

// What a row keeps besides its texts, in the data of its first column.
constexpr int KeyRole = Qt::UserRole;
constexpr int TagRole = Qt::UserRole + 1;
constexpr int SubItemKeysRole = Qt::UserRole + 2;
// The colour as it was set (a system colour stays one), per column.
constexpr int ForeColorRole = Qt::UserRole + 3;
// A column's key, in the header item.
constexpr int ColumnKeyRole = Qt::UserRole;

Qt::Alignment qtAlignment(ListAlignment alignment) {
  switch (alignment) {
    case ListAlignment::Right:
      return Qt::AlignRight | Qt::AlignVCenter;
    case ListAlignment::Center:
      return Qt::AlignHCenter | Qt::AlignVCenter;
    case ListAlignment::Left:
      break;
  }
  return Qt::AlignLeft | Qt::AlignVCenter;
}

bool sameKey(const QString& a, const QString& b) {
  return a.compare(b, Qt::CaseInsensitive) == 0;
}

void setBold(QTreeWidgetItem& item, int column, bool bold) {
  QFont font = item.font(column);
  font.setBold(bold);
  item.setFont(column, font);
}

void setForeColor(QTreeWidgetItem& item, int column, std::uint32_t oleColor) {
  item.setData(column, ForeColorRole, QVariant::fromValue(oleColor));
  item.setForeground(column, ui::toQColor(oleColor));
}

std::uint32_t foreColor(const QTreeWidgetItem& item, int column) {
  const QVariant colour = item.data(column, ForeColorRole);
  return colour.isValid() ? colour.value<std::uint32_t>() : ui::syscolor::WindowText;
}

}  // namespace

ListView::ListView(QWidget* parent) : QTreeWidget(parent) {
  setRootIsDecorated(false);
  setItemsExpandable(false);
  setUniformRowHeights(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setColumnCount(0);
  header()->setStretchLastSection(false);
  header()->setSectionsMovable(false);
  header()->setSectionsClickable(true);
  header()->setSectionResizeMode(QHeaderView::Interactive);
  connect(header(), &QHeaderView::sectionClicked, this,
          [this](int logical) { Q_EMIT ColumnClick(logical + 1); });
}

ListView::~ListView() = default;

void ListView::SetView(ListViewStyle view) {
  view_ = view;
  const bool report = view == ListViewStyle::Report;
  setHeaderHidden(!report);
  for (int column = 1; column < columnCount(); ++column) setColumnHidden(column, !report);
}

int ListView::AddColumn(const QString& key, const QString& caption, double width,
                        ListAlignment alignment) {
  if (width < 0) rt::raise(rt::err::InvalidPropertyValue);
  if (!key.isEmpty() && ColumnIndex(key) != 0) rt::raise(listerr::KeyNotUnique);
  const int column = columnCount();
  setColumnCount(column + 1);
  QTreeWidgetItem* head = headerItem();
  head->setText(column, caption);
  head->setData(column, ColumnKeyRole, key);
  head->setTextAlignment(column,
                         column == 0 ? qtAlignment(ListAlignment::Left) : qtAlignment(alignment));
  header()->resizeSection(column, ui::toPixels(width));
  if (view_ != ListViewStyle::Report && column > 0) setColumnHidden(column, true);
  for (int row = 0; row < topLevelItemCount(); ++row) applyAlignment(*topLevelItem(row), column);
  return column + 1;
}

int ListView::ColumnIndex(const QString& key) const {
  if (key.isEmpty()) return 0;
  for (int column = 0; column < columnCount(); ++column)
    if (sameKey(headerItem()->data(column, ColumnKeyRole).toString(), key)) return column + 1;
  return 0;
}

int ListView::checkedColumn(int column) const {
  if (column < 1 || column > columnCount()) rt::raise(listerr::IndexOutOfBounds);
  return column - 1;
}

QString ListView::ColumnKey(int column) const {
  return headerItem()->data(checkedColumn(column), ColumnKeyRole).toString();
}

QString ListView::ColumnCaption(int column) const {
  return headerItem()->text(checkedColumn(column));
}

double ListView::ColumnLeft(int column) const {
  const int logical = checkedColumn(column);
  return ui::toTwips(viewport()->x() + header()->sectionViewportPosition(logical));
}

double ListView::ColumnWidth(int column) const {
  return ui::toTwips(header()->sectionSize(checkedColumn(column)));
}

void ListView::SetColumnWidth(int column, double width) {
  const int logical = checkedColumn(column);
  if (width < 0) rt::raise(rt::err::InvalidPropertyValue);
  header()->resizeSection(logical, ui::toPixels(width));
}

int ListView::AddItem(const QString& key, const QString& text) {
  if (!key.isEmpty() && FindItem(key) != 0) rt::raise(listerr::KeyNotUnique);
  auto* row = new QTreeWidgetItem;
  row->setText(0, text);
  row->setData(0, KeyRole, key);
  for (int column = 0; column < columnCount(); ++column) applyAlignment(*row, column);
  addTopLevelItem(row);
  return topLevelItemCount();
}

int ListView::FindItem(const QString& key) const {
  if (key.isEmpty()) return 0;
  for (int row = 0; row < topLevelItemCount(); ++row)
    if (sameKey(topLevelItem(row)->data(0, KeyRole).toString(), key)) return row + 1;
  return 0;
}

QTreeWidgetItem& ListView::item(int row) const {
  if (row < 1 || row > topLevelItemCount()) rt::raise(listerr::IndexOutOfBounds);
  return *topLevelItem(row - 1);
}

QString ListView::ItemKey(int row) const {
  return item(row).data(0, KeyRole).toString();
}

QString ListView::ItemText(int row) const {
  return item(row).text(0);
}

void ListView::SetItemText(int row, const QString& text) {
  item(row).setText(0, text);
}

com::ObjectPtr ListView::ItemTag(int row) const {
  return com::toObject(item(row).data(0, TagRole));
}

void ListView::SetItemTag(int row, const com::ObjectPtr& tag) {
  item(row).setData(0, TagRole, com::toVariant(tag));
}

bool ListView::ItemBold(int row) const {
  return item(row).font(0).bold();
}

void ListView::SetItemBold(int row, bool bold) {
  setBold(item(row), 0, bold);
}

std::uint32_t ListView::ItemForeColor(int row) const {
  return foreColor(item(row), 0);
}

void ListView::SetItemForeColor(int row, std::uint32_t oleColor) {
  setForeColor(item(row), 0, oleColor);
}

double ListView::ItemTop(int row) const {
  return ui::toTwips(viewport()->y() + visualItemRect(&item(row)).top());
}

double ListView::ItemHeight(int row) const {
  return ui::toTwips(visualItemRect(&item(row)).height());
}

void ListView::RemoveItem(int row) {
  delete &item(row);
}

void ListView::ClearItems() {
  clear();
}

QStringList ListView::subItemKeys(int row) const {
  return item(row).data(0, SubItemKeysRole).toStringList();
}

int ListView::AddSubItem(int row, const QString& key, const QString& text) {
  QStringList keys = subItemKeys(row);
  if (!key.isEmpty() && keys.contains(key, Qt::CaseInsensitive)) rt::raise(listerr::KeyNotUnique);
  keys.append(key);
  QTreeWidgetItem& cells = item(row);
  cells.setData(0, SubItemKeysRole, keys);
  cells.setText(static_cast<int>(keys.size()), text);
  return static_cast<int>(keys.size());
}

int ListView::SubItemCount(int row) const {
  return static_cast<int>(subItemKeys(row).size());
}

int ListView::SubItemIndex(int row, const QString& key) const {
  const QStringList keys = subItemKeys(row);
  for (int i = 0; i < keys.size(); ++i)
    if (!key.isEmpty() && sameKey(keys.at(i), key)) return i + 1;
  rt::raise(listerr::ElementNotFound);
}

int ListView::columnOf(int subItem, int row) const {
  if (subItem < 1 || subItem > SubItemCount(row)) rt::raise(listerr::IndexOutOfBounds);
  return subItem;
}

QString ListView::SubItemText(int row, int subItem) const {
  return item(row).text(columnOf(subItem, row));
}

QString ListView::SubItemText(int row, const QString& key) const {
  return SubItemText(row, SubItemIndex(row, key));
}

void ListView::SetSubItemText(int row, int subItem, const QString& text) {
  if (subItem < 1) rt::raise(listerr::IndexOutOfBounds);
  while (SubItemCount(row) < subItem) AddSubItem(row, QString(), QString());
  item(row).setText(subItem, text);
}

void ListView::SetSubItemText(int row, const QString& key, const QString& text) {
  SetSubItemText(row, SubItemIndex(row, key), text);
}

bool ListView::SubItemBold(int row, int subItem) const {
  return item(row).font(columnOf(subItem, row)).bold();
}

void ListView::SetSubItemBold(int row, int subItem, bool bold) {
  setBold(item(row), columnOf(subItem, row), bold);
}

std::uint32_t ListView::SubItemForeColor(int row, int subItem) const {
  return foreColor(item(row), columnOf(subItem, row));
}

void ListView::SetSubItemForeColor(int row, int subItem, std::uint32_t oleColor) {
  setForeColor(item(row), columnOf(subItem, row), oleColor);
}

QString ListView::SubItemToolTip(int row, const QString& key) const {
  return item(row).toolTip(SubItemIndex(row, key));
}

void ListView::SetSubItemToolTip(int row, const QString& key, const QString& text) {
  item(row).setToolTip(SubItemIndex(row, key), text);
}

int ListView::SelectedItem() const {
  const QList<QTreeWidgetItem*> selected = selectedItems();
  return selected.isEmpty() ? 0 : indexOfTopLevelItem(selected.first()) + 1;
}

void ListView::SetSelectedItem(int row) {
  if (row == 0) {
    clearSelection();
    return;
  }
  QTreeWidgetItem& selected = item(row);
  clearSelection();
  selected.setSelected(true);
  setCurrentItem(&selected);
}

void ListView::applyAlignment(QTreeWidgetItem& row, int column) const {
  row.setTextAlignment(column, column == 0 ? qtAlignment(ListAlignment::Left)
                                           : Qt::Alignment(headerItem()->textAlignment(column)));
}

QPoint ListView::inList(const QPoint& viewportPoint) const {
  return viewport()->mapTo(this, viewportPoint);
}

void ListView::mousePressEvent(QMouseEvent* event) {
  const QPoint at = inList(event->position().toPoint());
  Q_EMIT MouseDown(mouseButtonCode(event->button()), shiftCode(event->modifiers()),
                   static_cast<rt::Single>(ui::toTwips(at.x())),
                   static_cast<rt::Single>(ui::toTwips(at.y())));
  QTreeWidget::mousePressEvent(event);
  if (event->button() != Qt::LeftButton) return;
  if (QTreeWidgetItem* pressed = itemAt(event->position().toPoint()))
    Q_EMIT ItemClick(indexOfTopLevelItem(pressed) + 1);
}

void ListView::mouseReleaseEvent(QMouseEvent* event) {
  QTreeWidget::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton) Q_EMIT Click();
}

}  // namespace controls
