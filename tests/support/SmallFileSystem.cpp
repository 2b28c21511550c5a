#include "SmallFileSystem.h"

#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QFile>
#include <csignal>

namespace testsupport {

namespace {

// A write beyond the limit fails instead of stopping the program.
void limitFileSize(qint64 bytes, rlim_t* before = nullptr) {
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit limit{};
  getrlimit(RLIMIT_FSIZE, &limit);
  if (before) *before = limit.rlim_cur;
  limit.rlim_cur = static_cast<rlim_t>(bytes);
  setrlimit(RLIMIT_FSIZE, &limit);
}

}  // namespace

SmallFileSystem::SmallFileSystem(qint64 bytes) : bytes_(bytes) {
  if (::geteuid() == 0) {
    const QByteArray options = "size=" + QByteArray::number(bytes);
    mounted_ = ::mount("tmpfs", QFile::encodeName(dir_.path()).constData(), "tmpfs", 0,
                       options.constData()) == 0;
  }
}

SmallFileSystem::~SmallFileSystem() {
  if (mounted_) ::umount2(QFile::encodeName(dir_.path()).constData(), MNT_DETACH);
}

SmallFileSystem::Scope::Scope(const SmallFileSystem& fs) : limited_(!fs.mounted()) {
  if (!limited_) return;
  rlim_t before = 0;
  limitFileSize(fs.fileLimit(), &before);
  before_ = before;
}

SmallFileSystem::Scope::~Scope() {
  if (!limited_) return;
  rlimit limit{};
  getrlimit(RLIMIT_FSIZE, &limit);
  limit.rlim_cur = static_cast<rlim_t>(before_);
  setrlimit(RLIMIT_FSIZE, &limit);
}

void SmallFileSystem::limit(QProcess& process) const {
  if (mounted_) return;
  const qint64 bytes = fileLimit();
  process.setChildProcessModifier([bytes] { limitFileSize(bytes); });
}

}  // namespace testsupport
