// The record of a run: real test elements performed in turn by the host's
// scripted operator against the simulated analyzer, as rv1x-host run does,
// then the report of that sequence, the reprint of its results document, the
// export of its measurements and the report in German.

#include <QFile>
#include <QLocale>
#include <QProcess>
#include <QTemporaryDir>

#include "CatalogueResults.h"
#include "LanguageScope.h"
#include "LocaleScope.h"
#include "PerformFixture.h"
#include "PrintedText.h"
#include "QtPrinters.h"
#include "limits/Limit.h"
#include "limits/Standard.h"
#include "limits/StandardsCollection.h"
#include "report/HostReport.h"
#include "sequence/RecordReport.h"
#include "sequence/SequenceDocument.h"
#include "sequence/SequenceExport.h"
#include "sequence/TestVerdict.h"
#include "services/ErrorService.h"
#include "settings/CConfigChargeTime.h"
#include "typelib/ILimitData.h"

namespace {

using testsupport::catalogueResults;
using testsupport::printedRecord;
using testsupport::printedText;

using frametests::PerformTest;

// The texts a report was given, one line per call with its arguments.
QStringList givenTexts(const testsupport::ReportCalls& report) {
  QStringList lines;
  for (const testsupport::ReportCall& call : report.calls()) {
    QStringList args;
    for (const QVariant& arg : call.args) args.append(arg.toString());
    lines.append(call.name + u'(' + args.join(u',') + u')');
  }
  return lines;
}

// The text of each page of a PDF, as poppler's pdftotext reads it.
QStringList pdfPageTexts(const QString& pdf) {
  QProcess reader;
  reader.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
  if (!reader.waitForFinished(60000)) return {};
  QStringList pages = QString::fromUtf8(reader.readAllStandardOutput()).split(u'\f');
  if (!pages.isEmpty() && pages.last().trimmed().isEmpty()) pages.removeLast();
  return pages;
}

// The alignment the report was left with at each call.
QList<rt::Long> alignmentAtEachCall(const testsupport::ReportCalls& report) {
  QList<rt::Long> alignments;
  rt::Long alignment = 0;
  for (const testsupport::ReportCall& call : report.calls()) {
    if (call.name == QLatin1String("SetTextAlignment")) alignment = call.args.at(0).toInt();
    alignments.append(alignment);
  }
  return alignments;
}

class Record : public PerformTest {
 protected:
  // 100 passes, 600 fails by the operator's verdict, 700 is skipped, 200 is
  // aborted, and 300 is never reached: each of the record's ways out, the
  // way rv1x-host run keeps them.
  void RunSequence() {
    analyzer(QStringLiteral("range=H,energy=360"));
    const QString script = QStringLiteral("600 fail\n700 skip\n200 abort\n");
    const auto chargeTime = element(100);
    judgeByTheStandard(chargeTime);
    for (const auto& test :
         {chargeTime, performanceTest(1), element(700), element(200), element(300)})
      sequence.Append(test, frametests::progIdOf(test->TestID()));
    host::SequenceRecord record;
    record.device = {QStringLiteral("Defibrillator D-200"), QStringLiteral("D200-0815"),
                     QStringLiteral("BME, \"north\" wing")};
    record.technician = QStringLiteral("Alex Example");
    record.hostVersion = QStringLiteral("2.1.2");
    record.plugInVersion = QStringLiteral("2.3.1");
    sequence.SetRecord(record);
    sequence.SetRunTimes(QStringLiteral("2025-03-04T09:15:00+01:00"), QString());
    for (int i = 0; i < sequence.Count(); ++i) {
      const auto test = std::dynamic_pointer_cast<orvanRV1Xtst::CTestFrame>(sequence.Element(i));
      ctx->setSelectedStandards(sequence.JudgingStandards(i));
      perform(test, script);
      if (test->Result() && test->Result()->Status() != 0) {
        sequence.TakeFromElement(i);
        // Measured in this run; the operator's verdict given at the window.
        sequence.SetMarks(i, {QStringLiteral("2025-03-04T09:16:00+01:00"), QString(),
                              test->TestID() == 600 ? QStringLiteral("operator") : QString()});
      }
      const rt::Long code = ctx->NavigationCode();
      sequence.SetRunOutcome(i, code == host::navigation::Skip    ? host::runoutcome::Skipped
                                : code == host::navigation::Abort ? host::runoutcome::Aborted
                                                                  : QString());
      if (code == host::navigation::Abort) break;
    }
    sequence.SetRunTimes(QStringLiteral("2025-03-04T09:15:00+01:00"),
                         QStringLiteral("2025-03-04T09:21:30+01:00"));
  }

  static void judgeByTheStandard(const host::ITestElementPtr& test) {
    const host::StandardPtr standard =
        test->Limits()->CreateStandard(QStringLiteral("IEC 60601-2-4"), QStringLiteral("15 %"));
    const host::LimitPtr energy = standard->FindLimit(QStringLiteral("ENGY"));
    ASSERT_TRUE(energy);
    energy->SetOperator(0, QStringLiteral("X+(X*Y%)"));
    energy->SetValue(host::limitindex::High, 15);
    energy->SetValue(host::limitindex::Low, -15);
    energy->SetEnabled(host::limitindex::High, true);
    energy->SetEnabled(host::limitindex::Low, true);
    const host::LimitPtr chargeTime = standard->FindLimit(QStringLiteral("CHTI"));
    ASSERT_TRUE(chargeTime);
    chargeTime->SetOperator(0, QStringLiteral("Y"));
    chargeTime->SetValue(host::limitindex::High, 15);
    chargeTime->SetEnabled(host::limitindex::High, true);
  }

  // The results document as a later reprint reads it.
  void Reread(host::SequenceDocument& stored) { stored.LoadXml(sequence.ToXml()); }

  host::SequenceDocument sequence;
};

TEST_F(Record, AReprintOfTheResultsDocumentGivesTheRunsOwnReport) {
  RunSequence();
  const auto own = printedRecord(sequence);
  host::SequenceDocument stored;
  Reread(stored);
  ASSERT_EQ(stored.Count(), sequence.Count());
  const auto reprint = printedRecord(stored);

  const QStringList ownTexts = givenTexts(*own);
  const QStringList reprintTexts = givenTexts(*reprint);
  for (qsizetype i = 0; i < std::min(ownTexts.size(), reprintTexts.size()); ++i)
    ASSERT_EQ(ownTexts.at(i), reprintTexts.at(i)) << "call " << i;
  EXPECT_EQ(ownTexts.size(), reprintTexts.size());
  EXPECT_EQ(own->pageCount(), reprint->pageCount());

  // What the reprint says: the device, the technician, each way out in
  // words, and an overall verdict that a failure decides.
  const QString text = printedText(*reprint);
  for (const char* expected :
       {"Model}|Defibrillator D-200;", "Serial number}|D200-0815;",
        "Asset number}|BME, \"north\" wing;", "Technician}|Alex Example;",
        "Date and time}|2025-03-04 09:15 +01:00;", "Host version}|2.1.2;",
        "Plug-in version}|2.3.1;", "100|Test 100|IEC 60601-2-4|Passed;",
        "600|Test 600|Operator|Failed;", "700|Test 700||Skipped;", "200|Test 200||Aborted;",
        "300|Test 300||Not performed;", "Overall verdict: Failed", "Verdict: Skipped",
        "Verdict: Not performed", "Technician: Alex Example"})
    EXPECT_TRUE(text.contains(QLatin1String(expected))) << expected << "\n" << qPrintable(text);
}

// The report is laid out once, and still every page's foot names the
// number of pages it ends up with.
TEST_F(Record, EveryPageOfTheReportSaysWhichPageOfHowManyItIs) {
  RunSequence();
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("record.pdf"));
  const auto report = host::printRecordReport(sequence, file);
  ASSERT_TRUE(report->fileWritten());
  const int count = report->pageCount();
  ASSERT_GE(count, 2);
  const QStringList pages = pdfPageTexts(file);
  ASSERT_EQ(pages.size(), count);
  for (int page = 1; page <= count; ++page) {
    const QString text = pages.at(page - 1);
    EXPECT_TRUE(text.contains(QStringLiteral("page %1 of %2").arg(page).arg(count)))
        << page << "\n"
        << qPrintable(text);
    EXPECT_TRUE(text.contains(QStringLiteral("Serial number: D200-0815"))) << page;
  }
}

TEST_F(Record, EachAnalyzerIsNamedOnceAndBesideTheResultItMeasured) {
  // 600 and 700 were measured by an analyzer without a serial number, which
  // gets an entry for every result; 100 was skipped in the run that wrote it.
  QStringList elements = catalogueResults().split(QStringLiteral("<TestElement "));
  ASSERT_EQ(elements.size(), 8);
  elements[1].replace(QStringLiteral("</TestElement>"),
                      QStringLiteral("<RunOutcome>Skipped</RunOutcome></TestElement>"));
  elements[6].replace(QStringLiteral("MTI=\"2\""), QStringLiteral("MTI=\"3\""));
  elements[7].replace(QStringLiteral("MTI=\"2\""), QStringLiteral("MTI=\"4\""));
  elements[7].replace(QStringLiteral("</MTIList>"),
                      QStringLiteral("<MTI Product=\"RV-1X\" Index=\"3\" Type=\"RV-12P\"/>"
                                     "<MTI Product=\"RV-1X\" Index=\"4\" Type=\"RV-12P\"/>"
                                     "</MTIList>"));
  host::SequenceDocument stored;
  stored.LoadXml(elements.join(QStringLiteral("<TestElement ")));
  ASSERT_EQ(stored.Count(), 7);
  const auto report = printedRecord(stored);

  QStringList analyzerRows;
  QStringList analyzerLines;
  const QList<rt::Long> alignments = alignmentAtEachCall(*report);
  for (qsizetype i = 0; i < report->calls().size(); ++i) {
    const testsupport::ReportCall& call = report->calls().at(i);
    if (call.name == QLatin1String("AddTable") &&
        call.args.at(1).toString().contains(QLatin1String("Analyzer")))
      analyzerRows = call.args.at(2).toString().split(u';', Qt::SkipEmptyParts);
    if (call.name == QLatin1String("Text") &&
        call.args.at(0).toString().startsWith(QLatin1String("Analyzer:"))) {
      analyzerLines.append(call.args.at(0).toString());
      // Where the record's own lines stand, also after a printed curve.
      EXPECT_EQ(alignments.at(i), 0) << qPrintable(call.args.at(0).toString());
    }
  }
  EXPECT_EQ(analyzerRows,
            (QStringList{QStringLiteral("RV-15|SN-4711|2.1.0"),
                         QStringLiteral("RV-12P|12-0042|1.9"), QStringLiteral("RV-12P||")}));
  // Six results printed; the skipped test shows none, so names no analyzer.
  EXPECT_EQ(analyzerLines.size(), 6) << qPrintable(analyzerLines.join(u'\n'));
  EXPECT_EQ(analyzerLines.value(0),
            QStringLiteral("Analyzer: RV-15, Serial number: SN-4711, Firmware: 2.1.0"));
}

TEST_F(Record, ATestTheHostCannotReadKeepsTheRecordFromPassing) {
  analyzer(QStringLiteral("range=H,energy=360"));
  const auto chargeTime = element(100);
  judgeByTheStandard(chargeTime);
  sequence.Append(chargeTime, frametests::progIdOf(100));
  ctx->setSelectedStandards(sequence.JudgingStandards(0));
  perform(chargeTime);
  sequence.TakeFromElement(0);
  // A test of a plug-in this host does not have: what it recorded is unknown.
  QString xml = sequence.ToXml();
  xml.replace(QStringLiteral("</TestSequence>"),
              QStringLiteral("<TestElement ClassName=\"Other.CTestLeakage\" TestID=\"900\" "
                             "ID=\"2\"/></TestSequence>"));
  host::SequenceDocument stored;
  stored.LoadXml(xml);
  ASSERT_EQ(stored.RowCount(), 2);
  const QString text = printedText(*printedRecord(stored));
  for (const char* expected :
       {"100|Test 100|IEC 60601-2-4|Passed (date not recorded);",
        "900|Other.CTestLeakage||Not judged (the host cannot read this test);",
        "Overall verdict: Not judged"})
    EXPECT_TRUE(text.contains(QLatin1String(expected))) << expected << "\n" << qPrintable(text);
  const QString csv = QString::fromUtf8(host::measurementsCsv(stored));
  EXPECT_TRUE(csv.contains(QStringLiteral(",900,Other.CTestLeakage,,,,,,,,Not judged,,,,\r\n")))
      << qPrintable(csv);
}

TEST_F(Record, TheExportNeverHandsASpreadsheetAFormula) {
  QString results = catalogueResults();
  const QString pads = QStringLiteral("<Value Type=\"1\" Kind=\"Single\">1.2</Value>");
  ASSERT_TRUE(results.contains(pads));
  results.replace(results.indexOf(pads), pads.size(),
                  QStringLiteral("<Value Type=\"1\" Kind=\"Single\">-1.2</Value>"));
  host::SequenceDocument stored;
  stored.LoadXml(results);
  host::DeviceUnderTest device;
  device.model = QStringLiteral("=1+1");
  device.serialNumber = QStringLiteral("+SN");
  device.assetNumber = QStringLiteral("\tA-7");
  stored.SetDevice(device, QStringLiteral("@SUM(A1)"));
  const QString csv = QString::fromUtf8(host::measurementsCsv(stored));
  const QString row = csv.split(QStringLiteral("\r\n")).filter(QStringLiteral(",PADS,")).value(0);
  EXPECT_TRUE(row.startsWith(QStringLiteral("'=1+1,'+SN,'\tA-7,'@SUM(A1),"))) << qPrintable(row);
  // A number stays a number, negative or not.
  EXPECT_TRUE(row.contains(QStringLiteral(",-1.2,mV,"))) << qPrintable(row);
  for (const QString& line : csv.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts))
    EXPECT_FALSE(line.startsWith(u'=') || line.contains(QStringLiteral(",="))) << qPrintable(line);
}

TEST_F(Record, AStoredPassWithoutAMeasuredValueIsNotReadAsPassed) {
  // Edited by hand: the sensitivity result says passed, but holds no value.
  QStringList elements = catalogueResults().split(QStringLiteral("<TestElement "));
  ASSERT_EQ(elements.size(), 8);
  QString& sensitivity = elements[3];
  ASSERT_TRUE(sensitivity.contains(QLatin1String("TestID=\"300\"")));
  sensitivity.replace(QStringLiteral("<Status Code=\"0\">20652::no limit is enabled</Status>"),
                      QStringLiteral("<Status Code=\"1\"/>"));
  sensitivity.replace(QStringLiteral("Kind=\"Single\">1.2</Value>"),
                      QStringLiteral("Kind=\"Single\"></Value>"));
  host::SequenceDocument stored;
  stored.LoadXml(elements.join(QStringLiteral("<TestElement ")));
  ASSERT_EQ(stored.Count(), 7);
  EXPECT_EQ(host::verdictOf(stored, 2).verdict, host::Verdict::NotJudged);
  const QString text = printedText(*printedRecord(stored));
  EXPECT_TRUE(
      text.contains(QLatin1String("Not judged (the record of this pass holds no measured value)")))
      << qPrintable(text);
  EXPECT_TRUE(text.contains(QLatin1String("Overall verdict: Not judged"))) << qPrintable(text);
}

// A stored pass is checked against the standard its result names: the
// dangerous direction only, and only where the record says what judged it.
TEST_F(Record, AStoredPassItsValuesContradictIsNotReadAsPassed) {
  const QString iecResult = QStringLiteral(
      "      <Standard AlphaName=\"IEC 60601-2-4\" CompleteName=\"Energy within 15 % of the "
      "preset or 3 J, whichever is greater (IEC 60601-2-4); charge time at most 15 s at maximum "
      "energy (commonly published figure)\"/>\n");
  const QString chargeTime = QStringLiteral("<Value Type=\"1\" Kind=\"Double\">4.2</Value>");
  const QString chargeTimeStatus = QStringLiteral("<Unit>s</Unit>\n        <Status Code=\"1\"/>");
  const struct {
    const char* name;
    int test;  // the element edited (from 0)
    QString from, to;
    const char* fails;  // what the pass fails; empty: it stands as stored
  } cases[] = {
      {"a charge time beyond its limit", 0, chargeTime,
       QStringLiteral("<Value Type=\"1\" Kind=\"Double\">99</Value>"),
       "CHTI high limit 15 s of IEC 60601-2-4: 99 s"},
      {"a limited charge time without a value", 0, chargeTime, QString(),
       "CHTI high limit 15 s of IEC 60601-2-4: no value"},
      {"a charge time that is no number", 0, chargeTime,
       QStringLiteral("<Value Type=\"1\" Kind=\"Double\">nan</Value>"),
       "CHTI high limit 15 s of IEC 60601-2-4: "},
      {"a measurement stored as failed", 0, chargeTimeStatus,
       QStringLiteral("<Unit>s</Unit>\n        <Status Code=\"2\"/>"),
       "CHTI: 4.2 s stored as failed"},
      {"a standard the record holds no limits for", 0, iecResult,
       QStringLiteral("<Standard AlphaName=\"ISO 1\" CompleteName=\"ISO 1\"/>"),
       "ISO 1, whose limits the record does not hold"},
      {"no judging standard recorded: as stored", 0,
       iecResult + QStringLiteral("      <Measurement Key=\"ENGY\">"),
       QStringLiteral("      <Measurement Key=\"ENGY\">"), ""},
      {"the operator's verdict: as stored", 5, QStringLiteral("<Status Code=\"1\"/>"),
       QStringLiteral("<Status Code=\"1\"/><Standard AlphaName=\"ISO 1\" CompleteName=\"ISO 1\"/>"),
       ""},
      {"the record as a run wrote it", 0, QString(), QString(), ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    QStringList elements = catalogueResults().split(QStringLiteral("<TestElement "));
    ASSERT_EQ(elements.size(), 8);
    QString& edited = elements[c.test + 1];
    if (!c.from.isEmpty()) {
      ASSERT_TRUE(edited.contains(c.from));
      edited.replace(edited.indexOf(c.from), c.from.size(), c.to);
    }
    if (QString(QLatin1String(c.name)).startsWith(QLatin1String("no judging")))
      edited.replace(QStringLiteral("<Value Type=\"1\" Kind=\"Double\">4.2</Value>"),
                     QStringLiteral("<Value Type=\"1\" Kind=\"Double\">99</Value>"));
    host::SequenceDocument stored;
    stored.LoadXml(elements.join(QStringLiteral("<TestElement ")));
    ASSERT_EQ(stored.Count(), 7);
    const QString fails = host::passContradiction(stored, c.test);
    const host::TestVerdict verdict = host::verdictOf(stored, c.test);
    const auto reported = [] { return host::ErrorService::instance()->reported(); };
    const qsizetype before = reported().size();
    const int inconsistent = host::reportInconsistentRecords(stored);
    const QString text = printedText(*printedRecord(stored));
    const QString csv = QString::fromUtf8(host::measurementsCsv(stored));
    if (*c.fails == '\0') {
      EXPECT_TRUE(fails.isEmpty()) << qPrintable(fails);
      EXPECT_EQ(verdict.verdict, host::Verdict::Passed);
      EXPECT_EQ(inconsistent, 0);
      continue;
    }
    EXPECT_TRUE(fails.startsWith(QLatin1String(c.fails))) << qPrintable(fails);
    EXPECT_EQ(verdict.verdict, host::Verdict::NotJudged);
    const QString words =
        QStringLiteral("Record inconsistent: stored Passed, the values fail ") + fails;
    EXPECT_EQ(verdict.reason, words);
    EXPECT_EQ(inconsistent, 1);
    ASSERT_EQ(reported().size(), before + 1);
    EXPECT_EQ(reported().last().number, host::sequenceerr::InconsistentRecord);
    EXPECT_EQ(reported().last().description, QStringLiteral("test 100: ") + words);
    EXPECT_TRUE(text.contains(QStringLiteral("Not judged (%1)").arg(words))) << qPrintable(text);
    EXPECT_FALSE(text.contains(QLatin1String("Overall verdict: Passed")));
    for (const QString& row : csv.split(QStringLiteral("\r\n")))
      if (row.contains(QLatin1String(",100,Charge time test,"))) {
        EXPECT_TRUE(row.contains(QLatin1String(",Not judged,RV-15,"))) << qPrintable(row);
      }
  }
}

TEST_F(Record, TheVerdictOfTheWholeSequence) {
  using host::Verdict;
  const struct {
    QList<Verdict> tests;
    Verdict overall;
  } cases[] = {
      {{Verdict::Passed, Verdict::Passed}, Verdict::Passed},
      {{Verdict::Passed, Verdict::NotApplicable}, Verdict::Passed},
      {{Verdict::Passed, Verdict::Failed, Verdict::Aborted}, Verdict::Failed},
      {{Verdict::Passed, Verdict::Aborted, Verdict::NotPerformed}, Verdict::Aborted},
      {{Verdict::Passed, Verdict::Skipped}, Verdict::NotJudged},
      {{Verdict::Passed, Verdict::NotJudged}, Verdict::NotJudged},
      {{Verdict::Passed, Verdict::NotPerformed}, Verdict::NotJudged},
      // Nothing judged never reads as passed.
      {{Verdict::NotApplicable}, Verdict::NotJudged},
      {{}, Verdict::NotJudged},
  };
  for (const auto& c : cases) EXPECT_EQ(host::overallVerdict(c.tests), c.overall);
}

TEST_F(Record, TheExportHasARowPerMeasurementAndOneForATestWithout) {
  RunSequence();
  host::SequenceDocument stored;
  Reread(stored);
  // Numbers keep their "." in a German interface.
  const testsupport::LocaleScope german(testsupport::LocaleScope::german());
  const QStringList lines = QString::fromUtf8(host::measurementsCsv(stored))
                                .split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
  const QString device = QStringLiteral(
      "Defibrillator D-200,D200-0815,\"BME, \"\"north\"\" wing\",Alex Example,"
      "2025-03-04T09:15:00+01:00,");
  ASSERT_GE(lines.size(), 1);
  EXPECT_EQ(lines.at(0),
            QStringLiteral("Device model,Device serial number,Asset number,Technician,Date,"
                           "Test ID,Test name,Measurement key,Measurement name,Value,Unit,"
                           "Low limit,High limit,Measurement verdict,Test verdict,"
                           "Analyzer type,Analyzer serial number,Simulated,Verdict by"));
  EXPECT_EQ(lines.mid(1, 2),
            (QStringList{device + QStringLiteral("100,Test 100,ENGY,Energy,360,J,306,"
                                                 "414,Passed,Passed,,,,"),
                         device + QStringLiteral("100,Test 100,CHTI,Charge time,4.2,s,"
                                                 ",15,Passed,Passed,,,,")}));
  EXPECT_TRUE(lines.contains(device + QStringLiteral("700,Test 700,,,,,,,,Skipped,,,,")))
      << qPrintable(lines.join(u'\n'));
  EXPECT_TRUE(lines.contains(device + QStringLiteral("200,Test 200,,,,,,,,Aborted,,,,")));
  EXPECT_TRUE(lines.contains(device + QStringLiteral("300,Test 300,,,,,,,,Not performed,,,,")));
}

// A continued record can mix runs: each result says when it was measured,
// whether on a simulated analyzer, and who gave an operator's verdict; the
// marks survive a reprint, and the report and export tell them.
TEST_F(Record, EachResultSaysWhenAndOnWhatItWasMeasuredAndWhoJudged) {
  RunSequence();
  sequence.SetMarks(
      0, {QStringLiteral("2025-03-01T10:00:00+01:00"), QStringLiteral("True"), QString()});
  sequence.SetMarks(1, {QStringLiteral("2025-03-04T09:17:00+01:00"), QString(),
                        QStringLiteral("script:ops.txt")});
  const QString xml = sequence.ToXml();
  EXPECT_TRUE(
      xml.contains(QStringLiteral("Measured=\"2025-03-01T10:00:00+01:00\" Simulated=\"True\"")))
      << qPrintable(xml);
  host::SequenceDocument stored;
  stored.LoadXml(xml);
  EXPECT_EQ(stored.Problems().size(), 0) << "the marks are the document's, no part of the result";
  EXPECT_EQ(stored.Marks(1).verdictBy, QStringLiteral("script:ops.txt"));
  EXPECT_EQ(stored.ToXml(), xml) << "kept as stored";

  const auto report = printedRecord(stored);
  QString firstPage;
  for (const testsupport::ReportCall& call : report->calls()) {
    if (call.name == QLatin1String("NewPage")) break;
    if (call.name == QLatin1String("Text")) firstPage += call.args.at(0).toString() + u'\n';
  }
  EXPECT_TRUE(firstPage.contains(QStringLiteral("Simulated analyzer: not a test of a real device")))
      << qPrintable(firstPage);
  const QString text = printedText(*report);
  for (const char* expected :
       {"Results measured}|2025-03-01 10:00 +01:00 to 2025-03-04 09:17 +01:00;",
        "100|Test 100|IEC 60601-2-4|Passed (measured 2025-03-01 10:00 +01:00);",
        "600|Test 600|Script: ops.txt|Failed;", "Verdict by: Script: ops.txt",
        "Verdict: Passed (measured 2025-03-01 10:00 +01:00)"})
    EXPECT_TRUE(text.contains(QLatin1String(expected))) << expected << "\n" << qPrintable(text);
  EXPECT_EQ(text.count(QStringLiteral("Simulated analyzer: not a test of a real device")), 2)
      << "the first page and the section of the simulated result";

  const QStringList lines = QString::fromUtf8(host::measurementsCsv(stored))
                                .split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
  EXPECT_TRUE(lines.at(1).endsWith(QStringLiteral(",Passed,Passed,,,True,")))
      << qPrintable(lines.at(1));
  EXPECT_TRUE(
      lines.filter(QStringLiteral(",600,")).value(0).endsWith(QStringLiteral(",,script:ops.txt")))
      << qPrintable(lines.join(u'\n'));
}

TEST_F(Record, TheReportInGermanHasNoEnglishWordsOfTheHost) {
  RunSequence();
  const testsupport::LanguageScope german(QStringLiteral("de"));
  const QString text = printedText(*printedRecord(sequence));
  for (const char* english : {"Verdict", "Passed", "Failed", "Skipped", "Aborted", "Not performed",
                              "Energy", "Technician", "Summary", "Overall"})
    EXPECT_FALSE(text.contains(QLatin1String(english))) << english << "\n" << qPrintable(text);
  for (const char* german : {"Gesamturteil: Nicht bestanden", "Bestanden", "Übersprungen",
                             "Abgebrochen", "Nicht durchgeführt", "Prüfer"})
    EXPECT_TRUE(text.contains(QString::fromUtf8(german))) << german;
}

}  // namespace
