#pragma once
// What the tests of the test elements share: a registry of their own with
// the deliverables and the host's control libraries registered as a host
// installs them, the seven classes by registered name, a clean record of
// messages and errors, and the simulated analyzer on the port the host
// assigns; each test on its own clock with a link of its own, the analyzer
// answering in-process (SimulatedLink.h).

#include <gtest/gtest.h>

#include <QDir>
#include <functional>
#include <memory>
#include <vector>

#include "SimulatedLink.h"
#include "Simulator.h"
#include "TestSupport.h"
#include "com/CreateObject.h"
#include "records/RunContext.h"
#include "registry/RegistryStore.h"
#include "services/ErrorService.h"
#include "services/HostServices.h"
#include "tests/CTestFrame.h"
#include "typelib/OrvanQel.h"
#include "ui/Clock.h"
#include "ui/MessageBoxes.h"

namespace frametests {

struct ElementClass {
  const char* progId;
  rt::Long testID;
};

inline const ElementClass kClasses[] = {
    {"RV1XTests.CTestChargeTime", 100},  {"RV1XTests.CTestDischarge", 200},
    {"RV1XTests.CTestSensitivity", 300}, {"RV1XTests.CTestRefractory", 400},
    {"RV1XTests.CTestAccuracy", 500},    {"RV1XTests.CTestPerformance", 600},
    {"RV1XTests.CTestShock", 700},
};

inline QString progIdOf(rt::Long testID) {
  for (const ElementClass& c : kClasses)
    if (c.testID == testID) return QLatin1String(c.progId);
  return QString();
}

inline ui::MessageBoxes& messages() {
  return ui::MessageBoxes::instance();
}

inline host::ErrorService& errors() {
  return *host::ErrorService::instance();
}

inline QStringList shownTexts() {
  QStringList texts;
  for (const ui::ShownMessage& message : messages().shown()) texts.append(message.text);
  return texts;
}

// The registry is the suite's: every write of the store reaches the disk,
// so the libraries are registered once for all the suite's tests.
class FrameTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    registry_ = std::make_unique<testsupport::TemporaryRegistry>();
    for (const char* library : {"orvanRV1Xtst", "orvanRV1Xvti", "orvanTGCL2", "orvanView"})
      ASSERT_TRUE(testsupport::registerServer(testsupport::builtLibrary(QLatin1String(library))))
          << library;
    // No port of a test reaches a real device of the machine.
    for (int port = 1; port <= 16; ++port)
      mapPort(port, QStringLiteral("/nonexistent/rv1x-port-%1").arg(port));
  }
  static void TearDownTestSuite() { registry_.reset(); }

  void SetUp() override {
    com::must(host::VersionService::instance()).setHostVersion(QStringLiteral("2.4.0"));
    assignment().clear();
    messages().clear();
    errors().clear();
  }

  void TearDown() override {
    assignment().clear();
    messages().clear();
    errors().clear();
  }

  static host::PortAssignment& assignment() {
    return com::must(com::must(host::PortAssignmentService::instance()).Assignment());
  }

  static void mapPort(int port, const QString& device) {
    platform::RegistryStore::instance().writeValue(platform::hive::LocalMachine,
                                                   QStringLiteral("Hardware\\SerialPorts"),
                                                   QStringLiteral("COM%1").arg(port), device);
  }

  // A simulated analyzer with these options on the port the host assigns.
  rv1xsim::Simulator& analyzer(const QString& options = QString(), int port = 3) {
    rv1xsim::SimulatorOptions parsed;
    QString error;
    EXPECT_TRUE(rv1xsim::parseOptions(options, parsed, &error)) << qPrintable(error);
    simulators_.push_back(testsupport::pluggedAnalyzer(parsed, port));
    rv1xsim::Simulator& simulator = *simulators_.back();
    assignment().assign(host::kProduct, port);
    return simulator;
  }

  // Calls the action that many milliseconds from now on the test's clock,
  // as a click handled meanwhile would; one due after its test has ended
  // goes nowhere.
  void after(int milliseconds, std::function<void()> action) {
    later_.push_back(std::make_unique<ui::Alarm>(std::move(action)));
    later_.back()->setAfterMilliseconds(milliseconds);
  }

  // An element made by its registered name, as the plug-in makes them.
  static std::shared_ptr<orvanRV1Xtst::CTestFrame> element(rt::Long testID) {
    return com::createObjectAs<orvanRV1Xtst::CTestFrame>(progIdOf(testID));
  }

  static inline std::unique_ptr<testsupport::TemporaryRegistry> registry_;
  testsupport::SimulatedLink simulated_;
  std::vector<std::unique_ptr<rv1xsim::Simulator>> simulators_;
  std::vector<std::unique_ptr<ui::Alarm>> later_;
};

}  // namespace frametests
