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

bool namesDevice(const DeviceUnderTest& device) {
  return !device.model.trimmed().isEmpty() || !device.serialNumber.trimmed().isEmpty();
}

bool sameDevice(const DeviceUnderTest& one, const DeviceUnderTest& other) {
  if (!namesDevice(one) || !namesDevice(other)) return false;
  const auto same = [](const QString& a, const QString& b) {
    return a.trimmed().compare(b.trimmed(), Qt::CaseInsensitive) == 0;
  };
  const bool serials =
      !one.serialNumber.trimmed().isEmpty() && !other.serialNumber.trimmed().isEmpty();
  return serials ? same(one.serialNumber, other.serialNumber) : same(one.model, other.model);
}

QString deviceText(const DeviceUnderTest& device) {
  const QString model = device.model.trimmed();
  const QString serial = device.serialNumber.trimmed();
  if (serial.isEmpty())
    return model.isEmpty() ? QStringLiteral("no device named") : QStringLiteral("model ") + model;
  const QString serialText = QStringLiteral("serial number ") + serial;
  return model.isEmpty() ? serialText : model + QStringLiteral(", ") + serialText;
}

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

QString measuredText(const QString& stored) {
  return stored.trimmed().isEmpty() ? QStringLiteral("date not recorded")
                                    : displayedRecordTime(stored);
}

}  // namespace host
