// rv1x-host run never loses a record: an earlier results file is written
// only when it is continued or the technician says so, and a stored result
// stays in it until the run gives a new final result.

#include "HostRunFixture.h"

namespace hostruntest {
namespace {

QStringList runOn(const QStringList& options,
                  const QString& simulate = QStringLiteral("--simulate")) {
  return QStringList{QStringLiteral("--unattended"), simulate, QStringLiteral("run")} + options +
         QStringList{QStringLiteral("1")};
}

QByteArray bytesOf(const QString& file) {
  QFile in(file);
  return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

TEST_F(HostRunTest, AnEarlierResultsFileIsWrittenOnlyWhenContinuedOrOverwritten) {
  const QString results = QStringLiteral("twice.xml");
  const QStringList first{QStringLiteral("--tests"), QStringLiteral("100"),
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
      {"the default results file", {QStringLiteral("--tests"), QStringLiteral("100")}, 0},
      {"the default results file again", {QStringLiteral("--tests"), QStringLiteral("100")}, 2},
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
  EXPECT_EQ(storedTests(results), (QList<StoredTest>{{"100", 1}}));
}

// A refractory test with its result of an earlier day.
const char kEarlierDay[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<TestSequence>
  <TestElement ClassName="RV1XTests.CTestRefractory" TestID="400" ID="1">
    <ResultItem>
      <Status Code="1"/>
      <Measurement Key="SENS"><Value Type="2" Kind="Single">251</Value><Status Code="1"/></Measurement>
      <Measurement Key="PACE"><Value Type="2" Kind="Single">301</Value><Status Code="1"/></Measurement>
    </ResultItem>
  </TestElement>
</TestSequence>
)";

TEST_F(HostRunTest, AStoredResultStaysInTheContinuedFileUntilANewOneReplacesIt) {
  // The pacer never starts, so a Stop always comes before a measurement.
  const QString noPacer = QStringLiteral("--simulate=pacer-polls=100000");
  const char* lines[] = {"400 skip", "400 abort", "400 play wait=0.5 stop wait-run next"};
  for (const char* line : lines) {
    SCOPED_TRACE(line);
    const QString stored = writeFile(QStringLiteral("day.xml"), kEarlierDay);
    const ProgramRun run =
        host(runOn({QStringLiteral("--sequence"), stored, QStringLiteral("--results"), stored,
                    QStringLiteral("--operator"), writeFile(QStringLiteral("operator.txt"), line)},
                   noPacer));
    EXPECT_EQ(run.status, 1) << "not passed this time";
    EXPECT_EQ(run.output, QStringLiteral("results ") + stored + u'\n');
    EXPECT_TRUE(run.errors.contains(QStringLiteral(
        "test 400 not performed in this run; kept result status=1 measured date not recorded\n")))
        << qPrintable(run.errors);
    QDomDocument document;
    QFile file(stored);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly) && document.setContent(&file));
    const QDomElement result = document.documentElement()
                                   .firstChildElement(QStringLiteral("TestElement"))
                                   .firstChildElement(QStringLiteral("ResultItem"));
    EXPECT_EQ(result.firstChildElement(QStringLiteral("Status")).attribute(QStringLiteral("Code")),
              QStringLiteral("1"));
    EXPECT_EQ(result.elementsByTagName(QStringLiteral("Measurement")).size(), 2);
    EXPECT_EQ(result.lastChildElement(QStringLiteral("Measurement"))
                  .firstChildElement(QStringLiteral("Value"))
                  .text(),
              QStringLiteral("301"));
  }
}

// Three tests whose earlier runs skipped the second and aborted the third.
const char kEarlierOutcomes[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<TestSequence>
  <TestElement ClassName="RV1XTests.CTestChargeTime" TestID="100" ID="1"/>
  <TestElement ClassName="RV1XTests.CTestSensitivity" TestID="300" ID="2"><RunOutcome>Skipped</RunOutcome></TestElement>
  <TestElement ClassName="RV1XTests.CTestRefractory" TestID="400" ID="3"><RunOutcome>Aborted</RunOutcome></TestElement>
</TestSequence>
)";

TEST_F(HostRunTest, AStoredRunOutcomeChangesOnlyWithANewOutcomeOfThisRun) {
  const struct {
    const char* script;
    QStringList outcomes;  // of 100, 300, 400 in the written document
  } cases[] = {
      {"100 abort", {"Aborted", "Skipped", "Aborted"}},  // 300 and 400 are not run
      {"300 next", {"", "Skipped", ""}},                 // 300 passed by without a result
      {"300 play wait-run next", {"", "", ""}},          // a new result ends the Skip
      {"300 play wait-run skip\n400 abort", {"", "Skipped", "Aborted"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.script);
    const QString stored = writeFile(QStringLiteral("outcomes.xml"), kEarlierOutcomes);
    const QString results = path(QStringLiteral("outcomes-results.xml"));
    QFile::remove(results);
    const ProgramRun run = host(
        runOn({QStringLiteral("--sequence"), stored, QStringLiteral("--results"), results,
               QStringLiteral("--operator"), writeFile(QStringLiteral("operator.txt"), c.script)}));
    EXPECT_NE(run.status, 2) << qPrintable(run.errors);
    QDomDocument document;
    QFile file(results);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly) && document.setContent(&file));
    QStringList outcomes;
    const QString entry = QStringLiteral("TestElement");
    for (QDomElement test = document.documentElement().firstChildElement(entry); !test.isNull();
         test = test.nextSiblingElement(entry))
      outcomes.append(test.firstChildElement(QStringLiteral("RunOutcome")).text());
    EXPECT_EQ(outcomes, c.outcomes);
  }
}

// A refractory test at 120 ppm on a 100 Ohm load whose load index cannot
// be read, beside a sensitivity test.
const char kUnreadSettings[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<TestSequence>
  <TestElement ClassName="RV1XTests.CTestRefractory" TestID="400" ID="1">
    <PlugInData PlugIn="RV-1X"><Load>100 Ohm</Load><Rate>120 ppm</Rate><RateIndex>6</RateIndex><LoadIndex>99999</LoadIndex><TestGuideSettings ButtonMask="11"/></PlugInData>
  </TestElement>
  <TestElement ClassName="RV1XTests.CTestSensitivity" TestID="300" ID="2"/>
</TestSequence>
)";

TEST_F(HostRunTest, AnElementWhoseSettingsCannotBeReadIsNotRunAndStaysAsStored) {
  const QString stored = writeFile(QStringLiteral("stored.xml"), kUnreadSettings);
  const ProgramRun run = host(runOn({QStringLiteral("--sequence"), stored}));
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.output,
            QStringLiteral("test 300 status=0\n  PADS=1.2\n  ECG=1.2\nresults rv1x-results.xml\n"))
      << "the run went on to the next test";
  EXPECT_TRUE(run.errors.contains(QStringLiteral("Test 400 (element 1) is not run")))
      << qPrintable(run.errors);
  const auto elementOf = [](const QString& file) {
    QDomDocument document;
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly) || !document.setContent(&in)) return QString();
    QString text;
    QTextStream stream(&text);
    document.documentElement().firstChildElement(QStringLiteral("TestElement")).save(stream, -1);
    return text;
  };
  EXPECT_EQ(elementOf(path(QStringLiteral("rv1x-results.xml"))), elementOf(stored));
}

}  // namespace
}  // namespace hostruntest
