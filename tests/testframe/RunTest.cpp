// A run against the simulated analyzer: the range wait and the pacer wait
// with their prompts, Stop and Abort during a run, and the run's failures.

#include "PerformFixture.h"
#include "QtPrinters.h"
#include "registry/RegistryStore.h"
#include "settings/CConfigDischarge.h"

namespace {

using namespace frametests;

const QString kRangePace = QStringLiteral("Please set range to Pace*");
const QString kRangeHigh = QStringLiteral("Please set range to High*");
const QString kRangeLow = QStringLiteral("Please set range to Low*");
const QString kPleaseWait = QStringLiteral("Please wait...");
const QString kStartPacer = QStringLiteral("Start pacer*");

using TestRun = PerformTest;

TEST_F(TestRun, TheRangeWaitPromptsUntilTheSwitchIsRight) {
  struct Case {
    rt::Long testID;
    const char* analyzerOptions;
    QStringList popup;  // what the pop-up showed
  } cases[] = {
      // The prompt goes when the range is right...
      {400, "range=H,turn-range=P/3", {"-", kRangePace, "-"}},
      {300, "range=L,turn-range=P/2", {"-", kRangePace, "-"}},
      {500, "range=H,turn-range=P/2", {"-", kRangePace, "-"}},
      {600, "range=P,turn-range=L/2", {"-", kRangeLow, "-"}},
      {700, "range=P,turn-range=H/2", {"-", kRangeLow, "-"}},
      // ... or stays until the next pop-up replaces it.
      {100,
       "range=L,turn-range=H/2",
       {"-", kPleaseWait, kRangeHigh, "Charge and shock in 5 seconds",
        "Charge and shock in 4 seconds", "Charge and shock in 3 seconds",
        "Charge and shock in 2 seconds", "Charge and shock in 1 seconds", "CHARGE AND SHOCK NOW*",
        "-"}},
      {200, "range=L,turn-range=H/2", {"-", kPleaseWait, kRangeHigh, "DEFIBRILLATE NOW*", "-"}},
      // Nothing to prompt when the range is right at once.
      {400, "range=P", {"-"}},
      {600, "range=H", {"-"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(
        QStringLiteral("%1 %2").arg(c.testID).arg(QLatin1String(c.analyzerOptions)).toStdString());
    rv1xsim::Simulator& sim = analyzer(QLatin1String(c.analyzerOptions));
    const auto test = c.testID == 600 ? performanceTest() : element(c.testID);
    PopupWatch watch(c.testID == 400 && c.popup.size() > 1 ? QStringLiteral("run-range-prompt")
                                                           : QString());
    perform(test, QStringLiteral("%1 play wait-run next").arg(c.testID));
    EXPECT_EQ(watch.seen(), c.popup);
    const QStringList commands = commandsOf(sim);
    const qsizetype wanted =
        c.popup.contains(kRangePace) || c.popup.contains(kRangeLow) || c.popup.contains(kRangeHigh)
            ? 3
            : 1;
    EXPECT_GE(commands.count(QStringLiteral("I")), wanted);
    EXPECT_TRUE(shownTexts().isEmpty()) << shownTexts().join(u'|').toStdString();
    simulators_.clear();
  }
}

TEST_F(TestRun, TheDischargeRangeFollowsTheThreshold) {
  platform::RegistryStore::instance().writeValue(platform::hive::LocalMachine,
                                                 QStringLiteral("Software\\Tavrin\\orvan\\RV-1X"),
                                                 QStringLiteral("RangeThreshold"), 50);
  struct Case {
    float energy;
    const char* wanted;  // the range the wait asks for: that of the energy the steps name
  } cases[] = {{50, "L"}, {50.4f, "L"}, {50.6f, "H"}, {100, "H"}, {20, "L"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.energy);
    // The switch starts on the other range and is turned to the wanted one.
    const bool high = QLatin1String(c.wanted) == QLatin1String("H");
    analyzer(QStringLiteral("range=%1,turn-range=%2/2").arg(high ? "L" : "H", c.wanted));
    const auto test = element(200);
    std::dynamic_pointer_cast<orvanRV1Xtst::CConfigDischarge>(test->Configuration())
        ->SetPresetEnergy(c.energy);
    PopupWatch watch;
    perform(test);
    EXPECT_TRUE(watch.seen().contains(high ? kRangeHigh : kRangeLow))
        << watch.seen().join(u'|').toStdString();
    EXPECT_FALSE(watch.seen().contains(high ? kRangeLow : kRangeHigh));
    simulators_.clear();
  }
}

TEST_F(TestRun, ThePacerWaitAsksToStartThePacerFromTheNinthPoll) {
  for (int polls : {3, 12}) {
    SCOPED_TRACE(polls);
    rv1xsim::Simulator& sim = analyzer(QStringLiteral("range=P,pacer-polls=%1").arg(polls));
    const auto test = element(400);
    PopupWatch watch(polls == 12 ? QStringLiteral("run-start-pacer") : QString());
    perform(test);
    // The polls and the read-out of the measurement.
    EXPECT_EQ(commandsOf(sim).count(QStringLiteral("M")), polls + 2);
    EXPECT_EQ(watch.seen(), polls > 8 ? QStringList({"-", kStartPacer, "-"}) : QStringList{"-"});
    EXPECT_TRUE(shownTexts().isEmpty());
    simulators_.clear();
  }
}

TEST_F(TestRun, StopEndsTheWaitAndTheRunMeasuresNothing) {
  rv1xsim::Simulator& sim = analyzer(QStringLiteral("range=H"));  // never the pace range
  const auto test = element(400);
  PopupWatch watch;
  perform(test, QStringLiteral("400 play wait=0.5 stop wait-run next"),
          [](QWidget& guide, rt::Long, const QString& state) {
            if (state == QLatin1String("running"))
              testsupport::saveScreenshot(guide, QStringLiteral("run-running"));
          });
  EXPECT_EQ(watch.seen(), (QStringList{"-", kRangePace, "-"}));
  const QStringList commands = commandsOf(sim);
  EXPECT_TRUE(commands.contains(QStringLiteral("R"))) << "the start of the run";
  EXPECT_FALSE(commands.contains(QStringLiteral("M"))) << "no pacer wait after Stop";
  EXPECT_EQ(ctx->NavigationCode(), host::navigation::Next);
  EXPECT_EQ(status(test), 0);
  EXPECT_EQ(notified(test), 0);
  EXPECT_FALSE(test->RunFlags().running);
}

TEST_F(TestRun, AbortDuringARunEndsItAndDropsTheResult) {
  analyzer(QStringLiteral("range=L"));
  const auto test = element(100);
  perform(test, QStringLiteral("100 play wait=0.5 abort"));
  EXPECT_EQ(ctx->NavigationCode(), host::navigation::Abort);
  EXPECT_FALSE(test->Result());
  EXPECT_FALSE(test->RunFlags().running) << "the run was over before the window went";
  EXPECT_EQ(notified(test), 0);
}

TEST_F(TestRun, AFailedRunLeavesTheResultUntouchedAndSaysWhyOnce) {
  struct Case {
    const char* what;
    const char* analyzerOptions;  // none: no analyzer on the port
    QStringList messages;         // shown, by their start
  } cases[] = {
      {"no analyzer", nullptr, {}},
      // The link says so itself; the test element adds nothing.
      {"the analyzer goes away", "range=P,hangup=M", {}},
      {"a pacer reply that is no number", "range=P,answer=M:abc", {"Error #13"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    messages().clear();
    if (c.analyzerOptions) analyzer(QLatin1String(c.analyzerOptions));
    const auto test = element(400);
    perform(test);
    QStringList shown;
    for (const ui::ShownMessage& m : messages().shown())
      if (m.caption == QLatin1String("orvanRV1Xtst")) shown.append(m.text.section(u'\r', 0, 0));
    EXPECT_EQ(shown, c.messages) << messages().shown().size();
    EXPECT_EQ(status(test), 0);
    EXPECT_EQ(notified(test), 0);
    EXPECT_FALSE(test->RunFlags().keep) << "a failed run is not finished";
    EXPECT_FALSE(test->RunFlags().running);
    EXPECT_EQ(ctx->NavigationCode(), host::navigation::Next) << "the operator could still leave";
    simulators_.clear();
  }
}

}  // namespace
