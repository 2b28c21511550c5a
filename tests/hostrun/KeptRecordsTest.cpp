// rv1x-host run never loses a record: an earlier results file is written
// only when it is continued or the technician says so.

#include "HostRunFixture.h"

namespace hostruntest {
namespace {

QStringList runOn(const QStringList& options) {
  return QStringList{QStringLiteral("--unattended"), QStringLiteral("--simulate"),
                     QStringLiteral("run")} +
         options + QStringList{QStringLiteral("1")};
}

QByteArray bytesOf(const QString& file) {
  QFile in(file);
  return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

TEST_F(HostRunTest, AnEarlierResultsFileIsWrittenOnlyWhenContinuedOrOverwritten) {
  const QString results = QStringLiteral("twice.xml");
  const QStringList first{QStringLiteral("--tests"), QStringLiteral("300"),
                          QStringLiteral("--results"), results};
  ASSERT_EQ(host(runOn(first)).status, 0);
  const QByteArray earlier = bytesOf(path(results));

  const struct {
    const char* what;
    QStringList options;
    int status;
  } cases[] = {
      {"a second run", first, 2},
      {"another sequence into it",
       {QStringLiteral("--sequence"), writeFile(QStringLiteral("other.xml"), "<TestSequence/>"),
        QStringLiteral("--results"), results},
       2},
      {"the default results file", {QStringLiteral("--tests"), QStringLiteral("300")}, 0},
      {"the default results file again", {QStringLiteral("--tests"), QStringLiteral("300")}, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const ProgramRun run = host(runOn(c.options));
    EXPECT_EQ(run.status, c.status) << qPrintable(run.errors);
    if (c.status != 2) continue;
    EXPECT_TRUE(run.errors.contains(QStringLiteral("exists"))) << qPrintable(run.errors);
    EXPECT_TRUE(run.output.isEmpty()) << qPrintable(run.output);
    EXPECT_EQ(bytesOf(path(results)), earlier);
  }

  // The sequence it holds, continued into itself, and a run that means it.
  const ProgramRun continued =
      host(runOn({QStringLiteral("--sequence"), results, QStringLiteral("--results"),
                  QStringLiteral("./") + results}));
  EXPECT_EQ(continued.status, 0) << qPrintable(continued.errors);
  const ProgramRun overwritten = host(runOn(first + QStringList{QStringLiteral("--overwrite")}));
  EXPECT_EQ(overwritten.status, 0) << qPrintable(overwritten.errors);
  EXPECT_EQ(storedTests(results), (QList<StoredTest>{{"300", 1}}));
}

}  // namespace
}  // namespace hostruntest
