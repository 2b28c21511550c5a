// The host's error service, progress log, number texts, version and port
// assignment.

#include <gtest/gtest.h>

#include <QDir>

#include "LocaleScope.h"
#include "QtPrinters.h"
#include "runtime/ErrorHandling.h"
#include "services/ErrorService.h"
#include "services/HostLog.h"
#include "services/HostServices.h"
#include "services/NumberFormatter.h"
#include "ui/MessageBoxes.h"

namespace {

using host::ErrorService;
using testsupport::LocaleScope;

constexpr rt::Long kNotOwnElement = rt::hresult(0x8004A3C2u);
const QString kSource = QStringLiteral("RV1XTests.CConfigSensitivity");

class ErrorServiceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    service()->clear();
    ui::MessageBoxes::instance().clear();
  }
  void TearDown() override {
    service()->clear();
    ui::MessageBoxes::instance().clear();
  }
  static std::shared_ptr<ErrorService> service() { return ErrorService::instance(); }
};

TEST_F(ErrorServiceTest, RaiseThrowsTheNumberedErrorAndNothingAfterItRuns) {
  bool after = false;
  try {
    service()->RaiseError(host::kProduct, kNotOwnElement, kSource, 4);
    after = true;
  } catch (const rt::RuntimeError& e) {
    EXPECT_EQ(e.Number(), kNotOwnElement);
    EXPECT_EQ(e.Source(), kSource);
  }
  EXPECT_FALSE(after);
  ASSERT_EQ(service()->entries().size(), 1);
  EXPECT_EQ(service()->entries().at(0).severity, 4);
  EXPECT_FALSE(service()->entries().at(0).reported);
  // The limit set raises once with an empty product: still a raise.
  EXPECT_THROW(service()->RaiseError(QString(), rt::hresult(0x8004A4EEu),
                                     QStringLiteral("OrvanVPI.CLimitData"), 1),
               rt::RuntimeError);
}

TEST_F(ErrorServiceTest, ThePassOnFormHandsThePendingErrorOnUnchanged) {
  // Load raises its own number, its handler hands it on to the caller.
  auto load = [&] {
    rt::onError(
        [&] { service()->RaiseError(host::kProduct, kNotOwnElement, kSource, 4); },
        [&](const rt::RuntimeError&) { service()->RaiseError(QString(), 0, QString(), 1); });
  };
  try {
    load();
    FAIL() << "nothing handed on";
  } catch (const rt::RuntimeError& e) {
    EXPECT_EQ(e.Number(), kNotOwnElement);
    EXPECT_EQ(e.Source(), kSource);
  }
  // A platform error handed on keeps its own description.
  try {
    rt::onError(
        [] { rt::raise(53, QStringLiteral("XmlDocument"), QStringLiteral("File not found: x")); },
        [&](const rt::RuntimeError&) { service()->PassOnPendingError(); });
    FAIL();
  } catch (const rt::RuntimeError& e) {
    EXPECT_EQ(e.Number(), 53);
    EXPECT_EQ(e.Description(), QStringLiteral("File not found: x"));
  }
  EXPECT_NO_THROW(service()->RaiseError(QString(), 0, QString(), 1)) << "nothing pending";
}

TEST_F(ErrorServiceTest, ReportRecordsPrintsAndShowsThenReturns) {
  ::testing::internal::CaptureStderr();
  rt::onError([] { rt::raise(rt::hresult(0x8004A3EBu), QStringLiteral("RV1XTests.CResultShock")); },
              [&](const rt::RuntimeError& e) {
                service()->ReportError(e, QStringLiteral("RV1XTests.CResultShock"));
              });
  const std::string printed = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(printed, "error: Error -2147179541 (0x8004A3EB) in RV1XTests.CResultShock\n")
      << "printed once, not again as the message box's line";
  ASSERT_EQ(service()->reported().size(), 1);
  EXPECT_EQ(service()->reported().at(0).number, rt::hresult(0x8004A3EBu));
  EXPECT_EQ(service()->reported().at(0).source, QStringLiteral("RV1XTests.CResultShock"));
  ASSERT_EQ(ui::MessageBoxes::instance().shown().size(), 1);
  EXPECT_EQ(ui::MessageBoxes::instance().shown().at(0).style, ui::mb::OkOnly | ui::mb::Critical);
  EXPECT_EQ(
      ErrorService::reportText(rt::RuntimeError(53, QStringLiteral("XmlDocument")),
                               QStringLiteral("SelkamRV1X.CRVPlugIn")),
      QStringLiteral("Error 53 (0x35) in SelkamRV1X.CRVPlugIn [XmlDocument]: File not found"));
}

TEST(HostLog, StepsAndMessages) {
  auto log = std::make_shared<host::HostLog>();
  const rt::Long first =
      log->BeginStep(QStringLiteral("Loading Discharge Test result data"), QString());
  const rt::Long second = log->BeginStep(QStringLiteral("RV-1X"), QString());
  EXPECT_NE(first, 0);
  EXPECT_NE(first, second);
  EXPECT_EQ(log->openSteps(), (QList<rt::Long>{first, second}));
  log->Message(rt::hresult(0x8004A3FFu), 2,
               QStringLiteral("Can not load a measurement because its key is missing"), {});
  log->Message(1, 1, QStringLiteral("%%1 of %%2"), {QVariant(3), QVariant(4)});
  log->EndStep(second);
  EXPECT_EQ(log->openSteps(), QList<rt::Long>{first});
  log->EndStep(first);
  EXPECT_TRUE(log->openSteps().isEmpty());
  ASSERT_EQ(log->entries().size(), 6);
  const host::LogEntry& message = log->entries().at(2);
  EXPECT_EQ(message.kind, host::LogEntry::Message);
  EXPECT_EQ(message.number, rt::hresult(0x8004A3FFu));
  EXPECT_EQ(message.severity, 2);
  EXPECT_EQ(message.step, second);
  EXPECT_EQ(log->entries().at(3).text, QStringLiteral("3 of 4"));
}

TEST(NumberFormatter, NumberTextAndFolderPath) {
  auto formatter = host::NumberFormatter::instance();
  LocaleScope german(LocaleScope::german());
  EXPECT_EQ(formatter->NumberText(QVariant::fromValue<float>(35.05f)), QStringLiteral("35.05"));
  EXPECT_EQ(formatter->NumberText(QVariant(1234.5)), QStringLiteral("1234.5"));
  EXPECT_EQ(formatter->NumberText(QVariant(true)), QStringLiteral("True"));
  EXPECT_EQ(formatter->NumberText(QVariant()), QString());
  // Appended, a Single reads as NumberText gives it, the text before kept.
  for (const float value : {0.0f, -0.0f, 35.05f, -271.828125f, 1e-45f, 3.4028235e38f}) {
    QString text = QStringLiteral("12;");
    formatter->AppendNumberText(text, value);
    EXPECT_EQ(text, QStringLiteral("12;") + formatter->NumberText(QVariant::fromValue(value)))
        << value;
  }
  EXPECT_EQ(formatter->FolderPath(QStringLiteral("/opt/rv1x")) + QStringLiteral("orvanRV1X.mpc"),
            QStringLiteral("/opt/rv1x/orvanRV1X.mpc"));
  EXPECT_EQ(formatter->FolderPath(QStringLiteral("/opt/rv1x/")), QStringLiteral("/opt/rv1x/"));
  EXPECT_EQ(formatter->FolderPath(QString()), QDir::currentPath() + u'/');
}

TEST(VersionService, ComparesDottedNumbers) {
  auto service = host::VersionService::instance();
  const QString previous = service->hostVersion();
  EXPECT_TRUE(service->AtLeast(QStringLiteral("2.1.2")));
  const struct {
    const char* host;
    const char* asked;
    bool atLeast;
  } cases[] = {{"2.1.2", "2.1.2", true}, {"2.1.1", "2.1.2", false}, {"2.1.10", "2.1.2", true},
               {"3", "2.1.2", true},     {"2.1", "2.1.2", false},   {"2.1.2.0", "2.1.2", true}};
  for (const auto& c : cases) {
    service->setHostVersion(QLatin1String(c.host));
    EXPECT_EQ(service->AtLeast(QLatin1String(c.asked)), c.atLeast) << c.host << " >= " << c.asked;
  }
  service->setHostVersion(previous);
}

TEST(PortAssignmentService, AnswersTheAssignedPortOrNone) {
  auto assignment = host::PortAssignmentService::instance()->Assignment();
  ASSERT_TRUE(assignment);
  EXPECT_EQ(assignment, host::PortAssignmentService::instance()->Assignment());
  EXPECT_LT(assignment->Port(host::kProduct, QString()), 1);
  assignment->assign(QStringLiteral("rv-1x"), 3);
  EXPECT_EQ(assignment->Port(host::kProduct, QString()), 3);
  EXPECT_EQ(assignment->Port(QStringLiteral("Other"), QString()), 0);
  assignment->clear();
  EXPECT_EQ(assignment->Port(host::kProduct, QString()), 0);
}

}  // namespace
