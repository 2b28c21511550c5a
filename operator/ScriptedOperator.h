#pragma once
// The host's scripted operator: while it lives it works every guide window
// shown modally, as a person does, inside the window's own modal loop,
// following its script (OperatorScript.h) one step at a time. No wait
// outlasts the wait limit, whatever the script says. It prints nothing:
// what a person would say aloud goes to its hooks. What it needs of a guide
// window (its controls' object names), how it paces, waits and gives up:
// docs/reference/host-services.md, "The scripted operator".

#include <QObject>
#include <QPointer>
#include <functional>
#include <map>

#include "OperatorScript.h"
#include "typelib/HostTypes.h"
#include "ui/Clock.h"
#include "ui/Timer.h"

class QAbstractItemView;

namespace ui {
class Form;
}

namespace host {

class ITgToolbar;

// The columns of the result views that judgements are clicked in, from 1
// as the views count them.
struct VerdictColumns {
  int pass = 2;     // the performance view's row: passed
  int fail = 3;     // ... failed
  int shock = 3;    // a shock-advisory step: shock advised
  int noShock = 4;  // ... no shock
};

class ScriptedOperator : public QObject {
  Q_OBJECT
 public:
  explicit ScriptedOperator(OperatorScript script = OperatorScript(), QObject* parent = nullptr);
  ~ScriptedOperator() override;

  // Time between two actions of a person; default 50 ms.
  void setPace(int milliseconds) { pace_ = milliseconds; }
  // How long a wait may last before the operator gives up. Default 2 minutes.
  void setWaitLimit(int milliseconds) { waitLimit_ = milliseconds; }
  int waitLimit() const { return waitLimit_; }

  // Told at each guide's main states: "opened", "running", "finished"
  // (the run has ended) and "leaving" (before a navigation button). For
  // screenshots.
  using StateHook = std::function<void(QWidget& guide, rt::Long testID, const QString& state)>;
  void setStateHook(StateHook hook) { stateHook_ = std::move(hook); }
  // Told when a wait is given up, with what the run was waiting for ("no
  // pacer pulses seen", "no shock received", ...).
  using GiveUpHook = std::function<void(rt::Long testID, const QString& waitingFor)>;
  void setGiveUpHook(GiveUpHook hook) { giveUpHook_ = std::move(hook); }
  // Told, one line each, what did not go as the script says: a wait cut to
  // the wait limit, a word the guide did not take, a standard the guide
  // does not offer ("operator: test 100: ...").
  using NoticeHook = std::function<void(const QString& line)>;
  void setNoticeHook(NoticeHook hook) { noticeHook_ = std::move(hook); }

  // What it did, one line per action: "<test ID> <word>".
  const QStringList& log() const { return log_; }
  int guidesSeen() const { return guidesSeen_; }

 private:
  struct Session {
    QPointer<ui::Form> form;
    // The guide's toolbar, found once: the operator looks at it at every
    // tick.
    QPointer<QWidget> toolbarWidget;
    ITgToolbar* toolbar = nullptr;
    rt::Long testID = 0;
    OperatorPlan plan;
    int index = 0;
    ui::Stopwatch sinceAction;
    ui::Stopwatch sinceStep;
    int playsPending = 0;  // Play clicks still under way
    bool playPressed = false;
    bool sawRunning = false;
    int answered = 0;
    ui::Stopwatch sinceAnswer;
    QList<int> pendingAnswers;
    int gaveUp = 0;
    int leaveTries = 0;
    bool opened = false;
    std::weak_ptr<Session> self;
  };

  void Started(ui::Form& form);
  void Tick();
  void Work(Session& session);
  bool Step(Session& session, const OperatorStep& step);
  void AnswerSteps(Session& session);
  bool WaitOver(Session& session, bool done, const QString& what);
  void GiveUp(Session& session, const QString& what);
  QString WaitingFor(const Session& session) const;
  // told: a word of the plan, reported on standard error when the guide
  // does not take it.
  void Press(Session& session, rt::Long button, const QString& word, bool told = false);
  void Ignored(const Session& session, const QString& word) const;
  void ClickCell(Session& session, int row, int column, bool right, const QString& word);
  void EnterIdentity(Session& session, const QStringList& identity);
  void PickStandard(Session& session, const OperatorStep& step);
  int Respond(int style);

  ITgToolbar* Toolbar(const Session& session) const;
  QAbstractItemView* ResultTable(const Session& session) const;
  bool RunEnded(const Session& session) const;
  bool ResultHoldsValue(const Session& session) const;
  void Acted(Session& session);
  void Tell(Session& session, const QString& state);
  void Note(const Session& session, const QString& word);
  void Notice(const QString& line) const;
  void Later(std::function<void()> action);

  OperatorScript script_;
  int pace_ = 50;
  int waitLimit_ = 2 * 60 * 1000;
  VerdictColumns columns_;
  StateHook stateHook_;
  GiveUpHook giveUpHook_;
  NoticeHook noticeHook_;
  QStringList log_;
  int guidesSeen_ = 0;
  std::map<rt::Long, int> passes_;
  QList<std::shared_ptr<Session>> sessions_;  // innermost last
  ui::Timer tick_;
  int observer_ = 0;
};

}  // namespace host
