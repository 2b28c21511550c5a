// A record holding a result, or one of its measurements, more than once:
// the report and the export show every copy, and copies that disagree never
// leave the record reading "Passed".

#include <QFile>

#include "CatalogueResults.h"
#include "PerformFixture.h"
#include "PrintedText.h"
#include "report/HostReport.h"
#include "sequence/RecordReport.h"
#include "sequence/SequenceDocument.h"
#include "sequence/SequenceExport.h"
#include "sequence/TestVerdict.h"

namespace {

using testsupport::catalogueResults;
using testsupport::printedRecord;
using testsupport::printedText;

using frametests::PerformTest;

// The stretch of text from the first `from` up to the end of the `to` after it.
QString stretch(const QString& text, const QString& from, const QString& to) {
  const qsizetype start = text.indexOf(from);
  const qsizetype end = text.indexOf(to, start);
  return start < 0 || end < 0 ? QString() : text.mid(start, end + to.size() - start);
}

// The charge time of 4.2 s passed, made into 99 s failed (or into another
// passing value).
QString chargeTimeOf(QString part, const QString& value, int status) {
  part.replace(QStringLiteral(">4.2<"), u'>' + value + u'<');
  return part.replace(QStringLiteral("Code=\"1\""), QStringLiteral("Code=\"%1\"").arg(status));
}

enum class Twice { Measurement, Result };

// The catalogue's record with test 100's charge time, or its whole result,
// stored twice: first the copy `first`, then the copy `second`.
QString storedTwice(Twice what, const QString& first, int firstStatus, const QString& second,
                    int secondStatus) {
  QStringList elements = catalogueResults().split(QStringLiteral("<TestElement "));
  QString& test = elements[1];
  const QString part =
      what == Twice::Measurement
          ? stretch(test, QStringLiteral("<Measurement Key=\"CHTI\">"),
                    QStringLiteral("</Measurement>"))
          : stretch(test, QStringLiteral("<ResultItem"), QStringLiteral("</ResultItem>"));
  test.replace(test.indexOf(part), part.size(),
               chargeTimeOf(part, first, firstStatus) + QStringLiteral("\n") +
                   chargeTimeOf(part, second, secondStatus));
  return elements.join(QStringLiteral("<TestElement "));
}

class StoredTwice : public PerformTest {};

TEST_F(StoredTwice, EveryCopyIsPrintedAndExportedAndDisagreeingCopiesNeverPass) {
  using host::Verdict;
  const struct {
    const char* name;
    Twice what;
    const char* first;
    int firstStatus;
    const char* second;
    int secondStatus;
    Verdict verdict;
    const char* reason;
    const char* overall;  // where the catalogue's own does not tell
  } cases[] = {
      {"a measurement, the failing copy first", Twice::Measurement, "99", 2, "4.2", 1,
       Verdict::Failed, "Failed (stored twice, and a copy failed)", "Overall verdict: Failed"},
      {"a measurement, the failing copy last", Twice::Measurement, "4.2", 1, "99", 2,
       Verdict::Failed, "Failed (stored twice, and a copy failed)", "Overall verdict: Failed"},
      {"a result, the failing copy first", Twice::Result, "99", 2, "4.2", 1, Verdict::Failed,
       "Failed (stored twice, and a copy failed)", "Overall verdict: Failed"},
      {"a result, both passing on other values", Twice::Result, "4.2", 1, "5.1", 1,
       Verdict::NotJudged, "Not judged (stored twice, and the copies disagree)",
       "Overall verdict: Not judged"},
      {"a result, the same copy twice", Twice::Result, "4.2", 1, "4.2", 1, Verdict::Passed,
       "Verdict: Passed", nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    host::SequenceDocument stored;
    stored.LoadXml(storedTwice(c.what, QLatin1String(c.first), c.firstStatus,
                               QLatin1String(c.second), c.secondStatus));
    ASSERT_EQ(stored.Count(), 7);
    EXPECT_EQ(host::verdictOf(stored, 0).verdict, c.verdict);
    const QString text = printedText(*printedRecord(stored));
    EXPECT_TRUE(text.contains(QLatin1String(c.reason))) << qPrintable(text);
    if (c.overall) {
      EXPECT_TRUE(text.contains(QLatin1String(c.overall))) << qPrintable(text);
    }
    // Both copies, each where it is stored.
    const QString copies =
        stretch(text, QStringLiteral("Stored more than once"), QStringLiteral("Verdict: "));
    const int firstResult = 1;
    const int secondResult = c.what == Twice::Result ? 2 : 1;
    for (const auto& [value, status, result] :
         {std::tuple{c.first, c.firstStatus, firstResult},
          std::tuple{c.second, c.secondStatus, secondResult}}) {
      const QString row = QStringLiteral("CHTI Charge time|%1 s|%2")
                              .arg(QLatin1String(value), status == 2 ? QStringLiteral("Failed")
                                                                     : QStringLiteral("Passed"));
      EXPECT_TRUE(copies.contains(row)) << qPrintable(row) << "\n" << qPrintable(copies);
      EXPECT_TRUE(copies.contains(QStringLiteral("result %1, line ").arg(result)));
    }
    const QString csv = QString::fromUtf8(host::measurementsCsv(stored));
    const QString testVerdict = host::verdictEnglish(c.verdict);
    for (const auto& [value, status] :
         {std::pair{c.first, c.firstStatus}, std::pair{c.second, c.secondStatus}}) {
      const QString row =
          QStringLiteral(",100,Charge time test,CHTI,Charge time,%1,s,,15,%2,%3,")
              .arg(QLatin1String(value),
                   status == 2 ? QStringLiteral("Failed") : QStringLiteral("Passed"), testVerdict);
      EXPECT_TRUE(csv.contains(row)) << qPrintable(row) << "\n" << qPrintable(csv);
    }
  }
}

}  // namespace
