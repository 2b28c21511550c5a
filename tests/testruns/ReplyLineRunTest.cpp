// The runs hand the analyzer's line to their results, which read it by the
// layout of the range the test needs: a line of the other range, one shifted
// against its columns, or a quantity below 0 that cannot be, is measured
// by no run; a pacer line that ends with its last field is.

#include "RunFixture.h"

namespace {

using namespace runtests;
using namespace orvanRV1Xtst;
using ReplyLineRun = RunTest;

// The pacer line with its paced refractory period in six characters, 53 to
// 58, then the "!".
const char* const kPacerLineOf58 = "072      10.0     70.0              1.20      250      300!";

QStringList reportsOf(const QString& source) {
  QStringList descriptions;
  for (const host::ErrorEntry& entry : errors().reported())
    if (entry.source == source) descriptions.append(entry.description);
  return descriptions;
}

TEST_F(ReplyLineRun, APacerLineEndingWithItsLastFieldIsMeasuredByTheRefractoryRun) {
  ASSERT_EQ(QByteArray(kPacerLineOf58).size(), 59);
  analyzer(QStringLiteral("range=P,answer=M#2:%1").arg(QLatin1String(kPacerLineOf58)));
  const auto test = element(400);
  limit(test, QStringLiteral("PACE"), 350, {});
  ctx->setSelectedStandards(test->Limits()->Standards());
  errors().clear();
  perform(test);
  EXPECT_EQ(values(test), (Values{{"SENS", 250}, {"PACE", 300}}));
  EXPECT_EQ(status(test), 1);
  EXPECT_TRUE(errors().reported().isEmpty());
}

// The line the analyzer sends is not the range the test needs, or not in
// its columns: nothing of it is measured, the result is not judged, and the
// result says why once.
TEST_F(ReplyLineRun, ALineNotOfTheRangeTheTestNeedsIsNoReading) {
  setRangeThreshold(50);
  // " 195.0" lost its "1": 95 J would pass at a 100 J preset.
  const QString shifted =
      QStringLiteral(" 95.0  1520.0    30.4      4.5      4.2                   !");
  const struct {
    const char* what;
    rt::Long testID;
    QString analyzerOptions;
    QStringList limited;  // each bound so that the line's numbers pass
    const char* source;
    const char* layout;
  } cases[] = {
      {"charge time, turned to Pace during the countdown",
       100,
       QStringLiteral("range=H,turn-range=P/1"),
       {"ENGY", "CHTI"},
       "CResultChargeTime",
       "is no defibrillator line"},
      {"sensitivity, turned to High before the pacer wait",
       300,
       QStringLiteral("range=P,turn-range=H/1"),
       {"PADS", "ECG"},
       "RV1XTests.CResultSensitivity",
       "is no pacer line"},
      {"discharge of a shifted line",
       200,
       QStringLiteral("range=H,answer=M:%1").arg(shifted),
       {"ENGY"},
       "RV1XTests.CResultDischarge",
       "is no defibrillator line"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    errors().clear();
    analyzer(c.analyzerOptions);
    const auto test = element(c.testID);
    for (const QString& key : c.limited) limit(test, key, 115, 0.4f);
    ctx->setSelectedStandards(test->Limits()->Standards());
    perform(test);
    EXPECT_TRUE(values(test).empty());
    EXPECT_EQ(status(test), 0);
    const QStringList reports = reportsOf(QLatin1String(c.source));
    EXPECT_EQ(reports.size(), 1) << reports.join(u'|').toStdString();
    if (!reports.isEmpty()) {
      EXPECT_TRUE(reports.first().contains(QLatin1String(c.layout))) << qPrintable(reports.first());
    }
    simulators_.clear();
  }
}

// A charge time of -4.2 s or a pads' sensitivity of -1.2 mV meets no upper
// limit: neither is measured. The sensitivity poll still ends on it.
TEST_F(ReplyLineRun, AQuantityBelowZeroThatCannotBeIsNotMeasured) {
  const struct {
    const char* what;
    rt::Long testID;
    const char* analyzerOptions;
    const char* key;
    Values measured;
  } cases[] = {
      {"charge time", 100, "range=H,charge-time=-4.2", "CHTI", {{"ENGY", 95}}},
      {"pads' sensitivity", 300, "range=P,sensitivity=-1.2", "PADS", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    errors().clear();
    rv1xsim::Simulator& sim = analyzer(QLatin1String(c.analyzerOptions));
    const auto test = element(c.testID);
    limit(test, QLatin1String(c.key), 15, {});
    ctx->setSelectedStandards(test->Limits()->Standards());
    perform(test);
    EXPECT_EQ(values(test), c.measured);
    EXPECT_EQ(status(test), 0);
    const QList<host::ErrorEntry> reported = errors().reported();
    EXPECT_FALSE(reported.isEmpty());
    if (!reported.isEmpty()) {
      EXPECT_TRUE(reported.first().description.contains(QLatin1String(c.key)));
    }
    // The poll took the first reply that showed a value.
    EXPECT_LE(sim.count("M\r"), 2);
    simulators_.clear();
  }
}

}  // namespace
