#include "controls/CustomControl.h"

#include "records/RunObjects.h"
#include "runtime/ErrorHandling.h"

namespace host {

CustomControl::CustomControl(QWidget* parent) : ui::UserControl(parent) {}
CustomControl::~CustomControl() = default;

ui::HWnd CustomControl::hWnd() {
  return ui::handleOf(this);
}

void CustomControl::SetLocked(bool locked) {
  locked_ = locked;
  LockedChanged(locked);
}

void CustomControl::NotifyChange() {
  rt::ignoreErrors([&] {
    if (!callBack_) return;
    QString eventName = QStringLiteral("Change");
    QVariantList none;
    callBack_->Notify(eventName, none);
  });
}

}  // namespace host
