// Perform: the run context's say, the navigation codes the operator's
// choices write, and what becomes of the result when the window closes.

#include <QRegularExpression>
#include <QTimer>

#include "PerformFixture.h"
#include "QtPrinters.h"
#include "StoredElements.h"
#include "results/CResultBase.h"
#include "settings/CConfigShock.h"
#include "settings/CShockAdviceSetting.h"

namespace {

using namespace frametests;

struct Leaving {
  const char* script;  // the operator's whole plan (no run)
  rt::Long code;
  bool dropped;     // the result is gone
  rt::Long status;  // else its status
  int notified;
};

const Leaving kLeavings[] = {
    {"next", host::navigation::Next, false, 0, 0},
    {"previous", host::navigation::Previous, false, 0, 0},
    {"skip", host::navigation::Skip, true, 0, 0},
    {"na", host::navigation::Next, false, 3, 1},
    {"abort", host::navigation::Abort, true, 0, 0},
    {"answer=no press=101 wait=0.2 next", host::navigation::Next, false, 0, 0},
};

using Perform = PerformTest;

TEST_F(Perform, ATestTheContextDoesNotLetRunShowsNothing) {
  const auto test = element(400);
  ctx->setMayRun(false);
  perform(test);
  EXPECT_EQ(guidesSeen, 0);
  EXPECT_FALSE(test->Result());
  EXPECT_FALSE(ctx->navigationCodeWritten());
}

TEST_F(Perform, EachWayOutWritesItsNavigationCode) {
  for (const ElementClass& c : kClasses) {
    for (const Leaving& leaving : kLeavings) {
      SCOPED_TRACE(QStringLiteral("%1: %2").arg(c.testID).arg(leaving.script).toStdString());
      const auto test = element(c.testID);
      perform(test, QStringLiteral("%1 %2").arg(c.testID).arg(QLatin1String(leaving.script)));
      EXPECT_EQ(guidesSeen, 1);
      EXPECT_TRUE(ctx->navigationCodeWritten());
      EXPECT_EQ(ctx->NavigationCode(), leaving.code);
      EXPECT_EQ(test->Result() == nullptr, leaving.dropped);
      if (!leaving.dropped) {
        EXPECT_EQ(status(test), leaving.status);
      }
      EXPECT_EQ(notified(test), leaving.notified);
      EXPECT_FALSE(ui::Form::activeModal()) << "the window is gone";
    }
  }
}

TEST_F(Perform, ClosingTheWindowIsAbortOnceTheHostConfirms) {
  const auto test = element(300);
  bool closed = false;
  perform(test, QStringLiteral("300 wait=0.3 next"),
          [&](QWidget& guide, rt::Long, const QString& state) {
            if (state != QLatin1String("opened") || closed) return;
            closed = true;
            QPointer<QWidget> window = &guide;
            QTimer::singleShot(0, [window] {
              // Refused first: the window stays; then confirmed.
              ui::MessageBoxes::instance().queueAnswers({ui::mb::No});
              if (window) window->close();
              ui::MessageBoxes::instance().queueAnswers({ui::mb::Yes});
              if (window) window->close();
            });
          });
  EXPECT_EQ(ctx->NavigationCode(), host::navigation::Abort);
  EXPECT_FALSE(test->Result()) << "dropped as by Abort";
  EXPECT_EQ(shownTexts().count(QStringLiteral("Do you want to abort the test sequence?")), 2);
}

TEST_F(Perform, LeavingAgainWithoutARunRepeatsTheLastVerdictWithoutNotifyingAgain) {
  const auto test = element(400);
  // Skipped, back with Previous, left with Next: dropped again.
  perform(test, QStringLiteral("400 skip"));
  perform(test, QStringLiteral("400 next"));
  EXPECT_FALSE(test->Result());
  EXPECT_EQ(ctx->NavigationCode(), host::navigation::Next);
  // Not applicable, then passed through again: the result stays skipped
  // and the context was told once.
  perform(test, QStringLiteral("400 na"));
  EXPECT_EQ(status(test), 3);
  perform(test, QStringLiteral("400 previous"));
  perform(test, QStringLiteral("400 next"));
  EXPECT_EQ(status(test), 3);
  EXPECT_EQ(notified(test), 1);
  EXPECT_EQ(ctx->MtiList()->Count(), 1) << "one identity registered for it";
}

// A host whose identity list cannot be reached.
struct ContextWithoutIdentities : host::RunContext {
  host::MtiListPtr MtiList() override {
    rt::raise(rt::err::ObjectNotSet, QStringLiteral("RunContext"), QStringLiteral("no list"));
  }
};

TEST_F(Perform, TheHostIsToldEvenWhenTheIdentityCannotBeRecorded) {
  ctx = std::make_shared<ContextWithoutIdentities>();
  const auto test = element(400);
  perform(test, QStringLiteral("400 na"));
  EXPECT_EQ(status(test), 3);
  EXPECT_EQ(notified(test), 1);
}

TEST_F(Perform, AVerdictIsFinishedOnceAndANewVerdictAgain) {
  rv1xsim::Simulator& sim = analyzer(QStringLiteral("range=L"));
  const auto test = performanceTest();
  perform(test);  // Play, the run, the verdict "passed", Next
  EXPECT_EQ(status(test), 1);
  EXPECT_EQ(notified(test), 1);
  ASSERT_EQ(ctx->MtiList()->Count(), 1);
  EXPECT_EQ(test->Result()->MTIID(), ctx->MtiList()->entries().first()->Index());
  // The wave played its second and was switched off.
  EXPECT_EQ(commandsOf(sim).mid(commandsOf(sim).indexOf(QStringLiteral("I"))),
            (QStringList{"I", "W03", "A3", "E01", "W01"}));
  perform(test, QStringLiteral("600 next"));
  EXPECT_EQ(notified(test), 1) << "passing through again changes nothing";
  EXPECT_EQ(ctx->MtiList()->Count(), 1);
  perform(test, QStringLiteral("600 fail"));  // a new run judged "failed"
  EXPECT_EQ(status(test), 2);
  EXPECT_EQ(notified(test), 2);
}

// A mark on a wave never played is taken back: no measurement reads
// "passed" in a result nobody judged, and a stored verdict stays as it was.
TEST_F(Perform, AVerdictOnAWaveNeverPlayedCountsNothing) {
  const char* const kStoredFail =
      "<ResultItem><Status Code=\"2\"/><Measurement Key=\"PERF\"><Value Type=\"3\" "
      "Kind=\"Boolean\">False</Value><Status Code=\"2\"/></Measurement></ResultItem>";
  const struct {
    const char* what;
    const char* script;
    const char* stored;  // the result the element holds before
    QVariant value;
    rt::Long status;
  } cases[] = {
      {"given while the run waits for the range", "600 play wait=0.5 verdict=pass wait-run next",
       nullptr, QVariant(), 0},
      {"given after that run was stopped", "600 play wait=0.5 stop wait-run verdict=pass next",
       nullptr, QVariant(), 0},
      {"given on a stored verdict before any run", "600 verdict=pass next", kStoredFail,
       QVariant(false), 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    analyzer(QStringLiteral("range=P"));  // the operator never turns the switch
    const auto test = performanceTest();
    if (c.stored) test->Load(testsupport::xmlElement(QLatin1String(c.stored)), nullptr);
    perform(test, QLatin1String(c.script));
    ASSERT_TRUE(test->Result());
    const host::IMeasurementPtr perf = test->Result()->Measurement(1);
    EXPECT_EQ(perf->Value(), c.value);
    EXPECT_EQ(perf->Status(), c.status);
    EXPECT_EQ(status(test), c.status);
    EXPECT_EQ(notified(test), 0);
    EXPECT_EQ(ctx->MtiList()->Count(), 0);
    simulators_.clear();
  }
}

TEST_F(Perform, EveryPlayStartsFromAFreshResult) {
  analyzer(QStringLiteral("range=L"));
  const auto test = performanceTest();
  // A verdict before the run does not count in it.
  perform(test, QStringLiteral("600 verdict=pass play wait-run next"));
  EXPECT_EQ(status(test), 0) << "the run's own result was never judged";
  EXPECT_EQ(notified(test), 0);
  const host::IResultDataPtr before = test->Result();
  perform(test, QStringLiteral("600 play wait-run next"));
  EXPECT_NE(test->Result(), before);
}

TEST_F(Perform, TheShockStepsPlayInTurnAndTheOperatorsAnswersJudgeThem) {
  struct Case {
    const char* script;
    rt::Long status;
  } cases[] = {
      {"", 1},                   // each step answered as it expects
      {"700 answers=S,S,N", 2},  // the first step expects no shock
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.script);
    rv1xsim::Simulator& sim = analyzer(QStringLiteral("range=L"));
    const auto test = element(700);
    auto& config = *std::dynamic_pointer_cast<orvanRV1Xtst::CConfigShock>(test->Configuration());
    config.AddNew()->SetWaveFormIndex(1);                            // CVF, a shock expected
    config.AddNew()->SetWaveFormIndex(7);                            // NSR 90, none
    for (const auto& step : config.NewEnum()) step->SetDuration(0);  // until answered
    perform(test, QLatin1String(c.script), [](QWidget& guide, rt::Long, const QString& state) {
      if (state == QLatin1String("finished"))
        testsupport::saveScreenshot(guide, QStringLiteral("run-shock-answered"));
    });
    EXPECT_EQ(commandsOf(sim).filter(QRegularExpression(QStringLiteral("^V"))),
              (QStringList{"V01", "V02", "V08"}));
    EXPECT_EQ(status(test), c.status);
    EXPECT_EQ(notified(test), 1);
    ctx = std::make_shared<host::RunContext>();
    simulators_.clear();
  }
}

TEST_F(Perform, AShockStepWithADurationEndsByItself) {
  rv1xsim::Simulator& sim = analyzer(QStringLiteral("range=L"));
  const auto test = element(700);
  auto& config = *std::dynamic_pointer_cast<orvanRV1Xtst::CConfigShock>(test->Configuration());
  config.AddNew()->SetWaveFormIndex(2);
  for (const auto& step : config.NewEnum()) step->SetDuration(1);
  ui::Stopwatch clock;
  clock.start();
  // The first step answered at once, the second left to its time.
  perform(test, QStringLiteral("700 answers=N play wait-run next"));
  EXPECT_GE(clock.elapsed(), 1000) << "the second step its second";
  EXPECT_EQ(commandsOf(sim).filter(QRegularExpression(QStringLiteral("^V"))),
            (QStringList{"V01", "V03"}));
  const host::IResultDataPtr result = test->Result();
  EXPECT_EQ(result->Measurement(1)->Status(), 1);
  EXPECT_EQ(result->Measurement(2)->Status(), 0) << "not answered";
}

}  // namespace
