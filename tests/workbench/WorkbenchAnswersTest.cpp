// What the workbench answers so that the technician knows what to do: a
// name typed without its extension, a record without the device's serial
// number, folders that cannot be written, the stop that was heard, and the
// guide placed over the workbench.

#include <QLabel>

#include "ScriptedOperator.h"
#include "WorkbenchFixture.h"

namespace workbenchtest {
namespace {

// A folder no one may write, root included: a new file cannot be made in
// /proc, whatever its permission bits say.
const QString kReadOnlyFolder = QStringLiteral("/proc");

TEST_F(WorkbenchTest, SaveAsAddsTheExtensionOpenLooksFor) {
  std::unique_ptr<WorkbenchWindow> window = openWindow();
  window->NewSequence();
  const struct {
    const char* typed;
    const char* saved;
  } cases[] = {{"monday", "monday.xml"}, {"monday.seq", "monday.seq"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    files_ = {QLatin1String(c.typed)};
    ASSERT_TRUE(window->SaveAs()) << qPrintable(window->Notice());
    EXPECT_EQ(window->FileName(), path(QLatin1String(c.saved)));
    EXPECT_TRUE(QFile::exists(path(QLatin1String(c.saved))));
  }
  EXPECT_FALSE(QFile::exists(path(QStringLiteral("monday"))));
}

TEST_F(WorkbenchTest, ARunOrAReportWithoutTheDevicesSerialNumberAsksFirst) {
  std::unique_ptr<WorkbenchWindow> window = openWindow();
  window->NewSequence();
  selectRows(*window, {1, 2, 3, 4, 5, 6});
  button(*window, "removeTest")->click();
  files_ = {QStringLiteral("untraced.xml")};
  ASSERT_TRUE(window->Save());
  analyzer();
  window->Analyzer().SetPort(kPort);
  ui::MessageBoxes& boxes = ui::MessageBoxes::instance();
  const QString pdf = path(QStringLiteral("untraced.pdf"));

  // Answered No, nothing is run or written and the serial number's field
  // waits for it.
  for (const char* which : {"runAll", "report"}) {
    SCOPED_TRACE(which);
    boxes.clear();
    boxes.queueAnswers({ui::mb::No});
    host::ScriptedOperator person;
    button(*window, which)->click();
    EXPECT_EQ(person.guidesSeen(), 0);
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(boxes.shown().first().caption, QStringLiteral("RV-1X workbench"));
    EXPECT_TRUE(boxes.shown().first().text.contains(QStringLiteral("cannot be traced")));
    EXPECT_EQ(window->Notice(), QStringLiteral("Type the device's serial number first."));
    EXPECT_EQ(QApplication::focusWidget(),
              window->findChild<QLineEdit*>(QStringLiteral("deviceSerial")));
  }
  EXPECT_FALSE(QFile::exists(pdf));

  // Answered Yes, the run goes on.
  boxes.clear();
  boxes.queueAnswers({ui::mb::Yes});
  {
    host::ScriptedOperator person;
    person.setPace(20);
    button(*window, "runAll")->click();
    EXPECT_EQ(person.guidesSeen(), 1);
  }
  EXPECT_EQ(column(*window, SequenceModel::VerdictColumn), QStringList{QStringLiteral("Passed")});

  // With the serial number there is nothing to ask.
  boxes.clear();
  typeSerial(*window);
  window->WriteReport();
  EXPECT_TRUE(boxes.shown().isEmpty());
  EXPECT_TRUE(QFile::exists(pdf)) << qPrintable(window->Notice());
}

TEST_F(WorkbenchTest, AFolderThatCannotBeWrittenIsToldAsSuch) {
  std::unique_ptr<WorkbenchWindow> window = openWindow();
  window->NewSequence();
  typeSerial(*window);
  const QString refused = kReadOnlyFolder + QStringLiteral("/rv1x-sequence.xml");
  window->SetFileChooser([&](WorkbenchWindow::FileQuestion, const QString&) { return refused; });
  EXPECT_FALSE(window->SaveAs());
  EXPECT_EQ(window->Notice(), QStringLiteral("%1 was not written: the folder %2 cannot be written.")
                                  .arg(refused, kReadOnlyFolder));
  EXPECT_TRUE(window->NoticeIsProblem());
  EXPECT_TRUE(window->FileName().isEmpty());
  EXPECT_TRUE(window->Modified());
}

// A sequence opened from a folder that cannot be written: the report and the
// export beside it cannot be written either, so Save as is offered.
TEST_F(WorkbenchTest, AReportIntoAFolderThatCannotBeWrittenOffersSaveAs) {
  std::unique_ptr<WorkbenchWindow> builder = openWindow();
  builder->NewSequence();
  files_ = {QStringLiteral("stored.xml")};
  ASSERT_TRUE(builder->Save());
  builder.reset();  // lets the document go
  QFile stored(path(QStringLiteral("stored.xml")));
  ASSERT_TRUE(stored.open(QIODevice::ReadOnly));
  // The open file seen through /proc: readable, in a folder no file can be
  // made in.
  const QString through = QStringLiteral("/proc/self/fd/%1").arg(stored.handle());
  std::unique_ptr<WorkbenchWindow> window = openWindow();
  ASSERT_TRUE(window->OpenSequence(through)) << qPrintable(window->Notice());
  typeSerial(*window);
  const QString folder = QFileInfo(through).absolutePath();
  ui::MessageBoxes& boxes = ui::MessageBoxes::instance();

  for (const char* which : {"report", "export"}) {
    SCOPED_TRACE(which);
    boxes.clear();
    boxes.queueAnswers({ui::mb::No});
    button(*window, which)->click();
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(boxes.shown().first().caption, QStringLiteral("RV-1X workbench"));
    EXPECT_TRUE(boxes.shown().first().text.contains(QStringLiteral("Save as")));
    EXPECT_TRUE(window->Notice().endsWith(
        QStringLiteral("was not written: the folder %1 cannot be written.").arg(folder)))
        << qPrintable(window->Notice());
    EXPECT_TRUE(window->NoticeIsProblem());
  }

  // Yes: saved in another folder, the report is written beside it there.
  boxes.clear();
  boxes.queueAnswers({ui::mb::Yes});
  files_ = {QStringLiteral("moved.xml")};
  button(*window, "export")->click();
  EXPECT_EQ(window->FileName(), path(QStringLiteral("moved.xml")));
  EXPECT_TRUE(QFile::exists(path(QStringLiteral("moved.csv")))) << qPrintable(window->Notice());
  EXPECT_FALSE(window->NoticeIsProblem());
}

// "Stop after this test" says that it was heard and stays pressed; the
// guide opens centred on the workbench with the run's window at its right,
// clear of the sequence's test column.
TEST_F(WorkbenchTest, StopAfterThisTestStaysPressedAndTheGuideOpensOverTheWorkbench) {
  std::unique_ptr<WorkbenchWindow> window = openWindow();
  window->NewSequence();
  selectRows(*window, {2, 3, 4, 5, 6});
  button(*window, "removeTest")->click();
  typeSerial(*window);
  files_ = {QStringLiteral("stopping.xml")};
  analyzer();
  window->Analyzer().SetPort(kPort);
  QString before;
  QString after;
  bool pressed = false;
  QRect guideFrame;
  QRect companionFrame;
  {
    host::ScriptedOperator person;
    person.setPace(20);
    person.setStateHook([&](QWidget& guide, rt::Long, const QString& state) {
      if (state != QLatin1String("running")) return;
      QWidget* companion = nullptr;
      for (QWidget* top : QApplication::topLevelWidgets())
        if (top->objectName() == QLatin1String("runCompanion") && top->isVisible()) companion = top;
      ASSERT_TRUE(companion);
      guideFrame = guide.window()->frameGeometry();
      companionFrame = companion->frameGeometry();
      auto* stop = companion->findChild<QPushButton*>(QStringLiteral("companionStop"));
      before = stop->text();
      QTest::mouseClick(companion->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                        stop->mapTo(companion, stop->rect().center()));
      after = stop->text();
      pressed = stop->isChecked();
      testsupport::saveScreenshot(*companion, QStringLiteral("workbench-run-stopping"));
    });
    button(*window, "runAll")->click();
    EXPECT_EQ(person.guidesSeen(), 1);
  }
  EXPECT_EQ(before, QStringLiteral("S&top after this test"));
  EXPECT_EQ(after, QStringLiteral("Stopping after this test"));
  EXPECT_TRUE(pressed);
  EXPECT_EQ(button(*window, "stopAfter")->text(), QStringLiteral("S&top after this test"))
      << "the run has ended";
  EXPECT_FALSE(button(*window, "stopAfter")->isChecked());

  const QPoint centre = window->frameGeometry().center();
  EXPECT_LE((guideFrame.center() - centre).manhattanLength(), 4)
      << guideFrame.center().x() << "," << guideFrame.center().y();
  EXPECT_FALSE(companionFrame.intersects(guideFrame));
  QTableView& table = window->Table();
  const QRect testColumn(table.viewport()->mapToGlobal(QPoint(table.columnViewportPosition(0), 0)),
                         QSize(table.columnWidth(0), table.viewport()->height()));
  EXPECT_FALSE(companionFrame.intersects(testColumn));
  EXPECT_FALSE(guideFrame.intersects(testColumn));
}

TEST_F(WorkbenchTest, TheNoticeLineFollowsTheSequence) {
  std::unique_ptr<WorkbenchWindow> window = openWindow();
  window->NewSequence();
  selectRows(*window, {1});
  button(*window, "moveDown")->click();
  EXPECT_EQ(window->Notice(), QStringLiteral("Discharge test moved to place 3."));
  selectRows(*window, {2});
  button(*window, "removeTest")->click();
  EXPECT_EQ(window->Notice(), QStringLiteral("Discharge test removed."));
  typeInto(window->findChild<QLineEdit*>(QStringLiteral("deviceModel")), QStringLiteral("L9"));
  EXPECT_EQ(window->Notice(),
            QStringLiteral("The sequence has changed; save it to keep the change."));
  EXPECT_FALSE(window->NoticeIsProblem());

  // A test added shows its whole settings at once, as it will once saved.
  window->AddTest(700);
  const int added = window->Model().rowCount() - 1;
  const QString shown =
      window->Model().index(added, SequenceModel::SettingsColumn).data().toString();
  files_ = {QStringLiteral("added.xml")};
  ASSERT_TRUE(window->Save());
  window.reset();  // lets the document go
  std::unique_ptr<WorkbenchWindow> reopened = openWindow();
  ASSERT_TRUE(reopened->OpenSequence(path(QStringLiteral("added.xml"))));
  EXPECT_EQ(shown, reopened->Model().index(added, SequenceModel::SettingsColumn).data().toString());
  EXPECT_FALSE(shown.isEmpty());
}

}  // namespace
}  // namespace workbenchtest
