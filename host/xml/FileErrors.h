#pragma once
// The run-time error of a file that could not be opened, read or written:
// 53 when it is not there, 70 without permission, 75 otherwise; the
// description names the file.

#include <QFileDevice>
#include <QString>

namespace host {

[[noreturn]] void raiseFileError(const QFileDevice& file, const QString& path,
                                 const QString& source);

}  // namespace host
