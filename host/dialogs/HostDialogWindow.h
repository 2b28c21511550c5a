#pragma once
// The host's window around a component's dialog. The dialog's control is
// docked into the window's pane the way the host docks every plug-in
// dialog (the host's callback, Dock, Move to the pane's size, Show), above
// the host's own buttons; the window unloads the dialog when it goes.

#include <QDialog>
#include <QSizeF>
#include <memory>

#include "typelib/IDialog.h"

class QPushButton;

namespace host {

class DefaultCallBack;

class HostDialogWindow : public QDialog {
 public:
  enum class Buttons { OkCancel, Close };

  // paneTwips: the room the host gives the dialog; empty to give it the
  // size its control has as it is docked (the size it was designed with).
  HostDialogWindow(const IDialogPtr& dialog, const QString& title, Buttons buttons,
                   QSizeF paneTwips = {});
  ~HostDialogWindow() override;

  // Whether the control told the host of a change since it was docked.
  bool Changed() const;

  // Draws the window without showing it on a screen and saves it as a PNG
  // picture; false when the picture cannot be written.
  bool SavePicture(const QString& path);

  void done(int result) override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  IDialogPtr dialog_;
  std::shared_ptr<DefaultCallBack> callBack_;
  QWidget* pane_ = nullptr;
  QPushButton* accept_ = nullptr;
};

}  // namespace host
