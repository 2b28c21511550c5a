#include "ui/MessageLoop.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QTimer>

namespace ui {

namespace {
constexpr qint64 kTurnNanoseconds = 1'000'000;
}

void doEvents() {
  QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
  if (!QCoreApplication::instance() || !dispatcher) {
    QThread::usleep(1000);
    return;
  }
  QElapsedTimer turn;
  turn.start();
  QCoreApplication::sendPostedEvents();
  dispatcher->processEvents(QEventLoop::AllEvents);
  // A short single-shot timer bounds the wait; any other event (received
  // bytes, a timer, a click) ends it sooner.
  thread_local QTimer* wake = [] {
    auto* timer = new QTimer;
    timer->setSingleShot(true);
    timer->setTimerType(Qt::PreciseTimer);
    timer->setInterval(1);
    return timer;
  }();
  wake->start();
  dispatcher->processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
  wake->stop();
  // Something that wakes the loop again and again (a device that has gone,
  // whose descriptor stays readable) must not turn a poll loop into a spin:
  // a turn that came back early sleeps out the rest of its millisecond.
  const qint64 left = kTurnNanoseconds - turn.nsecsElapsed();
  if (left > 0) QThread::usleep(static_cast<unsigned long>(left / 1000));
}

void Sleep(int milliseconds) {
  if (milliseconds > 0) QThread::msleep(static_cast<unsigned long>(milliseconds));
}

}  // namespace ui
