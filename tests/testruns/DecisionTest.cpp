// What a run must never do: send a command a setting has none for, leave
// a measured discharge unfinished because its curve could not be read,
// start a second run on a closing link, leave the analyzer playing, or
// read a field narrower than the result does.

#include "RunFixture.h"
#include "results/CResultDischarge.h"
#include "settings/CConfigAccuracy.h"
#include "settings/CConfigDischarge.h"
#include "settings/CConfigRefractory.h"
#include "settings/CConfigSensitivity.h"
#include "settings/CConfigShock.h"
#include "settings/CShockAdviceSetting.h"

namespace {

using namespace runtests;
using namespace orvanRV1Xtst;
using Decision = RunTest;

TEST_F(Decision, ASettingWithoutCommandStopsTheRunBeforeTheAnalyzerIsTouched) {
  const struct {
    rt::Long testID;
    std::function<void(const host::ITestElementPtr&)> configure;
    const char* setting;
  } cases[] = {
      // A typed text that names no list entry stores position -1.
      {300, [](auto& t) { config<CConfigSensitivity>(t).SetLoadIndex(-1); }, "\"Load\""},
      {300, [](auto& t) { config<CConfigSensitivity>(t).SetTriggerIndex(15); }, "\"Trigger wave\""},
      {400, [](auto& t) { config<CConfigRefractory>(t).SetLoadIndex(27); }, "\"Load\""},
      {500, [](auto& t) { config<CConfigAccuracy>(t).SetNoiseIndex(-1); }, "\"Noise\""},
      {200, [](auto& t) { config<CConfigDischarge>(t).SetWaveFormIndex(20); }, "\"ECG wave\""},
      {200, [](auto& t) { config<CConfigDischarge>(t).SetAmplitudeIndex(0); }, "\"ECG amplitude\""},
      {600, [](auto& t) { config<CConfigPerformance>(t).SetWavetype(107); }, "\"Wave\""},
      {600, [](auto& t) { config<CConfigPerformance>(t).SetAmplitude(0.7f); }, "\"Amplitude\""},
      {700, [](auto& t) { config<CConfigShock>(t).AddNew()->SetWaveFormIndex(8); },
       "\"Rhythm of step 2\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(QStringLiteral("%1 %2").arg(c.testID).arg(QLatin1String(c.setting)).toStdString());
    messages().clear();
    rv1xsim::Simulator& sim = analyzer(QStringLiteral("range=P"));
    const auto test = element(c.testID);
    c.configure(test);
    perform(test, QStringLiteral("%1 play wait-run next").arg(c.testID));
    EXPECT_TRUE(sim.commands().isEmpty()) << sim.commands().size();
    ASSERT_EQ(messages().shown().size(), 1);
    const QString text = messages().shown().first().text;
    EXPECT_TRUE(text.startsWith(QLatin1String("Error #5\r\n"))) << qPrintable(text);
    EXPECT_TRUE(text.contains(QLatin1String(c.setting))) << qPrintable(text);
    EXPECT_FALSE(test->RunFlags().running);
    EXPECT_EQ(status(test), 0);
    EXPECT_EQ(notified(test), 0);
    EXPECT_EQ(ctx->NavigationCode(), host::navigation::Next) << "the operator could go on";
    simulators_.clear();
  }
}

TEST_F(Decision, AnEarlierResultStaysWhenASettingStopsTheRun) {
  analyzer(QStringLiteral("range=P"));
  const auto test = element(400);
  limit(test, QStringLiteral("PACE"), 400, {});
  ctx->setSelectedStandards(test->Limits()->Standards());
  perform(test);
  ASSERT_EQ(status(test), 1);
  const host::IResultDataPtr measured = test->Result();
  config<CConfigRefractory>(test).SetLoadIndex(-1);
  perform(test);
  EXPECT_EQ(test->Result(), measured);
  EXPECT_EQ(status(test), 1);
  EXPECT_EQ(values(test), (Values{{"SENS", 250}, {"PACE", 300}}));
  EXPECT_EQ(notified(test), 1) << "finished once, by the run that measured";
}

TEST_F(Decision, AFailedWaveformReadStillFinishesTheMeasuredDischarge) {
  setRangeThreshold(50);
  const struct {
    const char* what;
    const char* analyzerOptions;
    const char* linkMessage;  // the link's own, before the test's report
  } cases[] = {
      {"the analyzer rejects the read", "range=H,reject=P", "No MTI was found connected."},
      {"the analyzer goes in the middle of the block", "range=H,hangup=P", "Error #68"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    messages().clear();
    errors().clear();
    analyzer(QLatin1String(c.analyzerOptions));
    const auto test = element(200);
    limit(test, QStringLiteral("DELY"), 60, {});
    ctx->setSelectedStandards(test->Limits()->Standards());
    perform(test);
    EXPECT_EQ(values(test), (Values{{"ENGY", 95}, {"DELY", 4.5}, {"PEKI", 30.4}, {"PEKU", 1520}}));
    EXPECT_EQ(status(test), 1);
    EXPECT_EQ(notified(test), 1) << "finished with its measurements";
    const auto result = std::dynamic_pointer_cast<CResultDischarge>(test->Result());
    ASSERT_TRUE(result);
    EXPECT_FALSE(result->Waveform()) << "no curve made up";
    const QList<host::ErrorEntry> reported = errors().reported();
    ASSERT_EQ(reported.size(), 1);
    EXPECT_EQ(reported.first().source, QLatin1String("RV1XTests.CTestDischarge"));
    EXPECT_TRUE(reported.first().description.contains(QLatin1String("curve could not be read")));
    ASSERT_FALSE(messageHeads().isEmpty());
    EXPECT_TRUE(messageHeads().first().startsWith(QLatin1String(c.linkMessage)))
        << messageHeads().join(u'|').toStdString();
    simulators_.clear();
  }
}

TEST_F(Decision, NoSecondRunStartsWhileTheLinkCloses) {
  // The closing "Z" is answered late, so the link is still closing when
  // the second Start comes.
  rv1xsim::Simulator& sim = analyzer(QStringLiteral("range=L,late=1000:Z"));
  const auto test = performanceTest(1);
  bool runningWhileClosing = false;
  OnCommand second(sim, "W01", [&] {
    runningWhileClosing = test->RunFlags().running;
    if (auto* guide = shownGuide()) Q_EMIT guide->StartTest();
  });
  perform(test);
  EXPECT_TRUE(second.done());
  EXPECT_TRUE(runningWhileClosing);
  EXPECT_EQ(runCommands(sim), (QStringList{"I", "W03", "A3", "E01", "W01"}));
  EXPECT_FALSE(test->RunFlags().running);
}

TEST_F(Decision, TheAnalyzerIsNotLeftPlaying) {
  const struct {
    const char* what;
    const char* analyzerOptions;
    const char* script;
    const char* stopOn;  // Stop as soon as the analyzer received this command
  } cases[] = {
      {"the wave's time is up", "range=L", "", nullptr},
      {"stopped while the range is wrong", "range=P", "600 play wait=0.8 stop wait-run next",
       nullptr},
      {"stopped while the wave command is under way", "range=L,late=600:W03",
       "600 play wait-run next", "W03"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    rv1xsim::Simulator& sim = analyzer(QLatin1String(c.analyzerOptions));
    const auto test = performanceTest(30);
    if (!c.stopOn && QLatin1String(c.script).isEmpty())
      config<CConfigPerformance>(test).SetDuration(1);
    std::unique_ptr<OnCommand> stop;
    if (c.stopOn) stop = std::make_unique<OnCommand>(sim, c.stopOn, pressStop);
    perform(test, QLatin1String(c.script));
    EXPECT_FALSE(sim.state().simulating()) << sim.state().wave.toStdString();
    EXPECT_EQ(runCommands(sim).mid(runCommands(sim).size() - 2), (QStringList{"E01", "W01"}));
    simulators_.clear();
  }
}

// The shock advisory's run ends on its last rhythm, whether every step
// played or the operator stopped during one: no end code follows.
TEST_F(Decision, TheShockAdvisorySendsNoEndCodeAfterItsSteps) {
  const struct {
    const char* what;
    const char* script;
  } cases[] = {
      {"every step played", ""},
      {"stopped during a step", "700 answers= play wait=0.8 stop wait-run next"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    rv1xsim::Simulator& sim = analyzer(QStringLiteral("range=L"));
    perform(element(700), QLatin1String(c.script));
    const QStringList sent = runCommands(sim);
    ASSERT_FALSE(sent.isEmpty());
    EXPECT_TRUE(sent.last().startsWith(QLatin1Char('V'))) << sent.join(' ').toStdString();
    EXPECT_FALSE(sent.contains(QStringLiteral("E01")) || sent.contains(QStringLiteral("W01")));
    simulators_.clear();
  }
}

TEST_F(Decision, APacedPeriodInTheLastColumnAloneIsKept) {
  // The analyzer right-aligns the paced period to character 59; its 0 in
  // the sensed column is "not measured", no period.
  analyzer(QStringLiteral("range=P,sensed-rp=0,paced-rp=7"));
  const auto test = element(400);
  limit(test, QStringLiteral("PACE"), 10, {});
  ctx->setSelectedStandards(test->Limits()->Standards());
  perform(test);
  EXPECT_EQ(values(test), (Values{{"PACE", 7}}));
  EXPECT_EQ(status(test), 1);
}

TEST_F(Decision, PacerReadingsTakenBeforeTheAnalyzerWentAreKeptAndFinished) {
  // The pacer wait's "M", one reading, then the analyzer goes.
  analyzer(QStringLiteral("range=P,hangup=M#3"));
  const auto test = element(500);
  limit(test, QStringLiteral("RATE"), 80, 60);
  ctx->setSelectedStandards(test->Limits()->Standards());
  perform(test, QStringLiteral("500 play wait-run next"));
  EXPECT_EQ(values(test), (Values{{"RATE", 72}, {"AMPL", 70}, {"PWID", 10}}));
  EXPECT_EQ(status(test), 1);
  EXPECT_EQ(notified(test), 1) << "finished with its readings";
  EXPECT_EQ(messageHeads(), QStringList{QStringLiteral("Error #68")}) << "the link's, once";
}

// A Stop while the last reply to "M" arrives cuts it off: what came is no
// reading. The refractory run keeps nothing; the pacer run keeps the
// reading before it.
TEST_F(Decision, AStopWhileTheLastReplyArrivesKeepsNoCutOffReading) {
  const struct {
    rt::Long testID;
    const char* analyzerOptions;  // the reply's front at once, its rest 3 s later
    int arrival;                  // of "M"
    Values kept;
  } cases[] = {
      {400, "range=P,split=3000/50:M#2", 2, {}},
      {500, "range=P,split=3000/16:M#3", 3, {{"RATE", 72}, {"AMPL", 70}, {"PWID", 10}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.testID);
    rv1xsim::Simulator& sim = analyzer(QLatin1String(c.analyzerOptions));
    const auto test = element(c.testID);
    // Stop once the front of the reply is in, long before its rest.
    OnCommand stop(
        sim, "M", [this] { after(500, pressStop); }, c.arrival);
    perform(test, QStringLiteral("%1 play wait-run next").arg(c.testID));
    EXPECT_TRUE(stop.done());
    EXPECT_EQ(values(test), c.kept);
    EXPECT_NE(status(test), 1);
    simulators_.clear();
  }
}

}  // namespace
