#pragma once
// Images of one size, by key and by 1-based position, for the buttons of a
// toolbar. The mask colour (silver unless given) is transparent: every pixel
// of that colour is left out when an image is added.

#include <QColor>
#include <QImage>
#include <QList>
#include <QPixmap>
#include <QSize>
#include <QString>

namespace controls {

class ImageList {
 public:
  explicit ImageList(QSize imageSize = QSize(16, 16), QColor maskColor = QColor(0xC0, 0xC0, 0xC0));

  QSize ImageSize() const { return size_; }
  QColor MaskColor() const { return mask_; }
  int Count() const { return static_cast<int>(images_.size()); }

  // Adds the image under the key, scaled to the list's size when it differs.
  void Add(const QString& key, const QImage& image);
  // Nothing (a null pixmap) for a key or position the list does not hold.
  QPixmap Picture(const QString& key) const;
  QPixmap Picture(int position) const;

 private:
  struct Entry {
    QString key;
    QPixmap pixmap;
  };
  QSize size_;
  QColor mask_;
  QList<Entry> images_;
};

}  // namespace controls
