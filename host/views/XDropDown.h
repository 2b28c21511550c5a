#pragma once
// The host's in-place drop-down field ("orvanView.XDropDown"): a box that
// shows a text, with a drop button at its right end. It takes the focus and
// the keys itself; what the drop button opens is its container's.
//
// Events: "DropButton" (the button was clicked), "KeyDown" (key code, shift
// state) for each key pressed while it has the focus, "Commit" on a double
// click of the text, "GotFocus" and "LostFocus" when the focus enters and
// leaves it.
//
// Child widgets, by object name: lblText, cmdDrop.

#include "typelib/IEditorControls.h"
#include "ui/UserControl.h"

class QLabel;
class QToolButton;

namespace orvanView {

class XDropDown final : public ui::UserControl, public host::IDropDown {
 public:
  XDropDown();
  ~XDropDown() override;

  QString Text() override;
  void SetText(const QString& text) override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  QLabel* text_ = nullptr;
  QToolButton* drop_ = nullptr;
};

}  // namespace orvanView
