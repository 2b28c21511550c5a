#include "ui/WindowHandles.h"

#include <QHash>
#include <QPointer>

#include "com/Object.h"

namespace ui {

namespace {

constexpr const char* kHandleProperty = "rv1x_hwnd";

QHash<HWnd, QPointer<QWidget>>& handles() {
  static QHash<HWnd, QPointer<QWidget>> table;
  return table;
}

}  // namespace

HWnd handleOf(QWidget* widget) {
  if (!widget) return 0;
  const QVariant known = widget->property(kHandleProperty);
  if (known.isValid()) return known.value<HWnd>();
  static HWnd next = 0x10000;
  const HWnd handle = (next += 4);
  widget->setProperty(kHandleProperty, QVariant::fromValue(handle));
  handles().insert(handle, widget);
  QObject::connect(widget, &QObject::destroyed, [handle] { handles().remove(handle); });
  return handle;
}

QWidget* widgetOf(HWnd handle) {
  return handle ? handles().value(handle).data() : nullptr;
}

HWnd SetParent(HWnd child, HWnd newParent) {
  QWidget* widget = widgetOf(child);
  if (!widget) return 0;
  QWidget* parent = widgetOf(newParent);
  if (newParent != 0 && !parent) return 0;
  const HWnd previous = handleOf(widget->parentWidget());
  const bool shown = !widget->isHidden();
  widget->setParent(parent, parent ? Qt::Widget : Qt::Window);
  if (shown) widget->show();
  // A component's window is owned by its references: a window it was docked
  // into must not delete it when that window goes first.
  if (parent && dynamic_cast<com::Object*>(widget)) {
    QObject::connect(parent, &QObject::destroyed, widget, [widget, parent] {
      if (widget->parentWidget() != parent) return;
      widget->hide();
      widget->setParent(nullptr);
    });
  }
  return previous;
}

bool SetWindowPos(HWnd window, int x, int y, int width, int height) {
  QWidget* widget = widgetOf(window);
  if (!widget) return false;
  widget->setGeometry(x, y, width, height);
  return true;
}

}  // namespace ui
