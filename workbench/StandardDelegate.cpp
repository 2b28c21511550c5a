#include "StandardDelegate.h"

#include <QComboBox>

#include "Guarded.h"
#include "SequenceModel.h"

namespace workbench {

QWidget* StandardDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                        const QModelIndex& index) const {
  const auto* model = qobject_cast<const SequenceModel*>(index.model());
  auto* box = new QComboBox(parent);
  box->setObjectName(QStringLiteral("standardBox%1").arg(index.row()));
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
  const int at = box->findText(index.data(Qt::EditRole).toString());
  if (at >= 0) box->setCurrentIndex(at);
}

void StandardDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                    const QModelIndex& index) const {
  if (auto* box = qobject_cast<QComboBox*>(editor))
    model->setData(index, box->currentText(), Qt::EditRole);
}

}  // namespace workbench
