#pragma once
// The standard column's editor: a drop-down list of the standards of the
// row's limit set; a pick is taken at once, guarded (Guarded.h): what goes
// wrong is handed to tell.

#include <QStyledItemDelegate>
#include <functional>

namespace workbench {

class StandardDelegate : public QStyledItemDelegate {
 public:
  using Tell = std::function<void(const QString& why)>;
  StandardDelegate(Tell tell, QObject* parent)
      : QStyledItemDelegate(parent), tell_(std::move(tell)) {}

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;
  void setEditorData(QWidget* editor, const QModelIndex& index) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* model,
                    const QModelIndex& index) const override;

 private:
  Tell tell_;
};

}  // namespace workbench
