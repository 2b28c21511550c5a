#include "ToolbarIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>
#include <map>

#include "typelib/GuideControls.h"

namespace orvanTGCL2 {

namespace {

constexpr int kSize = 20;

using Painter = std::function<void(QPainter&)>;

QPainterPath triangle(qreal left, qreal right, qreal top, qreal bottom, bool pointsRight) {
  QPainterPath path;
  const qreal tip = pointsRight ? right : left;
  const qreal base = pointsRight ? left : right;
  path.moveTo(base, top);
  path.lineTo(tip, (top + bottom) / 2);
  path.lineTo(base, bottom);
  path.closeSubpath();
  return path;
}

void fillShape(QPainter& p, const QPainterPath& path, QColor light, QColor dark) {
  QLinearGradient fill(0, 2, 0, kSize - 2);
  fill.setColorAt(0, light);
  fill.setColorAt(1, dark);
  p.setPen(QPen(dark.darker(130), 1));
  p.setBrush(fill);
  p.drawPath(path);
}

const QColor kBlueLight(0x5B, 0x9B, 0xE8), kBlueDark(0x1F, 0x55, 0xA8);

const std::map<rt::Long, Painter>& painters() {
  using namespace host::guidebuttons;
  static const std::map<rt::Long, Painter> table{
      {Abort,
       [](QPainter& p) {
         QPainterPath disc;
         disc.addEllipse(QRectF(2.5, 2.5, 15, 15));
         fillShape(p, disc, QColor(0xF0, 0x6A, 0x5E), QColor(0xB0, 0x1E, 0x17));
         p.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap));
         p.drawLine(QPointF(7, 7), QPointF(13, 13));
         p.drawLine(QPointF(13, 7), QPointF(7, 13));
       }},
      {Skip,
       [](QPainter& p) {
         QPainterPath arrows = triangle(2, 10, 4, 16, true);
         arrows.addPath(triangle(9, 17, 4, 16, true));
         fillShape(p, arrows, QColor(0xF5, 0xB9, 0x4A), QColor(0xC0, 0x7A, 0x0C));
       }},
      {Previous,
       [](QPainter& p) {
         QPainterPath path = triangle(5, 16, 3, 17, false);
         path.addRect(QRectF(2.5, 3, 2.5, 14));
         fillShape(p, path, kBlueLight, kBlueDark);
       }},
      {Stop,
       [](QPainter& p) {
         QPainterPath square;
         square.addRoundedRect(QRectF(4, 4, 12, 12), 1.5, 1.5);
         fillShape(p, square, QColor(0x6E, 0x6E, 0x6E), QColor(0x2E, 0x2E, 0x2E));
       }},
      {Play,
       [](QPainter& p) {
         fillShape(p, triangle(4.5, 17, 2.5, 17.5, true), QColor(0x6C, 0xD4, 0x6A),
                   QColor(0x1E, 0x8A, 0x2C));
       }},
      {Next,
       [](QPainter& p) {
         QPainterPath path = triangle(4, 15, 3, 17, true);
         path.addRect(QRectF(15, 3, 2.5, 14));
         fillShape(p, path, kBlueLight, kBlueDark);
       }},
      {NotApplicable,
       [](QPainter& p) {
         p.setPen(QPen(QColor(0x7A, 0x7A, 0x7A), 2.4));
         p.setBrush(Qt::NoBrush);
         p.drawEllipse(QRectF(3.5, 3.5, 13, 13));
         p.drawLine(QPointF(6, 14), QPointF(14, 6));
       }},
  };
  return table;
}

}  // namespace

QIcon toolbarIcon(rt::Long buttonId) {
  const auto it = painters().find(buttonId);
  if (it == painters().end()) return QIcon();
  QPixmap pixmap(kSize, kSize);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  it->second(painter);
  painter.end();
  return QIcon(pixmap);
}

}  // namespace orvanTGCL2
