// The simulated analyzer on its pseudo-terminal, opened by path like a
// serial device: framing of the probe, pacing, pieces, hang-up, the log,
// scripting while it runs, and the rv1x-sim program.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <cerrno>

#include "Simulator.h"
#include "TestSupport.h"

namespace {

using rv1xsim::Simulator;
using rv1xsim::SimulatorOptions;

// The device side, as a serial control would open it.
class Device {
 public:
  explicit Device(const QString& path) {
    fd_ = ::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd_ < 0) return;
    termios raw{};
    ::tcgetattr(fd_, &raw);
    ::cfmakeraw(&raw);
    ::tcsetattr(fd_, TCSANOW, &raw);
  }
  ~Device() {
    if (fd_ >= 0) ::close(fd_);
  }
  bool ok() const { return fd_ >= 0; }
  void write(const QByteArray& bytes) {
    ASSERT_EQ(::write(fd_, bytes.constData(), bytes.size()), bytes.size());
  }
  // What arrives until count bytes are there, the device hangs up, or the time is over.
  QByteArray read(int count, int timeoutMs) {
    QByteArray got;
    QDeadlineTimer deadline(timeoutMs);
    while (got.size() < count && !deadline.hasExpired()) {
      pollfd fd{fd_, POLLIN, 0};
      if (::poll(&fd, 1, static_cast<int>(deadline.remainingTime())) <= 0) break;
      char buffer[4096];
      const ssize_t n = ::read(fd_, buffer, sizeof buffer);
      if (n < 0 && (errno == EAGAIN || errno == EINTR)) continue;
      if (n <= 0) {
        hungUp_ = true;
        break;
      }
      got.append(buffer, n);
    }
    return got;
  }
  bool hungUp() const { return hungUp_; }

 private:
  int fd_ = -1;
  bool hungUp_ = false;
};

SimulatorOptions options(const QString& text) {
  SimulatorOptions o;
  EXPECT_TRUE(rv1xsim::parseOptions(text, o));
  return o;
}

// A simulator started with these options, and its device opened.
struct Connected {
  explicit Connected(const QString& text = {})
      : simulator(options(text)), started(simulator.start()), device(simulator.slavePath()) {}
  bool ok() const { return started && device.ok(); }

  Simulator simulator;
  bool started;
  Device device;
};

TEST(SimulatorWire, AnswersTheOpeningProbeOnceAndLogsEveryByte) {
  Connected wire;
  ASSERT_TRUE(wire.ok());
  Simulator& simulator = wire.simulator;
  Device& device = wire.device;
  device.write("\r\x0b");
  EXPECT_EQ(device.read(3, 10000), "!\r>");
  EXPECT_EQ(device.read(1, 50), "") << "CR VT is one probe with one answer";
  device.write("\r");
  EXPECT_EQ(device.read(3, 10000), "!\r>");
  device.write("I\r");
  EXPECT_EQ(device.read(4, 10000), "H!\r>");
  EXPECT_EQ(simulator.wire(), "\r\x0b\rI\r");
  EXPECT_EQ(simulator.commands(), (QList<QByteArray>{"\r\x0b", "\r", "I\r"}));
  EXPECT_EQ(simulator.count("I\r"), 1);
}

// How soon unpaced bytes come is the machine's; their times are checked on
// the test's clock in-process (InProcessPortTest).
TEST(SimulatorWire, SendsAtThePaceOf9600BaudUnlessUnpaced) {
  Connected paced("words=48");
  ASSERT_TRUE(paced.ok());
  Device& device = paced.device;
  QElapsedTimer clock;
  clock.start();
  device.write("P\r");
  EXPECT_EQ(device.read(98, 10000).size(), 98);
  EXPECT_GE(clock.elapsed(), 98 * Simulator::kCharacterMicroseconds / 1000.0 * 0.95);

  Connected fast("unpaced,words=48");
  ASSERT_TRUE(fast.ok());
  Device& quick = fast.device;
  quick.write("P\r");
  EXPECT_EQ(quick.read(98, 10000).size(), 98);
}

TEST(SimulatorWire, SplitRepliesArriveInPiecesApart) {
  Connected wire("split=60/1");
  ASSERT_TRUE(wire.ok());
  Device& device = wire.device;
  QElapsedTimer clock;
  clock.start();
  device.write("\r\x0b");
  EXPECT_EQ(device.read(3, 10000), "!\r>");
  EXPECT_GE(clock.elapsed(), 2 * 60) << "three pieces, 60 ms apart";
}

TEST(SimulatorWire, HangUpClosesThePortHalfwayThroughTheReply) {
  Connected wire("hangup=M");
  ASSERT_TRUE(wire.ok());
  Simulator& simulator = wire.simulator;
  Device& device = wire.device;
  device.write("M\r");
  // Read until the hang-up, however long a busy machine makes the reply
  // take: every character written before it comes.
  EXPECT_EQ(device.read(100, 30000).size(), 31);
  EXPECT_TRUE(device.hungUp());
  // The other side sees the hang-up the moment the port closes, a little
  // before the simulator's thread has noted it.
  QDeadlineTimer noted(1000);
  while (!simulator.hungUp() && !noted.hasExpired()) QThread::msleep(1);
  EXPECT_TRUE(simulator.hungUp());
}

TEST(SimulatorWire, ScriptedValuesAndRangeApplyToTheNextReply) {
  Connected wire("unpaced");
  ASSERT_TRUE(wire.ok());
  Simulator& simulator = wire.simulator;
  Device& device = wire.device;
  simulator.setRange('P');
  device.write("I\r");
  EXPECT_EQ(device.read(4, 10000), "P!\r>");
  rv1xsim::Measurements values;
  values.rate = 120;
  simulator.setMeasurements(values);
  device.write("M\r");
  EXPECT_TRUE(device.read(62, 10000).startsWith("120"));
  simulator.setRawReply("Q05\r", "12>");
  device.write("Q05\r");
  EXPECT_EQ(device.read(3, 10000), "12>");
  simulator.update([](SimulatorOptions& o) { o.faults.ignored.add("I\r"); });
  device.write("I\r");
  EXPECT_EQ(device.read(4, 100), "");
  EXPECT_TRUE(simulator.waitForCommands(4, 10000));
  device.write("V02\r");
  EXPECT_EQ(device.read(3, 10000), "!\r>");
  EXPECT_EQ(simulator.state().wave, "V02");
}

TEST(SimulatorWire, MisbehavesOnTheCommandsItIsToldTo) {
  Connected wire("reject=I#2,ignore=C,late=150:M,split=60/2:D,hangup=S");
  ASSERT_TRUE(wire.ok());
  Device& device = wire.device;
  device.write("I\r");
  EXPECT_EQ(device.read(4, 10000), "H!\r>");
  device.write("I\r");
  EXPECT_EQ(device.read(3, 10000), "?\r>") << "only the second";
  device.write("C\r");
  EXPECT_EQ(device.read(1, 100), "");
  QElapsedTimer clock;
  clock.start();
  device.write("D\r");
  EXPECT_EQ(device.read(4, 10000), "1!\r>");
  EXPECT_GE(clock.elapsed(), 60) << "in two pieces";
  clock.restart();
  device.write("M\r");
  EXPECT_EQ(device.read(62, 10000).size(), 62);
  EXPECT_GE(clock.elapsed(), 150);
  device.write("S\r");
  EXPECT_EQ(device.read(3, 10000), "!");
  EXPECT_TRUE(device.hungUp());
}

TEST(SimulatorWire, ProgramPrintsItsDeviceFirstAndTakesOptionsWhileRunning) {
  QProcess program;
  program.start(testsupport::builtProgram(QStringLiteral("rv1x-sim")),
                {QStringLiteral("mkii,unpaced")});
  ASSERT_TRUE(program.waitForStarted(testsupport::kChildWaitMs));
  ASSERT_TRUE(program.waitForReadyRead(testsupport::kChildWaitMs));
  const QString path = QString::fromLocal8Bit(program.readLine()).trimmed();
  ASSERT_TRUE(path.startsWith(QStringLiteral("/dev/")));
  Device device(path);
  ASSERT_TRUE(device.ok());
  device.write("X\r");
  EXPECT_EQ(device.read(3, 10000), "?\r>");
  program.write("range=L\n");
  program.waitForBytesWritten(1000);
  QByteArray reply;
  for (int attempt = 0; attempt < 50 && reply != "L!\r>"; ++attempt) {
    QThread::msleep(20);
    device.write("I\r");
    reply = device.read(4, 10000);
  }
  EXPECT_EQ(reply, "L!\r>");
  program.terminate();
  ASSERT_TRUE(program.waitForFinished(testsupport::kChildWaitMs));
  EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(program.exitCode(), 0);
}

TEST(SimulatorWire, ProgramHelpDescribesItsCommandsAndOptions) {
  QProcess program;
  program.start(testsupport::builtProgram(QStringLiteral("rv1x-sim")), {QStringLiteral("--help")});
  ASSERT_TRUE(program.waitForFinished(testsupport::kChildWaitMs));
  EXPECT_EQ(program.exitCode(), 0);
  const QByteArray help = program.readAllStandardOutput();
  for (const char* text : {"Q00-Q26", "V01-V08", "polls=N", "turn-range=", "late=", "53-59"})
    EXPECT_TRUE(help.contains(text)) << text;
}

TEST(SimulatorWire, ProgramRefusesUnknownOptions) {
  QProcess program;
  program.start(testsupport::builtProgram(QStringLiteral("rv1x-sim")), {QStringLiteral("loud")});
  ASSERT_TRUE(program.waitForFinished(testsupport::kChildWaitMs));
  EXPECT_EQ(program.exitCode(), 64);
  EXPECT_TRUE(program.readAllStandardError().contains("unknown simulator option loud"));
}

}  // namespace
