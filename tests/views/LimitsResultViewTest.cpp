// The limits result view: one row per measurement with value and the limits
// of the selected standard, the failed rows' style, and the mouse press it
// hands on to the guide window.

#include "ViewFixture.h"
#include "controls/ListView.h"
#include "results/CResultChargeTime.h"
#include "settings/CConfigChargeTime.h"

namespace {

using namespace orvanRV1Xtst;
using resultstest::RunBench;
using viewtests::ViewTest;

constexpr std::uint32_t kRed = 0x0000FFu;

class LimitsResultView : public ViewTest {
 protected:
  void SetUp() override {
    ViewTest::SetUp();
    hostView(QStringLiteral("RV1XTests.XChargeTimeTestResult"));
    list = child<controls::ListView>("lvwResult");
    ASSERT_TRUE(list);

    auto config = std::make_shared<CConfigChargeTime>();
    config->SetPresetEnergy(200);
    result->Initialize(config);
    iec = bench.standard(QStringLiteral("IEC"));
    RunBench::bound(iec, QStringLiteral("ENGY"), 15, -15);
    RunBench::bound(iec, QStringLiteral("CHTI"), 15, std::nullopt);
    aami = bench.standard(QStringLiteral("AAMI"));
    RunBench::bound(aami, QStringLiteral("ENGY"), 10, -10);
    RunBench::bound(aami, QStringLiteral("CHTI"), 10, 2);
  }

  // The measured values as the result keeps them, with their statuses.
  void measured(const QVariant& energy, rt::Long energyStatus, const QVariant& time,
                rt::Long timeStatus) {
    result->MeasurementByKey(QStringLiteral("ENGY"))->SetValue(energy);
    result->MeasurementByKey(QStringLiteral("ENGY"))->SetStatus(energyStatus);
    result->MeasurementByKey(QStringLiteral("CHTI"))->SetValue(time);
    result->MeasurementByKey(QStringLiteral("CHTI"))->SetStatus(timeStatus);
  }

  QStringList row(int index) const {
    return {list->ItemKey(index), list->ItemText(index), list->SubItemText(index, "val"),
            list->SubItemText(index, "hi"), list->SubItemText(index, "lo")};
  }

  RunBench bench{100};
  std::shared_ptr<CResultChargeTime> result = std::make_shared<CResultChargeTime>();
  host::StandardPtr iec;
  host::StandardPtr aami;
  controls::ListView* list = nullptr;
};

TEST_F(LimitsResultView, FourTranslatedColumnsFillTheView) {
  ASSERT_EQ(list->ColumnCount(), 4);
  EXPECT_EQ(list->ColumnCaption(1), QStringLiteral("Settings"));
  EXPECT_EQ(list->ColumnCaption(2), QStringLiteral("Measurement"));
  EXPECT_EQ(list->ColumnCaption(3), QStringLiteral("High limit"));
  EXPECT_EQ(list->ColumnCaption(4), QStringLiteral("Low limit"));
  // Widths are whole pixels of 15 twips.
  EXPECT_NEAR(list->ColumnWidth(1), 2450, 15);
  for (int column : {2, 3, 4}) {
    EXPECT_NEAR(list->ColumnWidth(column), 1550, 15);
    EXPECT_EQ(list->headerItem()->textAlignment(column - 1) & Qt::AlignHorizontal_Mask,
              Qt::AlignRight);
  }
  EXPECT_EQ(list->View(), controls::ListViewStyle::Report);
  EXPECT_EQ(list->geometry(), QRect(QPoint(0, 0), extender->widget()->size()));

  resultstest::LanguageScope german(QStringLiteral("de"));
  auto translated = com::createObject(QStringLiteral("RV1XTests.XChargeTimeTestResult"));
  auto* germanList = dynamic_cast<QWidget*>(translated.get())->findChild<controls::ListView*>();
  EXPECT_EQ(germanList->ColumnCaption(3), QStringLiteral("Obergrenze"));
}

// Every measured value shows, also one that no limit judged (status 0):
// the technician sees each reading; no value shows no made-up 0.
TEST_F(LimitsResultView, EveryMeasuredValueShowsAndOnlyThose) {
  const struct {
    QVariant value;
    rt::Long status;
    const char* shown;
    bool failedStyle;
  } cases[] = {
      {12.5, 0, "12.5 J", false},   // measured, not judged
      {QVariant(), 0, " ", false},  // not measured
      {12.5, 1, "12.5 J", false},   //
      {12.5, 2, "12.5 J", true},    //
      {12.5, 3, "12.5 J", false},   // any status but 2 is shown plainly
      {QVariant(), 1, " ", false},  // evaluated without a value: no made-up 0
      {199.75, 1, "199.75 J", false},
  };
  for (const auto& c : cases) {
    measured(c.value, c.status, QVariant(), 0);
    view->ShowTestResult(result);
    ASSERT_EQ(list->ItemCount(), 2) << "rows are updated in place, never added twice";
    EXPECT_EQ(list->SubItemText(1, "val"), QLatin1String(c.shown)) << c.status;
    EXPECT_EQ(list->ItemBold(1), c.failedStyle) << c.status;
    EXPECT_EQ(list->ItemForeColor(1), c.failedStyle ? kRed : ui::syscolor::WindowText);
    for (int subItem = 1; subItem <= 3; ++subItem) {
      EXPECT_EQ(list->SubItemBold(1, subItem), c.failedStyle);
      EXPECT_EQ(list->SubItemForeColor(1, subItem),
                c.failedStyle ? kRed : ui::syscolor::WindowText);
    }
    EXPECT_FALSE(list->ItemBold(2));
  }
  EXPECT_EQ(row(1), (QStringList{"ENGY", "Energy", "199.75 J", " ", " "}));
  EXPECT_EQ(row(2), (QStringList{"CHTI", "Charge time", " ", " ", " "}));

  {
    testsupport::LocaleScope german(testsupport::LocaleScope::german());
    view->ShowTestResult(result);
    EXPECT_EQ(list->SubItemText(1, "val"), QStringLiteral("199,75 J"));
  }
}

TEST_F(LimitsResultView, RowsStayUntilClearedAndNothingKeepsThem) {
  measured(180.0, 1, 4.5, 2);
  view->ShowTestResult(result);
  list->SetSelectedItem(2);
  view->ShowTestResult(result);
  EXPECT_EQ(list->SelectedItem(), 0) << "showing a result deselects";
  view->ShowTestResult(nullptr);
  EXPECT_EQ(list->ItemCount(), 2);
  EXPECT_EQ(list->SubItemText(2, "val"), QStringLiteral("4.5 s"));
  view->Clear();
  EXPECT_EQ(list->ItemCount(), 0);
  EXPECT_EQ(list->ColumnCount(), 4);
}

TEST_F(LimitsResultView, LimitColumnsFollowTheSelectedStandard) {
  measured(190.0, 1, 4.0, 1);
  view->SelectStandard(QStringLiteral("IEC"), QStringLiteral("IEC 1"), false);
  view->ShowTestResult(result);
  EXPECT_EQ(row(1).mid(3), (QStringList{" ", " "})) << "without a limit set nothing is filled";

  view->SetLimits(bench.limits);
  EXPECT_EQ(row(1).mid(3), (QStringList{"15.0 %", "-15.0 %"}))
      << "a limit set given later shows the standard selected before";
  EXPECT_EQ(row(2).mid(3), (QStringList{"15.0 s", " "})) << "a disabled bound is blank";
  EXPECT_EQ(list->SubItemToolTip(1, "hi"), QStringLiteral("IEC 1"));

  view->SelectStandard(QStringLiteral("iec"), QStringLiteral("IEC 1"), true);
  EXPECT_EQ(row(1).mid(3), (QStringList{"230.0 J", "170.0 J"}))
      << "relative limits evaluated against the preset of 200 J";

  view->SelectStandard(QStringLiteral("AAMI"), QStringLiteral("AAMI 1"), false);
  EXPECT_EQ(row(1).mid(3), (QStringList{"10.0 %", "-10.0 %"}));
  EXPECT_EQ(row(2).mid(3), (QStringList{"10.0 s", "2.0 s"}));
  EXPECT_EQ(list->SubItemToolTip(2, "lo"), QStringLiteral("AAMI 1"));

  view->SelectStandard(QStringLiteral("UL"), QStringLiteral("UL 1"), false);
  EXPECT_EQ(row(2).mid(3), (QStringList{"10.0 s", "2.0 s"}))
      << "an unknown standard changes nothing";

  view->Clear();
  view->SelectStandard(QStringLiteral("IEC"), QStringLiteral("IEC 1"), false);
  view->ShowTestResult(result);
  EXPECT_EQ(row(2).mid(3), (QStringList{"15.0 s", " "})) << "new rows show the selected limits";
}

// Not evaluated for the preset, the greater of 15 % and 3 J shows both.
TEST_F(LimitsResultView, TheGreaterToleranceShowsBothTerms) {
  const host::LimitPtr energy = iec->FindLimit(QStringLiteral("ENGY"));
  energy->SetOperator(0, host::kGreaterToleranceOperator);
  energy->SetAbsolute(host::limitindex::High, 3);
  energy->SetAbsolute(host::limitindex::Low, -3);
  measured(190.0, 1, 4.0, 1);
  view->SetLimits(bench.limits);
  view->ShowTestResult(result);
  view->SelectStandard(QStringLiteral("IEC"), QStringLiteral("IEC 1"), false);
  EXPECT_EQ(row(1).mid(3), (QStringList{"15.0 % or 3.0 J", "-15.0 % or -3.0 J"}));
  EXPECT_TRUE(
      testsupport::saveScreenshot(*extender->widget(), "XChargeTimeTestResult-greater-tolerance"));
  view->SelectStandard(QStringLiteral("IEC"), QStringLiteral("IEC 1"), true);
  EXPECT_EQ(row(1).mid(3), (QStringList{"230.0 J", "170.0 J"}));
}

TEST_F(LimitsResultView, AMousePressReachesTheGuideWithItsButton) {
  measured(180.0, 1, 4.5, 1);
  view->ShowTestResult(result);
  const QRect cell = list->visualItemRect(list->topLevelItem(1));
  QTest::mouseClick(list->viewport(), Qt::RightButton, {}, cell.center());
  QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, cell.center());
  ASSERT_EQ(events.size(), 2u);
  for (const auto& event : events) {
    EXPECT_EQ(event.name, QStringLiteral("MouseDown"));
    ASSERT_EQ(event.parameters.size(), 4);
    EXPECT_GT(event.parameters.at(3).toFloat(), list->ItemTop(2));
  }
  EXPECT_EQ(events.at(0).parameters.at(0).toInt(), 2);
  EXPECT_EQ(events.at(0).parameters.at(1).toInt(), 0);
  EXPECT_EQ(events.at(1).parameters.at(0).toInt(), 1);
  EXPECT_EQ(events.at(1).parameters.at(1).toInt(), 2);
}

TEST_F(LimitsResultView, Screenshot) {
  measured(231.2, 2, 4.25, 1);
  view->SetLimits(bench.limits);
  view->ShowTestResult(result);
  view->SelectStandard(QStringLiteral("IEC"), QStringLiteral("IEC 1"), true);
  EXPECT_TRUE(testsupport::saveScreenshot(*extender->widget(), "XChargeTimeTestResult"));
}

}  // namespace
