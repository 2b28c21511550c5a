// What a results document records of its run beside the tests (device,
// technician, times, versions) and of each test (what the run did instead
// of judging it), on the host's sequence document.

#include <gtest/gtest.h>

#include <QTimeZone>

#include "QtPrinters.h"
#include "TestSupport.h"
#include "com/CreateObject.h"
#include "sequence/SequenceDocument.h"
#include "services/ErrorService.h"
#include "typelib/ITestElement.h"
#include "xml/XmlDocument.h"

namespace {

const QString kFake = QStringLiteral("RV1XTest.FakeTestElement");
const QString kElement =
    QStringLiteral("<TestElement ClassName=\"RV1XTest.FakeTestElement\" TestID=\"900\" ID=\"1\"/>");

struct SequenceRecordTest : ::testing::Test {
  testsupport::TemporaryRegistry registry;
  host::SequenceDocument sequence;

  void SetUp() override {
    ASSERT_TRUE(
        testsupport::registerServer(testsupport::builtLibrary(QStringLiteral("rv1xfakeelements"))));
    host::ErrorService::instance()->clear();
  }
  static QString document(const QString& body) {
    return QStringLiteral(
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<TestSequence>%1</TestSequence>")
        .arg(body);
  }
  // The root's children by name, in their order.
  QStringList rootChildren() {
    auto doc = std::make_shared<host::XmlDocument>();
    doc->LoadXml(sequence.ToXml());
    const QDomDocument dom = doc->dom();
    QStringList names;
    for (QDomElement e = dom.documentElement().firstChildElement(); !e.isNull();
         e = e.nextSiblingElement())
      names.append(e.tagName());
    return names;
  }
};

host::SequenceRecord fullRecord() {
  host::SequenceRecord record;
  record.device = {QStringLiteral("D-200"), QStringLiteral("D200-0815"), QStringLiteral("BME-1")};
  record.technician = QStringLiteral("Alex Example");
  record.started = QStringLiteral("2025-03-04T09:15:00+01:00");
  record.ended = QStringLiteral("2025-03-04T09:21:30+01:00");
  record.hostVersion = QStringLiteral("2.1.2");
  record.plugInVersion = QStringLiteral("2.3.1");
  return record;
}

TEST_F(SequenceRecordTest, TheRecordComesBeforeTheTestsAndReadsBackAsItWasSet) {
  sequence.LoadXml(document(kElement));
  sequence.SetRecord(fullRecord());
  sequence.SetRunOutcome(0, host::runoutcome::Skipped);
  EXPECT_EQ(rootChildren(),
            (QStringList{QStringLiteral("DeviceUnderTest"), QStringLiteral("Technician"),
                         QStringLiteral("Run"), QStringLiteral("TestElement")}));
  host::SequenceDocument reread;
  reread.LoadXml(sequence.ToXml());
  EXPECT_EQ(reread.Record(), fullRecord());
  EXPECT_EQ(reread.RunOutcome(0), host::runoutcome::Skipped);
  EXPECT_EQ(reread.Problems().size(), 0);
  EXPECT_EQ(reread.ToXml(), sequence.ToXml());
}

TEST_F(SequenceRecordTest, AStoredRecordKeepsWhatIsNotGivenAgainAndWhatItDoesNotKnow) {
  sequence.LoadXml(document(
      QStringLiteral(
          "<DeviceUnderTest Model=\"D-200\" SerialNumber=\"OLD\" Room=\"4\"/>"
          "<Run Started=\"2025-01-01T08:00:00+01:00\" Ended=\"2025-01-01T08:30:00+01:00\"/>") +
      kElement));
  host::SequenceRecord given;
  given.device.serialNumber = QStringLiteral("D200-0815");
  given.technician = QStringLiteral("Alex Example");
  sequence.SetRecord(given);
  // A run that has started and not ended has no end.
  sequence.SetRunTimes(QStringLiteral("2025-03-04T09:15:00+01:00"), QString());
  const host::SequenceRecord record = sequence.Record();
  EXPECT_EQ(record.device.model, QStringLiteral("D-200"));
  EXPECT_EQ(record.device.serialNumber, QStringLiteral("D200-0815"));
  EXPECT_EQ(record.technician, QStringLiteral("Alex Example"));
  EXPECT_EQ(record.started, QStringLiteral("2025-03-04T09:15:00+01:00"));
  EXPECT_EQ(record.ended, QString());
  const QString xml = sequence.ToXml();
  EXPECT_TRUE(xml.contains(QStringLiteral("Room=\"4\""))) << qPrintable(xml);
  EXPECT_EQ(rootChildren(),
            (QStringList{QStringLiteral("DeviceUnderTest"), QStringLiteral("Technician"),
                         QStringLiteral("Run"), QStringLiteral("TestElement")}));
}

// The workbench's device fields: what the technician cleared is taken away,
// the rest of the record and what the host does not know stay.
TEST_F(SequenceRecordTest, TheDeviceIsWrittenAsGivenAFieldClearedTakenAway) {
  sequence.LoadXml(document(
      QStringLiteral("<DeviceUnderTest Model=\"D-200\" SerialNumber=\"old\" AssetNumber=\"BME-1\" "
                     "Ward=\"ICU\"/><Technician>Alex Example</Technician>"
                     "<Run Started=\"2025-03-04T09:15:00+01:00\"/>") +
      kElement));
  sequence.SetDevice({QStringLiteral("D-200"), QStringLiteral("D200-0815"), QString()},
                     QStringLiteral("R. Okafor"));
  host::SequenceRecord expected;
  expected.device = {QStringLiteral("D-200"), QStringLiteral("D200-0815"), QString()};
  expected.technician = QStringLiteral("R. Okafor");
  expected.started = QStringLiteral("2025-03-04T09:15:00+01:00");
  EXPECT_EQ(sequence.Record(), expected);
  EXPECT_TRUE(sequence.ToXml().contains(
      QStringLiteral("<DeviceUnderTest Model=\"D-200\" SerialNumber=\"D200-0815\" Ward=\"ICU\"/>")))
      << qPrintable(sequence.ToXml());
  // A record without a device gets one only for what is given.
  sequence.LoadXml(document(kElement));
  sequence.SetDevice({}, QString());
  EXPECT_EQ(rootChildren(), QStringList{QStringLiteral("TestElement")});
}

TEST_F(SequenceRecordTest, TimesAreIso8601WithTheirOffsetFromUtc) {
  const QDate day(2025, 3, 4);
  const QTime time(9, 15, 7);
  const struct {
    int offsetSeconds;
    const char* stored;
    const char* shown;
  } cases[] = {
      {0, "2025-03-04T09:15:07+00:00", "2025-03-04 09:15 +00:00"},
      {3600, "2025-03-04T09:15:07+01:00", "2025-03-04 09:15 +01:00"},
      {-(3 * 3600 + 1800), "2025-03-04T09:15:07-03:30", "2025-03-04 09:15 -03:30"},
  };
  for (const auto& c : cases) {
    const QDateTime at(day, time, QTimeZone(c.offsetSeconds));
    EXPECT_EQ(host::recordTime(at), QLatin1String(c.stored));
    EXPECT_EQ(host::displayedRecordTime(QLatin1String(c.stored)), QLatin1String(c.shown));
  }
  EXPECT_EQ(host::displayedRecordTime(QStringLiteral("yesterday")), QStringLiteral("yesterday"));
  EXPECT_TRUE(QDateTime::fromString(host::recordTimeNow(), Qt::ISODate).isValid());
}

}  // namespace
