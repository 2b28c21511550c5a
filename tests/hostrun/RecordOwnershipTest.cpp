// rv1x-host run keeps a record to one device and tells each result's
// moment: when a result was measured, on a simulated analyzer or not, who
// gave an operator's verdict, and a record of another device is never
// carried into this one's.

#include <QRegularExpression>

#include "HostRunFixture.h"

namespace hostruntest {
namespace {

QStringList simulatedRun(const QStringList& options) {
  return QStringList{QStringLiteral("--unattended"), QStringLiteral("--simulate"),
                     QStringLiteral("run")} +
         options + QStringList{QStringLiteral("1")};
}

// The attributes of each <ResultItem> of a results document, by test ID.
QMap<QString, QDomNamedNodeMap> resultAttributes(const QString& file) {
  QMap<QString, QDomNamedNodeMap> found;
  QFile in(file);
  QDomDocument document;
  if (!in.open(QIODevice::ReadOnly) || !document.setContent(&in)) return found;
  const QString entry = QStringLiteral("TestElement");
  for (QDomElement test = document.documentElement().firstChildElement(entry); !test.isNull();
       test = test.nextSiblingElement(entry)) {
    const QDomElement result = test.firstChildElement(QStringLiteral("ResultItem"));
    if (!result.isNull())
      found.insert(test.attribute(QStringLiteral("TestID")), result.attributes());
  }
  return found;
}

QString attribute(const QMap<QString, QDomNamedNodeMap>& results, const char* test,
                  const char* name) {
  const QDomNode node = results.value(QLatin1String(test)).namedItem(QLatin1String(name));
  return node.isNull() ? QStringLiteral("<none>") : node.nodeValue();
}

// Each result records when it was measured; a later run that does not
// perform the test keeps the result and says so instead of a status line.
TEST_F(HostRunTest, AKeptResultIsToldWithWhenItWasMeasuredNotAsThisRunsOutcome) {
  const QString results = QStringLiteral("day.xml");
  ASSERT_EQ(host(simulatedRun({QStringLiteral("--tests"), QStringLiteral("100,600"),
                               QStringLiteral("--results"), results}))
                .status,
            0);
  const auto first = resultAttributes(path(results));
  const QString measured = attribute(first, "100", "Measured");
  EXPECT_TRUE(QRegularExpression(QStringLiteral(R"(^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d[+-]\d\d:\d\d$)"))
                  .match(measured)
                  .hasMatch())
      << qPrintable(measured);
  // Who judged, and on what.
  EXPECT_EQ(attribute(first, "100", "Simulated"), QStringLiteral("True"));
  EXPECT_EQ(attribute(first, "100", "VerdictBy"), QStringLiteral("<none>")) << "a standard judged";
  EXPECT_EQ(attribute(first, "600", "VerdictBy"), QStringLiteral("script:(default plan)"));

  const ProgramRun later =
      host(simulatedRun({QStringLiteral("--sequence"), results, QStringLiteral("--results"),
                         results, QStringLiteral("--operator"),
                         writeFile(QStringLiteral("ops.txt"), "100 next\n600 pass\n")}));
  EXPECT_EQ(later.status, 1) << qPrintable(later.errors);
  EXPECT_EQ(later.output, QStringLiteral("test 600 status=1\n  PERF=True\nresults day.xml\n"));
  EXPECT_TRUE(later.errors.contains(
      QStringLiteral("test 100 not performed in this run; kept result status=1 measured %1\n")
          .arg(measured)))
      << qPrintable(later.errors);
  const auto second = resultAttributes(path(results));
  EXPECT_EQ(attribute(second, "100", "Measured"), measured) << "kept with its result";
  EXPECT_EQ(attribute(second, "600", "VerdictBy"), QStringLiteral("script:ops.txt"));
}

// The text of a page of a PDF, as poppler's pdftotext reads it.
QString pdfPageText(const QString& pdf, int page) {
  QProcess reader;
  reader.start(QStringLiteral("pdftotext"),
               {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                QString::number(page), pdf, QStringLiteral("-")});
  if (!reader.waitForFinished(60000)) return {};
  return QString::fromUtf8(reader.readAllStandardOutput());
}

// The report and the export of a simulated, scripted run say so: the
// report on its first page, the export in its last two columns.
TEST_F(HostRunTest, TheReportAndExportTellASimulatedAnalyzerAndAScriptedVerdict) {
  ASSERT_EQ(host(simulatedRun({QStringLiteral("--tests"), QStringLiteral("100,600"),
                               QStringLiteral("--device-serial"), QStringLiteral("DEF-0815"),
                               QStringLiteral("--report"), QStringLiteral("run.pdf")}))
                .status,
            0);
  const QString firstPage = pdfPageText(path(QStringLiteral("run.pdf")), 1);
  EXPECT_TRUE(firstPage.contains(QStringLiteral("Simulated analyzer: not a test of a real device")))
      << qPrintable(firstPage);
  EXPECT_TRUE(firstPage.contains(QStringLiteral("Script: (default plan)")))
      << qPrintable(firstPage);
  const ProgramRun exported = host(
      {QStringLiteral("export"), QStringLiteral("rv1x-results.xml"), QStringLiteral("run.csv")});
  ASSERT_EQ(exported.status, 0) << qPrintable(exported.errors);
  QFile csv(path(QStringLiteral("run.csv")));
  ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
  const QStringList lines =
      QString::fromUtf8(csv.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 4) << qPrintable(lines.join(u'\n'));
  EXPECT_TRUE(lines.at(0).endsWith(QStringLiteral(",Simulated,Verdict by")));
  EXPECT_TRUE(lines.at(1).endsWith(QStringLiteral(",True,"))) << qPrintable(lines.at(1));
  EXPECT_TRUE(lines.at(3).endsWith(QStringLiteral(",True,script:(default plan)")))
      << qPrintable(lines.at(3));
}

// A stored results document of device A, every test stopped before it
// measures: nothing of A may reach the record of device B.
const char kDeviceA[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<TestSequence>
  <DeviceUnderTest Model="DEF-1" SerialNumber="DEVICE-A" AssetNumber="ASSET-A"/>
  <Technician>Alex</Technician>
  <TestElement ClassName="RV1XTests.CTestChargeTime" TestID="100" ID="1">
    <ResultItem Measured="2025-03-04T09:16:00+01:00">
      <Status Code="1"/>
      <Measurement Key="ENGY"><Value Type="1" Kind="Double">360</Value><Status Code="1"/></Measurement>
      <Measurement Key="CHTI"><Value Type="1" Kind="Double">4.2</Value><Status Code="1"/></Measurement>
    </ResultItem>
  </TestElement>
</TestSequence>
)";

TEST_F(HostRunTest, ARunForDeviceBStartsFromDeviceARecordsSettingsOnly) {
  const QString recordA = writeFile(QStringLiteral("A.xml"), kDeviceA);
  const QString stopped = writeFile(QStringLiteral("ops.txt"), "100 next\n");
  const ProgramRun run =
      host(simulatedRun({QStringLiteral("--sequence"), recordA, QStringLiteral("--results"),
                         QStringLiteral("B.xml"), QStringLiteral("--device-serial"),
                         QStringLiteral("DEVICE-B"), QStringLiteral("--operator"), stopped}));
  EXPECT_EQ(run.status, 1) << qPrintable(run.errors);
  EXPECT_TRUE(run.errors.contains(
      QStringLiteral("the results in %1 were measured on DEF-1, serial number DEVICE-A, not on "
                     "serial number DEVICE-B: the run starts from the sequence's settings and "
                     "limits only")
          .arg(recordA)))
      << qPrintable(run.errors);
  EXPECT_TRUE(run.output.startsWith(QStringLiteral("test 100 status=0\n")))
      << qPrintable(run.output);
  EXPECT_EQ(storedTests(QStringLiteral("B.xml")), (QList<StoredTest>{{"100", 0}}));
  QFile written(path(QStringLiteral("B.xml")));
  ASSERT_TRUE(written.open(QIODevice::ReadOnly));
  const QString b = QString::fromUtf8(written.readAll());
  for (const char* fromA : {"DEVICE-A", "ASSET-A", "Alex", "Measured"})
    EXPECT_FALSE(b.contains(QLatin1String(fromA))) << fromA << "\n" << qPrintable(b);
  EXPECT_TRUE(b.contains(QStringLiteral("SerialNumber=\"DEVICE-B\"")));

  // The same device, by its serial number: the record goes on.
  const ProgramRun same =
      host(simulatedRun({QStringLiteral("--sequence"), recordA, QStringLiteral("--results"),
                         QStringLiteral("A2.xml"), QStringLiteral("--device-serial"),
                         QStringLiteral("device-a"), QStringLiteral("--operator"), stopped}));
  EXPECT_FALSE(same.errors.contains(QStringLiteral("measured on"))) << qPrintable(same.errors);
  EXPECT_EQ(storedTests(QStringLiteral("A2.xml")), (QList<StoredTest>{{"100", 1}}));
}

TEST_F(HostRunTest, AnotherDevicesRecordIsNotContinuedInPlace) {
  const struct {
    const char* what;
    QString stored;
    QString told;
  } cases[] = {
      {"device A's", QString::fromLatin1(kDeviceA),
       QStringLiteral("measured on DEF-1, serial number DEVICE-A: a run for DEF-2, serial number "
                      "DEVICE-B cannot continue them in place")},
      {"by model where one lacks a serial number",
       QString::fromLatin1(kDeviceA).replace(QStringLiteral(" SerialNumber=\"DEVICE-A\""),
                                             QString()),
       QStringLiteral("measured on model DEF-1: a run for DEF-2, serial number DEVICE-B")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const QString record = writeFile(QStringLiteral("A.xml"), c.stored);
    const ProgramRun run =
        host(simulatedRun({QStringLiteral("--sequence"), record, QStringLiteral("--results"),
                           record, QStringLiteral("--device-model"), QStringLiteral("DEF-2"),
                           QStringLiteral("--device-serial"), QStringLiteral("DEVICE-B")}));
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.errors.contains(c.told)) << qPrintable(run.errors);
    EXPECT_TRUE(run.output.isEmpty()) << qPrintable(run.output);
    QFile kept(record);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(kept.readAll()), c.stored) << "nothing written";
  }
}

// Results that name no device are another's when the run names one, unless
// the record is continued in place, which names its device from then on.
TEST_F(HostRunTest, ResultsNamingNoDeviceAreAnothersUnlessContinuedInPlace) {
  const QString unnamed = QString::fromLatin1(kDeviceA).replace(
      QStringLiteral("  <DeviceUnderTest Model=\"DEF-1\" SerialNumber=\"DEVICE-A\" "
                     "AssetNumber=\"ASSET-A\"/>\n"),
      QString());
  const QString record = writeFile(QStringLiteral("U.xml"), unnamed);
  const QString stopped = writeFile(QStringLiteral("ops.txt"), "100 next\n");
  const QStringList device{QStringLiteral("--device-serial"), QStringLiteral("DEVICE-B"),
                           QStringLiteral("--operator"), stopped};
  const ProgramRun elsewhere =
      host(simulatedRun(QStringList{QStringLiteral("--sequence"), record,
                                    QStringLiteral("--results"), QStringLiteral("B.xml")} +
                        device));
  EXPECT_TRUE(elsewhere.errors.contains(QStringLiteral("were measured on no device named")))
      << qPrintable(elsewhere.errors);
  EXPECT_EQ(storedTests(QStringLiteral("B.xml")), (QList<StoredTest>{{"100", 0}}));

  const ProgramRun inPlace = host(simulatedRun(
      QStringList{QStringLiteral("--sequence"), record, QStringLiteral("--results"), record} +
      device));
  EXPECT_FALSE(inPlace.errors.contains(QStringLiteral("measured on")))
      << qPrintable(inPlace.errors);
  EXPECT_EQ(storedTests(QStringLiteral("U.xml")), (QList<StoredTest>{{"100", 1}}));
}

}  // namespace
}  // namespace hostruntest
