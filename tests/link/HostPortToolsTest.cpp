// The host program's port tools, run as a technician runs them: against the
// built-in simulated analyzer (--simulate) and against rv1x-sim on a port
// named by the environment.

#include <QProcess>
#include <QProcessEnvironment>

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
  ASSERT_TRUE(simulator.waitForReadyRead(5000));
  const QString device = QString::fromLocal8Bit(simulator.readLine()).trimmed();
  QProcessEnvironment environment;
  environment.insert(QStringLiteral("RV1X_PORT_6"), device);
  const ProgramRun query = host({QStringLiteral("query-port"), QStringLiteral("6")}, environment);
  EXPECT_EQ(query.out, QStringLiteral("model=RV-12P/15 present=1\n"));
  const ProgramRun link =
      host({QStringLiteral("link"), QStringLiteral("6"), QStringLiteral("I")}, environment);
  EXPECT_EQ(link.out, QStringLiteral("state=2 mkiii=0\nI -> H!\n"));
  simulator.terminate();
  EXPECT_TRUE(simulator.waitForFinished(5000));
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
