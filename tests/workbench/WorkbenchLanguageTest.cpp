// The workbench speaks the host's language, as the rest of the host does.

#include "LanguageScope.h"
#include "WorkbenchFixture.h"

namespace workbenchtest {
namespace {

TEST_F(WorkbenchTest, TheWindowSpeaksTheHostsLanguage) {
  const testsupport::LanguageScope german(QStringLiteral("de"));
  std::unique_ptr<WorkbenchWindow> window = openWindow();
  window->NewSequence();
  EXPECT_EQ(button(*window, "runAll")->text(), QStringLiteral("Alle ausführen"));
  EXPECT_EQ(window->Model().headerData(SequenceModel::SettingsColumn, Qt::Horizontal).toString(),
            QStringLiteral("Einstellungen"));
  EXPECT_EQ(window->Model().index(0, SequenceModel::VerdictColumn).data().toString(),
            QStringLiteral("Nicht durchgeführt"));
  EXPECT_TRUE(window->Notice().startsWith(QStringLiteral("Eine neue Sequenz")))
      << qPrintable(window->Notice());
  EXPECT_TRUE(window->windowTitle().startsWith(QStringLiteral("RV-1X-Werkbank - Neue Sequenz")))
      << qPrintable(window->windowTitle());
  testsupport::saveScreenshot(*window, QStringLiteral("workbench-german"));
}

}  // namespace
}  // namespace workbenchtest
