#include "controls/ListBox.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>

#include "controls/KeyCodes.h"
#include "controls/MouseCodes.h"
#include "ui/Twips.h"

namespace controls {

namespace {
constexpr int kItemData = Qt::UserRole + 1;
}  // namespace

ListBox::ListBox(QWidget* parent) : QListWidget(parent) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  // Moves made with the mouse are told once, when the button is released.
  connect(this, &QListWidget::currentRowChanged, this, [this](int row) {
    if (!quiet_ && !mouseDown_ && row >= 0) Q_EMIT Click();
  });
}

ListBox::~ListBox() = default;

void ListBox::AddItem(const QString& text, rt::Long itemData) {
  auto* item = new QListWidgetItem(text);
  item->setData(kItemData, QVariant::fromValue(itemData));
  addItem(item);
}

void ListBox::Clear() {
  quiet_ = true;
  clear();
  quiet_ = false;
}

QString ListBox::List(int index) const {
  const QListWidgetItem* entry = item(index);
  return entry ? entry->text() : QString();
}

rt::Long ListBox::ItemData(int index) const {
  const QListWidgetItem* entry = item(index);
  return entry ? entry->data(kItemData).value<rt::Long>() : 0;
}

QString ListBox::Text() const {
  return List(ListIndex());
}

int ListBox::ListIndex() const {
  const QList<QListWidgetItem*> chosen = selectedItems();
  return chosen.isEmpty() ? -1 : row(chosen.first());
}

void ListBox::SetListIndex(int index) {
  if (index < 0 || index >= count()) {
    quiet_ = true;
    clearSelection();
    setCurrentRow(-1);
    quiet_ = false;
    return;
  }
  if (index == ListIndex()) return;
  setCurrentRow(index);
}

void ListBox::keyPressEvent(QKeyEvent* event) {
  Q_EMIT KeyDown(keyCodeOf(*event), shiftCode(event->modifiers()));
  QListWidget::keyPressEvent(event);
}

void ListBox::mousePressEvent(QMouseEvent* event) {
  const QPointF at = event->position();
  Q_EMIT MouseDown(mouseButtonCode(event->button()), shiftCode(event->modifiers()),
                   at.x() * ui::twipsPerPixelX(), at.y() * ui::twipsPerPixelY());
  mouseDown_ = true;
  QListWidget::mousePressEvent(event);
}

void ListBox::mouseReleaseEvent(QMouseEvent* event) {
  QListWidget::mouseReleaseEvent(event);
  const bool wasDown = mouseDown_;
  mouseDown_ = false;
  if (wasDown && itemAt(event->position().toPoint())) Q_EMIT Click();
}

void ListBox::focusOutEvent(QFocusEvent* event) {
  QListWidget::focusOutEvent(event);
  // Only a move to another control validates; a window or menu taking the
  // focus for a while does not.
  if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
    return;
  bool cancel = false;
  Q_EMIT Validate(cancel);
  if (cancel) QTimer::singleShot(0, this, [this] { setFocus(Qt::OtherFocusReason); });
}

}  // namespace controls
