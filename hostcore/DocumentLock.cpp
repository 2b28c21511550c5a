#include "DocumentLock.h"

#include <QFileInfo>

namespace hostapp {

namespace {

// The lock of the file a path leads to, so that a link to the document
// finds the same lock.
QString lockPathOf(const QString& document) {
  const QFileInfo info(document);
  const QString real = info.exists() ? info.canonicalFilePath() : info.absoluteFilePath();
  return real + QStringLiteral(".lock");
}

QString holder(const QLockFile& lock) {
  qint64 pid = 0;
  QString host, program;
  if (!lock.getLockInfo(&pid, &host, &program)) return QStringLiteral("another process");
  return QStringLiteral("process %1%2 on %3")
      .arg(pid)
      .arg(program.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(program),
           host.isEmpty() ? QStringLiteral("an unknown host") : host);
}

}  // namespace

DocumentLock::DocumentLock(const QString& document)
    : document_(document), lock_(std::make_unique<QLockFile>(lockPathOf(document))) {
  // Only a lock whose process has ended is stale, never one by its age: a
  // run holds its document for as long as it lasts.
  lock_->setStaleLockTime(0);
}

DocumentLock::~DocumentLock() = default;

bool DocumentLock::Take() {
  if (lock_->isLocked()) return true;
  refusal_.clear();
  takenOver_.clear();
  const QString left = QFileInfo::exists(lock_->fileName()) ? holder(*lock_) : QString();
  if (lock_->tryLock(0)) {
    if (!left.isEmpty())
      takenOver_ = QStringLiteral("%1 was locked by %2, which has ended: its lock is taken over")
                       .arg(document_, left);
    return true;
  }
  if (lock_->error() == QLockFile::LockFailedError)
    refusal_ = QStringLiteral("%1 is in use by %2").arg(document_, holder(*lock_));
  else
    refusal_ = QStringLiteral("%1 cannot be locked: its lock file %2 cannot be made")
                   .arg(document_, lock_->fileName());
  return false;
}

bool DocumentLock::Held() const {
  return lock_->isLocked();
}

}  // namespace hostapp
