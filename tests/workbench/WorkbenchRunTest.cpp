// The technician's day at the workbench: a sequence built from the
// catalogue, saved and opened again, one setting changed through its
// editor and a standard picked, two tests run with the scripted operator on
// the simulated analyzer, the record written; and an analyzer that stops
// answering in the middle of a run.

#include <QDesktopServices>
#include <QLabel>
#include <QUrl>

#include "ScriptedOperator.h"
#include "WorkbenchFixture.h"

namespace workbenchtest {
namespace {

// What the desktop was asked to open.
class Viewer : public QObject {
  Q_OBJECT
 public:
  Viewer() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "open"); }
  ~Viewer() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
  QList<QUrl> opened;
 public Q_SLOTS:
  void open(const QUrl& url) { opened.append(url); }
};

TEST_F(WorkbenchTest, BuildEditRunAndHandInASequence) {
  std::unique_ptr<WorkbenchWindow> window = openWindow();
  window->NewSequence();
  testsupport::saveScreenshot(*window, QStringLiteral("workbench-new"));
  // Charge time and sensitivity stay.
  selectRows(*window, {1, 3, 4, 5, 6});
  button(*window, "removeTest")->click();
  EXPECT_EQ(column(*window, SequenceModel::TestColumn),
            (QStringList{QStringLiteral("Charge time test"), QStringLiteral("Sensitivity test")}));
  files_ = {QStringLiteral("sequence.xml")};
  button(*window, "saveAs")->click();
  EXPECT_FALSE(window->Modified()) << qPrintable(window->Notice());

  window = openWindow();
  ASSERT_TRUE(window->OpenSequence(path(QStringLiteral("sequence.xml"))));
  for (auto [field, text] :
       {std::pair{"deviceModel", "Lifeline 9"}, std::pair{"deviceSerial", "LL9-20417"},
        std::pair{"deviceAsset", "BME-0815"}, std::pair{"technician", "R. Okafor"}})
    typeInto(window->findChild<QLineEdit*>(QLatin1String(field)), QLatin1String(text));
  inSettingsDialog([](host::HostDialogWindow& dialog) {
    typeInto(dialog.findChild<QLineEdit*>(QStringLiteral("txtEnergy")), QStringLiteral("200"));
    press(dialog, QDialogButtonBox::Ok);
  });
  doubleClickRow(*window, 0);
  EXPECT_EQ(window->Model().index(0, SequenceModel::SettingsColumn).data().toString(),
            QStringLiteral("200 J"))
      << qPrintable(window->Notice());
  EXPECT_TRUE(window->Model().setData(window->Model().index(1, SequenceModel::StandardColumn),
                                      QStringLiteral("Workshop")));
  EXPECT_TRUE(window->Modified());
  EXPECT_EQ(column(*window, SequenceModel::StandardColumn),
            (QStringList{QStringLiteral("IEC 60601-2-4"), QStringLiteral("Workshop")}));

  analyzer();
  window->Analyzer().SetPort(kPort);
  {
    host::ScriptedOperator person;
    person.setPace(20);
    button(*window, "runAll")->click();
    EXPECT_EQ(person.guidesSeen(), 2);
  }
  // The bench delivered the 200 J asked for; the workshop's limits judged
  // the sensitivity.
  EXPECT_EQ(column(*window, SequenceModel::VerdictColumn),
            (QStringList{QStringLiteral("Passed"), QStringLiteral("Passed")}))
      << qPrintable(window->Notice());
  EXPECT_TRUE(window->Notice().contains(QStringLiteral("Passed: 2, Failed: 0, Not judged: 0")))
      << qPrintable(window->Notice());
  EXPECT_FALSE(window->Modified()) << "the run wrote the sequence's file";
  EXPECT_TRUE(button(*window, "runAll")->isEnabled());
  testsupport::saveScreenshot(*window, QStringLiteral("workbench-after-run"));

  // Everything is kept in the file, which the window lets go when it closes.
  const int columns[] = {SequenceModel::TestColumn, SequenceModel::SettingsColumn,
                         SequenceModel::StandardColumn, SequenceModel::VerdictColumn};
  QList<QStringList> shown;
  for (int c : columns) shown.append(column(*window, c));
  window.reset();
  std::unique_ptr<WorkbenchWindow> reopened = openWindow();
  ASSERT_TRUE(reopened->OpenSequence(path(QStringLiteral("sequence.xml"))));
  // All but the verdicts read as before; those are an earlier run's now.
  for (int i = 0; i < int(std::size(columns)) - 1; ++i)
    EXPECT_EQ(column(*reopened, columns[i]), shown.at(i)) << columns[i];
  EXPECT_EQ(column(*reopened, SequenceModel::VerdictColumn),
            (QStringList{QStringLiteral("Passed (earlier run)"),
                         QStringLiteral("Passed (earlier run)")}));
  testsupport::saveScreenshot(*reopened, QStringLiteral("workbench-earlier-run"));
  const host::SequenceRecord record = reopened->Sequence().Record();
  EXPECT_EQ(record.device,
            (host::DeviceUnderTest{QStringLiteral("Lifeline 9"), QStringLiteral("LL9-20417"),
                                   QStringLiteral("BME-0815")}));
  EXPECT_EQ(record.technician, QStringLiteral("R. Okafor"));
  EXPECT_FALSE(record.ended.isEmpty());

  Viewer viewer;
  button(*reopened, "report")->click();
  const QString pdf = path(QStringLiteral("sequence.pdf"));
  EXPECT_EQ(viewer.opened, QList<QUrl>{QUrl::fromLocalFile(pdf)}) << qPrintable(reopened->Notice());
  QFile report(pdf);
  ASSERT_TRUE(report.open(QIODevice::ReadOnly));
  EXPECT_TRUE(report.read(5).startsWith("%PDF"));
  button(*reopened, "export")->click();
  QFile csv(path(QStringLiteral("sequence.csv")));
  ASSERT_TRUE(csv.open(QIODevice::ReadOnly)) << qPrintable(reopened->Notice());
  const QList<QByteArray> lines = csv.readAll().split('\n');
  ASSERT_GE(lines.size(), 5);
  EXPECT_TRUE(lines.at(1).startsWith("Lifeline 9,LL9-20417,BME-0815,R. Okafor,"))
      << lines.at(1).toStdString();
  EXPECT_TRUE(lines.at(1).contains(",ENGY,")) << lines.at(1).toStdString();
  EXPECT_TRUE(lines.at(1).contains(",200,")) << lines.at(1).toStdString();

  // The next sequence is offered the technician.
  std::unique_ptr<WorkbenchWindow> next = openWindow();
  next->NewSequence();
  EXPECT_EQ(next->findChild<QLineEdit*>(QStringLiteral("technician"))->text(),
            QStringLiteral("R. Okafor"));
}

TEST_F(WorkbenchTest, AnAnalyzerThatStopsAnsweringEndsItsTestAndTheWindowGoesOn) {
  std::unique_ptr<WorkbenchWindow> window = openWindow();
  window->NewSequence();
  selectRows(*window, {2, 3, 4, 5, 6});
  button(*window, "removeTest")->click();
  typeSerial(*window);
  files_ = {QStringLiteral("cable.xml")};
  ASSERT_TRUE(window->Save());
  rv1xsim::Simulator& simulated = analyzer();
  window->Analyzer().SetPort(kPort);
  {
    host::ScriptedOperator person;
    person.setPace(20);
    // The cable comes out as the first test runs.
    person.setStateHook([&](QWidget&, rt::Long, const QString& state) {
      if (state == QLatin1String("running"))
        simulated.update([](rv1xsim::SimulatorOptions& options) { options.faults.silent = true; });
    });
    button(*window, "runAll")->click();
    EXPECT_EQ(person.guidesSeen(), 2);
  }
  EXPECT_EQ(column(*window, SequenceModel::VerdictColumn),
            (QStringList{QStringLiteral("Not performed"), QStringLiteral("Not performed")}));
  EXPECT_FALSE(window->Running());

  // Mended, the first test runs on its own.
  simulated.update([](rv1xsim::SimulatorOptions& options) { options.faults.silent = false; });
  selectRows(*window, {0});
  {
    host::ScriptedOperator person;
    person.setPace(20);
    button(*window, "runSelected")->click();
    EXPECT_EQ(person.guidesSeen(), 1);
  }
  EXPECT_EQ(column(*window, SequenceModel::VerdictColumn),
            (QStringList{QStringLiteral("Passed"), QStringLiteral("Not performed")}))
      << qPrintable(window->Notice());
  EXPECT_TRUE(window->Notice().startsWith(
      QStringLiteral("The run has ended: Passed: 1, Failed: 0, Not judged: 0. ")))
      << "only the test run is counted: " << qPrintable(window->Notice());
}

// The guide is modal to the whole application; the small window beside it
// is the guide's own, and its button reaches the run.
TEST_F(WorkbenchTest, StopAfterThisTestFromBesideTheGuide) {
  std::unique_ptr<WorkbenchWindow> window = openWindow();
  window->NewSequence();
  selectRows(*window, {2, 3, 4, 5, 6});
  button(*window, "removeTest")->click();
  typeSerial(*window);
  files_ = {QStringLiteral("stop.xml")};
  analyzer();
  window->Analyzer().SetPort(kPort);
  QString progress;
  QStringList verdicts;
  {
    host::ScriptedOperator person;
    person.setPace(20);
    person.setStateHook([&](QWidget&, rt::Long, const QString& state) {
      if (state != QLatin1String("running")) return;
      QWidget* companion = nullptr;
      for (QWidget* top : QApplication::topLevelWidgets())
        if (top->objectName() == QLatin1String("runCompanion") && top->isVisible()) companion = top;
      ASSERT_TRUE(companion);
      progress = companion->findChild<QLabel*>(QStringLiteral("runProgress"))->text();
      verdicts = column(*window, SequenceModel::VerdictColumn);
      testsupport::saveScreenshot(*companion, QStringLiteral("workbench-run-companion"));
      // Through the window system, where a modal window blocks others.
      auto* stop = companion->findChild<QPushButton*>(QStringLiteral("companionStop"));
      QTest::mouseClick(companion->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                        stop->mapTo(companion, stop->rect().center()));
    });
    button(*window, "runAll")->click();
    EXPECT_EQ(person.guidesSeen(), 1);
  }
  EXPECT_EQ(progress, QStringLiteral("Test 1 of 2: Charge time test"));
  EXPECT_EQ(verdicts, (QStringList{QStringLiteral("Running..."), QStringLiteral("Not performed")}));
  EXPECT_EQ(column(*window, SequenceModel::VerdictColumn),
            (QStringList{QStringLiteral("Passed"), QStringLiteral("Not performed")}));
  EXPECT_TRUE(window->Notice().startsWith(QStringLiteral(
      "Stopped after a test: Passed: 1, Failed: 0, Not judged: 0, Not performed: 1.")))
      << qPrintable(window->Notice());
}

}  // namespace
}  // namespace workbenchtest

#include "WorkbenchRunTest.moc"
