// The serial control the link and the port query use, on pseudo-terminals:
// what it opens for a port number, its reads and writes, and what it raises.

#include "LinkFixture.h"
#include "runtime/ErrorHandling.h"
#include "ui/Clock.h"
#include "ui/MessageLoop.h"

namespace linktest {
namespace {

using serial::SerialControl;
using testsupport::PseudoTerminal;

class SerialControlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(pty_.ok());
    mapPort(4, pty_.slavePath());
    control_.SetCommPort(4);
  }
  // Lets the control see what the other side wrote: the count once that
  // many bytes are there (or what came within ten seconds).
  rt::Long waitingFor(rt::Long count) {
    testsupport::waitUntil([&] { return control_.InBufferCount() >= count; }, 10000);
    return control_.InBufferCount();
  }

  testsupport::TemporaryRegistry registry_;
  PseudoTerminal pty_;
  SerialControl control_;
};

TEST_F(SerialControlTest, OpensTheDeviceOfItsPortAndCarriesTextAndBytes) {
  control_.SetSettings(QStringLiteral("9600,N,8,1"));
  control_.SetPortOpen(true);
  EXPECT_EQ(control_.PortStatus(), serial::status::Connected);
  EXPECT_EQ(control_.deviceName(), pty_.slavePath());

  control_.SetOutput(QStringLiteral("M\r"));
  control_.SetOutput(QByteArray("\x01\xff", 2));
  EXPECT_EQ(pty_.read(500, 4), QByteArray("M\r\x01\xff", 4));

  pty_.write("H!\r>");
  EXPECT_EQ(waitingFor(4), 4);
  control_.SetInputLen(1);
  EXPECT_EQ(control_.Input(), QVariant(QStringLiteral("H")));
  control_.SetInputMode(1);
  control_.SetInputLen(0);
  EXPECT_EQ(control_.Input(), QVariant(QByteArray("!\r>")));

  pty_.write("stale");
  EXPECT_EQ(waitingFor(5), 5);
  control_.SetInBufferCount(0);
  EXPECT_EQ(control_.InBufferCount(), 0);
}

TEST_F(SerialControlTest, OpeningAgainOrNamingTheSamePortWhileOpenChangesNothing) {
  control_.SetPortOpen(true);
  control_.SetCommPort(4);
  control_.SetPortOpen(true);
  EXPECT_TRUE(control_.PortOpen());
  EXPECT_EQ(control_.PortStatus(), serial::status::Connected);
  const rt::RuntimeError error = raisedBy([&] { control_.SetCommPort(5); });
  EXPECT_EQ(error.Number(), serial::err::PortUnavailable);
  EXPECT_EQ(control_.CommPort(), 4);
}

TEST_F(SerialControlTest, MissingOrBusyDeviceRaisesAndSaysSoInItsStatus) {
  control_.SetCommPort(5);  // mapped to nothing by the registry's default
  mapPort(5, QStringLiteral("/nonexistent/ttyUSB9"));
  EXPECT_EQ(raisedBy([&] { control_.SetPortOpen(true); }).Number(), serial::err::PortNotFound);
  EXPECT_EQ(control_.PortStatus(), serial::status::NotFound);

  SerialControl holder;
  holder.SetCommPort(4);
  holder.SetPortOpen(true);
  control_.SetCommPort(4);
  EXPECT_EQ(raisedBy([&] { control_.SetPortOpen(true); }).Number(), serial::err::PortUnavailable);
  EXPECT_EQ(control_.PortStatus(), serial::status::Unavailable);
  holder.SetPortOpen(false);
  control_.SetPortOpen(true);
  EXPECT_EQ(control_.PortStatus(), serial::status::Connected);
}

TEST_F(SerialControlTest, ClosedPortRefusesReadsAndWrites) {
  EXPECT_EQ(raisedBy([&] { control_.SetOutput(QStringLiteral("I\r")); }).Number(),
            serial::err::PortNotOpen);
  EXPECT_EQ(raisedBy([&] { control_.Input(); }).Number(), serial::err::PortNotOpen);
  EXPECT_EQ(raisedBy([&] { control_.SetInBufferCount(0); }).Number(), serial::err::PortNotOpen);
  control_.SetPortOpen(true);
  control_.SetPortOpen(false);
  EXPECT_EQ(control_.PortStatus(), serial::status::Closed);
}

// The control open on the simulated analyzer's device, as port 6.
void openOn(Simulator& simulator, SerialControl& control) {
  ASSERT_TRUE(simulator.start());
  mapPort(6, simulator.slavePath());
  control.SetCommPort(6);
  control.SetPortOpen(true);
}

TEST_F(SerialControlTest, WritingToADeviceThatHasGoneRaisesDeviceUnavailable) {
  Simulator simulator;
  SerialControl control;
  openOn(simulator, control);
  simulator.hangUp();
  EXPECT_EQ(raisedBy([&] { control.SetOutput(QStringLiteral("I\r")); }).Number(),
            rt::err::DeviceUnavailable);
}

TEST_F(SerialControlTest, DeviceThatHasGoneIsLetGoOnceWhatItSentIsRead) {
  Simulator simulator;
  SerialControl control;
  openOn(simulator, control);
  control.SetOutput(QStringLiteral("I\r"));
  ASSERT_TRUE(testsupport::waitUntil([&] { return control.InBufferCount() >= 4; }, 10000));
  simulator.hangUp();

  // The dead device's descriptor stays readable: the control lets it go as
  // soon as the loop hears of it, so a wait is not woken again and again.
  int turns = 0;
  bool over = false;
  ui::Alarm end([&] { over = true; });
  end.setAfterMilliseconds(100);
  while (!over) {
    ui::waitForEvents();
    ++turns;
  }
  EXPECT_LE(turns, 10);

  EXPECT_EQ(control.InBufferCount(), 4) << "what came before it went is still to be read";
  EXPECT_EQ(control.PortStatus(), serial::status::Gone);
  EXPECT_TRUE(control.PortOpen()) << "the open flag stays as the program set it";
  control.SetInputLen(0);
  EXPECT_EQ(control.Input(), QVariant(QStringLiteral("H!\r>")));
  const std::function<void()> calls[] = {[&] { control.InBufferCount(); }, [&] { control.Input(); },
                                         [&] { control.SetInBufferCount(0); },
                                         [&] { control.SetOutput(QStringLiteral("I\r")); }};
  for (const auto& call : calls) EXPECT_EQ(raisedBy(call).Number(), rt::err::DeviceUnavailable);

  control.SetPortOpen(false);
  EXPECT_FALSE(control.PortOpen());
  EXPECT_EQ(control.PortStatus(), serial::status::Closed);
  EXPECT_EQ(control.InBufferCount(), 0);
}

TEST_F(SerialControlTest, MalformedLineSettingsAreRefused) {
  for (const char* settings : {"9600", "9600,X,8,1", "fast,N,8,1", "9600,N,9,1", "9600,N,8,3"})
    EXPECT_EQ(raisedBy([&] { control_.SetSettings(QLatin1String(settings)); }).Number(), 380)
        << settings;
  EXPECT_EQ(control_.Settings(), QStringLiteral("9600,N,8,1"));
}

}  // namespace
}  // namespace linktest
