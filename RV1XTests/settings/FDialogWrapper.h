#pragma once
// The dialog host form. The host shows every editor and result view through
// its dialog interface, while the content is a custom control: the form adds
// that control by registered name under the control name "isc", passes each
// dialog call on to it, and docks its window into a host window on request.
//
// Every deliverable that shows dialogs carries its own copy of this form,
// compiled from these two files into the deliverable's own namespace
// (RV1X_DIALOG_HOST_NAMESPACE, the test library's unless the deliverable
// names its own), so the copies never stand in for each other at run time.
// Only source files include this header, never another header, so that each
// deliverable's sources see their own copy alone.

#include <QWidget>
#include <memory>

#include "typelib/ICustomControl.h"
#include "typelib/IDialog.h"
#include "ui/Controls.h"

#ifndef RV1X_DIALOG_HOST_NAMESPACE
#define RV1X_DIALOG_HOST_NAMESPACE orvanRV1Xtst
#endif

namespace RV1X_DIALOG_HOST_NAMESPACE {

class FDialogWrapper : public QWidget, public host::IDialog {
 public:
  FDialogWrapper();
  ~FDialogWrapper() override;

  // Adds the control of that registered name as "isc" and keeps it; empty
  // text adds nothing. Answers the extender held after the call: on any
  // failure (no such control, a control already added) the one held before.
  std::shared_ptr<ui::Extender> CreateSetupCtrl(const QString& sProgID);

  // The dialog interface: each call goes on to the hosted control, and none
  // raises. Initialize is also the form's own hand-over of the edited object.
  host::HostCallBackPtr CallBack() override;
  void SetCallBack(const host::HostCallBackPtr& callBack) override;
  bool IsDocked() override { return docked_; }
  bool Locked() override;
  void SetLocked(bool locked) override;
  void Initialize(const QVariant& v) override;
  void Hide() override;
  void Show(rt::Long mode) override;
  void Dock(ui::HWnd hWndParent) override;
  void UnDock() override;
  void Unload() override;
  void Move(rt::Long l, rt::Long t, rt::Long w, rt::Long h) override;
  void Refresh() override;
  void SetFocus() override;

 protected:
  void focusInEvent(QFocusEvent* event) override;

 private:
  ui::Controls controls_{this};  // takes the control back out before the form goes
  std::shared_ptr<ui::Extender> hostedExtender_;
  host::ICustomControlPtr hostedControl_;  // Nothing when the control lacks the interface
  bool docked_ = false;                    // a dock with a window handle happened; never cleared
};

}  // namespace RV1X_DIALOG_HOST_NAMESPACE
