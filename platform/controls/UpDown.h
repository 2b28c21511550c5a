#pragma once
// An up-down control: two arrow buttons that step a value by Increment
// within Min..Max, and write each new value into the caption of their buddy
// label as decimal text. A step from a value outside the range lands on the
// nearer bound; a step that would leave the value where it is (at a bound)
// changes nothing and writes nothing. Change follows every step that moved
// the value. Setting Value in code writes nothing into the buddy and raises
// no Change, so the owner keeps the two in step itself.
//
// The operator steps with the buttons (held down, they repeat), the Up and
// Down keys and the mouse wheel; a disabled control does not step.

#include <QPointer>
#include <QWidget>

class QToolButton;

namespace controls {

class Label;

class UpDown : public QWidget {
  Q_OBJECT
 public:
  explicit UpDown(QWidget* parent = nullptr);
  ~UpDown() override;

  int Value() const { return value_; }
  void SetValue(int value) { value_ = value; }
  int Min() const { return min_; }
  int Max() const { return max_; }
  void SetRange(int min, int max);
  int Increment() const { return increment_; }
  void SetIncrement(int increment) { increment_ = increment; }
  Label* Buddy() const { return buddy_; }
  void SetBuddy(Label* buddy) { buddy_ = buddy; }

  // One step as the operator makes it: +1 up, -1 down.
  void Step(int direction);

  QToolButton* UpButton() const { return up_; }
  QToolButton* DownButton() const { return down_; }

 Q_SIGNALS:
  void Change();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  QToolButton* up_ = nullptr;
  QToolButton* down_ = nullptr;
  QPointer<Label> buddy_;
  int value_ = 0;
  int min_ = 0;
  int max_ = 10;
  int increment_ = 1;
};

}  // namespace controls
