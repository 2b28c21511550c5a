#pragma once
// A file replaced whole or not at all. The content goes into a temporary
// file in the same folder, every write checked, is flushed to the disk and
// checked for its size, and only then renamed over the file; until that
// rename the old file stays as it was, whatever happens to the program. A
// symbolic link is followed: the file it names is replaced, the link stays.
// The new file keeps the old one's permissions.
//
// Test equipment: with RV1X_WRITE_KILL=<file name>:<bytes> in the
// environment the program kills itself once that many bytes of a file of
// that name are written, between two writes.

#include <QByteArray>
#include <QString>
#include <optional>

#include "runtime/RuntimeError.h"

namespace rt {

// Nothing when the file now holds the content; else the error (61 disk
// full, 70 no permission, 76 no such folder, 75 otherwise) whose
// description names the file and why, the old file untouched.
std::optional<RuntimeError> replaceFileWhole(const QString& path, const QByteArray& content,
                                             const QString& source = QString());

// The same, raising the error.
void writeFileWhole(const QString& path, const QByteArray& content, const QString& source);

// The same, for content made piece by piece: each piece goes into the
// temporary file as it comes, so that a long document is never held whole.
// The file is replaced only by commit(); a writer dropped before it, or one
// whose writing failed, leaves the old file as it was and nothing beside it.
class WholeFileWriter {
 public:
  explicit WholeFileWriter(const QString& path, const QString& source = QString());
  ~WholeFileWriter();
  WholeFileWriter(const WholeFileWriter&) = delete;
  WholeFileWriter& operator=(const WholeFileWriter&) = delete;

  // After the first failure nothing more is written; commit() tells it.
  void write(const char* data, qint64 size);
  void write(const QByteArray& data) { write(data.constData(), data.size()); }
  // Nothing when the file now holds what was written; else the error, as
  // replaceFileWhole gives it.
  std::optional<RuntimeError> commit();

 private:
  void fail(const char* step);
  void abandon();

  QString path_, source_, target_;
  QByteArray temporary_;
  int fd_ = -1;
  qint64 written_ = 0;
  qint64 killAt_ = -1;
  std::optional<RuntimeError> error_;
};

}  // namespace rt
