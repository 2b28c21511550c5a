#include "controls/UpDown.h"

#include <QKeyEvent>
#include <QToolButton>
#include <QWheelEvent>
#include <algorithm>

#include "controls/Label.h"

namespace controls {

namespace {
QToolButton* arrowButton(QWidget* parent, Qt::ArrowType arrow) {
  auto* button = new QToolButton(parent);
  button->setArrowType(arrow);
  button->setAutoRepeat(true);
  button->setFocusPolicy(Qt::NoFocus);
  return button;
}
}  // namespace

UpDown::UpDown(QWidget* parent)
    : QWidget(parent),
      up_(arrowButton(this, Qt::UpArrow)),
      down_(arrowButton(this, Qt::DownArrow)) {
  up_->setObjectName(QStringLiteral("up"));
  down_->setObjectName(QStringLiteral("down"));
  setFocusPolicy(Qt::StrongFocus);
  connect(up_, &QToolButton::clicked, this, [this] { Step(1); });
  connect(down_, &QToolButton::clicked, this, [this] { Step(-1); });
}

UpDown::~UpDown() = default;

void UpDown::SetRange(int min, int max) {
  min_ = min;
  max_ = std::max(min, max);
}

void UpDown::Step(int direction) {
  if (!isEnabled()) return;
  const long long wanted = static_cast<long long>(value_) + (direction > 0 ? 1 : -1) * increment_;
  const int next = static_cast<int>(std::clamp<long long>(wanted, min_, max_));
  if (next == value_) return;
  value_ = next;
  if (buddy_) buddy_->SetCaption(QString::number(value_));
  Q_EMIT Change();
}

void UpDown::resizeEvent(QResizeEvent*) {
  const int half = height() / 2;
  up_->setGeometry(0, 0, width(), half);
  down_->setGeometry(0, half, width(), height() - half);
}

void UpDown::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Up)
    Step(1);
  else if (event->key() == Qt::Key_Down)
    Step(-1);
  else
    QWidget::keyPressEvent(event);
}

void UpDown::wheelEvent(QWheelEvent* event) {
  const int delta = event->angleDelta().y();
  if (delta != 0) Step(delta);
  event->accept();
}

}  // namespace controls
