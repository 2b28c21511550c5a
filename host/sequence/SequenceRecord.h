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

// Whether the record names a device at all: a model or a serial number.
bool namesDevice(const DeviceUnderTest& device);
// Whether two records name one device: by serial number where both have
// one, else by model; a record that names none is no device.
bool sameDevice(const DeviceUnderTest& one, const DeviceUnderTest& other);
// The device in words: "RV-DEF, serial number 4711", "model RV-DEF",
// "serial number 4711", or "no device named".
QString deviceText(const DeviceUnderTest& device);

struct SequenceRecord {
  DeviceUnderTest device;
  QString technician;
  QString started;  // ISO 8601 with the offset from UTC
  QString ended;
  QString hostVersion;
  QString plugInVersion;
  bool operator==(const SequenceRecord&) const = default;
};

// What a results document records of one result beside it, as attributes
// of its <ResultItem>, since a continued record can mix runs:
//   Measured="2025-03-04T09:15:00+01:00"  when the result was measured
//   Simulated="True"                     its analyzer was simulated
//   VerdictBy="operator"                 who gave an operator's verdict: a
//                                        person, or "script:<file name>"
// Each is kept as stored until a run gives the test a new result.
struct ResultMarks {
  QString measured;   // ISO 8601 with the offset from UTC; empty: not recorded
  QString simulated;  // as stored: "True" when simulated
  QString verdictBy;
  bool isSimulated() const {
    return simulated.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
  }
  bool operator==(const ResultMarks&) const = default;
};

inline const QString kSimulatedMark = QStringLiteral("True");
inline const QString kVerdictByOperator = QStringLiteral("operator");
inline QString verdictByScript(const QString& fileName) {
  return QStringLiteral("script:") + fileName;
}

// The time as a record stores it: "2025-03-04T09:15:00+01:00" (seconds,
// the offset from UTC always written, "+00:00" for UTC itself).
QString recordTime(const QDateTime& time);
// What the run's clock reads now, as a record stores it.
QString recordTimeNow();
// A result's stored "Measured" time for people: displayedRecordTime, or
// "date not recorded" when the result has none.
QString measuredText(const QString& stored);
// A stored time for the report, "2025-03-04 09:15 +01:00"; a text that is
// not a stored time as it stands.
QString displayedRecordTime(const QString& stored);

}  // namespace host
