#include "ui/ClockTrace.h"

#include <QFile>
#include <QMutex>
#include <QMutexLocker>
#include <memory>

namespace ui {

namespace {

struct TraceFile {
  QMutex mutex;
  std::unique_ptr<QFile> file;

  TraceFile() {
    const QString path = qEnvironmentVariable("RV1X_TRACE");
    if (path.isEmpty()) return;
    file = std::make_unique<QFile>(path);
    if (!file->open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) file.reset();
  }
};

TraceFile& traceFile() {
  static TraceFile trace;
  return trace;
}

}  // namespace

bool tracing() {
  return traceFile().file != nullptr;
}

void traceInterval(const char* kind, qint64 from, qint64 to, const QString& what) {
  TraceFile& trace = traceFile();
  if (!trace.file) return;
  const QByteArray line = QByteArray(kind) + ' ' + QByteArray::number(from / 1e6, 'f', 3) + ' ' +
                          QByteArray::number(to / 1e6, 'f', 3) + ' ' + what.toUtf8() + '\n';
  const QMutexLocker lock(&trace.mutex);
  trace.file->write(line);
}

}  // namespace ui
