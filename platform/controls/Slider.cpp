#include "controls/Slider.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QSignalBlocker>

namespace controls {

Slider::Slider(QWidget* parent) : QSlider(Qt::Horizontal, parent) {
  setTickPosition(QSlider::TicksBelow);
  setTickInterval(1);
  setPageStep(1);
  setFocusPolicy(Qt::StrongFocus);
  connect(this, &QSlider::valueChanged, this, [this] {
    if (operatorMoving_ || mouseDown_) Q_EMIT Scroll();
  });
}

Slider::~Slider() = default;

void Slider::SetValue(int value) {
  const QSignalBlocker quiet(this);
  setValue(value);
}

void Slider::mousePressEvent(QMouseEvent* event) {
  mouseDown_ = isEnabled();
  QSlider::mousePressEvent(event);
}

void Slider::mouseReleaseEvent(QMouseEvent* event) {
  QSlider::mouseReleaseEvent(event);
  if (!mouseDown_) return;
  mouseDown_ = false;
  Q_EMIT Click();
}

void Slider::keyPressEvent(QKeyEvent* event) {
  const int before = value();
  operatorMoving_ = true;
  QSlider::keyPressEvent(event);
  operatorMoving_ = false;
  if (value() != before) Q_EMIT Click();
}

void Slider::wheelEvent(QWheelEvent* event) {
  const int before = value();
  operatorMoving_ = true;
  QSlider::wheelEvent(event);
  operatorMoving_ = false;
  if (value() != before) Q_EMIT Click();
}

}  // namespace controls
