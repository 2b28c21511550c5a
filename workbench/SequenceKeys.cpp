#include "SequenceKeys.h"

#include <QKeyEvent>
#include <QTableView>

namespace workbench {

SequenceKeys::SequenceKeys(QTableView* table, Actions actions)
    : QObject(table), table_(table), actions_(std::move(actions)) {
  // The cells are not a stop of their own for Tab: the buttons come next.
  table_->setTabKeyNavigation(false);
  table_->installEventFilter(this);
}

bool SequenceKeys::eventFilter(QObject* watched, QEvent* event) {
  if (watched != table_ || event->type() != QEvent::KeyPress) return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  if (key->modifiers() & ~(Qt::KeypadModifier)) return false;
  const QModelIndex current = table_->currentIndex();
  switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_F2:
      if (current.isValid() && actions_.open) actions_.open(current.row(), current.column());
      return true;
    case Qt::Key_Delete:
      if (actions_.remove) actions_.remove();
      return true;
    default:
      return false;
  }
}

}  // namespace workbench
