#pragma once
// A drop-down list whose shown text fits its box: too wide for it, the text
// is drawn in a smaller font, down to a least size, and past that it ends
// in an ellipsis, so that a cut name never reads as another one
// ("IEC 60601-2-" for "IEC 60601-2-4"). The list itself shows every name
// whole.

#include <QComboBox>

namespace orvanTGCL2 {

class FittedComboBox final : public QComboBox {
  Q_OBJECT
  Q_PROPERTY(QString shownText READ ShownText)

 public:
  explicit FittedComboBox(double smallestPoints, QWidget* parent = nullptr);

  // The text as the box shows it now.
  QString ShownText() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void Fit();
  int TextRoom() const;

  double smallestPoints_;
  QFont shownFont_;
};

}  // namespace orvanTGCL2
