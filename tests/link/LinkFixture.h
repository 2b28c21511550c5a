#pragma once
// What every test of the analyzer link sets up: a registry store of its own
// with the built link registered, the host's version and port assignment,
// the test on its own clock with a link of its own and simulated analyzers
// in-process on port numbers (SimulatedLink.h), and a clean record of
// message boxes and errors. Shared by the link tests and the tests of the
// link's fixed time-outs.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "SimulatedLink.h"
#include "Simulator.h"
#include "TestSupport.h"
#include "com/CreateObject.h"
#include "orvanRV1Xvti/CRV1XVTi.h"
#include "registry/RegistryStore.h"
#include "serial/SerialControl.h"
#include "services/ErrorService.h"
#include "services/HostServices.h"
#include "typelib/OrvanQel.h"
#include "ui/Clock.h"
#include "ui/MessageBoxes.h"

namespace linktest {

using orvanRV1Xvti::CRV1XVTi;
using orvanRV1Xvti::eeVTI_Error;
using rv1xsim::Simulator;
using testsupport::raisedBy;

inline const QString kNoAnalyzerFound = QStringLiteral(
    "No MTI was found connected. Check that your RV-1X is connected and that it has been powered "
    "on.");
inline const QString kCaption = QStringLiteral("orvanRV1Xvti");
inline const QString kConnectionSource = QStringLiteral("RV1XVTI.CRV1XVti");
constexpr int kDefaultPort = 3;

inline host::PortAssignment& assignment() {
  return com::must(com::must(host::PortAssignmentService::instance()).Assignment());
}
inline host::ErrorService& errors() {
  return com::must(host::ErrorService::instance());
}
inline ui::MessageBoxes& messages() {
  return ui::MessageBoxes::instance();
}

inline void mapPort(int port, const QString& device) {
  platform::RegistryStore::instance().writeValue(platform::hive::LocalMachine,
                                                 QStringLiteral("Hardware\\SerialPorts"),
                                                 QStringLiteral("COM%1").arg(port), device);
}

inline void setCommTimeOut(const QVariant& milliseconds) {
  platform::RegistryStore::instance().writeValue(platform::hive::LocalMachine,
                                                 QStringLiteral("Software\\Tavrin\\orvan\\RV-1X"),
                                                 QStringLiteral("CommTimeOut"), milliseconds);
}

// True when nothing holds the device open: a serial control can take it.
inline bool deviceIsFree(const QString& device) {
  serial::SerialControl control;
  platform::RegistryStore::instance().writeValue(platform::hive::LocalMachine,
                                                 QStringLiteral("Hardware\\SerialPorts"),
                                                 QStringLiteral("COM99"), device);
  control.SetCommPort(99);
  try {
    control.SetPortOpen(true);
  } catch (const rt::RuntimeError&) {
    return false;
  }
  control.SetPortOpen(false);
  return true;
}

inline QStringList shownTexts() {
  QStringList texts;
  for (const ui::ShownMessage& message : messages().shown()) texts.append(message.text);
  return texts;
}

// The time the body took on the test's clock, in milliseconds.
inline qint64 elapsedOf(const std::function<void()>& body) {
  ui::Stopwatch clock;
  clock.start();
  body();
  return clock.elapsed();
}

class LinkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(
        testsupport::registerServer(testsupport::builtLibrary(QStringLiteral("orvanRV1Xvti"))));
    com::must(host::VersionService::instance()).setHostVersion(QStringLiteral("2.4.0"));
    assignment().clear();
    messages().clear();
    errors().clear();
    // No port of a test may reach a real device of the machine.
    for (int port = 1; port <= 16; ++port)
      mapPort(port, QStringLiteral("/nonexistent/rv1x-port-%1").arg(port));
  }

  void TearDown() override {
    if (connection_) connection_->CloseChannel();
    connection_.reset();
    com::must(host::VersionService::instance()).setHostVersion(QStringLiteral("2.4.0"));
    assignment().clear();
    messages().clear();
    errors().clear();
  }

  // A simulated analyzer with these options on the port, which the host
  // assigns unless told otherwise.
  Simulator& analyzer(const QString& options = QString(), int port = kDefaultPort,
                      bool assign = true) {
    rv1xsim::SimulatorOptions parsed;
    QString error;
    EXPECT_TRUE(rv1xsim::parseOptions(options, parsed, &error)) << qPrintable(error);
    simulators_.push_back(testsupport::pluggedAnalyzer(parsed, port));
    Simulator& simulator = *simulators_.back();
    if (assign) assignment().assign(host::kProduct, port);
    return simulator;
  }

  // The connection, created by its registered name as a test element does.
  CRV1XVTi& connection() {
    if (!connection_) connection_ = com::createObjectAs<CRV1XVTi>(orvanRV1Xvti::kConnectionProgId);
    return com::must(connection_);
  }

  // Opens the connection; the error raised is handed back (number 0: none).
  rt::RuntimeError openFails() {
    return raisedBy([&] { connection().OpenChannel(); });
  }

  // Calls Abort after the given time, as a click handled during a wait would.
  // A click that comes after its test has ended goes nowhere.
  void abortAfter(int milliseconds) {
    clicks_.push_back(std::make_unique<ui::Alarm>([this] { connection().Abort(); }));
    clicks_.back()->setAfterMilliseconds(milliseconds);
  }

  testsupport::TemporaryRegistry registry_;
  testsupport::SimulatedLink simulated_;
  std::vector<std::unique_ptr<Simulator>> simulators_;
  std::shared_ptr<CRV1XVTi> connection_;
  std::vector<std::unique_ptr<ui::Alarm>> clicks_;
};

}  // namespace linktest
