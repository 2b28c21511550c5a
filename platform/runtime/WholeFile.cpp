#include "runtime/WholeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>

namespace rt {

namespace {

// Pieces small enough that a fault shows between two of them.
constexpr qint64 kPiece = 4096;

Long numberOf(int error) {
  switch (error) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return err::DiskFull;
    case EACCES:
    case EPERM:
    case EROFS:
      return err::PermissionDenied;
    case ENOENT:
    case ENOTDIR:
      return err::PathNotFound;
    default:
      return err::PathFileAccessError;
  }
}

RuntimeError failure(int error, const QString& path, const QString& source, const QString& step) {
  const Long number = numberOf(error);
  return RuntimeError(number, source,
                      QStringLiteral("%1: %2 (%3: %4)")
                          .arg(standardDescription(number), path, step,
                               QString::fromLocal8Bit(std::strerror(error))));
}

// The file a path names, through any symbolic links.
QString targetOf(const QString& path) {
  QFileInfo info(path);
  for (int hops = 0; info.isSymLink() && hops < 40; ++hops) {
    const QString next = info.symLinkTarget();
    if (next.isEmpty()) break;
    info = QFileInfo(next);
  }
  return info.absoluteFilePath();
}

// The byte count after which the test equipment kills the program while it
// writes a file of that name; -1 when it does not.
qint64 killAfter(const QString& target) {
  const QString asked = qEnvironmentVariable("RV1X_WRITE_KILL");
  const qsizetype colon = asked.lastIndexOf(u':');
  if (colon < 0 || asked.left(colon) != QFileInfo(target).fileName()) return -1;
  bool ok = false;
  const qint64 bytes = asked.mid(colon + 1).toLongLong(&ok);
  return ok ? bytes : -1;
}

// A new file beside the target that no one else has open.
int createTemporary(const QString& target, QByteArray& name) {
  const QFileInfo info(target);
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = QFile::encodeName(
        QStringLiteral("%1/.%2.%3.part")
            .arg(info.absolutePath(), info.fileName())
            .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')));
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

bool writeAll(int fd, const QByteArray& content, qint64 killAt) {
  qint64 done = 0;
  while (done < content.size()) {
    if (killAt >= 0 && done >= killAt) ::raise(SIGKILL);
    const qint64 piece = std::min(kPiece, content.size() - done);
    const ssize_t written = ::write(fd, content.constData() + done, static_cast<size_t>(piece));
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      if (written == 0) errno = ENOSPC;
      return false;
    }
    done += written;
  }
  return true;
}

}  // namespace

std::optional<RuntimeError> replaceFileWhole(const QString& path, const QByteArray& content,
                                             const QString& source) {
  const QString target = targetOf(path);
  QByteArray temporary;
  const int fd = createTemporary(target, temporary);
  if (fd < 0) return failure(errno, path, source, QStringLiteral("create"));
  const auto abandon = [&](const char* step) {
    const int error = errno;
    ::close(fd);
    ::unlink(temporary.constData());
    return failure(error, path, source, QLatin1String(step));
  };
  struct stat old {};
  if (::stat(QFile::encodeName(target).constData(), &old) == 0 &&
      ::fchmod(fd, old.st_mode & 07777) != 0)
    return abandon("permissions");
  if (!writeAll(fd, content, killAfter(target))) return abandon("write");
  if (::fsync(fd) != 0) return abandon("sync");
  struct stat written {};
  if (::fstat(fd, &written) != 0) return abandon("size");
  if (written.st_size != content.size()) {
    errno = EIO;
    return abandon("size");
  }
  if (::close(fd) != 0) {
    const int error = errno;
    ::unlink(temporary.constData());
    return failure(error, path, source, QStringLiteral("close"));
  }
  if (::rename(temporary.constData(), QFile::encodeName(target).constData()) != 0) {
    const int error = errno;
    ::unlink(temporary.constData());
    return failure(error, path, source, QStringLiteral("rename"));
  }
  // The rename itself reaches the disk with its folder.
  const int folder =
      ::open(QFile::encodeName(QFileInfo(target).absolutePath()).constData(), O_RDONLY | O_CLOEXEC);
  if (folder >= 0) {
    ::fsync(folder);
    ::close(folder);
  }
  return std::nullopt;
}

void writeFileWhole(const QString& path, const QByteArray& content, const QString& source) {
  if (std::optional<RuntimeError> error = replaceFileWhole(path, content, source)) throw *error;
}

}  // namespace rt
