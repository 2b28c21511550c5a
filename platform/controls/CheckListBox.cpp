#include "controls/CheckListBox.h"

#include <QScrollBar>

#include "runtime/RuntimeError.h"

namespace controls {

CheckListBox::CheckListBox(QWidget* parent) : QListWidget(parent) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  // An entry wider than the box shows on more lines rather than cut off.
  setWordWrap(true);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // Item changes other than the check mark (texts) are no check notice.
  connect(this, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
    const bool checked = item->checkState() == Qt::Checked;
    if (item->data(kShownCheck).toBool() == checked) return;
    item->setData(kShownCheck, checked);
    if (clicking_) setCurrentRow(row(item));
    Q_EMIT ItemCheck(row(item));
  });
}

CheckListBox::~CheckListBox() = default;

void CheckListBox::mouseReleaseEvent(QMouseEvent* event) {
  // The check mark changes as the button is let go.
  clicking_ = true;
  QListWidget::mouseReleaseEvent(event);
  clicking_ = false;
}

void CheckListBox::AddItem(const QString& text) {
  auto* item = new QListWidgetItem(text);
  item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
  item->setData(kShownCheck, false);
  item->setCheckState(Qt::Unchecked);
  addItem(item);
}

void CheckListBox::Clear() {
  clear();
}

QString CheckListBox::List(int index) const {
  const QListWidgetItem* entry = item(index);
  return entry ? entry->text() : QString();
}

bool CheckListBox::Checked(int index) const {
  const QListWidgetItem* entry = item(index);
  return entry && entry->checkState() == Qt::Checked;
}

void CheckListBox::SetChecked(int index, bool checked) {
  QListWidgetItem* entry = item(index);
  if (!entry) rt::raise(rt::err::InvalidPropertyArrayIndex);
  entry->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

void CheckListBox::SetListIndex(int index) {
  if (index < 0) {
    clearSelection();
    setCurrentRow(-1);
    return;
  }
  setCurrentRow(index);
}

int CheckListBox::TopIndex() const {
  const QListWidgetItem* top = itemAt(2, 2);
  return top ? row(top) : 0;
}

void CheckListBox::SetTopIndex(int index) {
  if (QListWidgetItem* entry = item(index)) scrollToItem(entry, QAbstractItemView::PositionAtTop);
}

}  // namespace controls
