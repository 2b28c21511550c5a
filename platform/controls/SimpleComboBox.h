#pragma once
// A combo box of the simple style: a text field above a list that is always
// shown. The operator types into the field or picks an entry of the list.
// The list index is the entry selected: picking an entry selects it, and a
// text typed or set that equals an entry (letter case aside) selects that
// entry; any other text leaves no entry selected (-1).
//
// Events: Change when the field's text changes (typed or set by code),
// Click when an entry is picked (mouse, the arrow keys in the field or the
// list, or SetListIndex), KeyPress for each character typed into the field,
// LostFocus when the focus leaves the box for another control.
//
// The box's rectangle includes its list, as a window placed by the window
// calls does; the field keeps its natural height at the top.

#include <QWidget>

class QLineEdit;
class QListWidget;
class QListWidgetItem;

namespace controls {

class SimpleComboBox : public QWidget {
  Q_OBJECT
 public:
  explicit SimpleComboBox(QWidget* parent = nullptr);
  ~SimpleComboBox() override;

  void AddItem(const QString& text);
  // Empties the list and the field (raises Change when the field held text).
  void Clear();
  int ListCount() const;
  QString List(int index) const;  // "" outside the list

  QString Text() const;
  void SetText(const QString& text);
  int ListIndex() const;
  // Shows the entry's text and selects it (raises Click); -1, or an index
  // outside the list, only takes the selection away.
  void SetListIndex(int index);

  QLineEdit* field() const { return field_; }
  QListWidget* list() const { return list_; }

 Q_SIGNALS:
  void Change();
  void Click();
  void KeyPress(int character);
  void LostFocus();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void SelectMatchingEntry();
  void Pick(int index);

  QLineEdit* field_ = nullptr;
  QListWidget* list_ = nullptr;
};

}  // namespace controls
