#include "controls/ImageList.h"

namespace controls {

ImageList::ImageList(QSize imageSize, QColor maskColor) : size_(imageSize), mask_(maskColor) {}

void ImageList::Add(const QString& key, const QImage& image) {
  QImage sized = image.size() == size_ ? image : image.scaled(size_);
  sized = sized.convertToFormat(QImage::Format_ARGB32);
  const QRgb masked = mask_.rgb();
  for (int y = 0; y < sized.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(sized.scanLine(y));
    for (int x = 0; x < sized.width(); ++x)
      if ((line[x] & 0x00FFFFFFu) == (masked & 0x00FFFFFFu)) line[x] = qRgba(0, 0, 0, 0);
  }
  images_.append({key, QPixmap::fromImage(sized)});
}

QPixmap ImageList::Picture(const QString& key) const {
  for (const Entry& entry : images_)
    if (entry.key.compare(key, Qt::CaseInsensitive) == 0) return entry.pixmap;
  return QPixmap();
}

QPixmap ImageList::Picture(int position) const {
  if (position < 1 || position > images_.size()) return QPixmap();
  return images_.at(position - 1).pixmap;
}

}  // namespace controls
