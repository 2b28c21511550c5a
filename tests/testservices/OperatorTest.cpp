// The scripted operator: its script, and its work on a small guide window
// inside the window's modal loop.

#include <gtest/gtest.h>

#include <QLabel>

#include "FakeGuide.h"
#include "GuideFixture.h"
#include "QtPrinters.h"
#include "ScriptedOperator.h"
#include "StubTestElement.h"
#include "ui/MessageBoxes.h"

namespace {

using namespace testservices;
using host::OperatorScript;
using testsupport::raisedBy;

QStringList words(const host::OperatorPlan& plan) {
  QStringList result;
  for (const host::OperatorStep& step : plan.steps) result << step.word;
  return result;
}

TEST(OperatorScript, LinesChangeOrReplaceTheDefaultPlan) {
  const OperatorScript script = OperatorScript::Parse(QStringLiteral(
      "# the operator's plan\n"
      "600 fail\n"
      "700 answers=S,n   # as the steps expect, but the second\n"
      "\n"
      "100 stop-after=2.5\n"
      "300 na\n"
      "300 skip\n"
      "400 abort\n"
      "200 mti=RV-12P,4711,2.01 play wait=1 stop wait-run click=0,2,right answer=ok tab=1 next\n"
      "800 stop-after=3 standard=\"IEC 60601-2-4\"\n"));
  struct Case {
    rt::Long testID;
    int pass;
    QStringList steps;
  } cases[] = {
      {100, 1, {"play", "wait-run", "next"}},
      {500, 0, {"play", "wait-stored", "stop", "wait-run", "next"}},
      {600, 0, {"play", "wait-run", "verdict", "next"}},
      {700, 0, {"play", "wait-run", "next"}},
      {100, 0, {"play", "stop-after", "stop", "wait-run", "next"}},
      {300, 0, {"na"}},
      {300, 1, {"skip"}},
      {300, 2, {"play", "wait-run", "next"}},
      {400, 0, {"answer=yes", "abort"}},
      {200,
       0,
       {"mti=RV-12P,4711,2.01", "play", "wait=1", "stop", "wait-run", "click=0,2,right",
        "answer=ok", "tab=1", "next"}},
      // A standard is picked before anything is pressed.
      {800, 0, {"standard=IEC 60601-2-4", "play", "stop-after", "stop", "wait-run", "next"}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(words(script.PlanFor(c.testID, c.pass)), c.steps) << c.testID << " pass " << c.pass;
  EXPECT_FALSE(script.PlanFor(600, 0).verdictPass);
  EXPECT_TRUE(script.PlanFor(600, 1).verdictPass);
  EXPECT_EQ(script.PlanFor(700, 0).answers, (QList<bool>{true, false}));
  EXPECT_TRUE(script.PlanFor(700, 1).answerPresets) << "unscripted: the presets' answers";
  EXPECT_EQ(script.PlanFor(100, 0).steps.at(1).milliseconds, 2500);
  EXPECT_EQ(script.PlanFor(800, 0).steps.at(0).standard, QStringLiteral("IEC 60601-2-4"));
}

TEST(OperatorScript, AWordItDoesNotKnowNamesItsLine) {
  const char* lines[] = {"abc play",       "100 jump",           "100 wait=soon",
                         "100 click=1",    "100 answers=S,Q",    "100 verdict=maybe",
                         "100 answer=yep", "100 mti=RV-11,only", "100 play=1",
                         "100 press",      "100 standard="};
  for (const char* line : lines) {
    const rt::RuntimeError error =
        raisedBy([&] { OperatorScript::Parse(QStringLiteral("# first\n") + QLatin1String(line)); });
    EXPECT_EQ(error.Number(), rt::err::InvalidCall) << line;
    EXPECT_TRUE(error.Description().contains(QStringLiteral("line 2"))) << line;
  }
}

// One script serves runs of different tests; a line that cannot apply to
// the catalogue is an error naming its line.
TEST(OperatorScript, FitsARunOfTheCatalogue) {
  const QList<rt::Long> catalogue{100, 200, 300, 400, 500, 600, 700};
  const struct {
    const char* script;
    QStringList errors;
    QStringList notices;
  } cases[] = {
      {"100 skip\n600 fail\n700 answers=S\n", {}, {}},
      {"100 fail\n", {"operator script line 1: test 100 never takes \"fail\""}, {}},
      {"# words that only the operator's verdicts take\n700 fail\n100 verdict=pass\n"
       "300 pass\n600 answers=S\n",
       {"operator script line 2: test 700 never takes \"fail\"",
        "operator script line 3: test 100 never takes \"verdict\"",
        "operator script line 4: test 300 never takes \"pass\"",
        "operator script line 5: test 600 never takes \"answers\""},
       {}},
      {"901 play\n", {"operator script line 1: the test catalogue has no test 901"}, {}},
      {"200 next\n100 skip\n",
       {},
       {"operator script line 1: test 200 is not in this run; the line is skipped"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.script);
    OperatorScript script = OperatorScript::Parse(QLatin1String(c.script));
    const host::OperatorFit fit = script.FitTo(catalogue, {100, 300, 600, 700});
    EXPECT_EQ(fit.errors, c.errors);
    EXPECT_EQ(fit.notices, c.notices);
  }
  OperatorScript script = OperatorScript::Parse(QStringLiteral("200 skip\n100 skip\n"));
  script.FitTo(catalogue, {100});
  EXPECT_EQ(words(script.PlanFor(100, 0)), QStringList{"skip"});
  EXPECT_EQ(words(script.PlanFor(200, 0)), words(OperatorScript::DefaultPlan(200)))
      << "a line dropped is no plan";
}

struct Operator : GuideControlsFixture {
  struct Outcome {
    QStringList events;
    rt::Long code = -1;
    QStringList log;
    FakeResultPtr result;
    QString identity;
  };

  QStringList states;

  // One guide for the test, worked by an operator with the script.
  Outcome perform(rt::Long testID, const QString& script,
                  const std::function<void(FakeGuide&, host::ScriptedOperator&)>& setUp = {}) {
    auto test = std::make_shared<testsupport::StubTestElement>(testID);
    Outcome outcome;
    outcome.result = fakeResultFor(testID);
    test->result = outcome.result;
    auto ctx = std::make_shared<host::RunContext>();
    host::ScriptedOperator op(OperatorScript::Parse(script));
    op.setPace(5);
    op.setStateHook([&](QWidget& guide, rt::Long id, const QString& state) {
      states << state;
      picture(guide, QStringLiteral("operator-%1-%2").arg(id).arg(state));
    });
    FakeGuide guide(test, outcome.result, ctx);
    if (setUp) setUp(guide, op);
    guide.Show(ui::form::Modal);
    outcome.events = guide.events;
    outcome.code = ctx->navigationCodeWritten() ? ctx->NavigationCode() : -1;
    outcome.log = op.log();
    outcome.identity = guide.identity();
    return outcome;
  }
};

TEST_F(Operator, ByDefaultPlaysWaitsForTheRunAndGoesOn) {
  const Outcome outcome = perform(100, QString());
  EXPECT_EQ(outcome.events, (QStringList{"StartTest", "NextTest"}));
  EXPECT_EQ(outcome.code, host::navigation::Next);
  EXPECT_EQ(outcome.result->measurements.first()->status, 1) << "the run ended by itself";
  EXPECT_EQ(outcome.log, (QStringList{"100 opened", "100 play", "100 wait-run", "100 next"}));
  EXPECT_EQ(states, (QStringList{"opened", "running", "finished", "leaving"}));
}

TEST_F(Operator, StopsARunThatGoesOnOnceItsResultHoldsAValue) {
  const Outcome outcome = perform(500, QString());
  EXPECT_EQ(outcome.events, (QStringList{"StartTest", "StopTest", "NextTest"}));
  EXPECT_FALSE(outcome.result->measurements.first()->value.isNull());
}

TEST_F(Operator, JudgesThePerformanceInTheResultRowAfterTheRun) {
  const struct {
    QString script;
    rt::Long status;
  } cases[] = {{QString(), 1}, {QStringLiteral("600 fail"), 2}};
  for (const auto& c : cases) {
    const Outcome outcome = perform(600, c.script);
    EXPECT_EQ(outcome.events, (QStringList{"StartTest", "ItemClicked", "NextTest"}));
    EXPECT_EQ(outcome.result->measurements.first()->status, c.status) << c.script.toStdString();
  }
}

TEST_F(Operator, AnswersEachShockStepWhileItPlays) {
  // Presets: shock, no shock, shock.
  const struct {
    QString script;
    QList<rt::Long> statuses;
  } cases[] = {{QString(), {1, 1, 1}}, {QStringLiteral("700 answers=N,N,N"), {2, 1, 2}}};
  for (const auto& c : cases) {
    const Outcome outcome = perform(700, c.script, [](FakeGuide& guide, host::ScriptedOperator&) {
      guide.stepMilliseconds = 20000;  // each step waits for its answer
    });
    QList<rt::Long> statuses;
    for (const FakeMeasurementPtr& m : outcome.result->measurements) statuses << m->status;
    EXPECT_EQ(statuses, c.statuses) << c.script.toStdString();
    EXPECT_EQ(outcome.events.count(QStringLiteral("ItemClicked")), 3);
    EXPECT_EQ(outcome.events.last(), QStringLiteral("NextTest"));
  }
}

TEST_F(Operator, LeavesWithTheButtonTheLineNames) {
  ui::MessageBoxes::instance().clear();
  const struct {
    QString script;
    QStringList events;
    rt::Long code;
  } cases[] = {
      {QStringLiteral("100 skip"), {"Skip"}, host::navigation::Skip},
      {QStringLiteral("100 na"), {"NA"}, host::navigation::Next},
      {QStringLiteral("100 previous"), {"Previous"}, host::navigation::Previous},
      {QStringLiteral("100 abort"), {"AbortTest"}, host::navigation::Abort},
      {QStringLiteral("100 answer=no press=101 next"), {"NextTest"}, host::navigation::Next},
  };
  for (const auto& c : cases) {
    const Outcome outcome = perform(100, c.script);
    EXPECT_EQ(outcome.events, c.events) << c.script.toStdString();
    EXPECT_EQ(outcome.code, c.code) << c.script.toStdString();
  }
  // The two aborts asked; the operator answered each as its script said.
  QList<int> answers;
  for (const ui::ShownMessage& shown : ui::MessageBoxes::instance().shown())
    answers << shown.answer;
  EXPECT_EQ(answers, (QList<int>{ui::mb::Yes, ui::mb::No}));
  ui::MessageBoxes::instance().clear();
}

TEST_F(Operator, StopsAfterTheScriptedTimeAndFillsInTheIdentity) {
  const Outcome outcome =
      perform(100, QStringLiteral("100 stop-after=0.2 mti=rv-15,SN42,2.01"),
              [](FakeGuide& guide, host::ScriptedOperator&) { guide.runMilliseconds = 20000; });
  EXPECT_EQ(outcome.events, (QStringList{"StartTest", "StopTest", "NextTest"}));
  EXPECT_EQ(outcome.identity, QStringLiteral("RV-15/SN42/2.01"));
}

TEST_F(Operator, AWindowLeftOpenOrARunThatNeverEndsIsLeftAsAPersonWould) {
  Outcome outcome = perform(100, QStringLiteral("100 play wait-run"));
  EXPECT_EQ(outcome.events, (QStringList{"StartTest", "NextTest"}));
  EXPECT_EQ(outcome.log.last(), QStringLiteral("100 next (end of plan)"));

  outcome = perform(100, QString(), [](FakeGuide& guide, host::ScriptedOperator& op) {
    guide.runMilliseconds = 60000;
    op.setWaitLimit(300);
  });
  EXPECT_EQ(outcome.events, (QStringList{"StartTest", "StopTest", "NextTest"}));
  EXPECT_TRUE(outcome.log.contains(QStringLiteral("100 wait-run (too long: stop)")));
}

// Whatever the script says, no wait outlasts the limit: a Next the running
// guide does not take leaves a run that never ends, and a wait= longer than
// the limit is cut to it.
TEST_F(Operator, EveryWaitIsBoundedByTheLimit) {
  const auto longRun = [](FakeGuide& guide, host::ScriptedOperator& op) {
    guide.runMilliseconds = 60000;
    op.setWaitLimit(300);
  };
  Outcome outcome = perform(500, QStringLiteral("500 play next"), longRun);
  EXPECT_EQ(outcome.events, (QStringList{"StartTest", "StopTest", "NextTest"}));
  EXPECT_TRUE(outcome.log.contains(QStringLiteral("500 next (not taken)")))
      << qPrintable(outcome.log.join(u'|'));

  outcome = perform(100, QStringLiteral("100 play wait=600 stop wait-run next"), longRun);
  EXPECT_EQ(outcome.events, (QStringList{"StartTest", "StopTest", "NextTest"}));
  EXPECT_TRUE(outcome.log.contains(QStringLiteral("100 wait=600")));
}

// A run that waits beyond the limit is stopped and left unjudged; what it
// waited for is told by the guide's prompt, else by the test.
TEST_F(Operator, AWaitGivenUpSaysWhatTheRunWaitedFor) {
  const struct {
    rt::Long testID;
    QString prompt;  // the pop-up's text, empty for no pop-up shown
    QString waitingFor;
  } cases[] = {
      {300, QStringLiteral("Start pacer"), QStringLiteral("no pacer pulses seen")},
      {200, QStringLiteral("DEFIBRILLATE NOW"), QStringLiteral("no shock received")},
      {100, QStringLiteral("CHARGE AND SHOCK NOW"), QStringLiteral("no shock received")},
      {100, QStringLiteral("Please set range to High"),
       QStringLiteral("the range switch not set to High")},
      {400, QString(), QStringLiteral("no refractory period measured")},
      {200, QString(), QStringLiteral("no discharge measured")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.testID);
    SCOPED_TRACE(qPrintable(c.prompt));
    QStringList told;
    const Outcome outcome =
        perform(c.testID, QString(), [&](FakeGuide& guide, host::ScriptedOperator& op) {
          guide.runMilliseconds = 60000;
          op.setWaitLimit(300);
          op.setGiveUpHook([&](rt::Long testID, const QString& waitingFor) {
            told << QStringLiteral("%1 %2").arg(testID).arg(waitingFor);
          });
          auto* prompt = new QLabel(
              c.prompt.isEmpty() ? QStringLiteral("PLEASE DEFIBRILLATE NOW") : c.prompt, &guide);
          prompt->setObjectName(QStringLiteral("lblHelpTxt"));
          prompt->setVisible(!c.prompt.isEmpty());
        });
    EXPECT_EQ(told, QStringList{QStringLiteral("%1 %2").arg(c.testID).arg(c.waitingFor)});
    EXPECT_EQ(outcome.events, (QStringList{"StartTest", "StopTest", "NextTest"}));
    EXPECT_EQ(outcome.result->measurements.first()->status, 0) << "not judged";
    EXPECT_EQ(outcome.log.last(), QStringLiteral("%1 next (not judged)").arg(c.testID));
  }
}

// A run that goes on after it has stored a value (pacer readings until Stop,
// a curve still loading) is not waiting for a measurement any more.
TEST_F(Operator, AWaitGivenUpAfterAValueWasStoredSaysTheRunDidNotEnd) {
  auto test = std::make_shared<testsupport::StubTestElement>(500);
  const FakeResultPtr result = fakeResultFor(500);
  result->measurements.first()->value = 40.0;
  test->result = result;
  auto ctx = std::make_shared<host::RunContext>();
  host::ScriptedOperator op(OperatorScript::Parse(QStringLiteral("500 play wait-run next")));
  op.setPace(5);
  op.setWaitLimit(300);
  QStringList told;
  op.setGiveUpHook([&](rt::Long testID, const QString& waitingFor) {
    told << QStringLiteral("%1 %2").arg(testID).arg(waitingFor);
  });
  FakeGuide guide(test, result, ctx);
  guide.runMilliseconds = 60000;
  guide.Show(ui::form::Modal);
  EXPECT_EQ(told, QStringList{QStringLiteral("500 the run did not end")});
  EXPECT_EQ(guide.events, (QStringList{"StartTest", "StopTest", "NextTest"}));
}

TEST_F(Operator, ATestMetAgainTakesItsNextLine) {
  auto test = std::make_shared<testsupport::StubTestElement>(100);
  test->result = fakeResultFor(100);
  auto ctx = std::make_shared<host::RunContext>();
  host::ScriptedOperator op(OperatorScript::Parse(QStringLiteral("100 previous\n100 skip")));
  op.setPace(5);
  QStringList events;
  for (int pass = 0; pass < 3; ++pass) {
    FakeGuide guide(test, fakeResultFor(100), ctx);
    guide.Show(ui::form::Modal);
    events << guide.events.last();
  }
  EXPECT_EQ(events, (QStringList{"Previous", "Skip", "NextTest"}));
  EXPECT_EQ(op.guidesSeen(), 3);
}

}  // namespace
