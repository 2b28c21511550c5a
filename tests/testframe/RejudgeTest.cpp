// Picking another standard in the guide after the test has measured: the
// verdict on screen, and the one stored, are those of the standard now
// chosen.

#include <QComboBox>

#include "PerformFixture.h"
#include "limits/Limit.h"
#include "limits/Standard.h"
#include "limits/StandardsCollection.h"
#include "tests/FRV1XTestGuide.h"
#include "typelib/GuideControls.h"
#include "typelib/ILimitData.h"
#include "typelib/IMeasurement.h"
#include "typelib/IResultData.h"

namespace {

using namespace frametests;

// A standard of the test's limit set that limits the charge time alone.
void addChargeTimeStandard(const host::ITestElementPtr& test, const QString& name, float most) {
  const host::StandardPtr standard = test->Limits()->CreateStandard(name, name);
  for (const host::LimitPtr& limit : standard->Limits()) {
    limit->SetEnabled(host::limitindex::High, false);
    limit->SetEnabled(host::limitindex::Low, false);
  }
  const host::LimitPtr chargeTime = standard->FindLimit(QStringLiteral("CHTI"));
  ASSERT_TRUE(chargeTime);
  chargeTime->SetOperator(0, QStringLiteral("Y"));
  chargeTime->SetValue(host::limitindex::High, most);
  chargeTime->SetEnabled(host::limitindex::High, true);
}

using Rejudge = PerformTest;

TEST_F(Rejudge, AStandardPickedAfterTheRunJudgesTheResultAtOnceAndIsTheOneStored) {
  analyzer(QStringLiteral("range=H,energy=360"));  // a charge time of 4.2 s
  const auto test = element(100);
  addChargeTimeStandard(test, QStringLiteral("HOUSE"), 3);  // fails 4.2 s
  addChargeTimeStandard(test, QStringLiteral("LAX"), 15);   // passes it
  auto house = std::make_shared<host::StandardsCollection>();
  house->Add(
      test->Limits()->Standards()->Find(0, QStringLiteral("HOUSE"), QStringLiteral("HOUSE")));
  ctx->setSelectedStandards(house);

  // The badge and the charge time's own verdict after the run, then after
  // each pick: LAX, HOUSE again, LAX; and as the operator leaves.
  QStringList seen;
  const auto look = [&](QWidget& window) {
    auto* guide = dynamic_cast<orvanRV1Xtst::FRV1XTestGuide*>(&window);
    const host::IResultDataPtr result = test->Result();
    if (!guide || !result) return;
    seen.append(QStringLiteral("%1/%2")
                    .arg(guide->xtbToolbar()->Status()->ResultStatus())
                    .arg(result->Measurement(QStringLiteral("CHTI"))->Status()));
  };
  perform(test, QString(), [&](QWidget& window, rt::Long, const QString& state) {
    if (state == QLatin1String("leaving")) look(window);
    if (state != QLatin1String("finished")) return;
    look(window);
    auto* choice = window.findChild<QComboBox*>(QStringLiteral("cboStandard"));
    ASSERT_TRUE(choice);
    for (const char* name : {"LAX", "HOUSE", "LAX"}) {
      const int pick = choice->findData(QLatin1String(name), Qt::UserRole);
      ASSERT_GE(pick, 0) << name;
      choice->setCurrentIndex(pick);
      Q_EMIT choice->activated(pick);
      look(window);
    }
    testsupport::saveScreenshot(window, QStringLiteral("guide-judged-again"));
  });
  EXPECT_EQ(seen, (QStringList{"2/2", "1/1", "2/2", "1/1", "1/1"}));
  ASSERT_TRUE(test->Result());
  EXPECT_EQ(test->Result()->Status(), 1);
  const host::IVerdictPtr verdict = com::queryInterface<host::IVerdict>(test->Result());
  ASSERT_TRUE(verdict);
  const host::StandardsCollectionPtr judgedBy = verdict->JudgedBy();
  ASSERT_TRUE(judgedBy);
  ASSERT_EQ(judgedBy->Count(), 1);
  EXPECT_EQ(judgedBy->Item(1)->AlphaName(), QStringLiteral("LAX"));
}

}  // namespace
