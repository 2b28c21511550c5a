#pragma once
// A window timer: ticks only through the message loop, never while its
// interval is 0; the interval is 0..65535 ms (a larger one raises error 380
// and keeps the old interval). Setting the interval or switching it on
// restarts the count.

#include <QObject>
#include <QTimer>

#include "runtime/Types.h"

namespace ui {

class Timer : public QObject {
  Q_OBJECT
 public:
  explicit Timer(QObject* parent = nullptr);

  rt::Long Interval() const { return interval_; }
  void SetInterval(rt::Long milliseconds);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);

 Q_SIGNALS:
  void Tick();

 private:
  void restart();
  QTimer timer_;
  rt::Long interval_ = 0;
  bool enabled_ = false;
};

}  // namespace ui
