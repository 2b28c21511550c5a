#include "xml/FileErrors.h"

#include <QFileInfo>

#include "runtime/RuntimeError.h"

namespace host {

void raiseFileError(const QFileDevice& file, const QString& path, const QString& source) {
  rt::Long number = rt::err::PathFileAccessError;
  if (!QFileInfo::exists(path))
    number = rt::err::FileNotFound;
  else if (file.error() == QFileDevice::PermissionsError)
    number = rt::err::PermissionDenied;
  rt::raise(number, source, rt::standardDescription(number) + QStringLiteral(": ") + path);
}

}  // namespace host
