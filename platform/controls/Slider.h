#pragma once
// A horizontal slider with tick marks below. Two notifications tell the
// operator's moves apart from the program's: Scroll whenever the operator
// moves the thumb (dragging it, clicking the track, the keys or the wheel),
// and Click when the operator has set it: when the mouse button is released
// over it, and after each key or wheel step that moved it. Setting Value in
// code raises neither.

#include <QSlider>

namespace controls {

class Slider : public QSlider {
  Q_OBJECT
 public:
  explicit Slider(QWidget* parent = nullptr);
  ~Slider() override;

  int Value() const { return value(); }
  void SetValue(int value);  // kept within Min..Max, silently
  int Min() const { return minimum(); }
  int Max() const { return maximum(); }
  void SetRange(int min, int max) { setRange(min, max); }
  int SmallChange() const { return singleStep(); }
  void SetSmallChange(int step) { setSingleStep(step); }

 Q_SIGNALS:
  void Scroll();
  void Click();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  bool operatorMoving_ = false;
  bool mouseDown_ = false;
};

}  // namespace controls
