// report and export of a record whose stored pass its own values
// contradict: they say so, print the test as not judged and answer 1.

#include "CatalogueResults.h"
#include "HostRunFixture.h"

namespace hostruntest {
namespace {

using testsupport::catalogueResults;

TEST_F(HostRunTest, ReportAndExportOfAPassItsValuesContradictSaySoAndAnswerOne) {
  QString edited = catalogueResults();
  const QString chargeTime = QStringLiteral("<Value Type=\"1\" Kind=\"Double\">4.2</Value>");
  ASSERT_TRUE(edited.contains(chargeTime));
  edited.replace(chargeTime, QStringLiteral("<Value Type=\"1\" Kind=\"Double\">99</Value>"));
  writeFile(QStringLiteral("edited.xml"), edited);
  const QString said = QStringLiteral(
      "test 100: Record inconsistent: stored Passed, the values fail CHTI high limit 15 s of "
      "IEC 60601-2-4: 99 s");
  for (const char* command : {"report", "export"}) {
    SCOPED_TRACE(command);
    const QString out = QStringLiteral("edited.") + QLatin1String(command);
    const ProgramRun run = host({QLatin1String(command), QStringLiteral("edited.xml"), out});
    EXPECT_EQ(run.status, 1) << qPrintable(run.errors);
    EXPECT_TRUE(run.errors.contains(said)) << qPrintable(run.errors);
    EXPECT_TRUE(QFile::exists(path(out)));
  }
  QFile csv(path(QStringLiteral("edited.export")));
  ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
  const QString rows = QString::fromUtf8(csv.readAll());
  EXPECT_TRUE(rows.contains(QStringLiteral(
      ",100,Charge time test,CHTI,Charge time,99,s,,15,Passed,Not judged,RV-15,SN-4711")))
      << qPrintable(rows);

  // The record as the run wrote it exports as it is.
  writeFile(QStringLiteral("stored.xml"), catalogueResults());
  const ProgramRun stored =
      host({QStringLiteral("export"), QStringLiteral("stored.xml"), QStringLiteral("stored.csv")});
  EXPECT_EQ(stored.status, 0) << qPrintable(stored.errors);
  EXPECT_FALSE(stored.errors.contains(QStringLiteral("Record inconsistent")));
}

}  // namespace
}  // namespace hostruntest
