#include "ui/Clock.h"

#include <time.h>

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEvent>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <vector>

namespace ui {

namespace {

constexpr qint64 kNanosecondsPerMillisecond = 1'000'000;

qint64 realNow() {
  timespec t{};
  ::clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<qint64>(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

void realSleep(qint64 nanoseconds) {
  if (nanoseconds <= 0) return;
  const qint64 until = realNow() + nanoseconds;
  const timespec deadline{static_cast<time_t>(until / 1'000'000'000),
                          static_cast<long>(until % 1'000'000'000)};
  while (::clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &deadline, nullptr) == EINTR) {
  }
}

// The thread's alarms go off inside an event of this object, as a timer's
// tick would (so that, among other things, an object an alarm's call lets
// go of with deleteLater goes once the call is over). It also takes the
// jump to the next alarm that a loop of Qt's own (a modal window's) asks for
// when it is about to wait on virtual time, posted with the lowest priority
// so that whatever else is pending runs first.
class Bell : public QObject {
 public:
  static QEvent::Type ringType() {
    static const auto registered = static_cast<QEvent::Type>(QEvent::registerEventType());
    return registered;
  }
  static QEvent::Type jumpType() {
    static const auto registered = static_cast<QEvent::Type>(QEvent::registerEventType());
    return registered;
  }
  std::function<bool()> ring;
  bool rang = false;
  bool jumpPosted = false;

 protected:
  bool event(QEvent* e) override {
    if (e->type() == ringType()) {
      rang = ring();
      return true;
    }
    if (e->type() == jumpType()) {
      jumpPosted = false;
      if (!clockloop::fireDue()) clockloop::jumpToNextAlarm();
      return true;
    }
    return QObject::event(e);
  }
};

}  // namespace

struct AlarmQueue {
  std::vector<Alarm*> armed;
  quint64 nextOrder = 0;
  int virtualDepth = 0;
  qint64 virtualNow = 0;
  // Never deleted: the thread's end may come after the application's.
  QTimer* realTimer = nullptr;
  Bell* bell = nullptr;
  QMetaObject::Connection blockHook;

  static AlarmQueue& forThread() {
    thread_local AlarmQueue queue;
    return queue;
  }

  bool isVirtual() const { return virtualDepth > 0; }

  Bell& theBell() {
    if (!bell) {
      bell = new Bell;
      bell->ring = [this] { return ringDue(); };
    }
    return *bell;
  }

  // Every alarm due by now goes off, in order.
  bool ringDue() {
    bool rang = false;
    for (Alarm* next = earliest(); next && next->due_ <= now(); next = earliest()) {
      remove(next);
      rang = true;
      // The call may destroy its alarm.
      const std::function<void()> call = next->call_;
      call();
    }
    return rang;
  }
  qint64 now() const { return isVirtual() ? virtualNow : realNow(); }

  Alarm* earliest() const {
    Alarm* first = nullptr;
    for (Alarm* a : armed)
      if (!first || a->due_ < first->due_ || (a->due_ == first->due_ && a->order_ < first->order_))
        first = a;
    return first;
  }

  void add(Alarm* alarm) {
    if (!alarm->armed_) armed.push_back(alarm);
    alarm->armed_ = true;
    alarm->order_ = nextOrder++;
    rearm();
  }

  void remove(Alarm* alarm) {
    if (!alarm->armed_) return;
    armed.erase(std::find(armed.begin(), armed.end(), alarm));
    alarm->armed_ = false;
    rearm();
  }

  // On real time one Qt timer wakes the loop for the next alarm.
  void rearm() {
    if (isVirtual()) return;
    Alarm* next = earliest();
    if (!next) {
      if (realTimer) realTimer->stop();
      return;
    }
    if (!QCoreApplication::instance()) return;
    if (!realTimer) {
      realTimer = new QTimer;
      realTimer->setSingleShot(true);
      realTimer->setTimerType(Qt::PreciseTimer);
      QObject::connect(realTimer, &QTimer::timeout, [] { clockloop::fireDue(); });
    }
    const qint64 left = next->due_ - realNow();
    const qint64 milliseconds =
        left <= 0 ? 0 : (left + kNanosecondsPerMillisecond - 1) / kNanosecondsPerMillisecond;
    realTimer->start(static_cast<int>(std::min<qint64>(milliseconds, INT_MAX)));
  }
};

qint64 clockNow() {
  return AlarmQueue::forThread().now();
}

qint64 millisecondsSince(qint64 then) {
  return (clockNow() - then) / kNanosecondsPerMillisecond;
}

bool clockIsVirtual() {
  return AlarmQueue::forThread().isVirtual();
}

Alarm::Alarm(std::function<void()> call) : call_(std::move(call)) {}

Alarm::~Alarm() {
  cancel();
}

void Alarm::setAt(qint64 due) {
  due_ = due;
  AlarmQueue::forThread().add(this);
}

void Alarm::setAfterMilliseconds(qint64 milliseconds) {
  setAt(clockNow() + milliseconds * kNanosecondsPerMillisecond);
}

void Alarm::cancel() {
  AlarmQueue::forThread().remove(this);
}

namespace clockloop {

bool fireDue() {
  AlarmQueue& q = AlarmQueue::forThread();
  const Alarm* next = q.earliest();
  if (!next || next->due_ > q.now()) return false;
  if (!QCoreApplication::instance()) return q.ringDue();
  Bell& bell = q.theBell();
  QEvent ring(Bell::ringType());
  QCoreApplication::sendEvent(&bell, &ring);
  return bell.rang;
}

bool jumpToNextAlarm() {
  AlarmQueue& q = AlarmQueue::forThread();
  Alarm* next = q.isVirtual() ? q.earliest() : nullptr;
  if (!next) return false;
  q.virtualNow = std::max(q.virtualNow, next->due_);
  fireDue();
  return true;
}

qint64 untilNextAlarm() {
  const AlarmQueue& q = AlarmQueue::forThread();
  const Alarm* next = q.earliest();
  return next ? std::max<qint64>(0, next->due_ - q.now()) : -1;
}

void pause(qint64 nanoseconds) {
  AlarmQueue& q = AlarmQueue::forThread();
  if (nanoseconds <= 0) return;
  if (q.isVirtual())
    q.virtualNow += nanoseconds;
  else
    realSleep(nanoseconds);
}

}  // namespace clockloop

VirtualClock::VirtualClock() {
  AlarmQueue& q = AlarmQueue::forThread();
  if (q.virtualDepth++ > 0) return;
  // From a whole millisecond, so that what a test reads in milliseconds
  // comes out the same in every run.
  q.virtualNow = realNow() / kNanosecondsPerMillisecond * kNanosecondsPerMillisecond;
  if (q.realTimer) q.realTimer->stop();
  // A loop that is not ours (a modal window's) about to wait: when an
  // alarm is coming, time jumps to it instead, once what is pending ran.
  if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance()) {
    Bell* bell = &q.theBell();
    q.blockHook = QObject::connect(
        dispatcher, &QAbstractEventDispatcher::aboutToBlock, bell,
        [&q, bell] {
          if (bell->jumpPosted || !q.earliest()) return;
          bell->jumpPosted = true;
          QCoreApplication::postEvent(bell, new QEvent(Bell::jumpType()), Qt::LowEventPriority);
        },
        Qt::DirectConnection);
  }
}

VirtualClock::~VirtualClock() {
  AlarmQueue& q = AlarmQueue::forThread();
  if (--q.virtualDepth > 0) return;
  QObject::disconnect(q.blockHook);
  // Alarms still set keep their distance from the present.
  const qint64 shift = realNow() - q.virtualNow;
  for (Alarm* alarm : q.armed) alarm->due_ += shift;
  q.rearm();
}

}  // namespace ui
