#pragma once
// A list box whose entries each carry a whole-number item value.
//
// Events: KeyDown (key code, shift state; before the list acts on the key),
// MouseDown (button, shift state, x, y in twips; before the list acts on
// it), Click when an entry is chosen (released with the mouse, moved to with
// the keys, or chosen by SetListIndex when that changes the choice), and
// Validate before the focus goes to another control: a handler that sets
// its argument keeps the focus in the list.

#include <QListWidget>

#include "runtime/Types.h"

namespace controls {

class ListBox : public QListWidget {
  Q_OBJECT
 public:
  explicit ListBox(QWidget* parent = nullptr);
  ~ListBox() override;

  void AddItem(const QString& text, rt::Long itemData = 0);
  void Clear();
  int ListCount() const { return count(); }
  QString List(int index) const;       // "" outside the list
  rt::Long ItemData(int index) const;  // 0 outside the list
  // The chosen entry's text; "" when none is chosen.
  QString Text() const;
  int ListIndex() const;
  void SetListIndex(int index);  // -1 chooses none

 Q_SIGNALS:
  void KeyDown(rt::Integer keyCode, rt::Integer shift);
  void MouseDown(rt::Integer button, rt::Integer shift, double x, double y);
  void Click();
  void Validate(bool& cancel);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  bool mouseDown_ = false;
  bool quiet_ = false;  // the list's own changes of the current entry
};

}  // namespace controls
