// The workbench speaks the host's language, as the rest of the host does.

#include "LanguageScope.h"
#include "RunTally.h"
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

TEST(WorkbenchTally, TheRunsEndIsToldInTheHostsLanguage) {
  const hostapp::SequenceRun::Tally tally{2, 0, 1, 0, 3};
  EXPECT_EQ(workbench::tallyWords(tally),
            QStringLiteral("Passed: 2, Failed: 0, Not judged: 1, Not performed: 3"));
  const testsupport::LanguageScope german(QStringLiteral("de"));
  EXPECT_EQ(workbench::tallyWords(tally),
            QStringLiteral("Bestanden: 2, Nicht bestanden: 0, Nicht beurteilt: 1, "
                           "Nicht durchgeführt: 3"));
}

}  // namespace
}  // namespace workbenchtest
