#pragma once
// The link's hidden form: it owns the serial control and the link's two
// timers. Loaded once per thread by the link and never shown.

#include <QWidget>

#include "serial/SerialControl.h"
#include "ui/Timer.h"

namespace orvanRV1Xvti {

class FTestVTI : public QWidget {
  Q_OBJECT
 public:
  FTestVTI();
  ~FTestVTI() override;

  serial::SerialControl& Comm() { return comm_; }

  // Restarts the time-out timer; its ticks mark the link's wait as timed
  // out until it is stopped. Errors are ignored.
  void StartTimer(rt::Long iTimeOut);
  void StopTimer();
  // The pause timer fires once.
  void StartSleepTimer(rt::Long iTimeOut);
  bool IsSleeping() const;

 private:
  void timRVXX_Timer();
  void tmrSleep_Timer();

  serial::SerialControl comm_;
  ui::Timer timRVXX_;
  ui::Timer tmrSleep_;
};

}  // namespace orvanRV1Xvti
