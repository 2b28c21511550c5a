// report and export of a record holding a result, or a measurement, twice:
// they say so, as resave does, and answer 1.

#include "CatalogueResults.h"
#include "HostRunFixture.h"

namespace hostruntest {
namespace {

using testsupport::catalogueResults;

TEST_F(HostRunTest, ReportAndExportOfAPartStoredTwiceSaySoAndAnswerOne) {
  const QString record = catalogueResults();
  const qsizetype start = record.indexOf(QStringLiteral("<ResultItem"));
  const qsizetype end = record.indexOf(QStringLiteral("</ResultItem>"), start) + 13;
  const QString result = record.mid(start, end - start);
  const qsizetype at = result.indexOf(QStringLiteral("<Measurement Key=\"CHTI\">"));
  const QString chargeTime =
      result.mid(at, result.indexOf(QStringLiteral("</Measurement>"), at) + 14 - at);
  // The failing copy first: the element keeps the last.
  const auto failing = [](QString part) {
    part.replace(QStringLiteral(">4.2<"), QStringLiteral(">99<"));
    return part.replace(QStringLiteral("Code=\"1\""), QStringLiteral("Code=\"2\""));
  };
  const struct {
    const char* what;
    QString part;
    const char* told;
  } cases[] = {
      {"a measurement twice", chargeTime, "more than once"},
      {"a result twice", result, "holds <ResultItem> twice"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    QString edited = record;
    edited.replace(edited.indexOf(c.part), c.part.size(), failing(c.part) + c.part);
    writeFile(QStringLiteral("twice.xml"), edited);
    for (const char* command : {"report", "export"}) {
      SCOPED_TRACE(command);
      const QString out = QStringLiteral("twice.") + QLatin1String(command);
      const ProgramRun run = host({QLatin1String(command), QStringLiteral("twice.xml"), out});
      EXPECT_EQ(run.status, 1) << qPrintable(run.errors);
      EXPECT_EQ(run.errors.count(QLatin1String(c.told)), 1) << qPrintable(run.errors);
      EXPECT_TRUE(QFile::exists(path(out)));
    }
    QFile csv(path(QStringLiteral("twice.export")));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const QString rows = QString::fromUtf8(csv.readAll());
    for (const char* row : {",100,Charge time test,CHTI,Charge time,99,s,,15,Failed,Failed,",
                            ",100,Charge time test,CHTI,Charge time,4.2,s,,15,Passed,Failed,"})
      EXPECT_TRUE(rows.contains(QLatin1String(row))) << row << "\n" << qPrintable(rows);
  }
}

}  // namespace
}  // namespace hostruntest
