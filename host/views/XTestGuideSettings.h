#pragma once
// The host's guide-settings control ("orvanView.XTestGuideSettings"): which
// of the guide window's buttons the operator gets for a test. One check box
// per button the settings object offers (Skip, N/A, Previous); each click
// goes at once into the bound object's button mask and raises "Changed".
// Locked or unbound, the boxes offer nothing to change.
//
// Child widgets, by object name: chkSkip, chkNotApplicable, chkPrevious.

#include <QList>

#include "typelib/IEditorControls.h"
#include "ui/UserControl.h"

class QCheckBox;

namespace orvanView {

class XTestGuideSettings final : public ui::UserControl, public host::ITestGuideSettings {
 public:
  XTestGuideSettings();
  ~XTestGuideSettings() override;

  void Bind(const host::TestGuideSettingsObjectPtr& settings) override;
  bool Locked() override { return locked_; }
  void SetLocked(bool locked) override;

 private:
  struct Box {
    QCheckBox* box;
    rt::Long bit;
  };
  void Show();
  void Clicked(const Box& box);

  host::TestGuideSettingsObjectPtr settings_;
  bool locked_ = false;
  QList<Box> boxes_;
};

}  // namespace orvanView
