// The printed result table: its header, its column format from the page
// width, its rows, the failed-only option, display in a comma locale, and
// the rendered page. Set RV1X_RESULT_REPORT to a file name to keep the PDF
// for a look.

#include <QFile>

#include "RecordingReport.h"
#include "ResultCases.h"
#include "report/HostReport.h"

namespace {

using namespace orvanRV1Xtst;
using namespace resultstest;

const QString kHeader =
    QStringLiteral("|{\\i\\b Result:}|{\\i\\b Preset Value}|{\\i\\b Value}|{\\i\\b Unit};");

// The arguments of the report's table calls, in order.
QList<QVariantList> tableCalls(const testsupport::ReportCalls& report) {
  QList<QVariantList> calls;
  for (const testsupport::ReportCall& call : report.calls())
    if (call.name.startsWith(QStringLiteral("Table")) || call.name == QStringLiteral("AddTable"))
      calls.append(QVariantList{call.name} + call.args);
  return calls;
}

class ResultReport : public ResultTest {
 protected:
  // The charge time judged: at most 15 s.
  ResultReport() {
    RunBench::bound(bench_.standard(QStringLiteral("Published")), QStringLiteral("CHTI"), 15.0f,
                    std::nullopt);
  }

  // A charge-time result of the energy and charge-time fields, judged.
  std::shared_ptr<CResultChargeTime> chargeTime(const char* energy, const char* time = "") {
    auto result = std::make_shared<CResultChargeTime>();
    result->Initialize(std::make_shared<CConfigChargeTime>());
    result->StoreResult(reply(40, {{1, energy}, {35, time}}));
    result->UpdateStatus(bench_.test, bench_.selected, false);
    return result;
  }

  LanguageScope english_{QStringLiteral("en")};
  RunBench bench_{100};
};

TEST_F(ResultReport, PrintsOneTableOfEveryMeasurementWithTheSequenceOfTheFamily) {
  auto report = std::make_shared<testsupport::RecordingReport>();
  report->setPageWidth(9760);
  chargeTime(" 355.0", "   4.2")->PrintReport(report, QVariant());
  const QList<QVariantList> calls = tableCalls(*report);
  ASSERT_EQ(calls.size(), 4);
  EXPECT_EQ(calls.at(0), (QVariantList{QStringLiteral("TableFontSize"), 7}));
  EXPECT_EQ(calls.at(1), (QVariantList{QStringLiteral("TableGrid"), false}));
  EXPECT_EQ(calls.at(2), (QVariantList{QStringLiteral("TableHeaderRows"), 1}));
  EXPECT_EQ(
      calls.at(3),
      (QVariantList{QStringLiteral("AddTable"),
                    QStringLiteral("<+560|<2240|>+1600|>+1600|^+1600|<+!1600|<+560;"), kHeader,
                    QStringLiteral("|      Energy|360.0|355.0|J;|      Charge time||4.2|s;"), 0, 0,
                    0}));
  EXPECT_TRUE(report->callNames().contains(QStringLiteral("PageWidth")));
}

TEST_F(ResultReport, ColumnsShareWhatThePageLeavesAfterTheFixedOnes) {
  for (const auto& [width, n] : {std::pair{9760, 1600}, {3363, 0}, {3360, 0}, {3000, -90}}) {
    auto report = std::make_shared<testsupport::RecordingReport>();
    report->setPageWidth(width);
    chargeTime(" 355.0")->PrintReport(report, QVariant());
    const QList<QVariantList> calls = tableCalls(*report);
    ASSERT_EQ(calls.size(), 4);
    EXPECT_EQ(calls.at(3).at(1),
              QVariant(QStringLiteral("<+560|<2240|>+%1|>+%1|^+%1|<+!%1|<+560;").arg(n)))
        << width;
  }
}

TEST_F(ResultReport, FailedOnlyPrintsNothingForAPassedResultAndTheFailedRowsOtherwise) {
  auto report = std::make_shared<testsupport::RecordingReport>();
  report->setOptionFlags(16);
  chargeTime(" 355.0", "   4.2")->PrintReport(report, QVariant());
  EXPECT_TRUE(tableCalls(*report).isEmpty());

  RunBench::bound(bench_.standard(QStringLiteral("IEC")), QStringLiteral("CHTI"), 4.0f,
                  std::nullopt);
  chargeTime(" 355.0", "   4.2")->PrintReport(report, QVariant());
  const QList<QVariantList> calls = tableCalls(*report);
  ASSERT_EQ(calls.size(), 4);
  EXPECT_EQ(calls.at(3).at(3), QVariant(QStringLiteral("|      Charge time||4.2|s;")));

  // Without a report nothing happens.
  EXPECT_EQ(errorOf([&] { chargeTime(" 355.0")->PrintReport(nullptr, QVariant()); }), 0);
}

TEST_F(ResultReport, ACommaLocaleShowsTheFractionsAndStoresPoints) {
  LocaleScope german(LocaleScope::german());
  auto report = std::make_shared<testsupport::RecordingReport>();
  auto result = chargeTime("  98.7", "   4.2");
  result->PrintReport(report, QVariant());
  const QList<QVariantList> calls = tableCalls(*report);
  ASSERT_EQ(calls.size(), 4);
  EXPECT_EQ(calls.at(3).at(3),
            QVariant(QStringLiteral("|      Energy|360,0|98,7|J;|      Charge time||4,2|s;")));
  EXPECT_EQ(result->ServiceRecord()->summary(), QStringLiteral("/98.7/4.2"));
  const host::XmlElementPtr stored = result->Save(document_);
  // Status, Standard, ServiceRecord, then the measurements.
  EXPECT_EQ(stored->ChildNodes()->Item(4)->SelectChild(QStringLiteral("Value"))->Text(),
            QStringLiteral("4.2"));
}

TEST_F(ResultReport, RendersThePrintedTables) {
  const QString keep = qEnvironmentVariable("RV1X_RESULT_REPORT");
  auto report = std::make_shared<testsupport::RecordingReport>(keep);
  chargeTime(" 355.0", "   4.2")->PrintReport(report, QVariant());

  RunBench accuracyBench(500);
  RunBench::bound(accuracyBench.standard(QStringLiteral("AAMI")), QStringLiteral("RATE"), 5.0f,
                  -5.0f, QStringLiteral("X+Y"));
  CResultAccuracy accuracy;
  accuracy.Initialize(std::make_shared<CConfigAccuracy>());
  accuracy.StoreResult(QStringLiteral("072      10.0     70.0"));
  accuracy.UpdateStatus(accuracyBench.test, accuracyBench.selected, false);
  accuracy.PrintReport(report, QVariant());

  auto config = std::make_shared<CConfigShock>();
  config->AddNew()->SetWaveFormIndex(7);
  CResultShock shock;
  shock.Initialize(config);
  shock.MeasurementList().Item(1)->SetValue(true);
  shock.UpdateStatus(accuracyBench.test, false);
  shock.PrintReport(report, QVariant());
  report->finish();

  EXPECT_EQ(report->pageCount(), 1);
  if (keep.isEmpty())
    EXPECT_FALSE(report->pdfData().isEmpty());
  else
    EXPECT_TRUE(report->fileWritten());
  EXPECT_EQ(tableCalls(*report).size(), 12);
  EXPECT_EQ(report->calls().last().name, QStringLiteral("AddTable"));
  EXPECT_EQ(report->calls().last().args.at(2).toString(),
            QStringLiteral("|      Asystolic|No shock|Shock|;|      NSR 90|No shock||;"));
}

}  // namespace
