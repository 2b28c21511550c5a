#include "ui/SyntheticInput.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>

namespace ui {

namespace {

bool takesInput(const QWidget* widget) {
  return widget && widget->isVisible() && widget->isEnabled();
}

void sendMouse(QWidget* target, QEvent::Type type, QPoint local, Qt::MouseButton button,
               Qt::MouseButtons buttons) {
  const QPointF global = target->mapToGlobal(QPointF(local));
  const QPointF scene = target->window()->mapFromGlobal(global);
  QMouseEvent event(type, QPointF(local), scene, global, button, buttons, Qt::NoModifier);
  QApplication::sendEvent(target, &event);
}

}  // namespace

bool click(QWidget* widget, Qt::MouseButton button) {
  return widget && clickAt(widget, widget->rect().center(), button);
}

bool clickAt(QWidget* widget, QPoint position, Qt::MouseButton button) {
  if (!takesInput(widget)) return false;
  QWidget* target = widget->childAt(position);
  if (!target) target = widget;
  if (!takesInput(target)) return false;
  const QPoint local = target->mapFrom(widget, position);
  sendMouse(target, QEvent::MouseButtonPress, local, button, button);
  // The press may have hidden or destroyed what was clicked (a button that
  // ends a window): the release then goes nowhere, as on the screen.
  QPointer<QWidget> alive(target);
  if (alive) sendMouse(target, QEvent::MouseButtonRelease, local, button, Qt::NoButton);
  return true;
}

void pressKey(QWidget* widget, int key, Qt::KeyboardModifiers modifiers) {
  if (!widget) return;
  QKeyEvent press(QEvent::KeyPress, key, modifiers);
  QApplication::sendEvent(widget, &press);
  QKeyEvent release(QEvent::KeyRelease, key, modifiers);
  QApplication::sendEvent(widget, &release);
}

void typeText(QWidget* widget, const QString& text) {
  if (!widget) return;
  pressKey(widget, Qt::Key_A, Qt::ControlModifier);
  if (text.isEmpty()) {
    pressKey(widget, Qt::Key_Delete);
    return;
  }
  for (const QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
    QApplication::sendEvent(widget, &release);
  }
}

}  // namespace ui
