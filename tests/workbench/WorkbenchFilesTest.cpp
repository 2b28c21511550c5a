// What the workbench does with the files it is given and writes: a file it
// cannot read, an entry it cannot make a test of, a file changed by another
// program, changes not saved when it closes, a settings edit cancelled, a
// report it cannot write, and an error inside a handler.

#include <QCloseEvent>

#include "WorkbenchFixture.h"
#include "sequence/SequenceDocument.h"

namespace workbenchtest {
namespace {

TEST_F(WorkbenchTest, AnEntryThatIsNoTestIsShownKeptAndNeverRun) {
  // The charge-time and discharge tests as the window stores them, with an
  // entry of a class nobody registered between them.
  std::unique_ptr<WorkbenchWindow> window = openWindow();
  window->NewSequence();
  selectRows(*window, {2, 3, 4, 5, 6});
  window->RemoveSelected();
  const QString stored = withUnknownEntry(window->Sequence().ToXml());
  const QString file = writeFile(QStringLiteral("odd.xml"), stored);
  ASSERT_TRUE(window->OpenSequence(file));
  EXPECT_TRUE(window->Notice().contains(QStringLiteral("RV1XTests.CTestTeleport")))
      << qPrintable(window->Notice());
  EXPECT_EQ(column(*window, SequenceModel::TestColumn),
            (QStringList{QStringLiteral("Charge time test"), QStringLiteral("Teleport test"),
                         QStringLiteral("Discharge test")}));
  EXPECT_EQ(window->Model().index(1, SequenceModel::VerdictColumn).data().toString(),
            QStringLiteral("Unreadable"));
  EXPECT_FALSE(window->Model()
                   .index(1, SequenceModel::TestColumn)
                   .data(Qt::ToolTipRole)
                   .toString()
                   .isEmpty());

  // It cannot be edited or run, only moved or removed.
  window->EditRow(1);
  EXPECT_TRUE(window->Notice().contains(QStringLiteral("cannot be edited")));
  selectRows(*window, {1});
  button(*window, "runSelected")->click();
  EXPECT_TRUE(window->Notice().contains(QStringLiteral("never run")));
  EXPECT_FALSE(window->Running());
  button(*window, "moveUp")->click();
  EXPECT_EQ(column(*window, SequenceModel::TestColumn).first(), QStringLiteral("Teleport test"));
  ASSERT_TRUE(window->Save()) << qPrintable(window->Notice());
  QFile saved(file);
  ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
  const QString text = QString::fromUtf8(saved.readAll());
  EXPECT_TRUE(text.contains(kUnknownEntry)) << qPrintable(text);
  EXPECT_LT(text.indexOf(kUnknownEntry), text.indexOf(QStringLiteral("RV1XTests.CTestChargeTime")));
}

TEST_F(WorkbenchTest, AFileThatCannotBeReadOpensNothingAndSaysWhy) {
  std::unique_ptr<WorkbenchWindow> window = openWindow();
  window->NewSequence();
  const struct {
    const char* what;
    QString file;
  } cases[] = {
      {"missing", path(QStringLiteral("missing.xml"))},
      {"not XML", writeFile(QStringLiteral("broken.xml"), QStringLiteral("<TestSequence>"))},
      {"no sequence", writeFile(QStringLiteral("template.xml"), QStringLiteral("<Template/>"))},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    files_ = {QFileInfo(c.file).fileName()};
    button(*window, "open")->click();
    EXPECT_TRUE(window->Notice().contains(c.file)) << qPrintable(window->Notice());
    EXPECT_TRUE(window->Notice().contains(QStringLiteral("not opened")));
    EXPECT_EQ(window->Model().rowCount(), 7);
    EXPECT_TRUE(window->FileName().isEmpty());
  }
}

TEST_F(WorkbenchTest, AFileAnotherProgramChangedIsNotWrittenOver) {
  std::unique_ptr<WorkbenchWindow> window = openWindow();
  window->NewSequence();
  files_ = {QStringLiteral("shared.xml")};
  ASSERT_TRUE(window->Save());
  const QString theirs =
      QStringLiteral("<TestSequence><Note>another run's record</Note></TestSequence>");
  writeFile(QStringLiteral("shared.xml"), theirs);
  selectRows(*window, {0});
  button(*window, "removeTest")->click();
  button(*window, "save")->click();
  EXPECT_TRUE(window->Notice().contains(QStringLiteral("not written over")))
      << qPrintable(window->Notice());
  QFile file(path(QStringLiteral("shared.xml")));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(QString::fromUtf8(file.readAll()), theirs);
  EXPECT_TRUE(window->Modified());
  // Saved as another file, nothing is lost.
  files_ = {QStringLiteral("mine.xml")};
  button(*window, "saveAs")->click();
  EXPECT_FALSE(window->Modified()) << qPrintable(window->Notice());
}

TEST_F(WorkbenchTest, TheOpenDocumentIsTheWindowsAloneWhileItHasIt) {
  std::unique_ptr<WorkbenchWindow> window = openWindow();
  window->NewSequence();
  files_ = {QStringLiteral("held.xml")};
  ASSERT_TRUE(window->Save());
  const QString held = path(QStringLiteral("held.xml"));
  const QString holder = QStringLiteral("process %1").arg(QCoreApplication::applicationPid());

  std::unique_ptr<WorkbenchWindow> other = openWindow();
  EXPECT_FALSE(other->OpenSequence(held));
  EXPECT_TRUE(other->Notice().contains(QStringLiteral("is in use by ") + holder))
      << qPrintable(other->Notice());
  testsupport::saveScreenshot(*other, QStringLiteral("workbench-document-in-use"));
  const testsupport::ProgramOutcome resave =
      host(qEnvironmentVariable("RV1X_REGISTRY"), {QStringLiteral("resave"), held, held});
  EXPECT_EQ(resave.status, 2);
  EXPECT_TRUE(resave.errors.contains(holder)) << qPrintable(resave.errors);

  // The window's own saves and runs go on under its lock; a new sequence
  // lets the file go.
  EXPECT_TRUE(window->Save()) << qPrintable(window->Notice());
  window->NewSequence();
  EXPECT_TRUE(other->OpenSequence(held)) << qPrintable(other->Notice());
}

TEST_F(WorkbenchTest, ClosingWithChangesNotSavedAsksFirst) {
  std::unique_ptr<WorkbenchWindow> window = openWindow();
  window->NewSequence();
  struct Case {
    int answer;
    bool closes;
    bool saved;
  } const cases[] = {
      {ui::mb::Cancel, false, false}, {ui::mb::Yes, true, true}, {ui::mb::No, true, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.answer);
    window->show();
    window->AddTest(100);
    ASSERT_TRUE(window->Modified());
    const QString file = QStringLiteral("closed-%1.xml").arg(c.answer);
    files_ = {file};
    ui::MessageBoxes::instance().clear();
    ui::MessageBoxes::instance().queueAnswers({c.answer});
    EXPECT_EQ(window->close(), c.closes);
    ASSERT_EQ(ui::MessageBoxes::instance().shown().size(), 1);
    EXPECT_EQ(QFile::exists(path(file)), c.saved);
    if (c.saved) files_.clear();
  }
  // Without changes it closes without asking.
  window->show();
  ui::MessageBoxes::instance().clear();
  window->OpenSequence(path(QStringLiteral("closed-6.xml")));
  EXPECT_TRUE(window->close());
  EXPECT_TRUE(ui::MessageBoxes::instance().shown().isEmpty());
}

TEST_F(WorkbenchTest, CancelledSettingsStayAsTheyWere) {
  std::unique_ptr<WorkbenchWindow> window = openWindow();
  window->NewSequence();
  files_ = {QStringLiteral("kept.xml")};
  ASSERT_TRUE(window->Save());
  inSettingsDialog([](host::HostDialogWindow& dialog) {
    typeInto(dialog.findChild<QLineEdit*>(QStringLiteral("txtEnergy")), QStringLiteral("150"));
    press(dialog, QDialogButtonBox::Cancel);
  });
  doubleClickRow(*window, 0);
  EXPECT_EQ(window->Model().index(0, SequenceModel::SettingsColumn).data().toString(),
            QStringLiteral("360 J"));
  EXPECT_FALSE(window->Modified());
  EXPECT_FALSE(window->Sequence().ToXml().contains(QStringLiteral(">150<")));
}

// A report the printer cannot write (its name taken by a folder) is told
// with what the printing reported, not as written.
TEST_F(WorkbenchTest, AReportThatCannotBeWrittenSaysWhy) {
  std::unique_ptr<WorkbenchWindow> window = openWindow();
  window->NewSequence();
  typeSerial(*window);
  files_ = {QStringLiteral("taken.xml")};
  ASSERT_TRUE(window->Save());
  ASSERT_TRUE(QDir(path(QString())).mkdir(QStringLiteral("taken.pdf")));
  EXPECT_FALSE(window->WriteReport());
  EXPECT_EQ(window->Notice(),
            QStringLiteral("The report was not written: Cannot write the report %1")
                .arg(path(QStringLiteral("taken.pdf"))));
  EXPECT_TRUE(window->NoticeIsProblem());
}

TEST_F(WorkbenchTest, AnErrorInAHandlerIsToldInTheWindow) {
  std::unique_ptr<WorkbenchWindow> window = openWindow();
  window->NewSequence();
  window->SetFileChooser([](WorkbenchWindow::FileQuestion, const QString&) -> QString {
    throw std::runtime_error("the file dialog fell over");
  });
  button(*window, "saveAs")->click();
  EXPECT_TRUE(window->Notice().contains(QStringLiteral("the file dialog fell over")))
      << qPrintable(window->Notice());
  EXPECT_TRUE(window->isVisible());
}

}  // namespace
}  // namespace workbenchtest
