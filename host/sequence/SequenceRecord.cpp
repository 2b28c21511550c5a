#include "sequence/SequenceRecord.h"

#include <QTimeZone>

namespace host {

namespace {

QString offsetText(int seconds) {
  const int minutes = std::abs(seconds) / 60;
  return QStringLiteral("%1%2:%3")
      .arg(QChar(seconds < 0 ? u'-' : u'+'))
      .arg(minutes / 60, 2, 10, QChar(u'0'))
      .arg(minutes % 60, 2, 10, QChar(u'0'));
}

}  // namespace

QString recordTime(const QDateTime& time) {
  return time.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")) + offsetText(time.offsetFromUtc());
}

QString recordTimeNow() {
  return recordTime(QDateTime::currentDateTime());
}

QString displayedRecordTime(const QString& stored) {
  const QDateTime time = QDateTime::fromString(stored, Qt::ISODate);
  if (!time.isValid()) return stored;
  return time.toString(QStringLiteral("yyyy-MM-dd HH:mm ")) + offsetText(time.offsetFromUtc());
}

}  // namespace host
