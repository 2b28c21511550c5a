#pragma once
// The port query's timer form: one timer whose ticks it passes on as its
// Timer event until it is stopped.

#include <QWidget>

#include "ui/Timer.h"

namespace orvanRV1Xvti::query {

class FTimer : public QWidget {
  Q_OBJECT
 public:
  FTimer();
  ~FTimer() override;

  ui::Timer& TimerControl() { return tmrTimeout_; }
  void StartTimer(rt::Long interval);
  void StopTimer();

 Q_SIGNALS:
  void Timer();

 private:
  void tmrTimeout_Timer();
  ui::Timer tmrTimeout_;
};

}  // namespace orvanRV1Xvti::query
