#include "controls/SimpleComboBox.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace controls {

SimpleComboBox::SimpleComboBox(QWidget* parent) : QWidget(parent) {
  field_ = new QLineEdit(this);
  field_->setObjectName(QStringLiteral("field"));
  list_ = new QListWidget(this);
  list_->setObjectName(QStringLiteral("list"));
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  // The list scrolls up and down only, as the platform's does.
  list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(1);
  layout->addWidget(field_);
  layout->addWidget(list_, 1);
  setFocusProxy(field_);

  connect(field_, &QLineEdit::textChanged, this, [this] {
    SelectMatchingEntry();
    Q_EMIT Change();
  });
  connect(field_, &QLineEdit::textEdited, this, [this](const QString& text) {
    if (!text.isEmpty()) Q_EMIT KeyPress(text.back().unicode());
  });
  // A pick with the mouse or the keys of the list; the box's own changes
  // of the current row are made quietly.
  connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row >= 0) Pick(row);
  });
  field_->installEventFilter(this);
  list_->installEventFilter(this);
}

SimpleComboBox::~SimpleComboBox() = default;

void SimpleComboBox::AddItem(const QString& text) {
  list_->addItem(text);
  if (ListIndex() < 0) SelectMatchingEntry();
}

void SimpleComboBox::Clear() {
  {
    const QSignalBlocker quiet(list_);
    list_->clear();
  }
  field_->clear();
}

int SimpleComboBox::ListCount() const {
  return list_->count();
}

QString SimpleComboBox::List(int index) const {
  const QListWidgetItem* item = list_->item(index);
  return item ? item->text() : QString();
}

QString SimpleComboBox::Text() const {
  return field_->text();
}

void SimpleComboBox::SetText(const QString& text) {
  if (text == field_->text()) {
    SelectMatchingEntry();
    return;
  }
  field_->setText(text);
}

int SimpleComboBox::ListIndex() const {
  const QList<QListWidgetItem*> selected = list_->selectedItems();
  return selected.isEmpty() ? -1 : list_->row(selected.first());
}

void SimpleComboBox::SetListIndex(int index) {
  if (index < 0 || index >= list_->count()) {
    const QSignalBlocker quiet(list_);
    list_->clearSelection();
    list_->setCurrentRow(-1);
    return;
  }
  Pick(index);
}

void SimpleComboBox::SelectMatchingEntry() {
  const QSignalBlocker quiet(list_);
  const QString text = field_->text();
  for (int i = 0; i < list_->count(); ++i) {
    if (list_->item(i)->text().compare(text, Qt::CaseInsensitive) == 0) {
      list_->setCurrentRow(i);
      list_->scrollToItem(list_->item(i));
      return;
    }
  }
  list_->clearSelection();
  list_->setCurrentRow(-1);
}

void SimpleComboBox::Pick(int index) {
  QListWidgetItem* item = list_->item(index);
  if (!item) return;
  {
    // The field follows the pick quietly: a pick is a Click, not a Change.
    const QSignalBlocker quietField(field_);
    field_->setText(item->text());
  }
  {
    const QSignalBlocker quietList(list_);
    list_->setCurrentRow(index);
    list_->scrollToItem(item);
  }
  Q_EMIT Click();
}

bool SimpleComboBox::eventFilter(QObject* watched, QEvent* event) {
  if (watched == field_ && event->type() == QEvent::KeyPress) {
    // Up and Down in the field step through the list, as in the list itself.
    const auto* keyEvent = static_cast<QKeyEvent*>(event);
    const int step = keyEvent->key() == Qt::Key_Down ? 1 : keyEvent->key() == Qt::Key_Up ? -1 : 0;
    if (step != 0 && list_->count() > 0) {
      const int current = ListIndex();
      const int next = current < 0 ? 0 : std::clamp(current + step, 0, list_->count() - 1);
      if (next != current) Pick(next);
      return true;
    }
  }
  if (event->type() == QEvent::FocusOut) {
    // Only a focus that leaves the whole box counts.
    QWidget* next = QApplication::focusWidget();
    if (next != field_ && next != list_ && next != this) Q_EMIT LostFocus();
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace controls
