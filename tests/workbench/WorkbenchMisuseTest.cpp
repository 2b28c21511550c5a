// What the window does with what does not fit the moment: its members
// called while a run is under way (the buttons are disabled then, and the
// guide keeps the window out of reach, but the members must hold on their
// own), a run with no port chosen or on a port whose device is gone, a
// sequence that holds nothing to run, and a stored standard that the test's
// limits lack.

#include <QComboBox>

#include "ScriptedOperator.h"
#include "WorkbenchFixture.h"
#include "WorkbenchStore.h"
#include "limits/Standard.h"
#include "limits/StandardsCollection.h"
#include "sequence/TestVerdict.h"

namespace workbenchtest {
namespace {

const QString kUnderWay = QStringLiteral("A run is under way");

TEST_F(WorkbenchTest, WhileARunIsUnderWayTheSequenceAndItsFileStayTheRuns) {
  std::unique_ptr<WorkbenchWindow> window = openWindow();
  window->NewSequence();
  selectRows(*window, {2, 3, 4, 5, 6});
  button(*window, "removeTest")->click();
  typeSerial(*window);
  files_ = {QStringLiteral("busy.xml")};
  ASSERT_TRUE(window->Save());
  const QString other = writeFile(QStringLiteral("other.xml"), window->Sequence().ToXml());
  const QString names = column(*window, SequenceModel::TestColumn).join(QLatin1Char('|'));
  analyzer();
  window->Analyzer().SetPort(kPort);

  const struct {
    const char* what;
    std::function<void(WorkbenchWindow&)> call;
  } calls[] = {
      {"Run all", [](WorkbenchWindow& w) { w.RunAll(); }},
      {"Add", [](WorkbenchWindow& w) { w.AddTest(100); }},
      {"Remove", [](WorkbenchWindow& w) { selectRows(w, {0}), w.RemoveSelected(); }},
      {"Move", [](WorkbenchWindow& w) { selectRows(w, {1}), w.MoveSelected(-1); }},
      {"Edit", [](WorkbenchWindow& w) { w.EditRow(0); }},
      {"Open", [this](WorkbenchWindow& w) { files_ = {QStringLiteral("other.xml")}, w.Open(); }},
      {"Open file", [&](WorkbenchWindow& w) { w.OpenSequence(other); }},
      {"New", [](WorkbenchWindow& w) { w.NewSequence(); }},
      {"Save as",
       [this](WorkbenchWindow& w) { files_ = {QStringLiteral("third.xml")}, w.SaveAs(); }},
      {"Close", [](WorkbenchWindow& w) { EXPECT_FALSE(w.close()); }},
  };
  for (const auto& c : calls) {
    SCOPED_TRACE(c.what);
    QString told;
    {
      host::ScriptedOperator person;
      person.setPace(20);
      person.setStateHook([&](QWidget&, rt::Long id, const QString& state) {
        if (state != QLatin1String("running") || id != 100) return;
        c.call(*window);
        told = window->Notice();
      });
      window->RunAll();
      EXPECT_EQ(person.guidesSeen(), 2);
    }
    EXPECT_TRUE(told.startsWith(kUnderWay)) << qPrintable(told);
    EXPECT_EQ(window->FileName(), path(QStringLiteral("busy.xml")));
    EXPECT_EQ(column(*window, SequenceModel::TestColumn).join(QLatin1Char('|')), names);
    EXPECT_EQ(column(*window, SequenceModel::VerdictColumn),
              (QStringList{QStringLiteral("Passed"), QStringLiteral("Passed")}))
        << qPrintable(window->Notice());
    EXPECT_FALSE(window->Modified());
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("third.xml"))));
    // The run's file holds both results (read beside the window, which
    // keeps the file to itself).
    host::SequenceDocument stored;
    stored.Load(path(QStringLiteral("busy.xml")));
    ASSERT_EQ(stored.Count(), 2);
    for (int i = 0; i < 2; ++i)
      EXPECT_EQ(host::verdictOf(stored, i).verdict, host::Verdict::Passed) << i;
  }
}

// Each run that cannot start says why, leaves every row as it was, and the
// window ready for the next try.
TEST_F(WorkbenchTest, ARunThatCannotStartSaysWhyAndLeavesTheRowsAsTheyWere) {
  workbench::storePort(0);
  std::unique_ptr<WorkbenchWindow> window = openWindow();
  window->NewSequence();
  selectRows(*window, {2, 3, 4, 5, 6});
  window->RemoveSelected();
  const QString twoTests = window->Sequence().ToXml();
  // Only an entry of a class nobody registered.
  ASSERT_TRUE(
      window->OpenSequence(writeFile(QStringLiteral("odd.xml"), withUnknownEntry(twoTests))));
  selectRows(*window, {0, 2});
  window->RemoveSelected();
  ASSERT_TRUE(window->Save());
  // Only tests whose settings are stored twice, so that neither is read.
  QString doubled = twoTests;
  doubled.replace(QStringLiteral("</PlugInData>"),
                  QStringLiteral("</PlugInData><PlugInData PlugIn=\"RV-1X\"/>"));
  writeFile(QStringLiteral("doubled.xml"), doubled);
  writeFile(QStringLiteral("plain.xml"), twoTests);

  const struct {
    const char* file;
    std::function<void()> arrange;
    QString told;
    QStringList verdicts;
  } cases[] = {
      {"plain.xml",
       [] {},
       QStringLiteral("Choose the analyzer's port"),
       {QStringLiteral("Not performed"), QStringLiteral("Not performed")}},
      {"plain.xml",
       [&] {
         analyzer();
         window->Analyzer().SetPort(kPort);
         // The adapter is pulled out.
         bench_.reset();
         simulator_.reset();
       },
       QStringLiteral("No analyzer answers on port 3"),
       {QStringLiteral("Not performed"), QStringLiteral("Not performed")}},
      {"odd.xml",
       [] {},
       QStringLiteral("The sequence holds no test to run"),
       {QStringLiteral("Unreadable")}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    ASSERT_TRUE(window->OpenSequence(path(QLatin1String(c.file))));
    c.arrange();
    button(*window, "runAll")->click();
    EXPECT_TRUE(window->Notice().startsWith(c.told)) << qPrintable(window->Notice());
    EXPECT_EQ(column(*window, SequenceModel::VerdictColumn), c.verdicts);
    EXPECT_FALSE(window->Running());
    EXPECT_TRUE(button(*window, "runAll")->isEnabled());
    EXPECT_TRUE(button(*window, "open")->isEnabled());
  }

  // Tests whose settings were not read start a run that performs none.
  analyzer();
  window->Analyzer().SetPort(kPort);
  ASSERT_TRUE(window->OpenSequence(path(QStringLiteral("doubled.xml"))));
  typeSerial(*window);
  {
    host::ScriptedOperator person;
    button(*window, "runAll")->click();
    EXPECT_EQ(person.guidesSeen(), 0);
  }
  EXPECT_TRUE(window->Notice().contains(
      QStringLiteral("Passed: 0, Failed: 0, Not judged: 0, Not performed: 2")))
      << qPrintable(window->Notice());
  for (const QString& verdict : column(*window, SequenceModel::VerdictColumn))
    EXPECT_NE(verdict, QStringLiteral("Passed"));
}

// A stored choice of a standard the test's limit set does not hold judges
// nothing: its drop-down list reads it as stored, not as the first of the
// standards it offers, until another is picked.
TEST_F(WorkbenchTest, AStandardTheLimitsLackReadsAsStoredNotAsAnother) {
  std::unique_ptr<WorkbenchWindow> window = openWindow();
  window->NewSequence();
  selectRows(*window, {1, 2, 3, 4, 5, 6});
  window->RemoveSelected();
  auto retired = std::make_shared<host::Standard>();
  retired->Init(QStringLiteral("Retired"), QStringLiteral("A standard no longer used"), 1);
  auto chosen = std::make_shared<host::StandardsCollection>();
  chosen->Add(retired);
  window->Sequence().SetSelected(0, chosen);
  const QString stored = window->Sequence().ToXml();
  ASSERT_TRUE(window->OpenSequence(writeFile(QStringLiteral("retired.xml"), stored)));
  // The editors of the sequence before are deleted later.
  const auto box = [&] {
    return window->findChildren<QComboBox*>(QStringLiteral("standardBox0")).last();
  };
  EXPECT_EQ(column(*window, SequenceModel::StandardColumn), QStringList{QStringLiteral("Retired")});
  EXPECT_EQ(box()->currentText(), QStringLiteral("Retired"));

  const int iec = box()->findText(QStringLiteral("IEC 60601-2-4"));
  ASSERT_GT(iec, 0);
  box()->setCurrentIndex(iec);
  Q_EMIT box()->activated(iec);
  EXPECT_EQ(column(*window, SequenceModel::StandardColumn),
            QStringList{QStringLiteral("IEC 60601-2-4")});
  EXPECT_EQ(box()->currentText(), QStringLiteral("IEC 60601-2-4"));
  EXPECT_EQ(box()->findText(QStringLiteral("Retired")), -1);
}

}  // namespace
}  // namespace workbenchtest
