#include "guide/ImageService.h"

#include <QPainter>
#include <QPainterPath>

#include "runtime/RuntimeError.h"

namespace host {

namespace {

constexpr rt::Long kResourceNotFound = 326;

// A guide's icon: a rounded blue tile with a white heart trace.
QImage guideIcon() {
  QImage icon(32, 32, QImage::Format_ARGB32_Premultiplied);
  icon.fill(Qt::transparent);
  QPainter painter(&icon);
  painter.setRenderHint(QPainter::Antialiasing);
  QLinearGradient fill(0, 0, 0, 32);
  fill.setColorAt(0, QColor(0x3B, 0x7D, 0xD8));
  fill.setColorAt(1, QColor(0x1F, 0x4E, 0x9A));
  painter.setPen(QPen(QColor(0x16, 0x3A, 0x75), 1));
  painter.setBrush(fill);
  painter.drawRoundedRect(QRectF(1.5, 1.5, 29, 29), 6, 6);
  QPainterPath trace;
  trace.moveTo(4, 18);
  for (const QPointF& p : {QPointF(10, 18), QPointF(13, 9), QPointF(17, 26), QPointF(20, 14),
                           QPointF(22, 18), QPointF(28, 18)})
    trace.lineTo(p);
  painter.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(trace);
  return icon;
}

}  // namespace

ImageService::~ImageService() = default;

std::shared_ptr<ImageService> ImageService::instance() {
  static auto service = std::make_shared<ImageService>();
  return service;
}

void ImageService::GetImage(rt::Long id, QImage& picture) {
  if (id != image::TestGuide)
    rt::raise(kResourceNotFound, QStringLiteral("ImageService"),
              QStringLiteral("Resource with identifier '%1' not found").arg(id));
  static const QImage icon = guideIcon();
  picture = icon;
}

}  // namespace host
