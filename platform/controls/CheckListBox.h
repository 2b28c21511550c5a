#pragma once
// A list box whose entries carry check boxes. ItemCheck tells of every
// change of an entry's check mark, whether the operator or the program made
// it. The current entry (ListIndex, -1 for none) and the first line shown
// (TopIndex) are separate from the check marks, except that an entry whose
// mark the operator clicks becomes the current one. An entry wider than the box
// is wrapped onto a second line.

#include <QListWidget>

namespace controls {

class CheckListBox : public QListWidget {
  Q_OBJECT
 public:
  explicit CheckListBox(QWidget* parent = nullptr);
  ~CheckListBox() override;

  void AddItem(const QString& text);
  void Clear();
  int ListCount() const { return count(); }
  QString List(int index) const;  // "" outside the list

  // The check mark of an entry; false outside the list, where setting one
  // raises error 381.
  bool Checked(int index) const;
  void SetChecked(int index, bool checked);

  int ListIndex() const { return currentRow(); }
  void SetListIndex(int index);  // -1: no current entry
  int TopIndex() const;
  void SetTopIndex(int index);

 Q_SIGNALS:
  void ItemCheck(int index);

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  bool clicking_ = false;
  static constexpr int kShownCheck = Qt::UserRole + 1;
};

}  // namespace controls
