#include "FittedComboBox.h"

#include <QEvent>
#include <QFontMetrics>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <algorithm>

namespace orvanTGCL2 {

FittedComboBox::FittedComboBox(double smallestPoints, QWidget* parent)
    : QComboBox(parent), smallestPoints_(smallestPoints), shownFont_(font()) {
  connect(this, &QComboBox::currentTextChanged, this, [this] { Fit(); });
}

int FittedComboBox::TextRoom() const {
  QStyleOptionComboBox option;
  initStyleOption(&option);
  return style()
      ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this)
      .width();
}

void FittedComboBox::Fit() {
  const int room = TextRoom();
  const QString text = currentText();
  QFont fitted = font();
  while (QFontMetrics(fitted).horizontalAdvance(text) > room &&
         fitted.pointSizeF() - 0.5 >= smallestPoints_)
    fitted.setPointSizeF(fitted.pointSizeF() - 0.5);
  if (fitted != shownFont_) {
    shownFont_ = fitted;
    update();
  }
}

QString FittedComboBox::ShownText() const {
  return QFontMetrics(shownFont_).elidedText(currentText(), Qt::ElideRight, TextRoom());
}

void FittedComboBox::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionComboBox option;
  initStyleOption(&option);
  painter.drawComplexControl(QStyle::CC_ComboBox, option);
  option.currentText = ShownText();
  painter.setFont(shownFont_);
  painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

void FittedComboBox::resizeEvent(QResizeEvent* event) {
  QComboBox::resizeEvent(event);
  Fit();
}

void FittedComboBox::changeEvent(QEvent* event) {
  QComboBox::changeEvent(event);
  if (event->type() == QEvent::FontChange) {
    shownFont_ = font();
    Fit();
  }
}

}  // namespace orvanTGCL2
