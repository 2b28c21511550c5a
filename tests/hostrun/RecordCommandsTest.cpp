// The test record of rv1x-host: the device and the technician that run
// records, its times and versions, a stored sequence's record kept unless
// given again, and the report and export of the results document.

#include <QDateTime>
#include <QDomDocument>
#include <QRegularExpression>

#include "HostRunFixture.h"

namespace hostruntest {
namespace {

// The attributes of the results document's record element, and its text.
struct StoredRecord {
  QDomElement device;
  QString technician;
  QDomElement run;
};

class RecordCommands : public HostRunTest {
 protected:
  StoredRecord storedRecord(const QString& name) {
    QFile file(path(name));
    if (!file.open(QIODevice::ReadOnly) || !dom_.setContent(&file)) return {};
    const QDomElement root = dom_.documentElement();
    return {root.firstChildElement(QStringLiteral("DeviceUnderTest")),
            root.firstChildElement(QStringLiteral("Technician")).text(),
            root.firstChildElement(QStringLiteral("Run"))};
  }

  QDomDocument dom_;
};

const QStringList kDevice{QStringLiteral("--device-model"),  QStringLiteral("D-200"),
                          QStringLiteral("--device-serial"), QStringLiteral("D200-0815"),
                          QStringLiteral("--device-id"),     QStringLiteral("BME, north"),
                          QStringLiteral("--technician"),    QStringLiteral("Alex Example")};

TEST_F(RecordCommands, RunRecordsTheDeviceTheTechnicianItsTimesAndTheVersions) {
  const ProgramRun run =
      host(QStringList{QStringLiteral("--unattended"), QStringLiteral("--simulate"),
                       QStringLiteral("run"), QStringLiteral("--tests"), QStringLiteral("100"),
                       QStringLiteral("--report"), QStringLiteral("report.pdf")} +
           kDevice + QStringList{QStringLiteral("1")});
  ASSERT_EQ(run.status, 0) << qPrintable(run.errors);
  const StoredRecord record = storedRecord(QStringLiteral("rv1x-results.xml"));
  EXPECT_EQ(record.device.attribute(QStringLiteral("Model")), QStringLiteral("D-200"));
  EXPECT_EQ(record.device.attribute(QStringLiteral("SerialNumber")), QStringLiteral("D200-0815"));
  EXPECT_EQ(record.device.attribute(QStringLiteral("AssetNumber")), QStringLiteral("BME, north"));
  EXPECT_EQ(record.technician, QStringLiteral("Alex Example"));
  EXPECT_EQ(record.run.attribute(QStringLiteral("HostVersion")), QStringLiteral("2.1.2"));
  EXPECT_FALSE(record.run.attribute(QStringLiteral("PlugInVersion")).isEmpty());
  const QRegularExpression iso(QStringLiteral(R"(^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d[+-]\d\d:\d\d$)"));
  const QString started = record.run.attribute(QStringLiteral("Started"));
  const QString ended = record.run.attribute(QStringLiteral("Ended"));
  EXPECT_TRUE(iso.match(started).hasMatch()) << qPrintable(started);
  EXPECT_TRUE(iso.match(ended).hasMatch()) << qPrintable(ended);
  EXPECT_LE(QDateTime::fromString(started, Qt::ISODate), QDateTime::fromString(ended, Qt::ISODate));

  // A stored sequence keeps its record unless an option gives it again
  // (for the same device: another's record is no start for this one's).
  const ProgramRun again =
      host({QStringLiteral("--unattended"), QStringLiteral("--simulate"), QStringLiteral("run"),
            QStringLiteral("--sequence"), QStringLiteral("rv1x-results.xml"),
            QStringLiteral("--results"), QStringLiteral("again.xml"), QStringLiteral("--device-id"),
            QStringLiteral("BME, south"), QStringLiteral("1")});
  ASSERT_EQ(again.status, 0) << qPrintable(again.errors);
  const StoredRecord kept = storedRecord(QStringLiteral("again.xml"));
  EXPECT_EQ(kept.device.attribute(QStringLiteral("Model")), QStringLiteral("D-200"));
  EXPECT_EQ(kept.device.attribute(QStringLiteral("SerialNumber")), QStringLiteral("D200-0815"));
  EXPECT_EQ(kept.device.attribute(QStringLiteral("AssetNumber")), QStringLiteral("BME, south"));
  EXPECT_EQ(kept.technician, QStringLiteral("Alex Example"));

  // The record's report and export from the results document.
  const ProgramRun report =
      host({QStringLiteral("report"), QStringLiteral("again.xml"), QStringLiteral("again.pdf")});
  EXPECT_EQ(report.status, 0) << qPrintable(report.errors);
  QFile pdf(path(QStringLiteral("again.pdf")));
  ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
  EXPECT_TRUE(pdf.read(5).startsWith("%PDF"));

  const ProgramRun exported =
      host({QStringLiteral("export"), QStringLiteral("again.xml"), QStringLiteral("again.csv")});
  EXPECT_EQ(exported.status, 0) << qPrintable(exported.errors);
  QFile csv(path(QStringLiteral("again.csv")));
  ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
  const QStringList lines =
      QString::fromUtf8(csv.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 3) << qPrintable(lines.join(u'\n'));
  EXPECT_TRUE(lines.at(0).startsWith(QStringLiteral("Device model,Device serial number,")));
  EXPECT_TRUE(lines.at(1).startsWith(
      QStringLiteral("D-200,D200-0815,\"BME, south\",Alex Example,%1,100,Charge time test,ENGY,")
          .arg(storedRecord(QStringLiteral("again.xml")).run.attribute(QStringLiteral("Started")))))
      << qPrintable(lines.at(1));
}

TEST_F(RecordCommands, ExportAnswersTwoWhenItsDocumentCannotBeReadAndSixtyFourForWrongArguments) {
  writeFile(QStringLiteral("garbled.xml"), QStringLiteral("<TestSequence><TestElement"));
  writeFile(QStringLiteral("other.xml"), QStringLiteral("<Other/>"));
  for (const char* in : {"missing.xml", "garbled.xml", "other.xml"}) {
    SCOPED_TRACE(in);
    const ProgramRun run =
        host({QStringLiteral("export"), QLatin1String(in), QStringLiteral("out.csv")});
    EXPECT_EQ(run.status, 2) << qPrintable(run.errors);
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("out.csv"))));
  }
  EXPECT_EQ(host({QStringLiteral("export"), QStringLiteral("only.xml")}).status, 64);
}

TEST_F(RecordCommands, ReportAndExportNeverWriteOverTheDocumentTheyRead) {
  const QByteArray stored =
      "<TestSequence><TestElement ClassName=\"RV1XTests.CTestSensitivity\" TestID=\"300\" "
      "ID=\"1\"/></TestSequence>";
  const QString in = writeFile(QStringLiteral("in.xml"), QString::fromLatin1(stored));
  for (const char* command : {"report", "export"}) {
    SCOPED_TRACE(command);
    const ProgramRun run = host({QLatin1String(command), QStringLiteral("in.xml"), in});
    EXPECT_EQ(run.status, 2) << qPrintable(run.errors);
    EXPECT_TRUE(run.errors.contains(QStringLiteral("would replace the sequence document it reads")))
        << qPrintable(run.errors);
    QFile kept(in);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), stored);
  }
}

}  // namespace
}  // namespace hostruntest
