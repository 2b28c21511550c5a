#include "ScriptedOperator.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>

#include "runtime/Conversions.h"
#include "runtime/ErrorHandling.h"
#include "services/LanguageService.h"
#include "typelib/GuideControls.h"
#include "typelib/IMeasurement.h"
#include "typelib/IResultData.h"
#include "typelib/ITestElement.h"
#include "ui/ClockTrace.h"
#include "ui/Form.h"
#include "ui/MessageBoxes.h"
#include "ui/SyntheticInput.h"

namespace host {

namespace {

using namespace guidebuttons;

constexpr int kTickMs = 20;
// While all it does is wait for a run to end, a person only glances at the
// window now and then: the run's end (its Play click coming back) makes the
// operator look at once.
constexpr int kGlanceMs = 250;
constexpr qint64 kNanosecondsPerMillisecond = 1'000'000;
constexpr int kAnswerRepeatMs = 250;
constexpr int kLeaveRetryMs = 1000;
constexpr int kLeaveTries = 3;

bool isNavigation(rt::Long button) {
  return button == Next || button == Previous || button == Skip || button == NotApplicable ||
         button == Abort;
}

// Whether a message box of that style offers the answer.
bool offers(int style, int answer) {
  using namespace ui::mb;
  static const QList<int> answers[] = {
      {Ok}, {Ok, Cancel}, {Abort, Retry, Ignore}, {Yes, No, Cancel}, {Yes, No}, {Retry, Cancel}};
  const int kind = style & 0x0F;
  return kind < 6 && answers[kind].contains(answer);
}

bool holdsValue(const QVariant& value) {
  return !rt::isEmpty(value) && !value.toString().isEmpty();
}

// What a run waits for while the guide's instruction pop-up shows a prompt.
struct PromptedWait {
  const char* prompt;
  const char* waitingFor;
};
constexpr PromptedWait kPromptedWaits[] = {
    {"20061::Start pacer", "no pacer pulses seen"},
    {"20023::DEFIBRILLATE NOW", "no shock received"},
    {"20029::CHARGE AND SHOCK NOW", "no shock received"},
    {"20180::Please set range to Pace", "the range switch not set to Pace"},
    {"20181::Please set range to Low", "the range switch not set to Low"},
    {"20182::Please set range to High", "the range switch not set to High"},
};

// What each test waits for once it no longer prompts; for those that wait
// for a measurement, only until the result holds a value.
struct UnpromptedWait {
  const char* waitingFor;
  bool forAValue;
};
const std::map<rt::Long, UnpromptedWait>& unpromptedWaits() {
  static const std::map<rt::Long, UnpromptedWait> table{
      {100, {"no charge time measured", true}},
      {200, {"no discharge measured", true}},
      {300, {"no sensitivity measured", true}},
      {400, {"no refractory period measured", true}},
      {500, {"no pacer reading stored", true}},
      {600, {"the ECG wave still playing", false}},
      {700, {"the shock-advisory steps still playing", false}}};
  return table;
}

}  // namespace

ScriptedOperator::ScriptedOperator(OperatorScript script, QObject* parent)
    : QObject(parent), script_(std::move(script)) {
  tick_.SetInterval(kTickMs);
  connect(&tick_, &ui::Timer::Tick, this, &ScriptedOperator::Tick);
  observer_ = ui::Form::addModalObserver([this](ui::Form& form) { Started(form); });
  ui::MessageBoxes::instance().setResponder(
      [this](const ui::ShownMessage& message) { return Respond(message.style); });
}

ScriptedOperator::~ScriptedOperator() {
  ui::Form::removeModalObserver(observer_);
  ui::MessageBoxes::instance().setResponder(nullptr);
}

void ScriptedOperator::Started(ui::Form& form) {
  auto* toolbarWidget = form.findChild<QWidget*>(QStringLiteral("xtbToolbar"));
  auto* toolbar = dynamic_cast<ITgToolbar*>(toolbarWidget);
  if (!toolbar) return;
  auto session = std::make_shared<Session>();
  session->form = &form;
  session->toolbarWidget = toolbarWidget;
  session->toolbar = toolbar;
  session->testID = rt::orDefault(
      [&] {
        ITestElementPtr test = toolbar->BoundTest();
        return test ? test->TestID() : 0;
      },
      rt::Long{0});
  session->plan = script_.PlanFor(session->testID, passes_[session->testID]++);
  session->sinceAction.start();
  session->sinceStep.start();
  session->self = session;
  ++guidesSeen_;
  std::weak_ptr<Session> weak = session;
  connect(&form, &ui::Form::ModalEnded, this, [this, weak] {
    if (auto ended = weak.lock()) sessions_.removeAll(ended);
  });
  sessions_.append(session);
  Note(*session, QStringLiteral("opened"));
  if (!tick_.Enabled()) tick_.SetEnabled(true);
}

void ScriptedOperator::Tick() {
  sessions_.removeIf([](const std::shared_ptr<Session>& s) { return !s->form; });
  if (sessions_.isEmpty()) {
    tick_.SetEnabled(false);
    return;
  }
  // The innermost guide is the one the operator looks at.
  const std::shared_ptr<Session> session = sessions_.last();
  rt::ignoreErrors([&] { Work(*session); });
}

void ScriptedOperator::Work(Session& s) {
  if (!s.form || !s.form->isVisible()) return;
  ITgToolbar* toolbar = Toolbar(s);
  if (!toolbar) return;
  if (!s.opened) {
    s.opened = true;
    Tell(s, QStringLiteral("opened"));
  }
  const bool running = toolbar->Running();
  if (running && !s.sawRunning) {
    s.sawRunning = true;
    Tell(s, QStringLiteral("running"));
  }
  if (running) AnswerSteps(s);
  const bool paced = s.sinceAction.elapsed() >= pace_;
  const bool waitingForTheEnd = running && s.sawRunning && !s.plan.answers &&
                                !s.plan.answerPresets && paced && s.index < s.plan.steps.size() &&
                                s.plan.steps.at(s.index).kind == OperatorStep::WaitRun;
  const int look = waitingForTheEnd ? kGlanceMs : kTickMs;
  if (tick_.Interval() != look) tick_.SetInterval(look);
  if (!paced) return;

  if (s.index < s.plan.steps.size()) {
    const OperatorStep step = s.plan.steps.at(s.index);
    if (Step(s, step)) {
      ++s.index;
      s.sinceStep.restart();
      s.gaveUp = 0;
    }
    return;
  }
  // The plan is done and the window is still there: leave it as a person
  // would, with Next, and with Abort when Next does not take. A run that
  // goes on after the plan (its Next or Skip came while it ran) is waited
  // for no longer than any other wait.
  if (running && s.sinceStep.elapsed() >= waitLimit_) {
    GiveUp(s, QStringLiteral("end of plan"));
    s.sinceStep.restart();
    s.gaveUp = 1;
    return;
  }
  if (running || s.sinceAction.elapsed() < kLeaveRetryMs) return;
  if (++s.leaveTries <= kLeaveTries) {
    Tell(s, QStringLiteral("leaving"));
    Press(s, Next, QStringLiteral("next (end of plan)"));
  } else {
    s.pendingAnswers = {ui::mb::Yes};
    Press(s, Abort, QStringLiteral("abort (the window stays open)"));
  }
}

bool ScriptedOperator::Step(Session& s, const OperatorStep& step) {
  switch (step.kind) {
    case OperatorStep::Press:
      if (isNavigation(step.button)) Tell(s, QStringLiteral("leaving"));
      Press(s, step.button, step.word, true);
      return true;
    case OperatorStep::WaitRun:
      if (!WaitOver(s, RunEnded(s), step.word)) return false;
      Tell(s, QStringLiteral("finished"));
      return true;
    case OperatorStep::WaitStored:
      return WaitOver(s, ResultHoldsValue(s) || RunEnded(s), step.word);
    case OperatorStep::Wait:
      if (s.sinceStep.elapsed() < std::min(step.milliseconds, waitLimit_)) return false;
      if (step.milliseconds > waitLimit_)
        Notice(QStringLiteral("operator: test %1: \"%2\" cut to the wait limit of %3 s")
                   .arg(s.testID)
                   .arg(step.word, QString::number(waitLimit_ / 1000.0)));
      if (ui::tracing()) {
        const qint64 from = ui::clockNow() - s.sinceStep.nsecsElapsed();
        ui::traceInterval("pace", from, from + step.milliseconds * kNanosecondsPerMillisecond);
      }
      Note(s, step.word);
      return true;
    case OperatorStep::Verdict:
      ClickCell(
          s, 0, s.plan.verdictPass ? columns_.pass : columns_.fail, false,
          s.plan.verdictPass ? QStringLiteral("verdict=pass") : QStringLiteral("verdict=fail"));
      return true;
    case OperatorStep::Click:
      ClickCell(s, step.row, step.column, step.rightButton, step.word);
      return true;
    case OperatorStep::Answer:
      s.pendingAnswers.append(step.answer);
      Note(s, step.word);
      return true;
    case OperatorStep::Tab: {
      Note(s, step.word);
      Acted(s);
      QPointer<ui::Form> form = s.form;
      const QString name = QStringLiteral("tab%1").arg(step.column);
      Later([form, name] {
        if (form) ui::click(form->findChild<QWidget*>(name));
      });
      return true;
    }
    case OperatorStep::Identity:
      EnterIdentity(s, step.identity);
      Note(s, step.word);
      return true;
    case OperatorStep::Standard:
      PickStandard(s, step);
      return true;
  }
  return true;
}

bool ScriptedOperator::WaitOver(Session& s, bool done, const QString& what) {
  if (done) {
    Note(s, what);
    return true;
  }
  if (s.sinceStep.elapsed() < waitLimit_) return false;
  s.sinceStep.restart();
  if (++s.gaveUp == 1) {
    GiveUp(s, what);
    return false;
  }
  s.pendingAnswers = {ui::mb::Yes};
  Tell(s, QStringLiteral("leaving"));
  Press(s, Abort, what + QStringLiteral(" (too long: abort)"));
  return true;
}

void ScriptedOperator::GiveUp(Session& s, const QString& what) {
  if (giveUpHook_) {
    const QString waitingFor = WaitingFor(s);
    rt::ignoreErrors([&] { giveUpHook_(s.testID, waitingFor); });
  }
  Press(s, Stop, what + QStringLiteral(" (too long: stop)"));
  // A person who has waited far too long stops the run and leaves the test
  // unjudged once the run has ended.
  s.plan.steps = s.plan.steps.mid(0, s.index + 1);
  OperatorStep ended;
  ended.kind = OperatorStep::WaitRun;
  ended.word = QStringLiteral("wait-run");
  OperatorStep next;
  next.kind = OperatorStep::Press;
  next.button = Next;
  next.word = QStringLiteral("next (not judged)");
  s.plan.steps << ended << next;
}

QString ScriptedOperator::WaitingFor(const Session& s) const {
  const auto* prompt = s.form ? s.form->findChild<QLabel*>(QStringLiteral("lblHelpTxt")) : nullptr;
  if (prompt && prompt->isVisible()) {
    const std::shared_ptr<LanguageService> language = LanguageService::instance();
    for (const PromptedWait& wait : kPromptedWaits)
      if (prompt->text() == language->Translate(kProduct, QLatin1String(wait.prompt)))
        return QLatin1String(wait.waitingFor);
  }
  // A run that goes on after it has stored a value (the pacer's readings
  // until Stop, a curve still loading) waits for no measurement.
  const auto known = unpromptedWaits().find(s.testID);
  if (known == unpromptedWaits().end() || (known->second.forAValue && ResultHoldsValue(s)))
    return QStringLiteral("the run did not end");
  return QLatin1String(known->second.waitingFor);
}

void ScriptedOperator::Press(Session& s, rt::Long button, const QString& word, bool told) {
  Note(s, word);
  Acted(s);
  if (button == Play) {
    s.playPressed = true;
    ++s.playsPending;
    s.answered = 0;
  }
  QPointer<ui::Form> form = s.form;
  Later([this, form, button, weak = s.self, word, told] {
    QWidget* widget = nullptr;
    if (form)
      if (auto* toolbar = form->findChild<QWidget*>(QStringLiteral("xtbToolbar")))
        widget = toolbar->findChild<QWidget*>(QStringLiteral("button%1").arg(button));
    const bool taken = ui::click(widget);
    // The click has returned: a run it started has ended or gone on by
    // itself.
    if (auto session = weak.lock()) {
      if (button == Play) --session->playsPending;
      if (!taken) {
        Note(*session, word + QStringLiteral(" (not taken)"));
        // A word of the plan that did nothing is no silent part of the run.
        if (told) Ignored(*session, word);
      }
      if (button == Play) Tick();
    }
  });
}

void ScriptedOperator::Ignored(const Session& s, const QString& word) const {
  ITgToolbar* toolbar = Toolbar(s);
  const bool running = rt::orDefault([&] { return toolbar && toolbar->Running(); }, false);
  Notice(QStringLiteral("operator: test %1: \"%2\" ignored: the guide did not take it%3")
             .arg(s.testID)
             .arg(word, running ? QStringLiteral(" while the run was under way") : QString()));
}

void ScriptedOperator::ClickCell(Session& s, int row, int column, bool right, const QString& word) {
  Note(s, word);
  Acted(s);
  QPointer<QAbstractItemView> table = ResultTable(s);
  Later([table, row, column, right] {
    if (!table || !table->model()) return;
    // The views count their columns from 1, the item model from 0.
    const QModelIndex index = table->model()->index(row, column - 1);
    if (!index.isValid()) return;
    table->scrollTo(index);
    ui::clickAt(table->viewport(), table->visualRect(index).center(),
                right ? Qt::RightButton : Qt::LeftButton);
  });
}

void ScriptedOperator::EnterIdentity(Session& s, const QStringList& identity) {
  Acted(s);
  QPointer<ui::Form> form = s.form;
  Later([form, identity] {
    if (!form) return;
    auto* type = form->findChild<QComboBox*>(QStringLiteral("cboMtiType"));
    auto* serial = form->findChild<QLineEdit*>(QStringLiteral("txtSerial"));
    auto* firmware = form->findChild<QLineEdit*>(QStringLiteral("txtFirmware"));
    // The editor's page first, when another tab is showing.
    if (serial && !serial->isVisible())
      ui::click(form->findChild<QWidget*>(QStringLiteral("tab0")));
    if (type) {
      const int position = type->findText(identity.at(0).trimmed(), Qt::MatchFixedString);
      if (position >= 0) {
        ui::pressKey(type, Qt::Key_Home);
        for (int i = 0; i < position; ++i) ui::pressKey(type, Qt::Key_Down);
      }
    }
    if (serial) ui::typeText(serial, identity.at(1).trimmed());
    if (firmware) ui::typeText(firmware, identity.at(2).trimmed());
  });
}

void ScriptedOperator::PickStandard(Session& s, const OperatorStep& step) {
  s.sinceAction.restart();
  auto* box = s.form ? s.form->findChild<QComboBox*>(QStringLiteral("cboStandard")) : nullptr;
  const int position = box ? box->findData(step.standard, Qt::UserRole, Qt::MatchFixedString) : -1;
  if (position < 0) {
    // The test must not be judged by a standard other than the one asked
    // for: it is skipped, and the sequence goes on without a pass.
    Note(s, step.word + QStringLiteral(" (not in the standard box: skip)"));
    Notice(QStringLiteral("operator: test %1 has no standard \"%2\"; it is skipped")
               .arg(s.testID)
               .arg(step.standard));
    OperatorStep skip;
    skip.kind = OperatorStep::Press;
    skip.word = QStringLiteral("skip");
    skip.button = Skip;
    s.plan.steps = {skip};
    s.index = -1;  // the plan starts again with the skip
    return;
  }
  Note(s, step.word);
  QPointer<QComboBox> picked = box;
  Later([picked, position] {
    if (!picked) return;
    // As a person's choice in the list: the box shows it and tells of it.
    picked->setCurrentIndex(position);
    Q_EMIT picked->activated(position);
  });
}

void ScriptedOperator::AnswerSteps(Session& s) {
  if (!s.plan.answers && !s.plan.answerPresets) return;
  ITgToolbar* toolbar = Toolbar(s);
  ITestElementPtr test = toolbar ? toolbar->BoundTest() : nullptr;
  IResultDataPtr result = test ? test->Result() : nullptr;
  if (!result) return;
  const rt::Long count = result->MeasurementCount();
  while (s.answered < count && com::must(result->Measurement(s.answered + 1)).Status() !=
                                   host::resultstatus::NotEvaluated)
    ++s.answered;
  if (s.answered >= count) return;
  bool shock = false;
  if (s.plan.answers) {
    if (s.answered >= s.plan.answers->size()) return;
    shock = s.plan.answers->at(s.answered);
  } else {
    shock = rt::toBoolean(com::must(result->Measurement(s.answered + 1)).PresetValue());
  }
  // A click on a step before it plays is not taken; the operator clicks
  // again until the step has its answer.
  if (s.sinceAnswer.isValid() && s.sinceAnswer.elapsed() < kAnswerRepeatMs) return;
  s.sinceAnswer.restart();
  ClickCell(s, s.answered, shock ? columns_.shock : columns_.noShock, false,
            QStringLiteral("step %1: %2").arg(s.answered + 1).arg(shock ? u'S' : u'N'));
}

int ScriptedOperator::Respond(int style) {
  if (sessions_.isEmpty()) return 0;
  Session& s = *sessions_.last();
  if (s.pendingAnswers.isEmpty() || !offers(style, s.pendingAnswers.first())) return 0;
  return s.pendingAnswers.takeFirst();
}

ITgToolbar* ScriptedOperator::Toolbar(const Session& s) const {
  return s.form && s.toolbarWidget ? s.toolbar : nullptr;
}

QAbstractItemView* ScriptedOperator::ResultTable(const Session& s) const {
  if (!s.form) return nullptr;
  QWidget* view = s.form->findChild<QWidget*>(QStringLiteral("irvResult"));
  if (!view) return nullptr;
  if (auto* table = qobject_cast<QAbstractItemView*>(view)) return table;
  return view->findChild<QAbstractItemView*>();
}

bool ScriptedOperator::RunEnded(const Session& s) const {
  ITgToolbar* toolbar = Toolbar(s);
  return s.playsPending == 0 && (!toolbar || !toolbar->Running());
}

bool ScriptedOperator::ResultHoldsValue(const Session& s) const {
  return rt::orDefault(
      [&] {
        ITgToolbar* toolbar = Toolbar(s);
        IResultDataPtr result = com::must(com::must(toolbar).BoundTest()).Result();
        if (!result) return false;
        for (rt::Long i = 1; i <= result->MeasurementCount(); ++i)
          if (holdsValue(com::must(result->Measurement(i)).Value())) return true;
        return false;
      },
      false);
}

void ScriptedOperator::Tell(Session& s, const QString& state) {
  if (!stateHook_ || !s.form) return;
  rt::ignoreErrors([&] { stateHook_(*s.form, s.testID, state); });
}

// An action: the next one waits at least the pace from now.
void ScriptedOperator::Acted(Session& s) {
  s.sinceAction.restart();
  if (ui::tracing())
    ui::traceInterval("pace", ui::clockNow(),
                      ui::clockNow() + static_cast<qint64>(pace_) * kNanosecondsPerMillisecond);
}

void ScriptedOperator::Note(const Session& s, const QString& word) {
  log_.append(QStringLiteral("%1 %2").arg(s.testID).arg(word));
}

void ScriptedOperator::Notice(const QString& line) const {
  if (noticeHook_) rt::ignoreErrors([&] { noticeHook_(line); });
}

void ScriptedOperator::Later(std::function<void()> action) {
  QMetaObject::invokeMethod(
      this, [action = std::move(action)] { rt::ignoreErrors(action); }, Qt::QueuedConnection);
}

}  // namespace host
