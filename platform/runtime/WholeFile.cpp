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
#include <utility>

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

}  // namespace

WholeFileWriter::WholeFileWriter(const QString& path, const QString& source)
    : path_(path), source_(source), target_(targetOf(path)) {
  fd_ = createTemporary(target_, temporary_);
  if (fd_ < 0) {
    error_ = failure(errno, path_, source_, QStringLiteral("create"));
    return;
  }
  killAt_ = killAfter(target_);
  struct stat old {};
  if (::stat(QFile::encodeName(target_).constData(), &old) == 0 &&
      ::fchmod(fd_, old.st_mode & 07777) != 0)
    fail("permissions");
}

WholeFileWriter::~WholeFileWriter() {
  abandon();
}

void WholeFileWriter::abandon() {
  if (fd_ < 0) return;
  ::close(fd_);
  ::unlink(temporary_.constData());
  fd_ = -1;
}

void WholeFileWriter::fail(const char* step) {
  if (!error_) error_ = failure(errno, path_, source_, QLatin1String(step));
  abandon();
}

void WholeFileWriter::write(const char* data, qint64 size) {
  qint64 done = 0;
  while (fd_ >= 0 && done < size) {
    if (killAt_ >= 0 && written_ >= killAt_) ::raise(SIGKILL);
    const qint64 piece = std::min(kPiece, size - done);
    const ssize_t wrote = ::write(fd_, data + done, static_cast<size_t>(piece));
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote <= 0) {
      if (wrote == 0) errno = ENOSPC;
      fail("write");
      return;
    }
    done += wrote;
    written_ += wrote;
  }
}

std::optional<RuntimeError> WholeFileWriter::commit() {
  if (fd_ < 0) return error_;
  if (::fsync(fd_) != 0) {
    fail("sync");
    return error_;
  }
  struct stat status {};
  if (::fstat(fd_, &status) != 0) {
    fail("size");
    return error_;
  }
  if (status.st_size != written_) {
    errno = EIO;
    fail("size");
    return error_;
  }
  const int fd = std::exchange(fd_, -1);
  if (::close(fd) != 0) {
    error_ = failure(errno, path_, source_, QStringLiteral("close"));
    ::unlink(temporary_.constData());
    return error_;
  }
  if (::rename(temporary_.constData(), QFile::encodeName(target_).constData()) != 0) {
    error_ = failure(errno, path_, source_, QStringLiteral("rename"));
    ::unlink(temporary_.constData());
    return error_;
  }
  // The rename itself reaches the disk with its folder.
  const int folder = ::open(QFile::encodeName(QFileInfo(target_).absolutePath()).constData(),
                            O_RDONLY | O_CLOEXEC);
  if (folder >= 0) {
    ::fsync(folder);
    ::close(folder);
  }
  return std::nullopt;
}

std::optional<RuntimeError> replaceFileWhole(const QString& path, const QByteArray& content,
                                             const QString& source) {
  WholeFileWriter file(path, source);
  file.write(content);
  return file.commit();
}

void writeFileWhole(const QString& path, const QByteArray& content, const QString& source) {
  if (std::optional<RuntimeError> error = replaceFileWhole(path, content, source)) throw *error;
}

}  // namespace rt
