#include "ui/Resources.h"

#include <QDir>

#include "runtime/RuntimeError.h"

namespace ui {

namespace {
constexpr rt::Long kResourceNotFound = 326;

QString findPicture(const QString& library, const QString& resourceName) {
  const QString wanted = pictureFileName(resourceName);
  const QDir dir(QStringLiteral(":/%1/pictures").arg(library));
  for (const QString& file : dir.entryList(QDir::Files)) {
    if (QFileInfo(file).completeBaseName().compare(wanted, Qt::CaseInsensitive) == 0)
      return dir.filePath(file);
  }
  return QString();
}
}  // namespace

QString pictureFileName(const QString& resourceName) {
  QString name;
  for (const QChar c : resourceName) name += (c.isLetterOrNumber() && c.unicode() < 128) ? c : u'_';
  while (name.endsWith(u'_')) name.chop(1);
  return name;
}

bool hasResPicture(const QString& library, const QString& resourceName) {
  return !findPicture(library, resourceName).isEmpty();
}

QImage LoadResPicture(const QString& library, const QString& resourceName) {
  const QString file = findPicture(library, resourceName);
  QImage image;
  if (file.isEmpty() || !image.load(file))
    rt::raise(kResourceNotFound, library,
              QStringLiteral("Resource with identifier '%1' not found").arg(resourceName));
  return image;
}

}  // namespace ui
