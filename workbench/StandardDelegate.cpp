#include "StandardDelegate.h"

#include <QComboBox>
#include <QStandardItemModel>

#include "Guarded.h"
#include "SequenceModel.h"

namespace workbench {

namespace {
// Marks the entry of a stored choice that is none of the list's.
constexpr int kAsStoredRole = Qt::UserRole + 1;
}  // namespace

QWidget* StandardDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                        const QModelIndex& index) const {
  const auto* model = qobject_cast<const SequenceModel*>(index.model());
  auto* box = new QComboBox(parent);
  box->setObjectName(QStringLiteral("standardBox%1").arg(index.row()));
  // Tab leaves the table rather than stop at every row's list; Enter or F2
  // on the cell gives it the focus.
  box->setFocusPolicy(Qt::ClickFocus);
  if (model) box->addItems(model->StandardChoices(index.row()));
  // Taken as it is picked, not when the cell is left.
  connect(box, &QComboBox::activated, this, [this, box] {
    auto* self = const_cast<StandardDelegate*>(this);
    guarded([&] { Q_EMIT self->commitData(box); }, tell_);
  });
  return box;
}

void StandardDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
  auto* box = qobject_cast<QComboBox*>(editor);
  if (!box) return;
  const QString judging = index.data(Qt::EditRole).toString();
  const bool stale = box->count() > 0 && box->itemData(0, kAsStoredRole).toBool();
  int at = box->findText(judging);
  if (at < 0 && !judging.isEmpty()) {
    // A stored choice that is none of the list's (a standard the limit set
    // no longer holds, or several) reads as it stands, not as the list's
    // first standard, which would not be the one judging; it cannot be
    // picked again once another is.
    if (!stale) {
      box->insertItem(0, judging);
      box->setItemData(0, true, kAsStoredRole);
      if (auto* items = qobject_cast<QStandardItemModel*>(box->model()))
        items->item(0)->setEnabled(false);
    }
    box->setItemText(0, judging);
    at = 0;
  } else if (stale && at > 0) {
    box->removeItem(0);
    --at;
  }
  if (at >= 0) box->setCurrentIndex(at);
}

void StandardDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                    const QModelIndex& index) const {
  if (auto* box = qobject_cast<QComboBox*>(editor))
    model->setData(index, box->currentText(), Qt::EditRole);
}

}  // namespace workbench
