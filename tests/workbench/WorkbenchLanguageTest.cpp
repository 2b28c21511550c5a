// The workbench speaks the host's language, as the rest of the host does.

#include <QToolButton>

#include "LanguageScope.h"
#include "RunTally.h"
#include "ScriptedOperator.h"
#include "WorkbenchFixture.h"

namespace workbenchtest {
namespace {

TEST_F(WorkbenchTest, TheWindowSpeaksTheHostsLanguage) {
  const testsupport::LanguageScope german(QStringLiteral("de"));
  std::unique_ptr<WorkbenchWindow> window = openWindow();
  window->NewSequence();
  EXPECT_EQ(button(*window, "runAll")->text(), QStringLiteral("A&lle ausführen"));
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

// The guide's caption and buttons, the settings summaries and the settings
// dialog with Qt's own buttons follow the language; the stored values do
// not.
TEST_F(WorkbenchTest, TheGuideTheSummariesAndQtsOwnButtonsSpeakTheHostsLanguage) {
  std::unique_ptr<WorkbenchWindow> window;
  {
    const testsupport::LanguageScope german(QStringLiteral("de"));
    window = openWindow();
    window->NewSequence();
    EXPECT_EQ(window->Model().index(6, SequenceModel::SettingsColumn).data().toString(),
              QStringLiteral("1 Schritt"));
    EXPECT_EQ(window->Model().index(0, SequenceModel::SettingsColumn).data().toString(),
              QStringLiteral("360 J"));
    EXPECT_TRUE(window->Model()
                    .index(2, SequenceModel::SettingsColumn)
                    .data()
                    .toString()
                    .startsWith(QStringLiteral("Feste Last, ")));
    QString title;
    QString cancel;
    inSettingsDialog([&](host::HostDialogWindow& dialog) {
      title = dialog.windowTitle();
      cancel = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->text();
      testsupport::saveScreenshot(dialog, QStringLiteral("workbench-settings-german"));
      press(dialog, QDialogButtonBox::Cancel);
    });
    doubleClickRow(*window, 0);
    EXPECT_TRUE(title.startsWith(QStringLiteral("Einstellungen – "))) << qPrintable(title);
    EXPECT_EQ(cancel, QStringLiteral("Abbrechen"));

    selectRows(*window, {1, 2, 3, 4, 5, 6});
    button(*window, "removeTest")->click();
    typeSerial(*window);
    files_ = {QStringLiteral("deutsch.xml")};
    analyzer();
    window->Analyzer().SetPort(kPort);
    QString caption;
    QStringList buttons;
    {
      host::ScriptedOperator person;
      person.setPace(20);
      person.setStateHook([&](QWidget& guide, rt::Long, const QString& state) {
        if (state != QLatin1String("opened") || !caption.isEmpty()) return;
        caption = guide.window()->windowTitle();
        for (const char* name : {"button101", "button102", "button103", "button202", "button301"})
          if (auto* each = guide.window()->findChild<QToolButton*>(QLatin1String(name)))
            buttons.append(each->text());
        testsupport::saveScreenshot(*guide.window(), QStringLiteral("workbench-guide-german"));
      });
      button(*window, "runAll")->click();
      EXPECT_EQ(person.guidesSeen(), 1);
    }
    EXPECT_TRUE(caption.startsWith(QStringLiteral("Prüfassistent - "))) << qPrintable(caption);
    EXPECT_EQ(buttons, (QStringList{QStringLiteral("Abbruch"), QStringLiteral("Auslassen"),
                                    QStringLiteral("Zurück"), QStringLiteral("Start"),
                                    QStringLiteral("Weiter")}));
    // Stored as it always is, whatever the language shown.
    EXPECT_TRUE(window->Sequence().ToXml().contains(QStringLiteral("<PresetEnergy>360<")));
    EXPECT_FALSE(window->Sequence().ToXml().contains(QStringLiteral("Feste Last")));
  }
  // Back in English, Qt's own buttons are too.
  window = openWindow();
  QDialogButtonBox box(QDialogButtonBox::Cancel);
  EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Cancel"));
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
