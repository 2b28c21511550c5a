#pragma once
// A window timer: ticks only through the message loop, never while its
// interval is 0; the interval is 0..65535 ms (a larger one raises error 380
// and keeps the old interval). Setting the interval or switching it on
// restarts the count. It runs on the thread's clock (ui/Clock.h); a tick
// whose handler is still running is not entered again.

#include <QObject>

#include "runtime/Types.h"
#include "ui/Clock.h"

namespace ui {

class Timer : public QObject {
  Q_OBJECT
 public:
  explicit Timer(QObject* parent = nullptr);
  ~Timer() override;

  rt::Long Interval() const { return interval_; }
  void SetInterval(rt::Long milliseconds);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);

 Q_SIGNALS:
  void Tick();

 private:
  void restart();
  void due();
  void traceOn(bool on);

  Alarm alarm_;
  qint64 onSince_ = -1;  // for the trace: since when it has been on
  rt::Long interval_ = 0;
  bool enabled_ = false;
  bool ticking_ = false;
};

}  // namespace ui
