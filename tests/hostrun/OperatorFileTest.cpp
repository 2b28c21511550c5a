// rv1x-host run with an operator file: lines that cannot apply stop the run
// before the analyzer is touched, lines for tests outside the run are
// skipped with a notice, words the guide ignores are told, and no wait of
// the script outlasts --wait-limit.

#include "HostRunFixture.h"

namespace hostruntest {
namespace {

QStringList withOperator(const QString& file, const QStringList& options) {
  return QStringList{QStringLiteral("--unattended"), QStringLiteral("--simulate"),
                     QStringLiteral("run"), QStringLiteral("--operator"), file} +
         options + QStringList{QStringLiteral("1")};
}

TEST_F(HostRunTest, AnOperatorFileThatCannotApplyIsAUsageErrorNamingItsLine) {
  const struct {
    const char* script;
    const char* told;
  } cases[] = {
      {"# the technician's choices\n100 fail\n",
       "rv1x-host: operator script line 2: test 100 never takes \"fail\"\n"},
      {"700 fail\n", "rv1x-host: operator script line 1: test 700 never takes \"fail\"\n"},
      {"100 play\n901 skip\n",
       "rv1x-host: operator script line 2: the test catalogue has no test 901\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.script);
    const ProgramRun run =
        host(withOperator(writeFile(QStringLiteral("operator.txt"), QLatin1String(c.script)),
                          {QStringLiteral("--tests"), QStringLiteral("100,700")}));
    EXPECT_EQ(run.status, 64);
    EXPECT_TRUE(run.errors.contains(QLatin1String(c.told))) << qPrintable(run.errors);
    EXPECT_FALSE(run.errors.contains(QStringLiteral("running test"))) << qPrintable(run.errors);
    EXPECT_TRUE(run.output.isEmpty()) << qPrintable(run.output);
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("rv1x-results.xml"))));
  }
}

TEST_F(HostRunTest, AnOperatorFileServesRunsOfOtherTestsAndTellsWhatItIgnored) {
  const ProgramRun run =
      host(withOperator(writeFile(QStringLiteral("operator.txt"), "600 fail\n100 play skip\n"),
                        {QStringLiteral("--tests"), QStringLiteral("100")}));
  EXPECT_TRUE(run.errors.contains(QStringLiteral(
      "rv1x-host: operator script line 1: test 600 is not in this run; the line is skipped\n")))
      << qPrintable(run.errors);
  EXPECT_TRUE(run.errors.contains(
      QStringLiteral("operator: test 100: \"skip\" ignored: the guide did not take it while the "
                     "run was under way\n")))
      << qPrintable(run.errors);
  EXPECT_EQ(storedTests(QStringLiteral("rv1x-results.xml")), (QList<StoredTest>{{"100", 1}}));
}

// A pacer run goes on until it is stopped; a Next while it goes on is not
// taken, and the script has no wait: the wait limit still ends it.
TEST_F(HostRunTest, TheWaitLimitBoundsARunTheScriptNeverEnds) {
  for (const char* script : {"500 play next\n", "500 play wait-stored skip\n"}) {
    SCOPED_TRACE(script);
    const ProgramRun run = host(withOperator(
        writeFile(QStringLiteral("operator.txt"), QLatin1String(script)),
        {QStringLiteral("--tests"), QStringLiteral("500"), QStringLiteral("--wait-limit"),
         QStringLiteral("2"), QStringLiteral("--overwrite")}));
    EXPECT_EQ(run.status, 1) << qPrintable(run.errors);
    EXPECT_TRUE(
        run.errors.contains(QStringLiteral("rv1x-host: test 500 stopped after waiting 2 s")))
        << qPrintable(run.errors);
    EXPECT_TRUE(run.output.endsWith(QStringLiteral("results rv1x-results.xml\n")))
        << qPrintable(run.output);
  }
}

}  // namespace
}  // namespace hostruntest
