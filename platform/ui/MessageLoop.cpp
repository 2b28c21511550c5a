#include "ui/MessageLoop.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QThread>
#include <QTimer>

namespace ui {

void doEvents() {
  QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
  if (!QCoreApplication::instance() || !dispatcher) {
    QThread::usleep(1000);
    return;
  }
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
}

void Sleep(int milliseconds) {
  if (milliseconds > 0) QThread::msleep(static_cast<unsigned long>(milliseconds));
}

}  // namespace ui
