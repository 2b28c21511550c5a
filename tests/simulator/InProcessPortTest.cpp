// The simulated analyzer plugged in as a port, without a device, on the
// test's clock: a serial control's members as on a pseudo-terminal, the
// answers' times at 9600 baud, the opening probe's framing, hang-up, and
// the ports that are not the simulator's.

#include <gtest/gtest.h>

#include <memory>

#include "InProcessPort.h"
#include "QtPrinters.h"
#include "Simulator.h"
#include "TestSupport.h"
#include "registry/RegistryStore.h"
#include "runtime/RuntimeError.h"
#include "ui/Clock.h"
#include "ui/MessageLoop.h"

namespace {

using rv1xsim::InProcessPort;
using rv1xsim::Simulator;
using testsupport::errorOf;

constexpr int kPort = 5;
constexpr double kCharacterMs = Simulator::kCharacterMicroseconds / 1000.0;

class InProcessPortTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::RegistryStore::instance().writeValue(
        platform::hive::LocalMachine, QStringLiteral("Hardware\\SerialPorts"),
        QStringLiteral("COM%1").arg(kPort + 1), QStringLiteral("/nonexistent/rv1x-port"));
  }

  // A simulator with these options as port 5, and a control open on it.
  void plugIn(const QString& options = QString()) {
    rv1xsim::SimulatorOptions parsed;
    ASSERT_TRUE(rv1xsim::parseOptions(options, parsed));
    simulator_ = std::make_unique<Simulator>(parsed);
    simulator_->plugIn(kPort);
    port_ = std::make_unique<InProcessPort>();
    port_->SetCommPort(kPort);
    port_->SetPortOpen(true);
  }

  // Writes the command and reads until count bytes came; the time the last
  // of them came, in milliseconds after the write.
  double exchange(const QByteArray& command, int count, QByteArray* reply = nullptr) {
    const qint64 start = ui::clockNow();
    port_->SetOutput(command);
    QByteArray got;
    qint64 lastAt = start;
    testsupport::waitUntil(
        [&] {
          if (port_->InBufferCount() > 0) {
            got += port_->Input().toString().toLatin1();
            lastAt = ui::clockNow();
          }
          return got.size() >= count;
        },
        2000);
    if (reply) *reply = got;
    return static_cast<double>(lastAt - start) / 1e6;
  }

  testsupport::TemporaryRegistry registry_;
  ui::VirtualClock time_;
  std::unique_ptr<Simulator> simulator_;
  std::unique_ptr<InProcessPort> port_;
};

TEST_F(InProcessPortTest, AnswersComeAtThePaceOf9600BaudAfterTheirCommand) {
  struct Case {
    const char* options;
    QByteArray command;
    QByteArray reply;
    double lastByteMs;  // after the write
  } cases[] = {
      // The command crosses the wire, then each character of the answer.
      {"", "I\r", "H!\r>", (2 + 4) * kCharacterMs},
      {"late=150", "I\r", "H!\r>", 150 + (2 + 4) * kCharacterMs},
      {"unpaced", "I\r", "H!\r>", 0},
      // The probe's second byte ends it at once; a bare CR waits 5 ms for it.
      {"", "\r\x0b", "!\r>", (2 + 3) * kCharacterMs},
      {"", "\r", "!\r>", 5 + (1 + 3) * kCharacterMs},
      {"split=40/2", "I\r", "H!\r>", 40 + (2 + 4) * kCharacterMs},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE((c.options + (" " + c.command.toHex())).constData());
    plugIn(QLatin1String(c.options));
    QByteArray reply;
    EXPECT_NEAR(exchange(c.command, static_cast<int>(c.reply.size()), &reply), c.lastByteMs, 0.01);
    EXPECT_EQ(reply, c.reply);
    port_.reset();
  }
}

TEST_F(InProcessPortTest, TheAnalyzerTakesOneCommandAtATimeAndLogsThem) {
  plugIn();
  port_->SetOutput(QStringLiteral("I\rD\r"));
  ui::runEventsFor(100);
  port_->SetInputLen(0);
  EXPECT_EQ(port_->Input().toString(), QStringLiteral("H!\r>1!\r>"));
  EXPECT_EQ(simulator_->commands(), (QList<QByteArray>{"I\r", "D\r"}));
  const QList<qint64> at = simulator_->commandTimes();
  // "D" is taken once the answer to "I" has gone out.
  EXPECT_EQ(at[1] - at[0], static_cast<qint64>((2 + 4) * kCharacterMs));
}

TEST_F(InProcessPortTest, AReplyThatBreaksOffClosesThePortOnceWhatCameIsRead) {
  plugIn(QStringLiteral("hangup=M"));
  QByteArray reply;
  exchange("M\r", 31, &reply);
  EXPECT_EQ(reply.size(), 31) << "half of the 62 characters, all delivered";
  ui::runEventsFor(50);
  EXPECT_TRUE(simulator_->hungUp());
  EXPECT_EQ(port_->PortStatus(), serial::status::Gone);
  EXPECT_TRUE(port_->PortOpen()) << "the open flag stays as the program set it";
  EXPECT_EQ(errorOf([&] { port_->InBufferCount(); }), rt::err::DeviceUnavailable);
  EXPECT_EQ(errorOf([&] { port_->SetOutput(QStringLiteral("I\r")); }), rt::err::DeviceUnavailable);
  port_->SetPortOpen(false);
  EXPECT_EQ(errorOf([&] { port_->SetPortOpen(true); }), serial::err::PortNotFound);
  EXPECT_EQ(port_->PortStatus(), serial::status::NotFound);
}

TEST_F(InProcessPortTest, ThePortIsHeldByOneControlAndOtherPortsAreDevices) {
  plugIn();
  EXPECT_TRUE(simulator_->portHeld());
  InProcessPort other;
  other.SetCommPort(kPort);
  EXPECT_EQ(errorOf([&] { other.SetPortOpen(true); }), serial::err::PortUnavailable);
  EXPECT_EQ(other.PortStatus(), serial::status::Unavailable);
  EXPECT_EQ(errorOf([&] { port_->SetCommPort(kPort + 1); }), serial::err::PortUnavailable);
  // Port 6 is the registry's device, which does not exist.
  other.SetCommPort(kPort + 1);
  EXPECT_EQ(errorOf([&] { other.SetPortOpen(true); }), serial::err::PortNotFound);
  port_->SetPortOpen(false);
  EXPECT_FALSE(simulator_->portHeld());
  other.SetCommPort(kPort);
  other.SetPortOpen(true);
  EXPECT_EQ(other.PortStatus(), serial::status::Connected);
  other.SetPortOpen(false);
}

TEST_F(InProcessPortTest, APortWhoseSimulatorIsGoneFindsItsDeviceGone) {
  plugIn();
  simulator_.reset();
  EXPECT_EQ(port_->PortStatus(), serial::status::Gone);
  EXPECT_EQ(errorOf([&] { port_->Input(); }), rt::err::DeviceUnavailable);
  port_->SetPortOpen(false);
  EXPECT_FALSE(port_->PortOpen());
}

TEST_F(InProcessPortTest, PluggingInPutsTheTransportInPlaceForAsLongAsOneIsPluggedIn) {
  EXPECT_FALSE(dynamic_cast<InProcessPort*>(serial::newTransport().get()));
  plugIn();
  EXPECT_TRUE(dynamic_cast<InProcessPort*>(serial::newTransport().get()));
  port_.reset();
  simulator_.reset();
  EXPECT_FALSE(dynamic_cast<InProcessPort*>(serial::newTransport().get()));
}

}  // namespace
