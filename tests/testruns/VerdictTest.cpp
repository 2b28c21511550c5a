// What a run's result says of the measured values: each measurement
// against the limits of the test's standard, the operator's verdicts for
// the ECG performance and the shock advisory.

#include <QLabel>

#include "RunFixture.h"
#include "settings/CConfigShock.h"
#include "settings/CShockAdviceSetting.h"

namespace {

using namespace runtests;
using namespace orvanRV1Xtst;
using Verdict = RunTest;

struct Bound {
  const char* key;
  std::optional<float> high, low;
};

// The status of each measurement by key.
std::map<QString, rt::Long> measurementStatuses(const host::ITestElementPtr& test) {
  std::map<QString, rt::Long> statuses;
  for (rt::Long i = 1; i <= test->Result()->MeasurementCount(); ++i) {
    const host::IMeasurementPtr m = test->Result()->Measurement(i);
    statuses[m->Key()] = m->Status();
  }
  return statuses;
}

// Two steps a shock-advisory operator answers in turn: CVF (a shock
// expected), then Asystolic (none), each until it is answered.
void twoStepsUntilAnswered(const host::ITestElementPtr& test) {
  auto& steps = config<CConfigShock>(test);
  steps.Remove(1);
  for (rt::Long wave : {1, 0}) {
    const CShockAdviceSettingPtr step = steps.AddNew();
    step->SetWaveFormIndex(wave);
    step->SetDuration(0);
  }
}

TEST_F(Verdict, AResultPassesOnlyWhenEveryMeasurementOrVerdictDoes) {
  const struct {
    const char* what;
    rt::Long testID;
    const char* analyzerOptions;
    std::vector<Bound> bounds;
    const char* script;
    std::map<QString, rt::Long> statuses;
    rt::Long status;
  } cases[] = {
      {"charge time within its bounds",
       100,
       "range=H",
       {{"ENGY", 100, 90}, {"CHTI", 5, {}}},
       "",
       {{"ENGY", 1}, {"CHTI", 1}},
       1},
      {"charge time too slow",
       100,
       "range=H,charge-time=7.5",
       {{"CHTI", 5, {}}},
       "",
       {{"ENGY", 0}, {"CHTI", 2}},
       2},
      {"discharge current too high",
       200,
       "range=H",
       {{"PEKI", 25, {}}},
       "",
       {{"ENGY", 0}, {"DELY", 0}, {"PEKI", 2}, {"PEKU", 0}},
       2},
      {"sensitivity for the ECG too low",
       300,
       "range=P",
       {{"ECG", {}, 2}, {"PADS", 2, {}}},
       "",
       {{"PADS", 1}, {"ECG", 2}},
       2},
      {"paced refractory period too long",
       400,
       "range=P",
       {{"SENS", 300, 200}, {"PACE", 280, {}}},
       "",
       {{"SENS", 1}, {"PACE", 2}},
       2},
      {"pacer rate within its bounds",
       500,
       "range=P",
       {{"RATE", 80, 60}},
       "",
       {{"RATE", 1}, {"AMPL", 0}, {"PWID", 0}},
       1},
      {"pacer rate too fast",
       500,
       "range=P,rate=95",
       {{"RATE", 80, 60}},
       "",
       {{"RATE", 2}, {"AMPL", 0}, {"PWID", 0}},
       2},
      {"the monitor failed to show the wave", 600, "range=L", {}, "600 fail", {{"PERF", 2}}, 2},
      {"every step answered as expected", 700, "range=L", {}, "", {{"::2", 1}, {"::3", 1}}, 1},
      {"a step answered wrongly",
       700,
       "range=L",
       {},
       "700 answers=S,S",
       {{"::2", 1}, {"::3", 2}},
       2},
      {"a step left unanswered is no pass",
       700,
       "range=L",
       {},
       "700 answers=S play wait=1.5 stop wait-run next",
       {{"::2", 1}, {"::3", 0}},
       0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    analyzer(QLatin1String(c.analyzerOptions));
    const auto test = c.testID == 600 ? performanceTest() : element(c.testID);
    if (c.testID == 700) twoStepsUntilAnswered(test);
    for (const Bound& b : c.bounds) limit(test, QLatin1String(b.key), b.high, b.low);
    // The host hands the standards the technician selected for the run.
    ctx->setSelectedStandards(test->Limits()->Standards());
    perform(test, QLatin1String(c.script));
    ASSERT_TRUE(test->Result());
    EXPECT_EQ(measurementStatuses(test), c.statuses);
    EXPECT_EQ(status(test), c.status);
    // Only a result with something measured or answered is finished.
    EXPECT_EQ(notified(test), 1);
    simulators_.clear();
  }
}

// The pacer tests' standard as it ships: its limits present but none
// enabled. A pacer far from its preset is then not judged, never passed,
// and the guide says so in words.
TEST_F(Verdict, WithoutAnEnabledLimitAMeasuredResultIsNotJudgedAndTheGuideSaysWhy) {
  analyzer(QStringLiteral("range=P,rate=200,amplitude=5"));
  const auto test = element(500);
  test->Limits()->CreateStandard(QStringLiteral("Labelled accuracy"), QStringLiteral("not set"));
  ctx->setSelectedStandards(test->Limits()->Standards());
  QString indicator;
  QString line;
  perform(test, QString(), [&](QWidget& guide, rt::Long, const QString& state) {
    if (state != QLatin1String("finished")) return;
    indicator = guide.findChild<QLabel*>(QStringLiteral("lblResult"))->text();
    line = guide.findChild<QLabel*>(QStringLiteral("lblStatus"))->text();
    testsupport::saveScreenshot(guide, QStringLiteral("guide-500-not-judged"));
  });
  EXPECT_EQ(values(test), (Values{{"RATE", 200}, {"AMPL", 5}, {"PWID", 10}}));
  EXPECT_EQ(status(test), 0);
  EXPECT_EQ(measurementStatuses(test),
            (std::map<QString, rt::Long>{{"RATE", 0}, {"AMPL", 0}, {"PWID", 0}}));
  EXPECT_EQ(indicator, QStringLiteral("Not judged"));
  EXPECT_EQ(line, QStringLiteral("Not judged: no limit is enabled"));
  EXPECT_EQ(notified(test), 1) << "finished: its values are kept";
}

// Once the rhythms have played with every step answered as expected, the
// guide says "Passed", not that a step is unanswered, before the operator
// leaves it.
TEST_F(Verdict, TheShockAdvisoryGuideJudgesTheAnswersWhenItsRunEnds) {
  analyzer(QStringLiteral("range=L"));
  const auto test = element(700);
  twoStepsUntilAnswered(test);
  QString indicator;
  QString line;
  perform(test, QString(), [&](QWidget& guide, rt::Long, const QString& state) {
    if (state != QLatin1String("finished")) return;
    indicator = guide.findChild<QLabel*>(QStringLiteral("lblResult"))->text();
    line = guide.findChild<QLabel*>(QStringLiteral("lblStatus"))->text();
  });
  EXPECT_EQ(indicator, QStringLiteral("Passed"));
  EXPECT_EQ(line, QString());
  EXPECT_EQ(status(test), 1);
  EXPECT_EQ(notified(test), 1);
}

}  // namespace
