#include "controls/DropDownList.h"

#include <QKeyEvent>

#include "runtime/RuntimeError.h"

namespace controls {

DropDownList::DropDownList(QWidget* parent) : QComboBox(parent) {
  setEditable(false);
  connect(this, &QComboBox::activated, this, [this] { Q_EMIT Click(); });
}

DropDownList::~DropDownList() = default;

void DropDownList::SetListIndex(int index) {
  if (index < -1 || index >= count()) rt::raise(rt::err::InvalidPropertyValue);
  if (index == currentIndex()) return;
  setCurrentIndex(index);
  Q_EMIT Click();
}

void DropDownList::mousePressEvent(QMouseEvent* event) {
  if (locked_) {
    setFocus(Qt::MouseFocusReason);
    event->accept();
    return;
  }
  QComboBox::mousePressEvent(event);
}

void DropDownList::wheelEvent(QWheelEvent* event) {
  if (locked_) {
    event->ignore();
    return;
  }
  QComboBox::wheelEvent(event);
}

void DropDownList::keyPressEvent(QKeyEvent* event) {
  // A locked box still passes on the keys that move the focus.
  if (locked_ && event->key() != Qt::Key_Tab && event->key() != Qt::Key_Backtab) {
    event->ignore();
    return;
  }
  QComboBox::keyPressEvent(event);
}

}  // namespace controls
