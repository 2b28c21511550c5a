#pragma once
// A caption label of an editor: bold Arial 9.75 points, drawn smaller (down
// to 7 points) when its text would not fit its width, so that a translated
// or long caption is never cut off at the place the design gives it.

#include <QLabel>

namespace orvanRV1Xtst {

class CaptionLabel : public QLabel {
 public:
  explicit CaptionLabel(QWidget* parent = nullptr);
  ~CaptionLabel() override;

  // The font the text is drawn in at the label's present width.
  QFont FittedFont() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace orvanRV1Xtst
