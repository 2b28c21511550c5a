#include "controls/Grid.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

#include "controls/MouseCodes.h"
#include "runtime/RuntimeError.h"
#include "ui/Twips.h"

namespace controls {

namespace {

constexpr int kCellMargin = 3;      // pixels between a cell's edge and its text
constexpr int kHeaderPadding = 12;  // pixels a header section needs beside its text

}  // namespace

std::optional<std::uint32_t>& Grid::Colors::of(GridColor setting) {
  return const_cast<std::optional<std::uint32_t>&>(std::as_const(*this).of(setting));
}

const std::optional<std::uint32_t>& Grid::Colors::of(GridColor setting) const {
  switch (setting) {
    case GridColor::BackColorSel:
      return backSel;
    case GridColor::ForeColor:
      return fore;
    case GridColor::ForeColorSel:
      return foreSel;
    case GridColor::BackColor:
      break;
  }
  return back;
}

// Paints a data cell with the colours and bold its row shows, its picture
// and its text laid out by the column's format code.
class Grid::CellPainter : public QStyledItemDelegate {
 public:
  explicit CellPainter(Grid& grid) : QStyledItemDelegate(&grid), grid_(grid) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    const int row = index.row() + 1;
    const bool selected = option.state & QStyle::State_Selected;
    const QColor back = ui::toQColor(
        grid_.ShownColor(row, selected ? GridColor::BackColorSel : GridColor::BackColor));
    const QColor fore = ui::toQColor(
        grid_.ShownColor(row, selected ? GridColor::ForeColorSel : GridColor::ForeColor));
    painter->save();
    painter->fillRect(option.rect, back);

    const int format = grid_.ColFormat(index.column() + 1);
    const bool centred = format == gridformat::Centered;
    QRect area = option.rect.adjusted(kCellMargin, 0, -kCellMargin, 0);
    const QImage picture = index.data(Qt::DecorationRole).value<QImage>();
    if (!picture.isNull()) {
      QRect place(QPoint(), picture.size());
      place.moveCenter(area.center());
      if (!centred) place.moveLeft(area.left());
      painter->drawImage(place, picture);
      if (!centred) area.setLeft(place.right() + 1 + kCellMargin);
    }

    QString text = index.data(Qt::DisplayRole).toString();
    QFont font = option.font;
    font.setBold(grid_.boldOf(row));
    painter->setFont(font);
    if (format == gridformat::LeftElided)
      text = QFontMetrics(font).elidedText(text, Qt::ElideRight, area.width());
    painter->setPen(fore);
    painter->drawText(area, Qt::AlignVCenter | (centred ? Qt::AlignHCenter : Qt::AlignLeft), text);

    if (grid_.focusRect_ != 0 && (option.state & QStyle::State_HasFocus)) {
      QStyleOptionFocusRect focus;
      focus.initFrom(&grid_);
      focus.rect = option.rect.adjusted(1, 1, -1, -1);
      focus.backgroundColor = back;
      grid_.style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, &grid_);
    }
    painter->restore();
  }

 private:
  Grid& grid_;
};

Grid::Grid(QWidget* parent) : QTableWidget(parent), backColor_(ui::syscolor::Window) {
  setItemDelegate(new CellPainter(*this));
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setWordWrap(false);
  verticalHeader()->hide();
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  QHeaderView* header = horizontalHeader();
  header->setSectionsClickable(false);
  header->setHighlightSections(false);
  header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  // The last column takes what the others leave of the grid's width, so no
  // scroll bar offers empty space.
  header->setStretchLastSection(true);
  header->viewport()->installEventFilter(this);
  SetBackColor(backColor_);
}

Grid::~Grid() = default;

void Grid::SetBackColor(std::uint32_t oleColor) {
  backColor_ = oleColor;
  QPalette p = palette();
  p.setColor(QPalette::Base, ui::toQColor(oleColor));
  setPalette(p);
  viewport()->update();
}

void Grid::SetRowSelection(bool on) {
  clearSelection();
  setSelectionMode(on ? QAbstractItemView::SingleSelection : QAbstractItemView::NoSelection);
}

void Grid::SetRowHeight(double twips) {
  if (twips < 0) rt::raise(rt::err::InvalidPropertyValue);
  const int pixels = ui::toPixels(twips);
  verticalHeader()->setMinimumSectionSize(std::min(pixels, verticalHeader()->minimumSectionSize()));
  verticalHeader()->setDefaultSectionSize(pixels);
  for (int row = 0; row < rowCount(); ++row) setRowHeight(row, pixels);
  horizontalHeader()->setFixedHeight(pixels);
}

void Grid::SetFocusRect(int style) {
  focusRect_ = style;
  viewport()->update();
}

void Grid::SetRedraw(bool redraw) {
  setUpdatesEnabled(redraw);
  if (redraw) viewport()->update();
}

void Grid::SetCols(int count) {
  if (count < 0) rt::raise(rt::err::InvalidPropertyValue);
  setColumnCount(count);
  columnFormats_.erase(columnFormats_.upper_bound(count), columnFormats_.end());
  columnWidths_.erase(columnWidths_.upper_bound(count), columnWidths_.end());
  // A column without header text shows none (not its number).
  for (int section = 0; section < count; ++section) {
    if (!horizontalHeaderItem(section)) setHorizontalHeaderItem(section, new QTableWidgetItem);
    alignHeader(section + 1);
  }
  applyWidths();
}

// Every column but the last has its width; the last one fills what the
// others leave, so no scroll bar offers empty space beyond the table.
void Grid::applyWidths() {
  const QFontMetrics metrics = horizontalHeader()->fontMetrics();
  for (int section = 0; section + 1 < columnCount(); ++section) {
    const auto width = columnWidths_.find(section + 1);
    const int wanted = width == columnWidths_.end() ? horizontalHeader()->defaultSectionSize()
                                                    : ui::toPixels(width->second);
    const QTableWidgetItem* header = horizontalHeaderItem(section);
    const int needed = header ? metrics.horizontalAdvance(header->text()) + kHeaderPadding : 0;
    setColumnWidth(section, std::max(wanted, needed));
  }
}

void Grid::alignHeader(int column) {
  if (QTableWidgetItem* header = horizontalHeaderItem(column - 1)) {
    const Qt::Alignment across =
        ColFormat(column) == gridformat::Centered ? Qt::AlignHCenter : Qt::AlignLeft;
    header->setTextAlignment(across | Qt::AlignVCenter);
  }
}

int Grid::column(int column) const {
  if (column < 1 || column > columnCount()) rt::raise(griderr::InvalidIndex);
  return column - 1;
}

double Grid::ColWidth(int column) const {
  return ui::toTwips(horizontalHeader()->sectionSize(this->column(column)));
}

void Grid::SetColWidth(int column, double twips) {
  this->column(column);
  if (twips < 0) rt::raise(rt::err::InvalidPropertyValue);
  columnWidths_[column] = twips;
  applyWidths();
}

int Grid::ColFormat(int column) const {
  const auto found = columnFormats_.find(column);
  return found == columnFormats_.end() ? gridformat::Left : found->second;
}

void Grid::SetColFormat(int column, int code) {
  columnFormats_[this->column(column) + 1] = code;
  alignHeader(column);
  viewport()->update();
}

void Grid::Clear() {
  setRowCount(0);
  items_.clear();
  newIndex_ = -1;
}

void Grid::AddItem(const QString& text) {
  const int row = rowCount();
  insertRow(row);
  items_.push_back(Item{});
  newIndex_ = row;
  if (columnCount() > 0) SetCellText(row + 1, 1, text);
}

int Grid::itemIndex(int item) const {
  if (item == kNewItem) item = newIndex_;
  if (item < 0 || item >= static_cast<int>(items_.size())) rt::raise(griderr::InvalidIndex);
  return item;
}

QString Grid::ItemKey(int item) const {
  return items_.at(itemIndex(item)).key;
}

void Grid::SetItemKey(int item, const QString& key) {
  items_.at(itemIndex(item)).key = key;
}

std::uint32_t Grid::ItemColor(int item, GridColor setting) const {
  const std::optional<std::uint32_t>& colour = items_.at(itemIndex(item)).colors.of(setting);
  return colour ? *colour : defaultColor(setting);
}

void Grid::SetItemColor(int item, GridColor setting, std::uint32_t oleColor) {
  items_.at(itemIndex(item)).colors.of(setting) = oleColor;
  viewport()->update();
}

int Grid::dataRow(int row) const {
  if (row < 1 || row > rowCount()) rt::raise(griderr::InvalidIndex);
  return row;
}

QTableWidgetItem& Grid::cell(int row, int column) {
  const int section = this->column(column);
  if (row == 0) {
    if (!horizontalHeaderItem(section)) {
      setHorizontalHeaderItem(section, new QTableWidgetItem);
      alignHeader(column);
    }
    return *horizontalHeaderItem(section);
  }
  const int line = dataRow(row) - 1;
  if (!item(line, section)) setItem(line, section, new QTableWidgetItem);
  return *item(line, section);
}

const QTableWidgetItem* Grid::cellIfAny(int row, int column) const {
  const int section = this->column(column);
  if (row == 0) return horizontalHeaderItem(section);
  return item(dataRow(row) - 1, section);
}

QString Grid::CellText(int row, int column) const {
  const QTableWidgetItem* found = cellIfAny(row, column);
  return found ? found->text() : QString();
}

void Grid::SetCellText(int row, int column, const QString& text) {
  cell(row, column).setText(text);
  if (row == 0) applyWidths();
}

QImage Grid::CellPicture(int row, int column) const {
  const QTableWidgetItem* found = cellIfAny(row, column);
  return found ? found->data(Qt::DecorationRole).value<QImage>() : QImage();
}

void Grid::SetCellPicture(int row, int column, const QImage& picture) {
  cell(row, column).setData(Qt::DecorationRole, picture);
}

std::uint32_t Grid::RowColor(int row, GridColor setting) const {
  const auto found = rowFormats_.find(dataRow(row));
  if (found == rowFormats_.end() || !found->second.colors.of(setting)) return defaultColor(setting);
  return *found->second.colors.of(setting);
}

void Grid::SetRowColor(int row, GridColor setting, std::uint32_t oleColor) {
  rowFormats_[dataRow(row)].colors.of(setting) = oleColor;
  viewport()->update();
}

bool Grid::RowBold(int row) const {
  return boldOf(dataRow(row));
}

void Grid::SetRowBold(int row, bool bold) {
  rowFormats_[dataRow(row)].bold = bold;
  viewport()->update();
}

bool Grid::boldOf(int row) const {
  const auto found = rowFormats_.find(row);
  return found != rowFormats_.end() && found->second.bold;
}

std::uint32_t Grid::ShownColor(int row, GridColor setting) const {
  const auto format = rowFormats_.find(row);
  if (format != rowFormats_.end() && format->second.colors.of(setting))
    return *format->second.colors.of(setting);
  if (row >= 1 && row <= static_cast<int>(items_.size())) {
    if (const auto& colour = items_.at(row - 1).colors.of(setting)) return *colour;
  }
  return defaultColor(setting);
}

std::uint32_t Grid::defaultColor(GridColor setting) const {
  switch (setting) {
    case GridColor::BackColorSel:
      return ui::syscolor::Highlight;
    case GridColor::ForeColor:
      return ui::syscolor::WindowText;
    case GridColor::ForeColorSel:
      return ui::syscolor::HighlightText;
    case GridColor::BackColor:
      break;
  }
  return backColor_;
}

QPoint Grid::cellAt(const QPoint& viewportPoint) const {
  const QModelIndex index = indexAt(viewportPoint);
  if (!index.isValid()) return {-1, -1};
  return {index.column() + 1, index.row() + 1};
}

void Grid::mousePressEvent(QMouseEvent* event) {
  pressedCell_ = cellAt(event->position().toPoint());
  pressedButton_ = event->button();
  QTableWidget::mousePressEvent(event);
}

void Grid::mouseReleaseEvent(QMouseEvent* event) {
  QTableWidget::mouseReleaseEvent(event);
  const QPoint released = cellAt(event->position().toPoint());
  const bool sameCell = released == pressedCell_ && event->button() == pressedButton_;
  pressedCell_ = {-1, -1};
  pressedButton_ = Qt::NoButton;
  if (sameCell && released.x() > 0)
    Q_EMIT Click(released.y(), released.x(), mouseButtonCode(event->button()));
}

bool Grid::eventFilter(QObject* watched, QEvent* event) {
  if (watched != horizontalHeader()->viewport()) return QTableWidget::eventFilter(watched, event);
  if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonRelease)
    return false;
  auto* mouse = static_cast<QMouseEvent*>(event);
  const int section = horizontalHeader()->logicalIndexAt(mouse->position().toPoint());
  const QPoint at = section < 0 ? QPoint(-1, -1) : QPoint(section + 1, 0);
  if (event->type() == QEvent::MouseButtonPress) {
    pressedCell_ = at;
    pressedButton_ = mouse->button();
    return false;
  }
  const bool sameCell = at == pressedCell_ && mouse->button() == pressedButton_;
  pressedCell_ = {-1, -1};
  pressedButton_ = Qt::NoButton;
  if (sameCell && at.x() > 0) Q_EMIT Click(0, at.x(), mouseButtonCode(mouse->button()));
  return false;
}

}  // namespace controls
