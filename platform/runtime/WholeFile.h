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

}  // namespace rt
