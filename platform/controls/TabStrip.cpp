#include "controls/TabStrip.h"

#include <QMouseEvent>
#include <QSignalBlocker>

namespace controls {

TabStrip::TabStrip(QWidget* parent) : QTabBar(parent) {
  setDrawBase(true);
  setExpanding(false);
}

TabStrip::~TabStrip() = default;

void TabStrip::SetSelectedIndex(int index) {
  const QSignalBlocker quiet(this);
  setCurrentIndex(index - 1);
}

void TabStrip::mousePressEvent(QMouseEvent* event) {
  QTabBar::mousePressEvent(event);
  if (event->button() == Qt::LeftButton && tabAt(event->position().toPoint()) >= 0) Q_EMIT Click();
}

template <class Event>
void TabStrip::ClickIfMoved(Event&& event) {
  const int before = currentIndex();
  event();
  if (currentIndex() != before) Q_EMIT Click();
}

void TabStrip::keyPressEvent(QKeyEvent* event) {
  ClickIfMoved([&] { QTabBar::keyPressEvent(event); });
}

void TabStrip::wheelEvent(QWheelEvent* event) {
  ClickIfMoved([&] { QTabBar::wheelEvent(event); });
}

}  // namespace controls
