// What a Perform leaves of the element's record: a stored result stays until
// a new final result replaces it, and the identity the operator typed is
// the one recorded with the final result.

#include "PerformFixture.h"
#include "PrintedText.h"
#include "QtPrinters.h"
#include "StoredElements.h"
#include "TestSupport.h"
#include "report/HostReport.h"
#include "sequence/RecordReport.h"
#include "sequence/SequenceDocument.h"
#include "sequence/SequenceExport.h"

namespace {

using namespace frametests;
using Kept = PerformTest;

// A refractory result as a results document stores it.
const QString kStoredResult = QStringLiteral(
    "<ResultItem><Status Code=\"1\"/>"
    "<Measurement Key=\"SENS\"><Value Type=\"2\" Kind=\"Single\">250</Value><Status Code=\"1\"/>"
    "</Measurement>"
    "<Measurement Key=\"PACE\"><Value Type=\"2\" Kind=\"Single\">300</Value><Status Code=\"1\"/>"
    "</Measurement></ResultItem>");

TEST_F(Kept, AStoredResultStaysUntilANewFinalResultReplacesIt) {
  const struct {
    const char* what;
    const char* analyzerOptions;
    const char* script;
    bool replaced;
  } cases[] = {
      {"stopped before it measured", "range=H", "400 play wait=0.5 stop wait-run next", false},
      {"a reply cut off as the analyzer hung up", "range=P,hangup=M", "400 play wait-run next",
       false},
      {"skipped", "range=P", "400 skip", false},
      {"stopped, then skipped", "range=H", "400 play wait=0.5 stop wait-run skip", false},
      {"aborted while it ran", "range=H", "400 play wait=0.5 abort", false},
      {"measured anew", "range=P", "400 play wait-run next", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    analyzer(QLatin1String(c.analyzerOptions));
    const auto test = element(400);
    test->Load(testsupport::xmlElement(kStoredResult), nullptr);
    const host::IResultDataPtr stored = test->Result();
    ASSERT_EQ(status(test), 1);
    perform(test, QLatin1String(c.script));
    EXPECT_EQ(test->Result() != stored, c.replaced);
    EXPECT_EQ(notified(test), c.replaced ? 1 : 0);
    if (c.replaced) continue;
    EXPECT_EQ(status(test), 1);
    EXPECT_EQ(test->Result()->Measurement(QStringLiteral("SENS"))->Value(), QVariant(250.0f));
    // Passing by it again shows and keeps the same record.
    perform(test, QStringLiteral("400 next"));
    EXPECT_EQ(test->Result(), stored);
    simulators_.clear();
  }
}

TEST_F(Kept, TheIdentityTypedBeforeTheWindowClosedIsTheOneRecorded) {
  // The performance test is finished by its verdict while the wave plays;
  // the identity comes after.
  analyzer(QStringLiteral("range=L"));
  const auto judged = performanceTest(30);
  perform(judged,
          QStringLiteral("600 play wait=0.5 verdict=pass wait-run tab=0 mti=RV-12P,4711,2.1.0 "
                         "next"));
  ASSERT_EQ(status(judged), 1);
  EXPECT_EQ(notified(judged), 1);
  const host::MtiEntryPtr recorded =
      ctx->MtiList()->Find(host::kProduct, judged->Result()->MTIID());
  ASSERT_TRUE(recorded);
  EXPECT_EQ(recorded->Serial(), QStringLiteral("4711"));
  EXPECT_EQ(recorded->Firmware(), QStringLiteral("2.1.0"));

  // Not applicable, and the identity typed when the operator comes back.
  const auto na = element(300);
  perform(na, QStringLiteral("300 na"));
  perform(na, QStringLiteral("300 tab=0 mti=RV-15,SN9,2.0 next"));
  EXPECT_EQ(status(na), 3);
  EXPECT_EQ(notified(na), 1) << "the host is told once";
  const host::MtiEntryPtr typed = ctx->MtiList()->Find(host::kProduct, na->Result()->MTIID());
  ASSERT_TRUE(typed);
  EXPECT_EQ(typed->MtiType(), QStringLiteral("RV-15"));
  EXPECT_EQ(typed->Serial(), QStringLiteral("SN9"));
  const rt::Long entries = ctx->MtiList()->Count();
  perform(na, QStringLiteral("300 next"));
  EXPECT_EQ(ctx->MtiList()->Count(), entries) << "the same identity is not registered again";
}

// The identities travel with the document: its results' indexes resolve
// after a reload, those stored stay as they were, a run's are added.
TEST_F(Kept, TheDocumentsIdentitiesResolveItsResultsAndTakeTheRunsOwn) {
  const QString stored =
      QStringLiteral(
          "<TestSequence><MTIList>"
          "<MTI Product=\"RV-1X\" Index=\"1\" Type=\"RV-11\" Serial=\"A1\" Firmware=\"1.0\"/>"
          "<!-- the bench analyzer -->"
          "<MTI Product=\"RV-1X\" Index=\"2\" Type=\"RV-15\" Serial=\"SN9\" Firmware=\"2.0\" "
          "Calibrated=\"2024-05\"/>"
          "<MTI Product=\"Other\" Index=\"2\" Type=\"X\"/>"
          "</MTIList>"
          "<TestElement ClassName=\"RV1XTests.CTestRefractory\" TestID=\"400\" ID=\"1\">%1"
          "</TestElement>"
          "<TestElement ClassName=\"RV1XTests.CTestSensitivity\" TestID=\"300\" ID=\"2\"/>"
          "</TestSequence>")
          .arg(QString(kStoredResult)
                   .replace(QStringLiteral("<ResultItem>"),
                            QStringLiteral("<ResultItem MTI=\"2\">")));
  host::SequenceDocument sequence;
  sequence.LoadXml(stored);
  EXPECT_EQ(sequence.Problems().size(), 0);
  ASSERT_TRUE(sequence.AnalyzerOf(0));
  EXPECT_EQ(sequence.AnalyzerOf(0)->Serial(), QStringLiteral("SN9"));
  EXPECT_FALSE(sequence.AnalyzerOf(1)) << "a test without result";
  EXPECT_EQ(sequence.Identities()->Count(), 3) << "another product's identity is kept too";

  // A run on the document's list registers the new analyzer after them.
  analyzer(QStringLiteral("range=P"));
  ctx->setMtiList(sequence.Identities());
  perform(com::cast<orvanRV1Xtst::CTestFrame>(sequence.Element(1)),
          QStringLiteral("300 play wait-run tab=0 mti=RV-12P,4711,2.1.0 next"));
  ASSERT_EQ(notified(sequence.Element(1)), 1);
  EXPECT_EQ(sequence.Element(1)->Result()->MTIID(), 3);
  sequence.TakeFromElement(1);

  host::SequenceDocument reloaded;
  const QString written = sequence.ToXml();
  reloaded.LoadXml(written);
  EXPECT_EQ(reloaded.Problems().size(), 0) << qPrintable(written);
  for (const QString& kept :
       {QStringLiteral("<!-- the bench analyzer -->"), QStringLiteral("Calibrated=\"2024-05\""),
        QStringLiteral("Product=\"Other\"")})
    EXPECT_TRUE(written.contains(kept)) << qPrintable(kept);
  ASSERT_TRUE(reloaded.AnalyzerOf(1));
  EXPECT_EQ(reloaded.AnalyzerOf(1)->MtiType(), QStringLiteral("RV-12P"));
  EXPECT_EQ(reloaded.AnalyzerOf(1)->Firmware(), QStringLiteral("2.1.0"));
  EXPECT_EQ(reloaded.AnalyzerOf(0)->Serial(), QStringLiteral("SN9"));
  EXPECT_LT(written.indexOf(QStringLiteral("<MTIList")),
            written.indexOf(QStringLiteral("<TestElement")))
      << "in its place";
}

// The record names each result's analyzer: the title block lists those
// used, each test's section its own, the export its type and serial.
TEST_F(Kept, TheRecordNamesTheAnalyzerOfEachResult) {
  const auto withIndex = [](const char* index) {
    return QString(kStoredResult)
        .replace(QStringLiteral("<ResultItem>"),
                 QStringLiteral("<ResultItem MTI=\"%1\">").arg(QLatin1String(index)));
  };
  host::SequenceDocument sequence;
  sequence.LoadXml(
      QStringLiteral("<TestSequence>"
                     "<TestElement ClassName=\"RV1XTests.CTestRefractory\" TestID=\"400\" "
                     "ID=\"1\">%1</TestElement>"
                     "<TestElement ClassName=\"RV1XTests.CTestRefractory\" TestID=\"400\" "
                     "ID=\"2\">%2</TestElement>"
                     "<MTIList><MTI Product=\"RV-1X\" Index=\"4\" Type=\"RV-15\" "
                     "Serial=\"SN9\" Firmware=\"2.0\"/></MTIList></TestSequence>")
          .arg(withIndex("4"), withIndex("7")));
  const std::shared_ptr<testsupport::RecordingCanvasReport> report =
      testsupport::printedRecord(sequence);
  QStringList lines;
  QString tables;
  for (const testsupport::ReportCall& call : report->calls()) {
    if (call.name == QLatin1String("Text")) lines.append(call.args.at(0).toString());
    if (call.name == QLatin1String("AddTable")) tables += call.args.at(2).toString();
  }
  EXPECT_TRUE(lines.contains(QStringLiteral("Analyzer: RV-15, Serial number: SN9, Firmware: 2.0")))
      << qPrintable(lines.join(u'\n'));
  EXPECT_TRUE(lines.contains(QStringLiteral("Analyzer: not recorded")))
      << "an index the list does not hold";
  EXPECT_TRUE(tables.contains(QStringLiteral("RV-15|SN9|2.0;"))) << qPrintable(tables);
  const QString csv = QString::fromUtf8(host::measurementsCsv(sequence));
  EXPECT_TRUE(csv.contains(QStringLiteral(",RV-15,SN9,,\r\n"))) << qPrintable(csv);
}

}  // namespace
