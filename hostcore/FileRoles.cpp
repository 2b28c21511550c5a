#include "FileRoles.h"

#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <variant>

#include "PlugInHost.h"
#include "registry/RegistryStore.h"

namespace hostapp {

namespace {

// What a file is: its device and inode when it is there, else where it
// would be made.
using Identity = std::variant<std::pair<dev_t, ino_t>, QString>;

Identity identityOf(const QString& path) {
  struct stat status {};
  if (::stat(QFile::encodeName(path).constData(), &status) == 0)
    return std::pair{status.st_dev, status.st_ino};
  const QFileInfo info(path);
  const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
  return QDir::cleanPath((folder.isEmpty() ? info.absolutePath() : folder) + u'/' +
                         info.fileName());
}

}  // namespace

bool sameFileByIdentity(const QString& one, const QString& other) {
  return identityOf(one) == identityOf(other);
}

FileRoles::FileRoles(const CommonOptions& options) {
  add(role::Registry, QStringLiteral("--registry"), platform::RegistryStore::path(), true);
  add(role::Template, QStringLiteral("--template"), templateInUse(options), false);
}

FileRoles& FileRoles::add(const QString& role, const QString& given, const QString& path,
                          bool written) {
  if (!path.isEmpty()) entries_.append({role, given, path, written});
  return *this;
}

FileRoles& FileRoles::allow(const QString& one, const QString& other) {
  allowed_.append({one, other});
  return *this;
}

bool FileRoles::allowed(const QString& one, const QString& other) const {
  if (one == other) return true;
  for (const auto& [a, b] : allowed_)
    if ((a == one && b == other) || (a == other && b == one)) return true;
  return false;
}

QString FileRoles::clash() const {
  QList<Identity> identities;
  for (const Entry& entry : entries_) identities.append(identityOf(entry.path));
  for (qsizetype later = 0; later < entries_.size(); ++later) {
    for (qsizetype earlier = 0; earlier < later; ++earlier) {
      const Entry& a = entries_.at(later);
      const Entry& b = entries_.at(earlier);
      if (identities.at(later) != identities.at(earlier) || allowed(a.role, b.role)) continue;
      // The file that is written is told first: it is the one that would
      // be lost.
      const Entry& writer = a.written || !b.written ? a : b;
      const Entry& other = &writer == &a ? b : a;
      const auto named = [](const Entry& e) {
        return e.given.isEmpty() ? e.path : e.given + u' ' + e.path;
      };
      const QString why =
          !writer.written ? QStringLiteral("one file cannot be both")
          : other.written
              ? QStringLiteral("the %1 would replace the %2").arg(writer.role, other.role)
              : QStringLiteral("the %1 would replace the %2 it reads").arg(writer.role, other.role);
      return QStringLiteral("%1 is the %2 (%3): %4")
          .arg(named(writer), other.role, named(other), why);
    }
  }
  return {};
}

}  // namespace hostapp
