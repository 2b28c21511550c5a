#include "ui/MaskedPicture.h"

#include "ui/Twips.h"

namespace ui {

QImage maskedPicture(const QImage& picture, std::uint32_t maskColor) {
  if (picture.isNull()) return picture;
  QImage result = picture.convertToFormat(QImage::Format_ARGB32);
  const QRgb mask = toQColor(maskColor).rgb() & RGB_MASK;
  for (int y = 0; y < result.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
    for (int x = 0; x < result.width(); ++x)
      if ((line[x] & RGB_MASK) == mask) line[x] = 0;
  }
  return result;
}

}  // namespace ui
