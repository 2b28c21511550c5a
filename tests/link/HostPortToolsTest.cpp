// The host program's port tools, run as a technician runs them: against the
// built-in simulated analyzer (--simulate) and against rv1x-sim on a port
// named by the environment.

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include "LinkFixture.h"

namespace linktest {
namespace {

using testsupport::builtProgram;

struct ProgramRun {
  int exitCode = -1;
  QString out;
  QString err;
};

class HostPortToolsTest : public LinkTest {
 protected:
  void SetUp() override {
    LinkTest::SetUp();
    ASSERT_EQ(host({QStringLiteral("register")}).exitCode, 0);
  }

  // The program inherits the test's registry store (RV1X_REGISTRY).
  ProgramRun host(const QStringList& arguments, const QProcessEnvironment& extra = {}) {
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString& name : extra.keys()) environment.insert(name, extra.value(name));
    program.setProcessEnvironment(environment);
    program.start(builtProgram(QStringLiteral("rv1x-host")), arguments);
    EXPECT_TRUE(program.waitForFinished(60000)) << qPrintable(arguments.join(u' '));
    return ProgramRun{program.exitCode(), QString::fromLocal8Bit(program.readAllStandardOutput()),
                      QString::fromLocal8Bit(program.readAllStandardError())};
  }
};

TEST_F(HostPortToolsTest, QueryPortFindsTheSimulatedAnalyzer) {
  const ProgramRun found =
      host({QStringLiteral("query-port"), QStringLiteral("2"), QStringLiteral("--simulate")});
  EXPECT_EQ(found.out, QStringLiteral("model=RV-12P/15 present=1\n"));
  EXPECT_EQ(found.exitCode, 0);

  const ProgramRun silent = host(
      {QStringLiteral("--simulate=silent"), QStringLiteral("query-port"), QStringLiteral("2")});
  EXPECT_EQ(silent.out, QStringLiteral("model= present=0\n"));
  EXPECT_EQ(silent.exitCode, 1);
}

TEST_F(HostPortToolsTest, LinkOpensSendsAndCloses) {
  const ProgramRun run = host({QStringLiteral("link"), QStringLiteral("2"), QStringLiteral("I"),
                               QStringLiteral("D"), QStringLiteral("--simulate=range=L")});
  EXPECT_EQ(run.out, QStringLiteral("state=2 mkiii=1\nI -> L!\nD -> 1!\n"));
  EXPECT_EQ(run.exitCode, 0);

  const ProgramRun block = host({QStringLiteral("link"), QStringLiteral("2"), QStringLiteral("P"),
                                 QStringLiteral("--simulate=mkii,unpaced")});
  EXPECT_EQ(block.out, QStringLiteral("state=2 mkiii=0\nP -> 2000 bytes\n"));
  EXPECT_EQ(block.exitCode, 0);
}

TEST_F(HostPortToolsTest, LinkPrintsARaisedErrorAndExits2) {
  setCommTimeOut(200);
  const ProgramRun silent = host({QStringLiteral("link"), QStringLiteral("2"), QStringLiteral("I"),
                                  QStringLiteral("--simulate=silent")});
  EXPECT_EQ(silent.out, QStringLiteral("error 0x8004A462 RV1XVTI.CRV1XVti\n"));
  EXPECT_EQ(silent.exitCode, 2);
  EXPECT_TRUE(silent.err.contains(QStringLiteral("message: orvanRV1Xvti: ") + kNoAnalyzerFound));

  const ProgramRun rejected = host({QStringLiteral("link"), QStringLiteral("2"),
                                    QStringLiteral("I"), QStringLiteral("--simulate=reject=I")});
  EXPECT_EQ(rejected.out, QStringLiteral("state=2 mkiii=1\nerror 0x8004A462 RV1XVTI.CRV1XVti\n"));
  EXPECT_EQ(rejected.exitCode, 2);
}

TEST_F(HostPortToolsTest, ScanFindsTheAnalyzerBehindTheFirstPorts) {
  const ProgramRun run =
      host({QStringLiteral("--scan"), QStringLiteral("link"), QStringLiteral("3"),
            QStringLiteral("I"), QStringLiteral("--simulate")});
  EXPECT_EQ(run.out, QStringLiteral("state=2 mkiii=1\nI -> H!\n"));
  EXPECT_EQ(run.exitCode, 0);
}

TEST_F(HostPortToolsTest, PortNamedByTheEnvironmentReachesTheSimulatorProgram) {
  QProcess simulator;
  simulator.start(builtProgram(QStringLiteral("rv1x-sim")), {QStringLiteral("mkii")});
  ASSERT_TRUE(simulator.waitForReadyRead(testsupport::kChildWaitMs));
  const QString device = QString::fromLocal8Bit(simulator.readLine()).trimmed();
  QProcessEnvironment environment;
  environment.insert(QStringLiteral("RV1X_PORT_6"), device);
  const ProgramRun query = host({QStringLiteral("query-port"), QStringLiteral("6")}, environment);
  EXPECT_EQ(query.out, QStringLiteral("model=RV-12P/15 present=1\n"));
  const ProgramRun link =
      host({QStringLiteral("link"), QStringLiteral("6"), QStringLiteral("I")}, environment);
  EXPECT_EQ(link.out, QStringLiteral("state=2 mkiii=0\nI -> H!\n"));
  simulator.terminate();
  EXPECT_TRUE(simulator.waitForFinished(testsupport::kChildWaitMs));
}

// Two rv1x-sim programs: one on port 6 (the environment) and 7 (the
// registry, by a link to its device), one that no port number names, and a
// device that is not there.
TEST_F(HostPortToolsTest, PortsListsEachDeviceWithItsPortNumbersAndWhatAnswers) {
  QProcess first;
  QProcess second;
  QStringList devices;
  for (QProcess* simulator : {&first, &second}) {
    simulator->start(builtProgram(QStringLiteral("rv1x-sim")), QStringList());
    ASSERT_TRUE(simulator->waitForReadyRead(testsupport::kChildWaitMs));
    devices.append(QString::fromLocal8Bit(simulator->readLine()).trimmed());
  }
  QTemporaryDir dir;
  const QString link = dir.filePath(QStringLiteral("usb-adapter"));
  ASSERT_TRUE(QFile::link(devices.at(0), link));
  mapPort(7, link);
  const QString missing = QStringLiteral("/nonexistent/rv1x-port-9");
  QProcessEnvironment environment;
  environment.insert(QStringLiteral("RV1X_PORT_6"), devices.at(0));

  const ProgramRun run =
      host({QStringLiteral("ports"), devices.at(1), missing, devices.at(0)}, environment);
  const QString info = QStringLiteral(" description=\"\" manufacturer=\"\" serial=\"\"\n");
  EXPECT_EQ(run.out,
            QStringLiteral("port=6,7 device=%1 model=RV-12P/15 present=1").arg(devices.at(0)) +
                info + QStringLiteral("port=9 device=%1 model= present=0").arg(missing) + info +
                QStringLiteral("port=- device=%1 model=RV-12P/15 present=1").arg(devices.at(1)) +
                info);
  EXPECT_EQ(run.exitCode, 0) << qPrintable(run.err);
  EXPECT_TRUE(run.err.contains(
      QStringLiteral("rv1x-host: port 9 is %1 (the registry value COM9 under "
                     "HKEY_LOCAL_MACHINE\\Hardware\\SerialPorts), which does not exist\n")
          .arg(missing)))
      << qPrintable(run.err);
  EXPECT_TRUE(run.err.contains(
      QStringLiteral("rv1x-host: no port number opens %1; RV1X_PORT_<N>=%1 makes it port N\n")
          .arg(devices.at(1))));

  EXPECT_EQ(host({QStringLiteral("ports"), missing}).exitCode, 1) << "no analyzer answers";
  EXPECT_EQ(host({QStringLiteral("ports"), QStringLiteral("--all")}).exitCode, 64);
  for (QProcess* simulator : {&first, &second}) {
    simulator->terminate();
    EXPECT_TRUE(simulator->waitForFinished(testsupport::kChildWaitMs));
  }
}

TEST_F(HostPortToolsTest, ADeviceThatIsNotThereIsNamedWithWhatChoseIt) {
  setCommTimeOut(200);
  const QString missing = QStringLiteral("/nonexistent/rv1x-adapter");
  QProcessEnvironment environment;
  environment.insert(QStringLiteral("RV1X_PORT_8"), missing);
  const QString told =
      QStringLiteral("rv1x-host: port 8 is %1 (RV1X_PORT_8), which does not exist\n").arg(missing);
  for (const QStringList& arguments :
       {QStringList{"query-port", "8"}, QStringList{"link", "8", "I"}}) {
    const ProgramRun run = host(arguments, environment);
    EXPECT_NE(run.exitCode, 0);
    EXPECT_EQ(run.err.count(told), 1) << qPrintable(run.err);
  }
}

TEST_F(HostPortToolsTest, AQueryThatIsNotRegisteredSaysToRegister) {
  testsupport::TemporaryRegistry empty;
  QProcessEnvironment environment;
  environment.insert(QStringLiteral("RV1X_REGISTRY"), empty.path());
  const QString advice =
      QStringLiteral("run rv1x-host register first (the registry store is %1)").arg(empty.path());
  for (const QStringList& arguments : {QStringList{"query-port", "2"}, QStringList{"ports"}}) {
    const ProgramRun run = host(arguments, environment);
    EXPECT_EQ(run.exitCode, 2) << qPrintable(arguments.join(u' '));
    EXPECT_EQ(run.err.count(advice), 1) << qPrintable(run.err);
  }
}

TEST_F(HostPortToolsTest, BadArgumentsAreAUsageError) {
  EXPECT_EQ(host({QStringLiteral("link")}).exitCode, 64);
  EXPECT_EQ(host({QStringLiteral("query-port"), QStringLiteral("two")}).exitCode, 64);
  const ProgramRun badOption =
      host({QStringLiteral("query-port"), QStringLiteral("1"), QStringLiteral("--simulate=loud")});
  EXPECT_EQ(badOption.exitCode, 64);
  EXPECT_TRUE(badOption.err.contains(QStringLiteral("unknown simulator option loud")));
}

}  // namespace
}  // namespace linktest
