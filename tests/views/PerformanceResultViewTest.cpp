// The performance result view: the operator's judgement of the monitor by
// real mouse clicks, and the event that only a judgement raises.

#include "ViewFixture.h"
#include "controls/Grid.h"
#include "results/CResultPerformance.h"
#include "settings/CConfigPerformance.h"

namespace {

using namespace orvanRV1Xtst;
using controls::GridColor;
using viewtests::checks;
using viewtests::clickCell;
using viewtests::ViewTest;

constexpr std::uint32_t kRed = 0x0000FFu;

class PerformanceResultView : public ViewTest {
 protected:
  void SetUp() override {
    ViewTest::SetUp();
    auto config = std::make_shared<CConfigPerformance>();
    config->SetWavetype(200);
    result->Initialize(config);
    hostView(QStringLiteral("RV1XTests.XPerformanceResult"));
    grid = child<controls::Grid>("tliResult");
    ASSERT_TRUE(grid);
  }

  CMeasurementPtr judgement() const { return result->MeasurementByKey(QStringLiteral("PERF")); }
  std::uint32_t textColour() const { return grid->ShownColor(1, GridColor::ForeColor); }

  std::shared_ptr<CResultPerformance> result = std::make_shared<CResultPerformance>();
  controls::Grid* grid = nullptr;
};

TEST_F(PerformanceResultView, TheJudgementRowUnderItsHeaders) {
  EXPECT_EQ(grid->Cols(), 4);
  EXPECT_EQ(grid->CellText(0, 1), QStringLiteral("Description"));
  EXPECT_EQ(grid->CellText(0, 2), QStringLiteral("Test passed"));
  EXPECT_EQ(grid->CellText(0, 3), QStringLiteral("Test fail"));
  EXPECT_EQ(grid->CellText(0, 4), QString());
  EXPECT_NEAR(grid->ColWidth(1), 2295, 15);
  EXPECT_GE(grid->ColWidth(2), 1000) << "at least as wide as its header";

  view->ShowTestResult(result);
  ASSERT_EQ(grid->Rows(), 2);
  EXPECT_EQ(grid->ItemKey(0), QStringLiteral("PERF"));
  EXPECT_EQ(grid->CellText(1, 1), QStringLiteral("VFib"));
  EXPECT_EQ(checks(*grid, 1, 2), QStringLiteral("--")) << "not judged yet";
  EXPECT_EQ(textColour(), ui::syscolor::WindowText);

  judgement()->SetValue(false);
  view->ShowTestResult(result);
  EXPECT_EQ(grid->Rows(), 2);
  EXPECT_EQ(checks(*grid, 1, 2), QStringLiteral("-x"));
  EXPECT_EQ(textColour(), kRed);
}

TEST_F(PerformanceResultView, AClickInPassOrFailJudgesTheMonitor) {
  view->ShowTestResult(result);
  clickCell(*grid, 1, 2);
  EXPECT_EQ(judgement()->Value(), QVariant(true));
  EXPECT_EQ(judgement()->Status(), host::resultstatus::Passed);
  EXPECT_EQ(checks(*grid, 1, 2), QStringLiteral("x-"));
  EXPECT_EQ(textColour(), ui::syscolor::WindowText);

  clickCell(*grid, 1, 3);
  EXPECT_EQ(judgement()->Value(), QVariant(false));
  EXPECT_EQ(judgement()->Status(), host::resultstatus::Failed);
  EXPECT_EQ(checks(*grid, 1, 2), QStringLiteral("-x"));
  EXPECT_EQ(textColour(), kRed);
  EXPECT_FALSE(grid->RowBold(1));
  EXPECT_EQ(grid->ShownColor(1, GridColor::BackColor), ui::syscolor::Window);

  ASSERT_EQ(events.size(), 2u);
  for (const auto& event : events) {
    EXPECT_EQ(event.name, QStringLiteral("ItemClicked"));
    EXPECT_TRUE(event.parameters.isEmpty());
  }
  EXPECT_EQ(result->Status(), 0) << "the result's own status waits for its status update";
  EXPECT_TRUE(testsupport::saveScreenshot(*extender->widget(), "XPerformanceResult"));
}

TEST_F(PerformanceResultView, ClicksElsewhereJudgeNothingAndRaiseNothing) {
  clickCell(*grid, 0, 2);
  EXPECT_TRUE(events.empty()) << "before any result was shown";

  view->ShowTestResult(result);
  clickCell(*grid, 1, 1);
  clickCell(*grid, 1, 4);
  clickCell(*grid, 0, 2);
  clickCell(*grid, 1, 2, Qt::RightButton);
  EXPECT_TRUE(events.empty());
  EXPECT_FALSE(judgement()->HasValue());
  EXPECT_EQ(checks(*grid, 1, 2), QStringLiteral("--"));

  view->ShowTestResult(nullptr);
  view->SetLimits(nullptr);
  view->SelectStandard(QStringLiteral("IEC"), QStringLiteral("IEC 1"), true);
  EXPECT_EQ(grid->Rows(), 2) << "Nothing, the limits and a standard change the display not";
  clickCell(*grid, 1, 2);
  EXPECT_FALSE(judgement()->HasValue()) << "the view holds no result after Nothing";
  EXPECT_TRUE(events.empty());
  view->Clear();
  EXPECT_EQ(grid->Rows(), 1);
}

}  // namespace
