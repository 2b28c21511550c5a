#pragma once
// A combo box of the drop-down list style: the operator can only choose one
// of its entries. Locked keeps it enabled and focusable but refuses every
// change of the choice by mouse, wheel or key; code may still choose.
//
// Event: Click when an entry is chosen, by the operator (also the entry
// already chosen) or by SetListIndex when that changes the choice.

#include <QComboBox>

namespace controls {

class DropDownList : public QComboBox {
  Q_OBJECT
 public:
  explicit DropDownList(QWidget* parent = nullptr);
  ~DropDownList() override;

  void AddItem(const QString& text) { addItem(text); }
  void Clear() { clear(); }
  int ListCount() const { return count(); }
  QString List(int index) const { return itemText(index); }
  QString Text() const { return currentText(); }
  int ListIndex() const { return currentIndex(); }
  // -1 chooses nothing; an index outside the list raises error 380.
  void SetListIndex(int index);

  bool Locked() const { return locked_; }
  void SetLocked(bool locked) { locked_ = locked; }

 Q_SIGNALS:
  void Click();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  bool locked_ = false;
};

}  // namespace controls
