#include "settings/FDialogWrapper.h"

#include "runtime/ErrorHandling.h"
#include "ui/Twips.h"
#include "ui/WindowHandles.h"

namespace RV1X_DIALOG_HOST_NAMESPACE {

namespace {
const QString kHostedControlName = QStringLiteral("isc");
}  // namespace

FDialogWrapper::FDialogWrapper() {
  setObjectName(QStringLiteral("FDialogWrapper"));
  // The form takes the focus only to hand it on to its control.
  setFocusPolicy(Qt::StrongFocus);
}

FDialogWrapper::~FDialogWrapper() = default;

std::shared_ptr<ui::Extender> FDialogWrapper::CreateSetupCtrl(const QString& sProgID) {
  rt::ignoreErrors([&] {
    if (sProgID.isEmpty()) return;
    hostedExtender_ = controls_.Add(sProgID, kHostedControlName);
    hostedControl_ = hostedExtender_
                         ? com::queryInterface<host::ICustomControl>(hostedExtender_->Object())
                         : nullptr;
  });
  return hostedExtender_;
}

host::HostCallBackPtr FDialogWrapper::CallBack() {
  return rt::orDefault([&] { return com::must(hostedControl_).CallBack(); },
                       host::HostCallBackPtr());
}

void FDialogWrapper::SetCallBack(const host::HostCallBackPtr& callBack) {
  rt::ignoreErrors([&] { com::must(hostedControl_).SetCallBack(callBack); });
}

bool FDialogWrapper::Locked() {
  return rt::orDefault([&] { return com::must(hostedControl_).Locked(); }, false);
}

void FDialogWrapper::SetLocked(bool locked) {
  rt::ignoreErrors([&] { com::must(hostedControl_).SetLocked(locked); });
}

void FDialogWrapper::Initialize(const QVariant& v) {
  rt::ignoreErrors([&] {
    if (hostedControl_) hostedControl_->Initialize(v);
  });
}

void FDialogWrapper::Hide() {
  rt::ignoreErrors([&] {
    if (docked_)
      com::must(hostedExtender_).SetVisible(false);
    else
      hide();
  });
}

void FDialogWrapper::Show(rt::Long /*mode*/) {
  // Only a docked control is shown here; the form itself is never shown on
  // the host's behalf.
  rt::ignoreErrors([&] {
    if (docked_) com::must(hostedExtender_).SetVisible(true);
  });
}

void FDialogWrapper::Dock(ui::HWnd hWndParent) {
  if (hWndParent == 0) return;
  rt::ignoreErrorsEach([&] { ui::SetParent(com::must(hostedControl_).hWnd(), hWndParent); },
                       [&] { docked_ = true; });
}

void FDialogWrapper::UnDock() {
  rt::ignoreErrors([&] { ui::SetParent(com::must(hostedControl_).hWnd(), ui::handleOf(this)); });
}

void FDialogWrapper::Unload() {
  rt::ignoreErrorsEach(
      [&] {
        if (docked_) ui::SetParent(com::must(hostedControl_).hWnd(), ui::handleOf(this));
      },
      [&] {
        // Unloading ends the hosted control with the form; the docked flag
        // stays as it was.
        hide();
        controls_.Remove(kHostedControlName);
        hostedControl_.reset();
        hostedExtender_.reset();
      });
}

void FDialogWrapper::Move(rt::Long l, rt::Long t, rt::Long w, rt::Long h) {
  rt::ignoreErrors([&] {
    if (docked_)
      com::must(hostedExtender_).Move(l, t, w, h);
    else
      setGeometry(ui::toPixels(l, t, w, h));
  });
}

void FDialogWrapper::Refresh() {
  rt::ignoreErrors([&] { com::must(hostedControl_).Refresh(); });
}

void FDialogWrapper::SetFocus() {
  rt::ignoreErrors([&] { com::must(hostedControl_).SetFocus(); });
}

void FDialogWrapper::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  SetFocus();
}

}  // namespace RV1X_DIALOG_HOST_NAMESPACE
