#pragma once
// The host's help pane ("orvanView.XHelpText"): one help text, wrapped, on
// a pale ground along the bottom of an editor or page. Its caption is given
// as a text key and replaced by the caption translation of the control it
// sits on (the label "lblCaption" holds it).
//
// Arrange lets the pane place itself: it keeps the height and the lowest top
// it was first placed with and moves down with the height given, so the
// inputs above it never lose the room they were designed with.

#include "typelib/IEditorControls.h"
#include "ui/UserControl.h"

class QLabel;

namespace orvanView {

class XHelpText final : public ui::UserControl, public host::IHelpText {
 public:
  XHelpText();
  ~XHelpText() override;

  QString Caption() override;
  void SetCaption(const QString& caption) override;
  rt::Single Arrange(rt::Single& height) override;

 private:
  QLabel* caption_ = nullptr;
  bool placed_ = false;  // the first Arrange has taken the designed place
  double designedTop_ = 0;
  double designedHeight_ = 0;
};

}  // namespace orvanView
