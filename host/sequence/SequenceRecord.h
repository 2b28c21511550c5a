#pragma once
// What a results document records of its run beside the tests, as
// children of <TestSequence> before the first test:
//   <DeviceUnderTest Model="..." SerialNumber="..." AssetNumber="..."/>
//   <Technician>...</Technician>
//   <Run Started="2025-03-04T09:15:00+01:00" Ended="..." HostVersion="2.1.2"
//        PlugInVersion="2.3.1"/>
// The times are ISO 8601 with the offset from UTC, as the run's clock read
// them. Every field is optional and an absent one reads as an empty text;
// what else those elements hold is kept as it was stored.

#include <QDateTime>
#include <QString>

namespace host {

struct DeviceUnderTest {
  QString model;
  QString serialNumber;
  QString assetNumber;  // the hospital's asset number
  bool operator==(const DeviceUnderTest&) const = default;
};

struct SequenceRecord {
  DeviceUnderTest device;
  QString technician;
  QString started;  // ISO 8601 with the offset from UTC
  QString ended;
  QString hostVersion;
  QString plugInVersion;
  bool operator==(const SequenceRecord&) const = default;
};

// The time as a record stores it: "2025-03-04T09:15:00+01:00" (seconds,
// the offset from UTC always written, "+00:00" for UTC itself).
QString recordTime(const QDateTime& time);
// What the run's clock reads now, as a record stores it.
QString recordTimeNow();
// A stored time for the report, "2025-03-04 09:15 +01:00"; a text that is
// not a stored time as it stands.
QString displayedRecordTime(const QString& stored);

}  // namespace host
