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
  EXPECT_EQ(run.output, QStringLiteral("test 100 status=1\n  ENGY=360\n  CHTI=4.2\n"
                                       "test 200 status=1\n  ENGY=100\n  DELY=4.5\n  PEKI=30.4\n"
                                       "  PEKU=1520\n"
                                       "test 300 status=1\n  PADS=1.2\n  ECG=1.2\n"
                                       "test 400 status=1\n  SENS=250\n  PACE=300\n"
                                       "test 500 status=1\n  RATE=40\n  AMPL=30\n  PWID=10\n"
                                       "test 600 status=1\n  PERF=True\n"
                                       "test 700 status=1\n  ::1=False\n"
                                       "results rv1x-results.xml\n"
                                       "report report.pdf\n"));
  EXPECT_EQ(run.status, 0) << qPrintable(run.errors);
  EXPECT_EQ(
      storedTests(QStringLiteral("rv1x-results.xml")),
      (QList<StoredTest>{
          {"100", 1}, {"200", 1}, {"300", 1}, {"400", 1}, {"500", 1}, {"600", 1}, {"700", 1}}));
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
  ASSERT_TRUE(simulator.waitForReadyRead(5000));
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
  EXPECT_TRUE(simulator.waitForFinished(5000));
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
                                       "test 500 status=1\n  RATE=40\n  AMPL=30\n  PWID=10\n"
                                       "test 600 status=2\n  PERF=False\n"
                                       "test 700 status=2\n  ::1=True\n"
                                       "test 100 status=0\n"
                                       "results results.xml\n"))
      << "the abort ends the run before 200";
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(
      storedTests(QStringLiteral("results.xml")),
      (QList<StoredTest>{
          {"300", -1}, {"400", 3}, {"500", 1}, {"600", 2}, {"700", 2}, {"100", -1}, {"200", -1}}));

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
                                       "test 600 status=2\n  PERF=False\n"
                                       "test 700 status=1\n  ::1=True\n  ::2=False\n"
                                       "results results.xml\n"));
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(run.errors.contains(QStringLiteral("RV1XTests.CNoSuchTest")))
      << "the entry it cannot read is reported";
  EXPECT_EQ(storedTests(QStringLiteral("results.xml")),
            (QList<StoredTest>{{"200", 2}, {"800", -1}, {"600", 2}, {"700", 1}}))
      << "and kept in its place";

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

TEST_F(HostRunTest, ARunThatCannotStartWritesNothing) {
  QProcessEnvironment noDevice = QProcessEnvironment::systemEnvironment();
  noDevice.insert(QStringLiteral("RV1X_PORT_8"), path(QStringLiteral("no-such-device")));
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
       QStringLiteral("no analyzer answers on port 8")},
      {{QStringLiteral("--unattended"), QStringLiteral("--simulate=silent"), QStringLiteral("run"),
        QStringLiteral("1")},
       QProcessEnvironment::systemEnvironment(),
       QStringLiteral("no analyzer answers on port 1")},
      {unattendedRun({QStringLiteral("--sequence"), path(QStringLiteral("missing.xml"))}),
       QProcessEnvironment::systemEnvironment(), QStringLiteral("missing.xml")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(qPrintable(c.arguments.join(u' ')));
    const ProgramRun run = host(c.arguments, c.environment);
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.errors.contains(c.told)) << qPrintable(run.errors);
    EXPECT_TRUE(run.output.isEmpty()) << qPrintable(run.output);
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("rv1x-results.xml"))));
  }
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
  };
  for (const QStringList& arguments : cases)
    EXPECT_EQ(host(arguments).status, 64) << qPrintable(arguments.join(u' '));
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
  ASSERT_TRUE(program.waitForFinished(5000));
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
  EXPECT_EQ(standardsOf100, (QStringList{"IEC 60601-2-4", "IEC 60601-2-4 below 20 J"}));
}

}  // namespace
}  // namespace hostruntest
