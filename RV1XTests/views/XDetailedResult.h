#pragma once
// The detail view of a result ("RV1XTests.XDetailedResult"): the operator's
// comment of one result, read-only, under a title. The results open it in
// the dialog host, which drives it only through the custom-control
// interface. It keeps nothing of its own: no callback, no locked flag, no
// reference to the result once the comment is shown.
//
// Controls, by name: txtComment (the comment) and lblTitle (its title).

#include "controls/CustomControl.h"

class QLabel;
class QPlainTextEdit;

namespace orvanRV1Xtst {

class XDetailedResult final : public host::CustomControl {
 public:
  XDetailedResult();
  ~XDetailedResult() override;

  host::HostCallBackPtr CallBack() override { return nullptr; }
  // The control never notifies the host, so it does not hold the callback.
  void SetCallBack(const host::HostCallBackPtr&) override {}
  // The comment is read-only whatever the host asks.
  bool Locked() override { return false; }
  void SetLocked(bool) override {}
  // Data: the result (IResultData) whose comment is shown; anything else
  // shows an empty comment.
  void Initialize(const QVariant& Data) override;
  void Refresh() override;
  void SetFocus() override;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QLabel* lblTitle_ = nullptr;
  QPlainTextEdit* txtComment_ = nullptr;
};

}  // namespace orvanRV1Xtst
