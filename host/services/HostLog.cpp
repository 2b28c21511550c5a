#include "services/HostLog.h"

#include "runtime/Conversions.h"

namespace host {

HostLog::~HostLog() = default;

rt::Long HostLog::BeginStep(const QString& text, const QString& text2) {
  const rt::Long step = nextStep_++;
  entries_.append(LogEntry{LogEntry::Begin, step, text, text2, 0, 0});
  return step;
}

void HostLog::EndStep(rt::Long stepNo) {
  entries_.append(LogEntry{LogEntry::End, stepNo, QString(), QString(), 0, 0});
}

void HostLog::Message(rt::Long number, rt::Long severity, const QString& text,
                      const QVariantList& paramList) {
  QString filled = text;
  for (int i = 0; i < paramList.size(); ++i)
    filled.replace(QStringLiteral("%%%1").arg(i + 1), rt::cstr(paramList.at(i)));
  const rt::Long step = entries_.isEmpty() ? 0 : entries_.last().step;
  entries_.append(LogEntry{LogEntry::Message, step, filled, QString(), number, severity});
}

QList<rt::Long> HostLog::openSteps() const {
  QList<rt::Long> open;
  for (const LogEntry& e : entries_) {
    if (e.kind == LogEntry::Begin) open.append(e.step);
    if (e.kind == LogEntry::End) open.removeOne(e.step);
  }
  return open;
}

}  // namespace host
