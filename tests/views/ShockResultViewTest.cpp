// The shock-advisory result view: one row per step, the highlight walk of a
// run, and the operator's answers by real mouse clicks.

#include "ViewFixture.h"
#include "controls/Grid.h"
#include "results/CResultShock.h"
#include "settings/CConfigShock.h"
#include "settings/CShockAdviceSetting.h"
#include "views/XShockResult.h"

namespace {

using namespace orvanRV1Xtst;
using controls::GridColor;
using viewtests::ViewTest;

constexpr std::uint32_t kRed = 0x0000FFu;
constexpr std::uint32_t kBlack = 0;

class ShockResultView : public ViewTest {
 protected:
  void SetUp() override {
    ViewTest::SetUp();
    // CVF expects a shock; asystole and a normal rhythm expect none.
    while (config->Count() > 0) config->Remove(1);
    for (rt::Long wave : {1, 0, 7}) config->AddNew()->SetWaveFormIndex(wave);
    result->Initialize(config);
    hostView(QStringLiteral("RV1XTests.XShockResult"));
    shock = com::cast<XShockResult>(extender->Object());
    grid = child<controls::Grid>("tliResult");
    ASSERT_TRUE(shock && grid);
    view->SetLimits(nullptr);
    view->ShowTestResult(result);
  }

  void click(int row, int column, Qt::MouseButton button = Qt::LeftButton) {
    viewtests::clickCell(*grid, row, column, button);
  }

  CMeasurementPtr step(int row) const { return result->MeasurementList().Item(row); }

  // What a row shows: its two checks ("x" checked, "-" empty, "?" none),
  // then "red", "black" or "text" (the window's text colour), "bold", and
  // "highlight" while highlighted.
  QString shown(int row) const {
    QString text = viewtests::checks(*grid, row, 3);
    const std::uint32_t fore = grid->ShownColor(row, GridColor::ForeColor);
    text += fore == kRed     ? QStringLiteral(" red")
            : fore == kBlack ? QStringLiteral(" black")
                             : QStringLiteral(" text");
    if (grid->RowBold(row)) text += QStringLiteral(" bold");
    if (grid->ShownColor(row, GridColor::BackColor) == ui::syscolor::Highlight)
      text += QStringLiteral(" highlight");
    return text;
  }

  QList<bool> itemClicks() const {
    QList<bool> clicks;
    for (const auto& event : events) {
      EXPECT_EQ(event.name, QStringLiteral("ItemClicked"));
      clicks.append(event.parameters.value(0).toBool());
    }
    return clicks;
  }

  std::shared_ptr<CConfigShock> config = std::make_shared<CConfigShock>();
  std::shared_ptr<CResultShock> result = std::make_shared<CResultShock>();
  XShockResultPtr shock;
  controls::Grid* grid = nullptr;
};

TEST_F(ShockResultView, OneRowPerStepWithItsExpectedAdvice) {
  EXPECT_EQ(grid->Cols(), 5);
  EXPECT_EQ(grid->CellText(0, 1), QStringLiteral("Description"));
  EXPECT_EQ(grid->CellText(0, 2), QStringLiteral("Preset shock"));
  EXPECT_EQ(grid->CellText(0, 3), QStringLiteral("Shock"));
  EXPECT_EQ(grid->CellText(0, 4), QStringLiteral("No shock"));
  EXPECT_NEAR(grid->ColWidth(1), 2295, 15);
  EXPECT_NEAR(grid->ColWidth(2), 2000, 15);
  EXPECT_EQ(grid->ColFormat(3), controls::gridformat::Centered);
  EXPECT_EQ(grid->geometry(), QRect(QPoint(0, 0), extender->widget()->size()));

  ASSERT_EQ(grid->Rows(), 4);
  const QStringList waves{"CVF", "Asystolic", "NSR 90"};
  const QStringList advice{"Shock", "No shock", "No shock"};
  for (int row = 1; row <= 3; ++row) {
    EXPECT_EQ(grid->ItemKey(row - 1), step(row)->Key());
    EXPECT_EQ(grid->CellText(row, 1), waves.at(row - 1));
    EXPECT_EQ(grid->CellText(row, 2), advice.at(row - 1));
    EXPECT_EQ(shown(row), QStringLiteral("-- text")) << "an unanswered step";
  }

  step(2)->SetValue(true);
  view->ShowTestResult(result);
  EXPECT_EQ(grid->Rows(), 4) << "showing again rebuilds the rows";
  EXPECT_EQ(shown(2), QStringLiteral("x- red")) << "a stored answer against the advice";

  view->ShowTestResult(nullptr);
  EXPECT_EQ(grid->Rows(), 4);
  click(1, 3);
  EXPECT_TRUE(events.empty());
  view->Clear();
  EXPECT_EQ(grid->Rows(), 1);
}

TEST_F(ShockResultView, OnlyStepsPlayedSoFarCanBeAnswered) {
  shock->Initialize();
  click(1, 3);
  EXPECT_TRUE(events.empty()) << "no step plays before the first highlight";
  EXPECT_FALSE(step(1)->HasValue());

  shock->HighlightNext();
  shock->HighlightNext();
  click(1, 3);
  EXPECT_EQ(step(1)->Value(), QVariant(true));
  EXPECT_EQ(step(1)->Status(), host::resultstatus::Passed);
  click(2, 3);
  EXPECT_EQ(step(2)->Value(), QVariant(true));
  EXPECT_EQ(step(2)->Status(), host::resultstatus::Failed);
  EXPECT_EQ(shown(2), QStringLiteral("x- red bold")) << "red at once, still the played row";
  click(3, 4);
  EXPECT_FALSE(step(3)->HasValue()) << "a step not played yet";
  EXPECT_EQ(itemClicks(), (QList<bool>{false, true})) << "true for the step being played";
  EXPECT_TRUE(shock->GotResults());

  events.clear();
  for (int column : {1, 2, 5}) click(2, column);
  click(0, 3);
  click(1, 4, Qt::RightButton);
  EXPECT_TRUE(events.empty()) << "other columns, the header and the right button answer nothing";
  EXPECT_EQ(step(1)->Value(), QVariant(true));

  click(2, 4);
  EXPECT_EQ(step(2)->Value(), QVariant(false));
  EXPECT_EQ(step(2)->Status(), host::resultstatus::Passed);
  EXPECT_EQ(shown(2), QStringLiteral("-x text bold")) << "a changed answer swaps the checks";
  EXPECT_EQ(result->Status(), 0) << "the result's own status waits for its status update";
}

TEST_F(ShockResultView, TheHighlightWalksThroughTheStepsAndPastTheLast) {
  shock->Initialize();
  shock->HighlightNext();
  EXPECT_EQ(shown(1), QStringLiteral("-- text bold highlight"));
  EXPECT_EQ(grid->ShownColor(1, GridColor::ForeColor), ui::syscolor::HighlightText);
  click(1, 4);  // against the advice of CVF
  shock->HighlightNext();
  EXPECT_EQ(shown(1), QStringLiteral("-x red bold")) << "a finished step that failed";
  EXPECT_EQ(shown(2), QStringLiteral("-- text bold highlight"));
  EXPECT_TRUE(testsupport::saveScreenshot(*extender->widget(), "XShockResult-playing"));
  click(2, 4);
  shock->HighlightNext();
  EXPECT_EQ(shown(2), QStringLiteral("-x black bold")) << "a finished step that passed";
  shock->HighlightNext();
  EXPECT_EQ(shown(3), QStringLiteral("-- black bold")) << "the last step finished";
  shock->HighlightNext();  // nothing left to highlight: no error
  EXPECT_EQ(shown(3), QStringLiteral("-- black bold"));

  events.clear();
  click(3, 3);
  EXPECT_EQ(step(3)->Value(), QVariant(true)) << "after the run every step can be answered";
  EXPECT_EQ(itemClicks(), QList<bool>{false});
  EXPECT_TRUE(testsupport::saveScreenshot(*extender->widget(), "XShockResult"));
}

TEST_F(ShockResultView, InitializeResetsTheDisplayButNotTheAnswers) {
  shock->HighlightNext();
  click(1, 3);
  shock->HighlightNext();
  click(2, 3);
  ASSERT_TRUE(shock->GotResults());

  shock->Initialize();
  EXPECT_FALSE(shock->GotResults());
  for (int row = 1; row <= 3; ++row) EXPECT_EQ(shown(row), QStringLiteral("-- black"));
  EXPECT_EQ(step(2)->Value(), QVariant(true)) << "the measurements keep their values";
  click(1, 4);
  EXPECT_EQ(step(1)->Value(), QVariant(true)) << "no step is played after Initialize";

  view->ShowTestResult(result);
  EXPECT_EQ(shown(1), QStringLiteral("x- text"));
  EXPECT_EQ(shown(2), QStringLiteral("x- red"));
}

}  // namespace
