#pragma once
// The guide window's toolbar ("orvanTGCL2.XTgToolbar"), along the window's
// bottom edge: Abort, Skip and N/A on the left; the status line, the result
// indicator and the standard selection in the middle; Previous, Play, Stop
// and Next on the right. Which buttons are there is the button mask's
// (Abort and Next always); which are enabled is the mode's:
//   idle (0, 2)  Play, Abort and the navigation buttons; Stop disabled
//   running (1)  Play latched down (pressing it again stops), Stop, Abort;
//                the navigation buttons disabled
// SetRunning latches Play and locks the navigation on its own; the guide's
// Enabled let of a button counts besides the mode.
//
// Child widgets, by object name: "button<id>" for each button,
// "lblStatus", "lblResult", "cboStandard" (an item per standard of the
// test, its alpha name as the item's user data; one not selected for the
// run reads "(not used)"). Picking a standard there makes it the one the
// test is judged by (RunContext::selectOnly).

#include <QList>
#include <map>

#include "ToolbarParts.h"
#include "ui/UserControl.h"

class QComboBox;
class QLabel;

namespace orvanTGCL2 {

class XTgToolbar final : public ui::UserControl, public host::ITgToolbar {
 public:
  XTgToolbar();
  ~XTgToolbar() override;

  void Bind(const host::RunContextPtr& ctx, const host::ITestElementPtr& test) override;
  void SetButtonMask(rt::Long operation, rt::Long& mask) override;
  rt::Long ButtonMask() override { return mask_; }
  void SetMode(rt::Long mode) override;
  rt::Long Mode() override { return mode_; }
  void SetRunning(const QVariant& reserved, bool running, bool locked) override;
  bool Running() override { return running_ || mode_ == host::toolbarmode::Running; }
  void OnRightMouseDown() override;
  host::ToolbarStatusPtr Status() override { return status_; }
  host::StandardSelectionPtr StandardSelection() override;
  host::ToolbarButtonPtr Buttons(rt::Long id) override;
  host::ITestElementPtr BoundTest() override { return test_.lock(); }

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  struct Choice {
    QString alphaName;
    QString completeName;
    bool flag = false;
  };

  QToolButton* addButton(rt::Long id, const QString& caption, const QString& tip);
  void ButtonClicked(rt::Long id);
  // The operator's pick: the test is judged by that standard from now on.
  void StandardPicked(int index);
  static QString choiceText(const Choice& choice);
  void Refresh();
  void ShowStatus();

  std::map<rt::Long, std::shared_ptr<TgButton>> buttons_;
  std::shared_ptr<TgStatus> status_;
  QList<Choice> standards_;
  QLabel* lblStatus_ = nullptr;
  QLabel* lblResult_ = nullptr;
  QComboBox* cboStandard_ = nullptr;
  rt::Long mask_ = 15;
  rt::Long mode_ = host::toolbarmode::Idle;
  bool running_ = false;
  bool locked_ = false;
  std::weak_ptr<host::ITestElement> test_;
  std::weak_ptr<host::RunContext> ctx_;
};

}  // namespace orvanTGCL2
