#pragma once
// Notices: what went wrong without failing the operation that met it (a line
// of a stored file that cannot be read and is kept as it is, a character a
// document cannot hold). Each is written to standard error as
// "<area>: <text>" and kept, in order, for whoever asks (the host program's
// log, the tests).

#include <QString>
#include <QStringList>

namespace rt {

void notice(const QString& area, const QString& text);

// "<area>: <text>" of every notice so far.
QStringList notices();
void clearNotices();

}  // namespace rt
