// What the window does with what does not fit the moment: its members
// called while a run is under way (the buttons are disabled then, and the
// guide keeps the window out of reach, but the members must hold on their
// own), a run with no port chosen or on a port whose device is gone, and a
// sequence that holds nothing to run.

#include "WorkbenchFixture.h"
#include "operator/ScriptedOperator.h"

namespace workbenchtest {
namespace {

const QString kUnderWay = QStringLiteral("A run is under way");

TEST_F(WorkbenchTest, WhileARunIsUnderWayTheSequenceAndItsFileStayTheRuns) {
  std::unique_ptr<WorkbenchWindow> window = openWindow();
  window->NewSequence();
  selectRows(*window, {2, 3, 4, 5, 6});
  button(*window, "removeTest")->click();
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
      {"Save as", [this](WorkbenchWindow& w) { files_ = {QStringLiteral("third.xml")}, w.SaveAs(); }},
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
    // The run's file holds both results.
    std::unique_ptr<WorkbenchWindow> reopened = openWindow();
    ASSERT_TRUE(reopened->OpenSequence(path(QStringLiteral("busy.xml"))));
    EXPECT_EQ(column(*reopened, SequenceModel::VerdictColumn),
              (QStringList{QStringLiteral("Passed"), QStringLiteral("Passed")}));
  }
}

}  // namespace
}  // namespace workbenchtest
