// rv1x-host run: the whole catalogue on the simulated analyzer, a run on
// rv1x-sim's own device, the operator file, a stored sequence, the runs that
// cannot start, and the results document of a run that breaks off.

#include <QDir>
#include <QImage>

#include "HostRunFixture.h"

namespace hostruntest {
namespace {

const QStringList kUnattended{QStringLiteral("--unattended"), QStringLiteral("--simulate"),
                              QStringLiteral("run")};

QStringList unattendedRun(const QStringList& options) {
  return kUnattended + options + QStringList{QStringLiteral("1")};
}

TEST_F(HostRunTest, TheWholeCatalogueOnTheSimulatedAnalyzer) {
  // Each of the seven end to end, as the technician sees it: real time.
  onRealTime();
  const ProgramRun run =
      host(unattendedRun({QStringLiteral("--report"), QStringLiteral("report.pdf"),
                          QStringLiteral("--screenshots"), QStringLiteral("shots")}));
  // The pacer tests' shipped standard enables no limit: they are measured,
  // not judged, and the run says why.
  EXPECT_EQ(run.output, QStringLiteral("test 100 status=1\n  ENGY=360\n  CHTI=4.2\n"
                                       "test 200 status=1\n  ENGY=100\n  DELY=4.5\n  PEKI=30.4\n"
                                       "  PEKU=1520\n"
                                       "test 300 status=0\n  PADS=1.2\n  ECG=1.2\n"
                                       "test 400 status=0\n  SENS=250\n  PACE=300\n"
                                       "test 500 status=0\n  RATE=40\n  AMPL=30\n  PWID=10\n"
                                       "test 600 status=1\n  PERF=True\n"
                                       "test 700 status=1\n  ::1=False\n"
                                       "results rv1x-results.xml\n"
                                       "report report.pdf\n"));
  EXPECT_EQ(run.status, 1) << qPrintable(run.errors);
  for (const char* id : {"300", "400", "500"})
    EXPECT_TRUE(run.errors.contains(
        QStringLiteral("test %1 not judged: no limit is enabled\n").arg(QLatin1String(id))))
        << qPrintable(run.errors);
  EXPECT_EQ(run.errors.count(QStringLiteral(" not judged: ")), 3);
  EXPECT_EQ(
      storedTests(QStringLiteral("rv1x-results.xml")),
      (QList<StoredTest>{
          {"100", 1}, {"200", 1}, {"300", 0}, {"400", 0}, {"500", 0}, {"600", 1}, {"700", 1}}));
  // Its progress, on standard error.
  EXPECT_EQ(run.errors.split(u'\n').filter(QStringLiteral("running test ")),
            (QStringList{"running test 100 Charge time test (1 of 7)",
                         "running test 200 Discharge test (2 of 7)",
                         "running test 300 Sensitivity test (3 of 7)",
                         "running test 400 Refractory period test (4 of 7)",
                         "running test 500 Pacer accuracy test (5 of 7)",
                         "running test 600 ECG performance test (6 of 7)",
                         "running test 700 Shock advisory test (7 of 7)"}));
  EXPECT_TRUE(run.errors.endsWith(QStringLiteral("\n4 passed, 0 failed, 3 not judged\n")))
      << qPrintable(run.errors);
  QFile report(path(QStringLiteral("report.pdf")));
  ASSERT_TRUE(report.open(QIODevice::ReadOnly));
  EXPECT_TRUE(report.read(5).startsWith("%PDF"));
  // Each guide at its four main states.
  const QStringList shots = QDir(path(QStringLiteral("shots"))).entryList(QDir::Files);
  EXPECT_EQ(shots.size(), 28) << qPrintable(shots.join(u' '));
  EXPECT_FALSE(QImage(path(QStringLiteral("shots/07-700-leaving.png"))).isNull());
}

TEST_F(HostRunTest, OnTheSimulatorProgramsOwnDevice) {
  QProcess simulator;
  simulator.start(testsupport::builtProgram(QStringLiteral("rv1x-sim")), QStringList());
  ASSERT_TRUE(simulator.waitForReadyRead(testsupport::kChildWaitMs));
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("RV1X_PORT_7"),
                     QString::fromLocal8Bit(simulator.readLine()).trimmed());
  // No simulated bench: the defibrillator delivers what rv1x-sim measures.
  const ProgramRun run =
      host({QStringLiteral("--unattended"), QStringLiteral("run"), QStringLiteral("--tests"),
            QStringLiteral("100,700"), QStringLiteral("7")},
           environment);
  EXPECT_EQ(run.output, QStringLiteral("test 100 status=2\n  ENGY=95\n  CHTI=4.2\n"
                                       "test 700 status=1\n  ::1=False\n"
                                       "results rv1x-results.xml\n"));
  EXPECT_EQ(run.status, 1) << qPrintable(run.errors);
  simulator.terminate();
  EXPECT_TRUE(simulator.waitForFinished(testsupport::kChildWaitMs));
}

TEST_F(HostRunTest, TheOperatorFileChangesWhatTheOperatorDoes) {
  const QString choices = writeFile(QStringLiteral("operator.txt"),
                                    QStringLiteral("# the technician's choices\n"
                                                   "300 skip\n"
                                                   "400 na\n"
                                                   "500 stop-after=4\n"
                                                   "600 fail   # the monitor showed no wave\n"
                                                   "700 answers=S\n"
                                                   "100 abort\n"));
  const ProgramRun run =
      host(unattendedRun({QStringLiteral("--tests"), QStringLiteral("300,400,500,600,700,100,200"),
                          QStringLiteral("--operator"), choices, QStringLiteral("--results"),
                          QStringLiteral("results.xml")}));
  EXPECT_EQ(run.output, QStringLiteral("test 300 status=0\n"
                                       "test 400 status=3\n  SENS=\n  PACE=\n"
                                       "test 500 status=0\n  RATE=40\n  AMPL=30\n  PWID=10\n"
                                       "test 600 status=2\n  PERF=False\n"
                                       "test 700 status=2\n  ::1=True\n"
                                       "test 100 status=0\n"
                                       "results results.xml\n"))
      << "the abort ends the run before 200";
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(run.errors.contains(QStringLiteral("test 300 not judged: the test was skipped\n")))
      << qPrintable(run.errors);
  EXPECT_TRUE(run.errors.contains(QStringLiteral("test 100 not judged: the run was aborted\n")));
  EXPECT_TRUE(run.errors.endsWith(
      QStringLiteral("\n0 passed, 2 failed, 3 not judged, 1 not applicable, 1 not performed\n")))
      << qPrintable(run.errors);
  EXPECT_EQ(
      storedTests(QStringLiteral("results.xml")),
      (QList<StoredTest>{
          {"300", -1}, {"400", 3}, {"500", 0}, {"600", 2}, {"700", 2}, {"100", -1}, {"200", -1}}));

  const ProgramRun unknownWord = host(unattendedRun(
      {QStringLiteral("--operator"), writeFile(QStringLiteral("bad.txt"), "600 jump\n")}));
  EXPECT_EQ(unknownWord.status, 2);
  EXPECT_TRUE(unknownWord.errors.contains(QStringLiteral("line 1: \"jump\"")))
      << qPrintable(unknownWord.errors);
}

// A discharge at 40 J judged by the sequence's own first standard, an entry
// the host cannot read, a performance result of an earlier run that the
// operator passes by, and two shock-advisory steps.
const char kStoredSequence[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<TestSequence>
  <TestElement ClassName="RV1XTests.CTestDischarge" TestID="200" ID="1">
    <PlugInData PlugIn="RV-1X"><PresetEnergy>40</PresetEnergy><WaveFormIndex>1</WaveFormIndex>
      <AmplitudeIndex>2</AmplitudeIndex><FetchWaveform>False</FetchWaveform></PlugInData>
    <ExpectedResult>
      <Standard AlphaName="HOUSE" CompleteName="House rule" Flags="1">
        <Limit Key="DELY" Unit="ms" High="4" HighEnabled="True" Low="0" LowEnabled="False"/>
      </Standard>
      <Standard AlphaName="LAX" CompleteName="Lax rule" Flags="1">
        <Limit Key="DELY" Unit="ms" High="60" HighEnabled="True" Low="0" LowEnabled="False"/>
      </Standard>
    </ExpectedResult>
  </TestElement>
  <TestElement ClassName="RV1XTests.CNoSuchTest" TestID="800" ID="2"/>
  <TestElement ClassName="RV1XTests.CTestPerformance" TestID="600" ID="3">
    <ResultItem><Status Code="2"/><Measurement Key="PERF"><Description>20522::Square 2 Hz</Description>
      <Value Type="3" Kind="Boolean">False</Value><Status Code="2"/></Measurement></ResultItem>
  </TestElement>
  <TestElement ClassName="RV1XTests.CTestShock" TestID="700" ID="4">
    <PlugInData PlugIn="RV-1X">
      <ShockAdvice Key="::1"><WaveFormIndex>1</WaveFormIndex><Duration>5</Duration><Advice>True</Advice></ShockAdvice>
      <ShockAdvice Key="::2"><WaveFormIndex>7</WaveFormIndex><Duration>5</Duration><Advice>False</Advice></ShockAdvice>
    </PlugInData>
  </TestElement>
</TestSequence>
)";

TEST_F(HostRunTest, AStoredSequenceRunsWithItsSettingsLimitsAndEarlierResults) {
  const ProgramRun run = host(unattendedRun(
      {QStringLiteral("--sequence"), writeFile(QStringLiteral("stored.xml"), kStoredSequence),
       QStringLiteral("--operator"), writeFile(QStringLiteral("operator.txt"), "600 next\n"),
       QStringLiteral("--results"), QStringLiteral("results.xml")}));
  EXPECT_EQ(run.output, QStringLiteral("test 200 status=2\n  ENGY=40\n  DELY=4.5\n  PEKI=30.4\n"
                                       "  PEKU=1520\n"
                                       "test 700 status=1\n  ::1=True\n  ::2=False\n"
                                       "results results.xml\n"));
  EXPECT_TRUE(run.errors.contains(QStringLiteral(
      "test 600 not performed in this run; kept result status=2 measured date not recorded\n")))
      << qPrintable(run.errors);
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(run.errors.contains(QStringLiteral("RV1XTests.CNoSuchTest")))
      << "the entry it cannot read is reported";
  EXPECT_EQ(storedTests(QStringLiteral("results.xml")),
            (QList<StoredTest>{{"200", 2}, {"800", -1}, {"600", 2}, {"700", 1}}))
      << "and kept in its place";
  // Elements stored without a name of their own go by the catalogue's.
  EXPECT_EQ(run.errors.split(u'\n').filter(QStringLiteral("running test ")),
            (QStringList{"running test 200 Discharge test (1 of 3)",
                         "running test 600 ECG performance test (2 of 3)",
                         "running test 700 Shock advisory test (3 of 3)"}));

  // Every test performed passed, but one entry never ran.
  const ProgramRun unread = host(unattendedRun(
      {QStringLiteral("--sequence"),
       writeFile(QStringLiteral("unread.xml"),
                 "<TestSequence><TestElement ClassName=\"RV1XTests.CTestPerformance\" "
                 "TestID=\"600\" ID=\"1\"/><TestElement ClassName=\"RV1XTests.CNoSuchTest\" "
                 "TestID=\"800\" ID=\"2\"/></TestSequence>")}));
  EXPECT_EQ(unread.output, QStringLiteral("test 600 status=1\n  PERF=True\n"
                                          "results rv1x-results.xml\n"));
  EXPECT_EQ(unread.status, 1);
}

// The stored sequence brings a passed charge time; the operator passes it by
// without Play. The result is kept as stored, but this run did not make
// it: it is no pass of this run, and it is told as kept, not as an outcome.
TEST_F(HostRunTest, AStoredResultPassedByIsNoOutcomeOfThisRun) {
  const ProgramRun run = host(unattendedRun(
      {QStringLiteral("--sequence"),
       writeFile(QStringLiteral("passed.xml"),
                 "<TestSequence><TestElement ClassName=\"RV1XTests.CTestChargeTime\" "
                 "TestID=\"100\" ID=\"1\"><ResultItem><Status Code=\"1\"/>"
                 "<Measurement Key=\"ENGY\"><Value Type=\"1\" Kind=\"Double\">360</Value>"
                 "<Status Code=\"1\"/></Measurement><Measurement Key=\"CHTI\"><Value "
                 "Type=\"1\" Kind=\"Double\">4.2</Value><Status Code=\"1\"/></Measurement>"
                 "</ResultItem></TestElement></TestSequence>"),
       QStringLiteral("--operator"), writeFile(QStringLiteral("operator.txt"), "100 next\n")}));
  EXPECT_EQ(run.output, QStringLiteral("results rv1x-results.xml\n"))
      << "no status line for a result this run did not give";
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(run.errors.contains(QStringLiteral(
      "test 100 not performed in this run; kept result status=1 measured date not recorded\n")))
      << qPrintable(run.errors);
  EXPECT_TRUE(
      run.errors.endsWith(QStringLiteral("\n0 passed, 0 failed, 0 not judged, 1 not "
                                         "performed\n")))
      << qPrintable(run.errors);
  EXPECT_EQ(storedTests(QStringLiteral("rv1x-results.xml")), (QList<StoredTest>{{"100", 1}}));
}

TEST_F(HostRunTest, ARunThatCannotStartWritesNothing) {
  QProcessEnvironment noDevice = QProcessEnvironment::systemEnvironment();
  noDevice.insert(QStringLiteral("RV1X_PORT_8"), path(QStringLiteral("no-such-device")));
  const QString aFile = writeFile(QStringLiteral("a-file"), QStringLiteral("not a folder"));
  const QString stored = writeFile(
      QStringLiteral("stored.xml"),
      QStringLiteral("<TestSequence><TestElement ClassName=\"RV1XTests.CTestSensitivity\" "
                     "TestID=\"300\" ID=\"1\"/></TestSequence>"));
  const struct {
    QStringList arguments;
    QProcessEnvironment environment;
    QString told;
  } cases[] = {
      {unattendedRun({QStringLiteral("--tests"), QStringLiteral("100,901,902")}),
       QProcessEnvironment::systemEnvironment(),
       QStringLiteral("the test catalogue has no tests 901, 902")},
      {{QStringLiteral("--unattended"), QStringLiteral("run"), QStringLiteral("8")},
       noDevice,
       QStringLiteral("no analyzer answers on port 8: port 8 is %1 (RV1X_PORT_8), which does "
                      "not exist")
           .arg(path(QStringLiteral("no-such-device")))},
      {{QStringLiteral("--unattended"), QStringLiteral("--simulate=silent"), QStringLiteral("run"),
        QStringLiteral("1")},
       QProcessEnvironment::systemEnvironment(),
       QStringLiteral("no analyzer answers on port 1")},
      {unattendedRun({QStringLiteral("--sequence"), path(QStringLiteral("missing.xml"))}),
       QProcessEnvironment::systemEnvironment(), QStringLiteral("missing.xml")},
      // The files it is to write, before it starts.
      {unattendedRun({QStringLiteral("--results"), path(QStringLiteral("no-folder/results.xml"))}),
       QProcessEnvironment::systemEnvironment(),
       QStringLiteral("the folder %1 of --results %2 does not exist")
           .arg(path(QStringLiteral("no-folder")), path(QStringLiteral("no-folder/results.xml")))},
      {unattendedRun({QStringLiteral("--report"), QStringLiteral("no-folder/report.pdf")}),
       QProcessEnvironment::systemEnvironment(),
       QStringLiteral("the folder %1 of --report no-folder/report.pdf does not exist")
           .arg(path(QStringLiteral("no-folder")))},
      // A report in place of the record it prints.
      {unattendedRun({QStringLiteral("--report"), path(QStringLiteral("rv1x-results.xml"))}),
       QProcessEnvironment::systemEnvironment(),
       QStringLiteral("--report %1 is the results document")
           .arg(path(QStringLiteral("rv1x-results.xml")))},
      {unattendedRun({QStringLiteral("--sequence"), stored, QStringLiteral("--results"),
                      QStringLiteral("stored.xml"), QStringLiteral("--report"), stored}),
       QProcessEnvironment::systemEnvironment(),
       QStringLiteral("--report %1 is the results document").arg(stored)},
      {unattendedRun({QStringLiteral("--sequence"), stored, QStringLiteral("--report"),
                      QStringLiteral("stored.xml")}),
       QProcessEnvironment::systemEnvironment(),
       QStringLiteral("--report stored.xml is the sequence document")},
      {unattendedRun({QStringLiteral("--screenshots"), aFile + QStringLiteral("/shots")}),
       QProcessEnvironment::systemEnvironment(),
       QStringLiteral("%1 of --screenshots is not a folder").arg(aFile)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(qPrintable(c.arguments.join(u' ')));
    const ProgramRun run = host(c.arguments, c.environment);
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.errors.contains(c.told)) << qPrintable(run.errors);
    EXPECT_TRUE(run.output.isEmpty()) << qPrintable(run.output);
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("rv1x-results.xml"))));
  }
  QFile kept(stored);
  ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
  EXPECT_TRUE(kept.readAll().startsWith("<TestSequence>"));
}

TEST_F(HostRunTest, WrongArgumentsAreAUsageError) {
  const QStringList cases[] = {
      {QStringLiteral("run")},
      {QStringLiteral("run"), QStringLiteral("0")},
      {QStringLiteral("run"), QStringLiteral("--tests"), QStringLiteral("1x0"),
       QStringLiteral("1")},
      {QStringLiteral("run"), QStringLiteral("--tests"), QStringLiteral("100"),
       QStringLiteral("--sequence"), QStringLiteral("s.xml"), QStringLiteral("1")},
      {QStringLiteral("run"), QStringLiteral("--results")},
      {QStringLiteral("run"), QStringLiteral("--loud"), QStringLiteral("yes"), QStringLiteral("1")},
      {QStringLiteral("run"), QStringLiteral("--wait-limit"), QStringLiteral("0"),
       QStringLiteral("1")},
      {QStringLiteral("run"), QStringLiteral("--wait-limit"), QStringLiteral("soon"),
       QStringLiteral("1")},
  };
  for (const QStringList& arguments : cases)
    EXPECT_EQ(host(arguments).status, 64) << qPrintable(arguments.join(u' '));
}

// The defibrillator never fires: the operator gives the discharge up after
// the limit, leaves it unjudged, and the sequence goes on.
TEST_F(HostRunTest, AWaitBeyondTheLimitStopsTheTestUnjudged) {
  const ProgramRun run =
      host({QStringLiteral("--unattended"), QStringLiteral("--simulate=polls=1000000"),
            QStringLiteral("run"), QStringLiteral("--tests"), QStringLiteral("200,700"),
            QStringLiteral("--wait-limit"), QStringLiteral("1.5"), QStringLiteral("1")});
  EXPECT_EQ(run.output, QStringLiteral("test 200 status=0\n  ENGY=\n  DELY=\n  PEKI=\n  PEKU=\n"
                                       "test 700 status=1\n  ::1=False\n"
                                       "results rv1x-results.xml\n"));
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.errors.count(QStringLiteral("rv1x-host: test 200 stopped after waiting 1.5 s: ")),
            1)
      << qPrintable(run.errors);
  EXPECT_TRUE(run.errors.endsWith(QStringLiteral("\n1 passed, 0 failed, 1 not judged\n")));
}

TEST_F(HostRunTest, ARunThatBreaksOffKeepsWhatWasMeasured) {
  onRealTime();
  QProcess program;
  start(program, unattendedRun({QStringLiteral("--tests"), QStringLiteral("200,600")}));
  QString output;
  while (!output.contains(QStringLiteral("test 200")) && program.waitForReadyRead(60000))
    output += QString::fromUtf8(program.readAllStandardOutput());
  ASSERT_TRUE(output.contains(QStringLiteral("test 200 status=1"))) << qPrintable(output);
  // Well inside the performance test's seven-second wave.
  testsupport::runEventsFor(2000);
  program.kill();
  ASSERT_TRUE(program.waitForFinished(testsupport::kChildWaitMs));
  EXPECT_EQ(storedTests(QStringLiteral("rv1x-results.xml")),
            (QList<StoredTest>{{"200", 1}, {"600", -1}}));
}

TEST_F(HostRunTest, AnAnalyzerThatHangsUpMidSequenceLeavesTheEarlierResults) {
  // The third read-out is 300's: the device is gone from then on.
  const ProgramRun run =
      host({QStringLiteral("--unattended"), QStringLiteral("--simulate=hangup=M#3"),
            QStringLiteral("run"), QStringLiteral("--tests"), QStringLiteral("100,200,300,400"),
            QStringLiteral("1")});
  EXPECT_EQ(run.output, QStringLiteral("test 100 status=1\n  ENGY=360\n  CHTI=4.2\n"
                                       "test 200 status=1\n  ENGY=100\n  DELY=4.5\n  PEKI=30.4\n"
                                       "  PEKU=1520\n"
                                       "test 300 status=0\n  PADS=\n  ECG=\n"
                                       "test 400 status=0\n  SENS=\n  PACE=\n"
                                       "results rv1x-results.xml\n"));
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(run.errors.contains(QStringLiteral("Device unavailable"))) << qPrintable(run.errors);
  EXPECT_EQ(storedTests(QStringLiteral("rv1x-results.xml")),
            (QList<StoredTest>{{"100", 1}, {"200", 1}, {"300", 0}, {"400", 0}}));
}

// The tests a run without --tests performs, in that order.
TEST_F(HostRunTest, TheCatalogueListsTheShippedTestsWithTheirStandards) {
  const ProgramRun run = host({QStringLiteral("catalogue")});
  EXPECT_EQ(run.status, 0) << qPrintable(run.errors);
  QStringList tests;
  QStringList standardsOf100;
  for (const QString& line : run.output.split(u'\n', Qt::SkipEmptyParts)) {
    if (!line.startsWith(u' '))
      tests.append(line);
    else if (tests.size() == 1)
      standardsOf100.append(line.section(u':', 0, 0).trimmed());
  }
  EXPECT_EQ(tests, (QStringList{"100 RV1XTests.CTestChargeTime Charge time test",
                                "200 RV1XTests.CTestDischarge Discharge test",
                                "300 RV1XTests.CTestSensitivity Sensitivity test",
                                "400 RV1XTests.CTestRefractory Refractory period test",
                                "500 RV1XTests.CTestAccuracy Pacer accuracy test",
                                "600 RV1XTests.CTestPerformance ECG performance test",
                                "700 RV1XTests.CTestShock Shock advisory test"}));
  EXPECT_EQ(standardsOf100, (QStringList{"IEC 60601-2-4"}));
}

// The attributes of the children of the results document's test element,
// by the children's tag: "<tag> <AlphaName>" per child naming a standard.
QStringList standardsNamed(const QString& file, int element) {
  QFile in(file);
  QDomDocument document;
  if (!in.open(QIODevice::ReadOnly) || !document.setContent(&in)) return {};
  const QString entry = QStringLiteral("TestElement");
  QDomElement test = document.documentElement().firstChildElement(entry);
  for (int i = 0; i < element; ++i) test = test.nextSiblingElement(entry);
  QStringList named;
  for (QDomElement child = test.firstChildElement(); !child.isNull();
       child = child.nextSiblingElement()) {
    if (child.tagName() == QLatin1String("Selected"))
      named.append(QStringLiteral("Selected ") + child.attribute(QStringLiteral("AlphaName")));
    for (QDomElement standard = child.firstChildElement(QStringLiteral("Standard"));
         child.tagName() == QLatin1String("ResultItem") && !standard.isNull();
         standard = standard.nextSiblingElement(QStringLiteral("Standard")))
      named.append(QStringLiteral("ResultItem ") + standard.attribute(QStringLiteral("AlphaName")));
  }
  return named;
}

// The discharge of the stored sequence alone: HOUSE (delay at most 4 ms,
// which 4.5 ms fails) is its first standard, LAX (60 ms) its second.
TEST_F(HostRunTest, TheStandardPickedInTheGuideJudgesAndIsStoredWithTheResult) {
  const QString sequence = QString::fromUtf8(kStoredSequence);
  const qsizetype end = sequence.indexOf(QStringLiteral("</TestElement>")) + 14;
  const QString stored = writeFile(QStringLiteral("stored.xml"),
                                   sequence.left(end) + QStringLiteral("</TestSequence>"));
  const ProgramRun first =
      host(unattendedRun({QStringLiteral("--sequence"), stored, QStringLiteral("--operator"),
                          writeFile(QStringLiteral("lax.txt"), "200 standard=LAX\n"),
                          QStringLiteral("--results"), QStringLiteral("lax.xml")}));
  EXPECT_TRUE(first.output.startsWith(QStringLiteral("test 200 status=1\n")))
      << qPrintable(first.output) << qPrintable(first.errors);
  EXPECT_EQ(standardsNamed(path(QStringLiteral("lax.xml")), 0),
            (QStringList{"ResultItem LAX", "Selected LAX"}));

  // The stored choice judges the next run, without a word of the operator.
  const ProgramRun again =
      host(unattendedRun({QStringLiteral("--sequence"), path(QStringLiteral("lax.xml")),
                          QStringLiteral("--results"), QStringLiteral("again.xml")}));
  EXPECT_TRUE(again.output.startsWith(QStringLiteral("test 200 status=1\n")))
      << qPrintable(again.output);

  // Without a stored choice, the first standard; a name (in quotes, it
  // holds a blank) that the test lacks skips it rather than judge by
  // another.
  const ProgramRun house =
      host(unattendedRun({QStringLiteral("--sequence"), stored, QStringLiteral("--results"),
                          QStringLiteral("house.xml")}));
  EXPECT_TRUE(house.output.startsWith(QStringLiteral("test 200 status=2\n")));
  EXPECT_EQ(standardsNamed(path(QStringLiteral("house.xml")), 0),
            (QStringList{"ResultItem HOUSE", "Selected HOUSE"}));
  const ProgramRun unknown =
      host(unattendedRun({QStringLiteral("--sequence"), stored, QStringLiteral("--operator"),
                          writeFile(QStringLiteral("unknown.txt"), "200 standard=\"NO SUCH\"\n"),
                          QStringLiteral("--results"), QStringLiteral("unknown.xml")}));
  EXPECT_TRUE(unknown.output.startsWith(QStringLiteral("test 200 status=0\n")));
  EXPECT_TRUE(unknown.errors.contains(QStringLiteral("has no standard \"NO SUCH\"")))
      << qPrintable(unknown.errors);
  EXPECT_EQ(unknown.status, 1);
}

}  // namespace
}  // namespace hostruntest
