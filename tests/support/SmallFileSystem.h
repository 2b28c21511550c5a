#pragma once
// A folder that fills up: a file system of its own of that size (a tmpfs)
// when the test runs as root and may mount one, else a file-size limit
// (setrlimit RLIMIT_FSIZE) of half that size, laid on this process within
// a scope or on a child program. Either way a new file of more than half
// the size does not fit beside an old one of as much, and the program that
// writes it sees the write fail (ENOSPC, EFBIG) rather than being stopped.

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

namespace testsupport {

class SmallFileSystem {
 public:
  explicit SmallFileSystem(qint64 bytes);
  ~SmallFileSystem();
  SmallFileSystem(const SmallFileSystem&) = delete;
  SmallFileSystem& operator=(const SmallFileSystem&) = delete;

  bool mounted() const { return mounted_; }
  QString path() const { return dir_.path(); }
  QString filePath(const QString& name) const { return dir_.filePath(name); }
  // The largest file that fits (half the size).
  qint64 fileLimit() const { return bytes_ / 2; }

  // The limit on this process while it lives (nothing on a tmpfs).
  class Scope {
   public:
    explicit Scope(const SmallFileSystem& fs);
    ~Scope();
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

   private:
    bool limited_ = false;
    unsigned long long before_ = 0;
  };

  // The limit on a program started with this process (nothing on a tmpfs).
  void limit(QProcess& process) const;

 private:
  QTemporaryDir dir_;
  qint64 bytes_;
  bool mounted_ = false;
};

}  // namespace testsupport
