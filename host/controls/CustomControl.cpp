#include "controls/CustomControl.h"

#include "records/RunObjects.h"
#include "runtime/ErrorHandling.h"
#include "ui/Extender.h"

namespace host {

CustomControl::CustomControl(QWidget* parent) : ui::UserControl(parent) {}
CustomControl::~CustomControl() = default;

ui::HWnd CustomControl::hWnd() {
  return ui::handleOf(this);
}

bool CustomControl::Visible() {
  if (ui::Extender* extender = ContainerExtender()) return extender->Visible();
  return !isHidden();
}

void CustomControl::SetVisible(bool visible) {
  if (ui::Extender* extender = ContainerExtender())
    extender->SetVisible(visible);
  else
    setVisible(visible);
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
