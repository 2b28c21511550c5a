#include "ui/MessageLoop.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEvent>
#include <QThread>

#include "ui/Clock.h"

namespace ui {

namespace {

constexpr qint64 kNanosecondsPerMillisecond = 1'000'000;
// Calls of doEvents in a row that find nothing to run, with time standing
// still, before virtual time treats them as a poll loop's wait (on real time
// such a loop would spin while time passed).
constexpr int kIdleTurnsOfAPollLoop = 1000;

// Counts the events delivered on the application's thread, so that a wait
// knows whether anything ran (posted events leave no other trace).
class DeliveryCount : public QObject {
 public:
  quint64 count = 0;

 protected:
  bool eventFilter(QObject*, QEvent*) override {
    ++count;
    return false;
  }
};

quint64 delivered() {
  QCoreApplication* app = QCoreApplication::instance();
  if (!app || app->thread() != QThread::currentThread()) return 0;
  static DeliveryCount* counter = [app] {
    auto* c = new DeliveryCount;
    app->installEventFilter(c);
    return c;
  }();
  return counter->count;
}

// Runs what is ready without waiting; whether anything ran.
bool runReady() {
  const quint64 before = delivered();
  bool ran = clockloop::fireDue();
  if (QCoreApplication::instance()) {
    QCoreApplication::sendPostedEvents();
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance())
      ran = dispatcher->processEvents(QEventLoop::AllEvents) || ran;
  }
  ran = clockloop::fireDue() || ran;
  return ran || delivered() != before;
}

}  // namespace

void doEvents() {
  thread_local int idleTurns = 0;
  thread_local qint64 idleSince = 0;
  if (runReady() || !clockIsVirtual() || clockNow() != idleSince) {
    idleTurns = 0;
    idleSince = clockNow();
    return;
  }
  if (++idleTurns < kIdleTurnsOfAPollLoop) return;
  idleTurns = 0;
  clockloop::jumpToNextAlarm();
}

void waitForEvents() {
  // What is pending runs first, without a look at the devices: one turn of
  // the dispatcher a wait is all a waiting program costs.
  const quint64 before = delivered();
  if (QCoreApplication::instance()) QCoreApplication::sendPostedEvents();
  if (clockloop::fireDue() || delivered() != before) return;
  if (clockloop::jumpToNextAlarm()) {
    runReady();
    return;
  }
  QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
  if (!QCoreApplication::instance() || !dispatcher) {
    // Without an event loop only an alarm can end the wait.
    const qint64 next = clockloop::untilNextAlarm();
    clockloop::pause(next < 0 ? kNanosecondsPerMillisecond : next);
    clockloop::fireDue();
    return;
  }
  // Returns once something ran: a device, a timer or an alarm due, the
  // window's events, a posted event.
  dispatcher->processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

void runEventsFor(qint64 milliseconds) {
  bool over = false;
  Alarm end([&over] { over = true; });
  end.setAfterMilliseconds(milliseconds);
  runReady();
  while (!over) waitForEvents();
}

bool waitUntil(const std::function<bool()>& condition, qint64 milliseconds) {
  bool over = false;
  Alarm end([&over] { over = true; });
  end.setAfterMilliseconds(milliseconds);
  doEvents();
  while (!condition() && !over) waitForEvents();
  return condition();
}

void Sleep(int milliseconds) {
  clockloop::pause(static_cast<qint64>(milliseconds) * kNanosecondsPerMillisecond);
}

}  // namespace ui
