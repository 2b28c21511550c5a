#include "editors/CaptionLabel.h"

#include <QPainter>

#include "ui/Fonts.h"

namespace orvanRV1Xtst {

namespace {
constexpr double kPoints = 9.75, kSmallestPoints = 7, kStep = 0.25;
}  // namespace

CaptionLabel::CaptionLabel(QWidget* parent) : QLabel(parent) {
  setFont(ui::designFont(QStringLiteral("Arial"), kPoints, true));
}

CaptionLabel::~CaptionLabel() = default;

QFont CaptionLabel::FittedFont() const {
  QFont fitted = font();
  const int room = contentsRect().width();
  for (double points = fitted.pointSizeF(); points > kSmallestPoints; points -= kStep) {
    fitted.setPointSizeF(points);
    if (QFontMetrics(fitted).horizontalAdvance(text()) <= room) return fitted;
  }
  fitted.setPointSizeF(kSmallestPoints);
  return fitted;
}

void CaptionLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setFont(FittedFont());
  painter.setPen(
      palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
  painter.drawText(contentsRect(), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text());
}

}  // namespace orvanRV1Xtst
